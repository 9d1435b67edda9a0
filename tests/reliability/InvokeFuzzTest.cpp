// Random automation calls on the hosted control, seeded and reproducible: unknown and known
// DISPIDs, every invoke kind, 0-8 random arguments, named arguments. Every call must come back
// with one of the dispatch errors of the contract, and the control must still play a clip.
// Paths reach only a scratch folder (the current folder while the calls run, for relative ones).
// CORVANE_INVOKE_CALLS and CORVANE_INVOKE_SEED set the count and the seed; the calls reach the
// fake platform unless CORVANE_INVOKE_REAL=1 (under Wine here, hosted real playback can end the
// process with an X error of the platform's own, whatever the calls were).
#include "control/HostedCorvane.h"

#include <optional>

#include "fakes/FakePlatform.h"

#include <cstdio>
#include <map>
#include <random>
#include <set>

#include "RandomVariants.h"
#include "ScratchFolder.h"
#include "support/StressCounts.h"
#include "Watchdog.h"

using Microsoft::WRL::ComPtr;

namespace {

const std::set<HRESULT> kContractAnswers = {S_OK,
                                            DISP_E_MEMBERNOTFOUND,
                                            DISP_E_BADPARAMCOUNT,
                                            DISP_E_TYPEMISMATCH,
                                            DISP_E_NONAMEDARGS,
                                            DISP_E_PARAMNOTOPTIONAL,
                                            DISP_E_BADVARTYPE,
                                            E_INVALIDARG};

// Numbers around and outside the member table.
const DISPID kUnknownDispids[] = {0, 4, 45, -1, 1000, 0x7FFFFFFF, DISPID_ABOUTBOX - 1};
// Members whose first argument is a path: it always points into the scratch folder.
const std::set<DISPID> kPathMembers = {DISPID_CORVANE_LOADMEDIAFILE, DISPID_CORVANE_GETCURRENTIMAGE,
                                       DISPID_CORVANE_SETOVERLAYBITMAP};
const WORD kFlags[] = {0, DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                       DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
                       0xFFFF};

class InvokeFuzz : public HostedCorvane
{
protected:
    std::optional<FakePlatform> platform;
    ScratchFolder scratch{"corvane-invoke"};

    InvokeFuzz()
    {
        if (!CountFromEnvironment("CORVANE_INVOKE_REAL", 0))
            platform.emplace();
    }

