// Saved documents from anywhere: mutated and truncated streams and property bags, picture blobs
// included. Every load succeeds or fails with every property at its default; nothing crashes,
// no load asks the platform's picture loader for more than its input holds, and no handle or
// memory is left behind. CORVANE_DOCUMENT_LOADS and CORVANE_DOCUMENT_SEED set count and seed.
#include "controloverlay/CorvanePersistenceFixture.h"

#include <cstdio>
#include <cstring>
#include <random>

#include "support/ProcessFigures.h"
#include "RandomVariants.h"
#include "ReadSizeStream.h"
#include "support/StressCounts.h"
#include "support/MemoryPropertyBag.h"

namespace {

// Where the picture's standard form starts in a saved stream: version, marker, class id.
constexpr size_t kPictureAt = 4 + 1 + sizeof(CLSID);
constexpr size_t kPictureLengthAt = kPictureAt + 4;
// Growth of the working set allowed over the loads after warm-up.
constexpr SIZE_T kMemoryAllowance = 16 * 1024 * 1024;
const ULONG kHugeLengths[] = {0x7FFFFFFF, 0xFFFFFFFF, 0x80000000, 0x10000000, 0xFFFFFFF8};

class DocumentFuzz : public CorvanePersistence
{
protected:
    OwnedControl saved;
    PictureClassFactory otherClass;
    DWORD registration = 0;

    void SetUp() override
    {
        CorvanePersistence::SetUp();
        InitNew(saved);
        Fill(saved);
        ASSERT_EQ(CoRegisterClassObject(kOtherPictureClass, &otherClass, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                        &registration),
                  S_OK);
    }
    void TearDown() override
    {
        CoRevokeClassObject(registration);
        CorvanePersistence::TearDown();
    }

    // Loads `bytes` into `control`: success, or a failure that left every default.
    HRESULT LoadStream(const OwnedControl& control, const Bytes& bytes, const std::string& what)
    {
        const HRESULT hr = control.As<IPersistStreamInit>()->Load(StreamWithBytes(bytes).Get());
        if (hr != S_OK) {
            SCOPED_TRACE(what);
            EXPECT_EQ(hr, E_FAIL);
            ExpectDefaults(*control.object);
        }
        return hr;
    }

    static void Put32(Bytes& bytes, size_t at, ULONG value)
    {
        for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
            bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
    }

    static Bytes Mutate(std::mt19937& random, RandomVariants& pick, Bytes bytes)
    {
        const size_t rounds = 1 + pick.Below(3);
        for (size_t round = 0; round < rounds && !bytes.empty(); ++round) {
            // Half the changes land in the picture's own form.
            const size_t from = pick.Below(2) ? kPictureAt : 0;
            const size_t at = from + pick.Below(bytes.size() > from ? bytes.size() - from : 1);
            switch (pick.Below(7)) {
            case 0: bytes.resize(pick.Below(bytes.size() + 1)); break;
            case 1: bytes[at % bytes.size()] ^= static_cast<BYTE>(1 + pick.Below(255)); break;
            case 2: Put32(bytes, at, static_cast<ULONG>(random())); break;
            case 3: Put32(bytes, kPictureLengthAt, kHugeLengths[pick.Below(std::size(kHugeLengths))]); break;
            case 4: {
                const CLSID classes[] = {kOtherPictureClass, CLSID_StdFont, CLSID_NULL, CLSID_StdPicture,
                                         {static_cast<unsigned long>(random()), 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}}};
                const CLSID& chosen = classes[pick.Below(std::size(classes))];
                std::memcpy(&bytes[5 % bytes.size()], &chosen, std::min(sizeof(CLSID), bytes.size() - 5 % bytes.size()));
                break;
            }
            case 5: bytes[4 % bytes.size()] = static_cast<BYTE>(pick.Below(2) ? 255 : pick.Below(256)); break;
            default: bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at % (bytes.size() + 1)),
                                  pick.Below(64), static_cast<BYTE>(random())); break;
            }
        }
        return bytes;
    }
};

