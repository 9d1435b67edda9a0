// Connection points and FireEvent: every sink is called, a failing or unadvising sink does not
// stop the others, frozen events are dropped, and only the creating thread fires.
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <thread>

#include "EventSink.h"
#include "TestControlFixture.h"
#include "TestControlIds.h"

using Microsoft::WRL::ComPtr;

namespace {

class ConnectionPoints : public TestControlFixture
{
protected:
    ComPtr<IConnectionPoint> events;

    void SetUp() override
    {
        TestControlFixture::SetUp();
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(unknown.As(&container), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(DIID_DTestControlEvents, &events), S_OK);
    }
    void TearDown() override
    {
        events.Reset();
        TestControlFixture::TearDown();
    }
    DWORD Connect(EventSink& sink)
    {
        DWORD cookie = 0;
        EXPECT_EQ(events->Advise(&sink, &cookie), S_OK);
        EXPECT_NE(cookie, 0u);
        return cookie;
    }
};

TEST_F(ConnectionPoints, ContainerOffersTheEventInterfaceAndPropertyNotifySink)
{
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(unknown.As(&container), S_OK);
    IID iid = GUID_NULL;
    ASSERT_EQ(events->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, DIID_DTestControlEvents);
    ComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(events->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back.Get(), container.Get());

    ComPtr<IConnectionPoint> notify;
    EXPECT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &notify), S_OK);
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &none), CONNECT_E_NOCONNECTION);
    EXPECT_FALSE(none);

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    IConnectionPoint* listed[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(listed[0], events.Get());
    EXPECT_EQ(listed[1], notify.Get());
    listed[0]->Release();
    listed[1]->Release();
}

