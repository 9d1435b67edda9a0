// Corvane as a release installs or deploys it (installer, per-user registration, a manifest
// beside the program): whatever registration or manifest this process sees, not the build's own.
// tests/release runs these with CORVANE_DEPLOYED_NAME (a ProgID or a braced CLSID) and
// CORVANE_DEPLOYED_CLIP set; in the ordinary run they have nothing to check and skip.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <cstdlib>
#include <string>

#include "support/AtlHost.h"
#include "CorvaneDispids.h"
#include "CorvaneIds.h"
#include "support/DispatchCalls.h"
#include "EventSink.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring Setting(const char* name)
{
    const char* value = std::getenv(name);
    if (!value)
        return {};
    return std::wstring(value, value + strlen(value));
}

class DeployedCorvane : public ::testing::Test
{
protected:
    std::wstring name = Setting("CORVANE_DEPLOYED_NAME");
    std::wstring clip = Setting("CORVANE_DEPLOYED_CLIP");

    void SetUp() override
    {
        if (name.empty() || clip.empty())
            GTEST_SKIP() << "checks a deployed module; run by tests/release";
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    }
    void TearDown() override
    {
        if (!name.empty() && !clip.empty())
            OleUninitialize();
    }
};

bool PumpUntilFinished(const EventSink& sink, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (sink.CountOf(DISPID_CORVANE_ONFINISH) == 0) {
        if (GetTickCount64() >= end)
            return false;
        TestWindow::PumpMessages();
        Sleep(5);
    }
    return true;
}

TEST_F(DeployedCorvane, CreatedByNamePlaysToTheEndAndItsPropertiesSurviveASaveAndLoad)
{
    if (!Setting("CORVANE_DEPLOYED_ABSENT").empty())
        GTEST_SKIP() << "the deployment under test leaves the class out";
    AtlHost host(400, 300);
    std::string why;
    ASSERT_TRUE(host.Load(why)) << why;
    ComPtr<IUnknown> control;
    ASSERT_EQ(host.Create(name.c_str(), &control), S_OK);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(control.As(&dispatch), S_OK);

    EventSink sink{DIID__DCorvaneEvents};
    ComPtr<IConnectionPointContainer> points;
    ComPtr<IConnectionPoint> events;
    DWORD cookie = 0;
    ASSERT_EQ(control.As(&points), S_OK);
    ASSERT_EQ(points->FindConnectionPoint(DIID__DCorvaneEvents, &events), S_OK);
    ASSERT_EQ(events->Advise(&sink, &cookie), S_OK);

    ASSERT_EQ(CallMethod(dispatch.Get(), DISPID_CORVANE_LOADMEDIAFILE,
                         {Variant(clip.c_str()), Variant(0L), Variant::Bool(true)}).hr, S_OK);
    ASSERT_EQ(CallMethod(dispatch.Get(), DISPID_CORVANE_PLAY, {}).hr, S_OK);
    EXPECT_TRUE(PumpUntilFinished(sink, 20000)) << "no OnFinish";

    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_CORVANE_XEFFECTSPEED, Variant(250L)).hr, S_OK);
    ComPtr<IPersistStreamInit> saved;
    ComPtr<IStream> stream;
    ASSERT_EQ(control.As(&saved), S_OK);
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(saved->Save(stream.Get(), TRUE), S_OK);
    events->Unadvise(cookie);

    // A second control of the same class, created the plain way, loads what the first saved.
    ComPtr<IPersistStreamInit> loaded;
    ASSERT_EQ(CoCreateInstance(CLSID_Corvane, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&loaded)), S_OK);
    const LARGE_INTEGER start = {};
    ASSERT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(loaded->Load(stream.Get()), S_OK);
    ComPtr<IDispatch> second;
    ASSERT_EQ(loaded.As(&second), S_OK);
    const InvokeOutcome speed = GetProperty(second.Get(), DISPID_CORVANE_XEFFECTSPEED);
    ASSERT_EQ(speed.hr, S_OK);
    EXPECT_EQ(speed.result.value.lVal, 250);
}

// Without the registration or the manifest that names it, the class is unknown to the process.
TEST_F(DeployedCorvane, WithoutItsManifestTheClassIsNotRegistered)
{
    if (Setting("CORVANE_DEPLOYED_ABSENT").empty())
        GTEST_SKIP() << "the deployment under test provides the class";
    CLSID classId = {};
    HRESULT hr = name[0] == L'{' ? CLSIDFromString(name.c_str(), &classId) : CLSIDFromProgID(name.c_str(), &classId);
    if (SUCCEEDED(hr)) {
        ComPtr<IUnknown> object;
        hr = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
    }
    // By CLSID the creation is refused; by ProgID the name itself is already unknown.
    EXPECT_EQ(hr, name[0] == L'{' ? REGDB_E_CLASSNOTREG : CO_E_CLASSSTRING);
}

} // namespace