    std::string PathArgument(std::mt19937& random, RandomVariants& variants, DISPID dispid)
    {
        switch (variants.Below(8)) {
        case 0: return dispid == DISPID_CORVANE_LOADMEDIAFILE ? TestMediaPath(variants.Below(2) ? "video.avi" : "av.avi")
                                                              : scratch.File("picture.bmp");
        case 1: return "";
        case 2: return scratch.File(std::string(3000, 'n') + ".avi");
        case 3: return scratch.File("missing\\folder\\shot.bmp");
        case 4: return "relative" + std::to_string(random() % 5) + ".bmp";
        default: return scratch.File("file" + std::to_string(random() % 10) + ".avi");
        }
    }
};

TEST_F(InvokeFuzz, RandomCallsGetContractAnswersAndTheControlStillPlays)
{
    const int calls = CountFromEnvironment("CORVANE_INVOKE_CALLS", 3000);
    const unsigned seed = static_cast<unsigned>(CountFromEnvironment("CORVANE_INVOKE_SEED", 20261208));
    ComPtr<IDispatch> dispatch = owned->As<IDispatch>();
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path().c_str()));

    std::mt19937 random(seed);
    RandomVariants variants(random, dispatch.Get());
    Watchdog watchdog(10000);
    std::map<HRESULT, int> answers;
    std::vector<DISPID> named;
    // The members as the control's own table lists them, AboutBox (modal) left out.
    std::vector<DispatchEntry> members;
    const DispatchTable table = control->GetDispatchTable();
    for (size_t i = 0; i < table.count; ++i)
        if (table.entries[i].dispid != DISPID_ABOUTBOX)
            members.push_back(table.entries[i]);
    for (int call = 0; call < calls && !HasFailure(); ++call) {
        // Half the calls are well formed (a member, its invoke kind and argument count, values
        // of any type); the other half anything at all.
        const DispatchEntry& member = members[variants.Below(members.size())];
        const bool wellFormed = variants.Below(2) == 0;
        const bool put = member.kind != DispatchKind::Method && variants.Below(2);
        const DISPID dispid = wellFormed || variants.Below(4) ? member.dispid
                                                                : kUnknownDispids[variants.Below(std::size(kUnknownDispids))];
        const WORD flags = !wellFormed ? kFlags[variants.Below(std::size(kFlags))]
                           : member.kind == DispatchKind::Method ? DISPATCH_METHOD
                           : put ? DISPATCH_PROPERTYPUT : DISPATCH_PROPERTYGET;
        const size_t count = !wellFormed ? variants.Below(9)
                             : member.kind == DispatchKind::Method ? member.parameterCount : put ? 1 : 0;
        variants.Fill(count);
        const bool pathMember = kPathMembers.count(dispid) != 0;
        if (pathMember && count > 0) {
            const std::string path = PathArgument(random, variants, dispid);
            VARIANT& first = variants.At(count - 1);
            first.vt = VT_BSTR;
            first.bstrVal = variants.Keep(std::wstring(path.begin(), path.end()));
        }
        named.clear();
        const size_t namedCount = wellFormed ? (put ? 1 : 0)
                                  : pathMember || count == 0 || variants.Below(5) ? 0 : 1 + variants.Below(count);
        for (size_t i = 0; i < namedCount; ++i)
            named.push_back(wellFormed || variants.Below(2) ? DISPID_PROPERTYPUT : static_cast<DISPID>(variants.Below(10)) - 1);
        DISPPARAMS parameters = {variants.Data(), named.empty() ? nullptr : named.data(), static_cast<UINT>(count),
                                 static_cast<UINT>(namedCount)};
        // A careless host: arguments counted but not passed.
        if (!wellFormed && count > 0 && variants.Below(50) == 0)
            parameters.rgvarg = nullptr;
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO exception = {};
        UINT argumentError = 0;
        const bool wantsResult = variants.Below(4) != 0;

        watchdog.Arm("seed " + std::to_string(seed) + " call " + std::to_string(call) + " DISPID " +
                     std::to_string(dispid) + " flags " + std::to_string(flags) + " arguments " +
                     std::to_string(count));
        const HRESULT hr = dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                            wantsResult ? &result : nullptr, variants.Below(2) ? &exception : nullptr,
                                            variants.Below(2) ? &argumentError : nullptr);
        watchdog.Disarm();
        // A few messages only: with both effects on, each timer tick sleeps twice the effect
        // speed (up to 2 s) on this thread, as it would in a host's message loop.
        if (call % 16 == 0) {
            watchdog.Arm("messages after call " + std::to_string(call) + " of seed " + std::to_string(seed));
            TestWindow::PumpMessagesAtMost(3);
            watchdog.Disarm();
        }
        VariantClear(&result);
        ++answers[hr];
        EXPECT_TRUE(kContractAnswers.count(hr)) << "seed " << seed << " call " << call << " DISPID " << dispid
                                                << " flags " << flags << " arguments " << count << " named "
                                                << namedCount << ": 0x" << std::hex << hr;
    }
    variants.Fill(0);
    SetCurrentDirectoryA(previous);
    std::printf("%d invoke calls, seed %u:", calls, seed);
    for (const auto& [hr, times] : answers)
        std::printf(" 0x%08lx x%d", static_cast<unsigned long>(hr), times);
    std::printf("\n");

    // Still a working control, whatever the calls left running.
    control->Stop();
    Load("video.avi");
    ASSERT_GT(control->GetDuration(), 0.0) << control->engine.LastError();
    const int before = Playing();
    control->Play();
    const ULONGLONG end = GetTickCount64() + 10000;
    while (!(Playing() > before + 2 && control->GetPosition() > 0.0) && GetTickCount64() < end) {
        TestWindow::PumpMessagesAtMost(20);
        Sleep(5);
    }
    EXPECT_GT(Playing(), before + 2) << control->engine.LastError();
    EXPECT_GT(control->GetPosition(), 0.0);
}

}  // namespace
