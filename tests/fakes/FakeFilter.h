// Fake DirectShow filters: what every fake filter shares (pins, graph membership, state) and the
// generic filter used as source, decoder and DirectSound renderer.
#pragma once

#include "fakes/FakeObject.h"
#include "fakes/FakePin.h"

#include <memory>

enum class FilterRole { Source, Decoder, SoundRenderer, VideoMixer };

// One output pin of a source filter, as a test scripts it.
struct PinSpec
{
    std::wstring id;
    GUID majorType;
};

class FakeFilterBase : public FakeObject
{
public:
    FakeFilterBase(const std::string& kind, FilterRole role, REFCLSID classId);
    ~FakeFilterBase() override;

    FilterRole Role() const { return role; }
    const std::wstring& NameInGraph() const { return nameInGraph; }
    IFilterGraph* Graph() const { return graph; }
    FILTER_STATE State() const { return state; }
    std::vector<FakePin*> Pins() const;
    FakePin* AddPin(std::wstring id, PIN_DIRECTION direction, std::vector<GUID> majorTypes);
    FakePin* FirstFreePin(PIN_DIRECTION direction, REFGUID majorType) const;
    void UnlinkAllPins();
    void RemoveAllPins();
    // Joins or leaves a graph without a logged call, as the graph does for its own filters.
    void Join(IFilterGraph* newGraph, const std::wstring& name);
    virtual IBaseFilter* AsBaseFilter() = 0;

protected:
    // The shared bodies of IBaseFilter; the template below forwards to them.
    HRESULT DoGetClassID(CLSID* classId);
    HRESULT DoSetState(const char* method, FILTER_STATE newState, std::vector<std::string> args);
    HRESULT DoGetState(DWORD timeout, FILTER_STATE* current);
    HRESULT DoEnumPins(IEnumPins** pins);
    HRESULT DoFindPin(LPCWSTR id, IPin** pin);
    HRESULT DoQueryFilterInfo(FILTER_INFO* info);
    HRESULT DoJoinFilterGraph(IFilterGraph* graph, LPCWSTR name);
    void OnFinalRelease() override { UnlinkAllPins(); }

private:
    FilterRole role;
    CLSID classId;
    std::vector<std::unique_ptr<FakePin>> pins;
    IFilterGraph* graph = nullptr;  // not AddRef'd: the graph holds its filters
    std::wstring nameInGraph;
    FILTER_STATE state = State_Stopped;
};

// IBaseFilter (with IMediaFilter and IPersist) for a fake filter that also offers `Extras`.
template <class... Extras>
class FakeFilterOf : public FakeCom<FakeFilterBase, IBaseFilter, Extras...>
{
public:
    using FakeCom<FakeFilterBase, IBaseFilter, Extras...>::FakeCom;

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override { return this->DoGetClassID(classId); }
    HRESULT STDMETHODCALLTYPE Stop() override { return this->DoSetState("IMediaFilter::Stop", State_Stopped, {}); }
    HRESULT STDMETHODCALLTYPE Pause() override { return this->DoSetState("IMediaFilter::Pause", State_Paused, {}); }
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override
    {
        return this->DoSetState("IMediaFilter::Run", State_Running, Args(start));
    }
    HRESULT STDMETHODCALLTYPE GetState(DWORD timeout, FILTER_STATE* state) override
    {
        return this->DoGetState(timeout, state);
    }
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override
    {
        return this->Enter("IMediaFilter::SetSyncSource", Args(clock));
    }
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override
    {
        HRESULT answer = this->Enter("IMediaFilter::GetSyncSource", Args(Out(clock)));
        if (SUCCEEDED(answer) && clock)
            *clock = nullptr;
        return clock ? answer : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override { return this->DoEnumPins(pins); }
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override { return this->DoFindPin(id, pin); }
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override
    {
        return this->DoQueryFilterInfo(info);
    }
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override
    {
        return this->DoJoinFilterGraph(graph, name);
    }
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override
    {
        this->Enter("IBaseFilter::QueryVendorInfo", Args(Out(info)));
        return E_NOTIMPL;
    }

    IBaseFilter* AsBaseFilter() override { return this; }

protected:
    void* FilterInterface(REFIID iid)
    {
        return FakeObject::Pick(iid, {{&IID_IBaseFilter, static_cast<IBaseFilter*>(this)},
                                      {&IID_IMediaFilter, static_cast<IMediaFilter*>(this)},
                                      {&IID_IPersist, static_cast<IPersist*>(this)}});
    }
};

// A filter with nothing but pins: a source, a decoder or a DirectSound renderer.
class FakeFilter final : public FakeFilterOf<>
{
public:
    using FakeFilterOf<>::FakeFilterOf;

    static FakeFilter* MakeSource(const std::vector<PinSpec>& outputs);
    static FakeFilter* MakeDecoder(REFGUID majorType);  // one input, one output
    static FakeFilter* MakeSoundRenderer(const std::string& kind = "dsound");  // one audio input

private:
    void* FindInterface(REFIID iid) override { return FilterInterface(iid); }
};