TEST_F(DocumentFuzz, HugePictureLengthsAllocateNothingLikeThem)
{
    const Bytes full = SaveToStream(saved);
    for (ULONG length : kHugeLengths) {
        SCOPED_TRACE("picture length " + std::to_string(length));
        Bytes bytes = full;
        Put32(bytes, kPictureLengthAt, length);
        OwnedControl control;
        InitNew(control);
        ReadSizeStream stream(StreamWithBytes(bytes).Get());
        EXPECT_EQ(control.As<IPersistStreamInit>()->Load(&stream), E_FAIL);
        EXPECT_LE(stream.largestRead, bytes.size()) << "the loader allocated what the length field says";
        ExpectDefaults(*control.object);
    }
}

TEST_F(DocumentFuzz, MutatedStreamsAndBagsLoadOrResetWithoutLeaks)
{
    const int loads = CountFromEnvironment("CORVANE_DOCUMENT_LOADS", 3000);
    const unsigned seed = static_cast<unsigned>(CountFromEnvironment("CORVANE_DOCUMENT_SEED", 1208));
    std::mt19937 random(seed);
    RandomVariants pick(random, nullptr);
    const Bytes full = SaveToStream(saved);
    CMemoryPropertyBag savedBag;
    ASSERT_EQ(saved.As<IPersistPropertyBag>()->Save(&savedBag, TRUE, TRUE), S_OK);
    const std::vector<std::wstring> names = savedBag.WrittenNames();

    OwnedControl control;
    InitNew(control);
    // The same documents three times: the first passes bring the heaps to the size the largest
    // valid picture needs (the 64-bit heap reaches it only in the second); only what the last
    // pass adds is kept per load, that is, leaked.
    constexpr int kPasses = 3;
    ProcessFigures before;
    int succeeded = 0;
    for (int pass = 0; pass < kPasses && !HasFailure(); ++pass) {
        random.seed(seed);
        if (pass == kPasses - 1)
            before = ProcessFigures::Now();
        succeeded = 0;
        for (int load = 0; load < loads && !HasFailure(); ++load) {
            const std::string what = "seed " + std::to_string(seed) + " load " + std::to_string(load);
            if (load % 2 == 0) {
                const Bytes bytes = Mutate(random, pick, full);
                const Bytes head(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(bytes.size(), 64)));
                succeeded += LoadStream(control, bytes, what + ": " + HexOf(head)) == S_OK;
                continue;
            }
            // A bag with an item missing or of another type.
            CMemoryPropertyBag bag;
            for (const std::wstring& name : names)
                bag.Put(name, savedBag.Value(name));
            const std::wstring& name = names[pick.Below(names.size())];
            if (pick.Below(3) == 0) {
                bag.Remove(name);
            } else {
                pick.Fill(1);
                VARIANT copy;
                VariantInit(&copy);
                // Only values the platform can copy: a bag holds no unknown types.
                if (SUCCEEDED(VariantCopy(&copy, &pick.At(0))))
                    bag.Put(name, copy);
                VariantClear(&copy);
            }
            const HRESULT hr = control.As<IPersistPropertyBag>()->Load(&bag, nullptr);
            if (hr != S_OK) {
                SCOPED_TRACE(what + " bag item " + std::string(name.begin(), name.end()));
                ExpectDefaults(*control.object);
            }
            succeeded += hr == S_OK;
        }
    }
    pick.Fill(0);
    const ProcessFigures after = ProcessFigures::Now();
    std::printf("%d document loads, seed %u, %d loaded whole\n", loads, seed, succeeded);
    ProcessFigures::Print("document loads, last pass", before, after);
    EXPECT_LE(after.handles, before.handles + 2);
    EXPECT_LT(after.workingSet, before.workingSet + kMemoryAllowance);
}

}  // namespace
