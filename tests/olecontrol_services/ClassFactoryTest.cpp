// The class factory and the module's unload count: objects and locks keep the module loaded.
#include "ClassFactory.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <new>
#include <thread>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// {0DAECA02-D8F6-4935-8782-CE0F56323831}
constexpr CLSID CLSID_CountedObject = {0x0DAECA02, 0xD8F6, 0x4935, {0x87, 0x82, 0xCE, 0x0F, 0x56, 0x32, 0x38, 0x31}};
// {8BD37D15-AF55-4261-9EFF-46B88BCD59A0}
constexpr CLSID CLSID_Other = {0x8BD37D15, 0xAF55, 0x4261, {0x9E, 0xFF, 0x46, 0xB8, 0x8B, 0xCD, 0x59, 0xA0}};

CServerModule countingModule;

class CCountedObject final : public IUnknown
{
public:
    CCountedObject() : token(countingModule) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG count = --references;
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }
    static HRESULT Create(REFIID iid, void** object)
    {
        auto* created = new (std::nothrow) CCountedObject();
        if (!created)
            return E_OUTOFMEMORY;
        HRESULT hr = created->QueryInterface(iid, object);
        created->Release();
        return hr;
    }

private:
    ~CCountedObject() = default;
    CModuleObjectToken token;
    LONG references = 1;
};

CClassFactory countedFactory(countingModule, CLSID_CountedObject, &CCountedObject::Create);

TEST(ClassFactory, CreatesObjectsThatKeepTheModuleLoaded)
{
    ASSERT_EQ(S_OK, countingModule.CanUnloadNow());
    ComPtr<IUnknown> first;
    ComPtr<IUnknown> second;
    ASSERT_EQ(S_OK, countedFactory.CreateInstance(nullptr, IID_PPV_ARGS(&first)));
    ASSERT_EQ(S_OK, countedFactory.CreateInstance(nullptr, IID_PPV_ARGS(&second)));
    EXPECT_NE(first.Get(), second.Get());
    EXPECT_EQ(2, countingModule.LiveObjects());
    EXPECT_EQ(S_FALSE, countingModule.CanUnloadNow());
    first.Reset();
    EXPECT_EQ(S_FALSE, countingModule.CanUnloadNow());
    second.Reset();
    EXPECT_EQ(S_OK, countingModule.CanUnloadNow());
}

TEST(ClassFactory, RefusesAggregationAndUnknownInterfaces)
{
    ComPtr<IUnknown> object;
    IUnknown* outer = reinterpret_cast<IUnknown*>(&countedFactory);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, countedFactory.CreateInstance(outer, IID_PPV_ARGS(&object)));
    EXPECT_FALSE(object);
    ComPtr<IClassFactory> wrongInterface;
    EXPECT_EQ(E_NOINTERFACE, countedFactory.CreateInstance(nullptr, IID_PPV_ARGS(&wrongInterface)));
    EXPECT_FALSE(wrongInterface);
    EXPECT_EQ(E_POINTER, countedFactory.CreateInstance(nullptr, IID_IUnknown, nullptr));
    EXPECT_EQ(S_OK, countingModule.CanUnloadNow());
}

TEST(ClassFactory, LockServerAndFactoryReferencesCountAsLocks)
{
    ASSERT_EQ(S_OK, countedFactory.LockServer(TRUE));
    EXPECT_EQ(S_FALSE, countingModule.CanUnloadNow());
    ASSERT_EQ(S_OK, countedFactory.LockServer(FALSE));
    EXPECT_EQ(S_OK, countingModule.CanUnloadNow());
    // An unbalanced unlock does not drive the count below zero.
    countedFactory.LockServer(FALSE);
    EXPECT_EQ(0, countingModule.Locks());

    ComPtr<IClassFactory> held;
    ASSERT_EQ(S_OK, GetClassObjectFrom({&countedFactory}, CLSID_CountedObject, IID_PPV_ARGS(&held)));
    EXPECT_EQ(static_cast<IClassFactory*>(&countedFactory), held.Get());
    EXPECT_EQ(S_FALSE, countingModule.CanUnloadNow());
    held.Reset();
    EXPECT_EQ(S_OK, countingModule.CanUnloadNow());
}

TEST(ClassFactory, ClassObjectLookup)
{
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, GetClassObjectFrom({&countedFactory}, CLSID_Other, IID_PPV_ARGS(&factory)));
    EXPECT_FALSE(factory);
    ComPtr<IDispatch> notAFactory;
    EXPECT_EQ(E_NOINTERFACE, GetClassObjectFrom({&countedFactory}, CLSID_CountedObject, IID_PPV_ARGS(&notAFactory)));
    EXPECT_EQ(S_OK, countingModule.CanUnloadNow());
}

TEST(ServerModule, CountsStayExactUnderConcurrentUse)
{
    CServerModule module;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&module] {
            for (int i = 0; i < 20000; ++i) {
                module.ObjectCreated();
                module.Lock();
                module.Unlock();
                module.ObjectDestroyed();
                module.ObjectCreated();
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(80000, module.LiveObjects());
    EXPECT_EQ(0, module.Locks());
    EXPECT_EQ(S_FALSE, module.CanUnloadNow());
}

} // namespace