TEST_F(ConnectionPoints, SinkWithoutTheEventInterfaceCannotConnect)
{
    EventSink stranger(IID_IPropertyNotifySink);  // answers IDispatch but not the event interface
    DWORD cookie = 77;
    EXPECT_EQ(events->Advise(&stranger, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(stranger.References(), 0);
}

TEST_F(ConnectionPoints, EveryConnectedSinkReceivesTheEventWithItsArguments)
{
    EventSink first(DIID_DTestControlEvents), second(DIID_DTestControlEvents);
    const DWORD firstCookie = Connect(first);
    const DWORD secondCookie = Connect(second);
    EXPECT_NE(firstCookie, secondCookie);

    control->Add(2, 3);
    for (EventSink* sink : {&first, &second}) {
        ASSERT_EQ(sink->calls.size(), 1u);
        EXPECT_EQ(sink->calls[0].dispid, DISPID_TEST_PING);
        ASSERT_EQ(sink->calls[0].types.size(), 1u);
        EXPECT_EQ(sink->calls[0].types[0], VT_I4);
        EXPECT_EQ(sink->calls[0].values[0], 5);
    }

    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(events->EnumConnections(&connections), S_OK);
    CONNECTDATA data[2] = {};
    ULONG fetched = 0;
    ASSERT_EQ(connections->Next(2, data, &fetched), S_OK);
    EXPECT_EQ(data[0].dwCookie, firstCookie);
    EXPECT_EQ(data[1].dwCookie, secondCookie);
    data[0].pUnk->Release();
    data[1].pUnk->Release();
    connections.Reset();

    EXPECT_EQ(events->Unadvise(firstCookie), S_OK);
    EXPECT_EQ(events->Unadvise(firstCookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(events->Unadvise(secondCookie), S_OK);
    EXPECT_EQ(first.References(), 0);
    EXPECT_EQ(second.References(), 0);
}

TEST_F(ConnectionPoints, FailingSinkDoesNotStopTheOthers)
{
    EventSink failing(DIID_DTestControlEvents), healthy(DIID_DTestControlEvents);
    failing.answer = E_FAIL;
    const DWORD a = Connect(failing);
    const DWORD b = Connect(healthy);
    EXPECT_EQ(control->FireEvent(DISPID_TEST_PING, 9L), S_OK);
    EXPECT_EQ(failing.CountOf(DISPID_TEST_PING), 1);
    EXPECT_EQ(healthy.CountOf(DISPID_TEST_PING), 1);
    events->Unadvise(a);
    events->Unadvise(b);
}

TEST_F(ConnectionPoints, SinkThatDisconnectsDuringTheEventDoesNotStopTheOthers)
{
    EventSink leaving(DIID_DTestControlEvents), staying(DIID_DTestControlEvents);
    DWORD leavingCookie = Connect(leaving);
    const DWORD stayingCookie = Connect(staying);
    leaving.duringCall = [&] { events->Unadvise(leavingCookie); };

    control->FireEvent(DISPID_TEST_PING, 1L);
    control->FireEvent(DISPID_TEST_PING, 2L);
    EXPECT_EQ(leaving.CountOf(DISPID_TEST_PING), 1);
    EXPECT_EQ(staying.CountOf(DISPID_TEST_PING), 2);
    EXPECT_EQ(leaving.References(), 0);
    events->Unadvise(stayingCookie);
}

TEST_F(ConnectionPoints, ArgumentsAreConvertedToTheDeclaredTypesAndCountsChecked)
{
    EventSink sink(DIID_DTestControlEvents);
    const DWORD cookie = Connect(sink);
    EXPECT_EQ(control->FireEvent(DISPID_TEST_PING, static_cast<short>(12)), S_OK);
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].types[0], VT_I4) << "declared long";
    EXPECT_EQ(sink.calls[0].values[0], 12);

    EXPECT_EQ(control->FireEvent(DISPID_TEST_PING), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(control->FireEvent(4242), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(sink.calls.size(), 1u);
    events->Unadvise(cookie);
}

TEST_F(ConnectionPoints, FrozenEventsAreDroppedUntilEveryFreezeIsUndone)
{
    EventSink sink(DIID_DTestControlEvents);
    const DWORD cookie = Connect(sink);
    ComPtr<IOleControl> oleControl;
    ASSERT_EQ(unknown.As(&oleControl), S_OK);
    ASSERT_EQ(oleControl->FreezeEvents(TRUE), S_OK);
    ASSERT_EQ(oleControl->FreezeEvents(TRUE), S_OK);
    control->FireEvent(DISPID_TEST_PING, 1L);
    ASSERT_EQ(oleControl->FreezeEvents(FALSE), S_OK);
    control->FireEvent(DISPID_TEST_PING, 2L);
    EXPECT_TRUE(sink.calls.empty());
    ASSERT_EQ(oleControl->FreezeEvents(FALSE), S_OK);
    control->FireEvent(DISPID_TEST_PING, 3L);
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].values[0], 3);
    events->Unadvise(cookie);
}

TEST_F(ConnectionPoints, OnlyTheCreatingThreadFiresEvents)
{
    EventSink sink(DIID_DTestControlEvents);
    const DWORD cookie = Connect(sink);
    HRESULT fromOtherThread = S_OK;
    std::thread other([&] { fromOtherThread = control->FireEvent(DISPID_TEST_PING, 1L); });
    other.join();
    EXPECT_EQ(fromOtherThread, RPC_E_WRONG_THREAD);
    EXPECT_TRUE(sink.calls.empty());
    events->Unadvise(cookie);
}

// A property-notify sink of the test's own: counts OnChanged, can veto edits.
class NotifySink final : public IPropertyNotifySink
{
public:
    std::vector<DISPID> changed;
    HRESULT editAnswer = S_OK;
    LONG references = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyNotifySink)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override
    {
        changed.push_back(dispid);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return editAnswer; }
};

TEST_F(ConnectionPoints, StockPropertyChangesAreAnnouncedAndCanBeVetoed)
{
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(unknown.As(&container), S_OK);
    ComPtr<IConnectionPoint> notify;
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &notify), S_OK);
    NotifySink sink;
    DWORD cookie = 0;
    ASSERT_EQ(notify->Advise(&sink, &cookie), S_OK);

    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(unknown.As(&dispatch), S_OK);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = 0x00FF00;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS put = {&value, &putId, 1, 1};
    ASSERT_EQ(dispatch->Invoke(DISPID_BACKCOLOR, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(sink.changed.size(), 1u);
    EXPECT_EQ(sink.changed[0], DISPID_BACKCOLOR);

    sink.editAnswer = S_FALSE;
    value.lVal = 0x0000FF;
    EXPECT_EQ(dispatch->Invoke(DISPID_BACKCOLOR, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr),
              CTL_E_SETNOTPERMITTED);
    EXPECT_EQ(control->GetBackColor(), 0x00FF00u);
    EXPECT_EQ(sink.changed.size(), 1u);

    control->OnPropertiesLoaded();
    ASSERT_EQ(sink.changed.size(), 2u);
    EXPECT_EQ(sink.changed[1], DISPID_UNKNOWN);
    EXPECT_EQ(notify->Unadvise(cookie), S_OK);
    EXPECT_EQ(sink.references, 0);
}

TEST_F(ConnectionPoints, ReleasingTheControlReleasesItsSinks)
{
    EventSink sink(DIID_DTestControlEvents);
    Connect(sink);
    EXPECT_EQ(sink.References(), 1);
    events.Reset();
    EXPECT_EQ(unknown.Reset(), 0u);
    EXPECT_EQ(sink.References(), 0);
}

}  // namespace
