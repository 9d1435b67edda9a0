// IPersistStorage: the "Contents" stream inside a compound file, and the storage states.
#include "support/MemoryStreams.h"
#include "support/OleTest.h"
#include "PersistStorageInterface.h"
#include "TestPersistentControl.h"

using Microsoft::WRL::ComPtr;
using State = CPersistStorageInterface::State;

namespace {

class StoragePersistence : public OleTest
{
protected:
    void SetUp() override
    {
        OleTest::SetUp();
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"cvs", 0, path);
        ASSERT_EQ(S_OK, StgCreateDocfile(path, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage));
    }
    void TearDown() override
    {
        storage.Reset();
        DeleteFileW(path);
        OleTest::TearDown();
    }
    ComPtr<IPersistStorage> Persist(CTestPersistentControl& target)
    {
        ComPtr<IPersistStorage> persist;
        EXPECT_EQ(S_OK, target.QueryInterface(IID_PPV_ARGS(&persist)));
        return persist;
    }
    ComPtr<IStorage> NewMemoryStorage()
    {
        ComPtr<ILockBytes> bytes;
        ComPtr<IStorage> created;
        EXPECT_EQ(S_OK, CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes));
        EXPECT_EQ(S_OK, StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                                     0, &created));
        return created;
    }
    Bytes ContentsOf(IStorage* source)
    {
        ComPtr<IStream> contents;
        EXPECT_EQ(S_OK, source->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &contents));
        return contents ? AllBytesOf(contents.Get()) : Bytes();
    }

    wchar_t path[MAX_PATH] = {};
    ComPtr<IStorage> storage;
    CTestPersistentControl control;
};

// The values themselves: RoundTrip (every medium).
TEST_F(StoragePersistence, CompoundFileReopensAndHoldsTheStreamForm)
{
    ASSERT_EQ(S_OK, Persist(control)->InitNew(storage.Get()));
    FillWithNonDefaults(control);
    control.modified = true;
    ASSERT_EQ(S_OK, Persist(control)->Save(storage.Get(), TRUE));
    EXPECT_FALSE(control.modified);
    ASSERT_EQ(S_OK, Persist(control)->SaveCompleted(nullptr));
    ASSERT_EQ(S_OK, storage->Commit(STGC_DEFAULT));
    ASSERT_EQ(S_OK, Persist(control)->HandsOffStorage());
    storage.Reset();

    ASSERT_EQ(S_OK, StgOpenStorage(path, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage));
    CTestPersistentControl loaded;
    ASSERT_EQ(S_OK, Persist(loaded)->Load(storage.Get()));
    EXPECT_EQ("Layer \xe9t\xe9 two", loaded.caption);

    // The stream inside is exactly the stream form.
    ComPtr<IPersistStreamInit> streamForm;
    ASSERT_EQ(S_OK, control.QueryInterface(IID_PPV_ARGS(&streamForm)));
    ComPtr<IStream> expected = NewMemoryStream();
    streamForm->Save(expected.Get(), FALSE);
    EXPECT_EQ(HexOf(AllBytesOf(expected.Get())), HexOf(ContentsOf(storage.Get())));
}

TEST_F(StoragePersistence, StatesRefuseOutOfOrderCalls)
{
    ComPtr<IPersistStorage> persist = Persist(control);
    EXPECT_EQ(E_UNEXPECTED, persist->Save(storage.Get(), TRUE));
    EXPECT_EQ(E_UNEXPECTED, persist->SaveCompleted(nullptr));
    EXPECT_EQ(E_UNEXPECTED, persist->HandsOffStorage());
    EXPECT_EQ(E_POINTER, persist->InitNew(nullptr));

    ASSERT_EQ(S_OK, persist->InitNew(storage.Get()));
    EXPECT_EQ(State::Normal, control.persistence.Storage().GetState());
    EXPECT_EQ(CO_E_ALREADYINITIALIZED, persist->InitNew(storage.Get()));
    EXPECT_EQ(CO_E_ALREADYINITIALIZED, persist->Load(storage.Get()));
    EXPECT_EQ(E_UNEXPECTED, persist->SaveCompleted(nullptr));

    ASSERT_EQ(S_OK, persist->Save(storage.Get(), TRUE));
    EXPECT_EQ(State::NoScribble, control.persistence.Storage().GetState());
    EXPECT_EQ(E_UNEXPECTED, persist->Save(storage.Get(), TRUE));

    ASSERT_EQ(S_OK, persist->HandsOffStorage());
    EXPECT_EQ(State::HandsOffAfterSave, control.persistence.Storage().GetState());
    EXPECT_EQ(E_UNEXPECTED, persist->Save(storage.Get(), TRUE));
    // Without its storage the object needs a new one to go on.
    EXPECT_EQ(E_INVALIDARG, persist->SaveCompleted(nullptr));
    ASSERT_EQ(S_OK, persist->SaveCompleted(storage.Get()));
    EXPECT_EQ(State::Normal, control.persistence.Storage().GetState());

    ASSERT_EQ(S_OK, persist->HandsOffStorage());
    EXPECT_EQ(State::HandsOffFromNormal, control.persistence.Storage().GetState());
    ASSERT_EQ(S_OK, persist->SaveCompleted(storage.Get()));
    EXPECT_EQ(State::Normal, control.persistence.Storage().GetState());
}

TEST_F(StoragePersistence, SaveAsCleansButSaveCopyAsDoesNot)
{
    ComPtr<IPersistStorage> persist = Persist(control);
    ASSERT_EQ(S_OK, persist->InitNew(storage.Get()));
    ComPtr<IStorage> other = NewMemoryStorage();

    control.modified = true;
    ASSERT_EQ(S_OK, persist->Save(other.Get(), FALSE));
    EXPECT_TRUE(control.modified);
    ASSERT_EQ(S_OK, persist->SaveCompleted(nullptr));  // a copy: still ours is old
    EXPECT_EQ(S_OK, persist->IsDirty());

    ASSERT_EQ(S_OK, persist->Save(other.Get(), FALSE));
    ASSERT_EQ(S_OK, persist->SaveCompleted(other.Get()));  // now the object lives there
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    EXPECT_FALSE(ContentsOf(other.Get()).empty());
}

TEST_F(StoragePersistence, StorageWithoutContentsOrWithShortContentsFailsAndResets)
{
    FillWithNonDefaults(control);
    EXPECT_EQ(E_FAIL, Persist(control)->Load(storage.Get()));
    EXPECT_EQ(1, control.resetCount);
    EXPECT_EQ(kDefaultSpeed, control.speed);
    EXPECT_EQ(State::Uninitialized, control.persistence.Storage().GetState());

    ComPtr<IStream> contents;
    ASSERT_EQ(S_OK, storage->CreateStream(L"Contents", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                          &contents));
    const BYTE shortData[] = {0, 0, 1, 0, 255, 1};
    contents->Write(shortData, sizeof(shortData), nullptr);
    contents.Reset();
    FillWithNonDefaults(control);
    EXPECT_EQ(E_FAIL, Persist(control)->Load(storage.Get()));
    EXPECT_EQ(2, control.resetCount);
    EXPECT_FALSE(control.loop);
    EXPECT_EQ(State::Uninitialized, control.persistence.Storage().GetState());
}

} // namespace
