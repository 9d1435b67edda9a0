// The filter-list and rendering half of the fake filter graph; playback is in FakeGraphPlayback.cpp.
#include "fakes/FakeFilterGraph.h"

#include "fakes/FakeEnumerator.h"
#include "fakes/FakeRegistry.h"

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {
FakeFilterBase* FindFake(IBaseFilter* filter)
{
    for (FakeObject* fake : FakeRegistry::Live()) {
        auto* candidate = dynamic_cast<FakeFilterBase*>(fake);
        if (candidate && filter && candidate->AsBaseFilter() == filter)
            return candidate;
    }
    return nullptr;
}

// How a filter or pin argument appears in the log: its fake's name where it is one.
std::string FilterText(IBaseFilter* filter)
{
    FakeFilterBase* fake = FindFake(filter);
    return fake ? fake->Name() : PointerText(filter);
}

std::string PinText(IPin* pin)
{
    FakePin* fake = FakeRegistry::FromInterface<FakePin>(pin);
    return fake ? fake->Name() : PointerText(pin);
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
}  // namespace

FakeFilterGraph::FakeFilterGraph(const FakeGraphSettings& initial)
    : FakeCom("graph"), settings(initial)
{
}

void* FakeFilterGraph::FindInterface(REFIID iid)
{
    return Pick(iid, {{&IID_IFilterGraph, static_cast<IFilterGraph*>(this)},
                      {&IID_IGraphBuilder, static_cast<IGraphBuilder*>(this)},
                      {&IID_IFilterGraph2, static_cast<IFilterGraph2*>(this)},
                      {&IID_IMediaControl, static_cast<IMediaControl*>(this)},
                      {&IID_IMediaEvent, static_cast<IMediaEvent*>(this)},
                      {&IID_IMediaEventEx, static_cast<IMediaEventEx*>(this)},
                      {&IID_IMediaSeeking, static_cast<IMediaSeeking*>(this)},
                      {&IID_IBasicAudio, static_cast<IBasicAudio*>(this)},
                      {&IID_IBasicVideo, static_cast<IBasicVideo*>(this)},
                      {&IID_IVideoFrameStep, static_cast<IVideoFrameStep*>(this)}});
}

void FakeFilterGraph::OnFinalRelease()
{
    // A graph that goes away disconnects its filters and lets go of them.
    for (Entry& entry : filters) {
        if (entry.fake) {
            entry.fake->UnlinkAllPins();
            entry.fake->Join(nullptr, L"");
        } else {
            entry.filter->JoinFilterGraph(nullptr, nullptr);
        }
    }
    std::vector<Entry> released;
    released.swap(filters);
}

std::vector<FakeFilterGraph::Entry>::iterator FakeFilterGraph::EntryOf(IBaseFilter* filter)
{
    return std::find_if(filters.begin(), filters.end(),
                        [&](const Entry& entry) { return entry.filter.Get() == filter; });
}

std::vector<std::wstring> FakeFilterGraph::FilterNames() const
{
    std::vector<std::wstring> names;
    for (const Entry& entry : filters)
        names.push_back(entry.fake ? entry.fake->NameInGraph() : L"?");
    return names;
}

FakeFilterBase* FakeFilterGraph::FindFilter(const std::wstring& name) const
{
    for (const Entry& entry : filters)
        if (entry.fake && entry.fake->NameInGraph() == name)
            return entry.fake;
    return nullptr;
}

bool FakeFilterGraph::Contains(IBaseFilter* filter) const
{
    return std::any_of(filters.begin(), filters.end(),
                       [&](const Entry& entry) { return entry.filter.Get() == filter; });
}

std::string FakeFilterGraph::Describe() const
{
    std::string text;
    for (const Entry& entry : filters) {
        if (!entry.fake) {
            text += "(foreign filter)\n";
            continue;
        }
        text += WideToText(entry.fake->NameInGraph().c_str()) + " [" + entry.fake->Name() + "]";
        for (FakePin* pin : entry.fake->Pins()) {
            FakePin* peer = pin->Peer();
            text += " " + WideToText(pin->Id().c_str()) + (pin->Direction() == PINDIR_INPUT ? "<-" : "->");
            text += peer ? WideToText(peer->Owner()->NameInGraph().c_str()) + "." +
                               WideToText(peer->Id().c_str())
                         : std::string("free");
        }
        text += "\n";
    }
    return text;
}

HRESULT FakeFilterGraph::Insert(IBaseFilter* filter, FakeFilterBase* fake, const std::wstring& name)
{
    std::wstring unique = name;
    for (int suffix = 1; std::any_of(filters.begin(), filters.end(), [&](const Entry& entry) {
             return entry.fake && entry.fake->NameInGraph() == unique;
         });
         ++suffix) {
        wchar_t number[8];
        swprintf(number, 8, L" %04d", suffix);
        unique = name + number;
    }
    filters.push_back({filter, fake});
    if (fake)
        fake->Join(this, unique);
    else
        filter->JoinFilterGraph(this, unique.c_str());
    return unique == name ? S_OK : VFW_S_DUPLICATE_NAME;
}

HRESULT FakeFilterGraph::AddFilter(IBaseFilter* filter, LPCWSTR name)
{
    HRESULT answer = Enter("IFilterGraph::AddFilter", Args(FilterText(filter), name));
    if (FAILED(answer))
        return answer;
    if (!filter)
        return E_POINTER;
    HRESULT added = Insert(filter, FindFake(filter), name ? name : L"");
    return answer == S_OK ? added : answer;
}

HRESULT FakeFilterGraph::RemoveFilter(IBaseFilter* filter)
{
    HRESULT answer = Enter("IFilterGraph::RemoveFilter", Args(FilterText(filter)));
    if (FAILED(answer))
        return answer;
    auto entry = EntryOf(filter);
    if (entry == filters.end())
        return VFW_E_NOT_FOUND;
    Entry removed = *entry;
    filters.erase(entry);
    if (removed.fake) {
        removed.fake->UnlinkAllPins();
        removed.fake->Join(nullptr, L"");
    } else {
        filter->JoinFilterGraph(nullptr, nullptr);
    }
    return answer;
}

HRESULT FakeFilterGraph::EnumFilters(IEnumFilters** list)
{
    HRESULT answer = Enter("IFilterGraph::EnumFilters", Args(Out(list)));
    if (FAILED(answer))
        return answer;
    if (!list)
        return E_POINTER;
    std::vector<ComPtr<IBaseFilter>> snapshot;
    for (const Entry& entry : filters)
        snapshot.push_back(entry.filter);
    if (settings.enumerateNewestFirst)
        std::reverse(snapshot.begin(), snapshot.end());
    *list = new FakeEnumerator<IEnumFilters, IBaseFilter>(Name(), "IEnumFilters", std::move(snapshot));
    (*list)->AddRef();
    return answer;
}

HRESULT FakeFilterGraph::FindFilterByName(LPCWSTR name, IBaseFilter** filter)
{
    HRESULT answer = Enter("IFilterGraph::FindFilterByName", Args(name, Out(filter)));
    if (FAILED(answer))
        return answer;
    if (!name || !filter)
        return E_POINTER;
    *filter = nullptr;
    FakeFilterBase* found = FindFilter(name);
    if (!found)
        return VFW_E_NOT_FOUND;
    *filter = found->AsBaseFilter();
    (*filter)->AddRef();
    return answer;
}

HRESULT FakeFilterGraph::ConnectDirect(IPin* output, IPin* input, const AM_MEDIA_TYPE* type)
{
    HRESULT answer = Enter("IFilterGraph::ConnectDirect", Args(PinText(output), PinText(input), type));
    if (FAILED(answer))
        return answer;
    FakePin* from = FakeRegistry::FromInterface<FakePin>(output);
    FakePin* to = FakeRegistry::FromInterface<FakePin>(input);
    if (!from || !to)
        return E_POINTER;
    if (from->IsConnected() || to->IsConnected())
        return VFW_E_ALREADY_CONNECTED;
    if (from->Direction() != PINDIR_OUTPUT || !from->CanLink(to))
        return VFW_E_NO_ACCEPTABLE_TYPES;
    FakePin::Link(from, to);
    return answer;
}

HRESULT FakeFilterGraph::Reconnect(IPin* pin)
{
    Enter("IFilterGraph::Reconnect", Args(PinText(pin)));
    return E_NOTIMPL;
}

HRESULT FakeFilterGraph::Disconnect(IPin* pin)
{
    HRESULT answer = Enter("IFilterGraph::Disconnect", Args(PinText(pin)));
    if (FAILED(answer))
        return answer;
    FakePin* fake = FakeRegistry::FromInterface<FakePin>(pin);
    if (!fake)
        return E_POINTER;
    if (!fake->IsConnected())
        return S_FALSE;
    fake->Unlink();
    return answer;
}

HRESULT FakeFilterGraph::SetDefaultSyncSource() { return Enter("IFilterGraph::SetDefaultSyncSource"); }

HRESULT FakeFilterGraph::Connect(IPin* output, IPin* input)
{
    HRESULT answer = Enter("IGraphBuilder::Connect", Args(PinText(output), PinText(input)));
    if (FAILED(answer))
        return answer;
    FakePin* from = FakeRegistry::FromInterface<FakePin>(output);
    FakePin* to = FakeRegistry::FromInterface<FakePin>(input);
    if (!from || !to)
        return E_POINTER;
    if (from->Direction() != PINDIR_OUTPUT || !from->CanLink(to))
        return VFW_E_CANNOT_CONNECT;
    FakePin::Link(from, to);
    return answer;
}

FakePin* FakeFilterGraph::RendererInput(REFGUID majorType)
{
    bool video = IsEqualGUID(majorType, MEDIATYPE_Video);
    FilterRole wanted = video ? FilterRole::VideoMixer : FilterRole::SoundRenderer;
    for (const Entry& entry : filters)
        if (entry.fake && entry.fake->Role() == wanted)
            if (FakePin* free = entry.fake->FirstFreePin(PINDIR_INPUT, majorType))
                return free;
    return nullptr;
}

HRESULT FakeFilterGraph::RenderPin(const char* method, IPin* output)
{
    HRESULT answer = Enter(method, Args(PinText(output)));
    if (FAILED(answer))
        return answer;
    FakePin* pin = FakeRegistry::FromInterface<FakePin>(output);
    if (!pin)
        return E_POINTER;
    if (pin->Direction() != PINDIR_OUTPUT)
        return VFW_E_INVALID_DIRECTION;
    if (pin->IsConnected())
        return VFW_E_ALREADY_CONNECTED;
    if (!Contains(pin->Owner()->AsBaseFilter()))
        return VFW_E_NOT_IN_GRAPH;
    GUID major = pin->MajorTypes().empty() ? GUID_NULL : pin->MajorTypes().front();
    FakePin* target = nullptr;
    if (IsEqualGUID(major, MEDIATYPE_Video)) {
        target = RendererInput(major);
    } else if (IsEqualGUID(major, MEDIATYPE_Audio) && settings.soundRouting != SoundRouting::Unrenderable) {
        if (settings.soundRouting == SoundRouting::FreeRendererOrDefault)
            target = RendererInput(major);
        if (!target) {
            FakeFilter* renderer = FakeFilter::MakeSoundRenderer("defaultSound");
            Insert(renderer, renderer, L"Default DirectSound Device");
            target = renderer->Pins().front();
        }
    }
    if (!target)
        return VFW_E_CANNOT_RENDER;
    if (settings.splitterDecodes) {
        FakePin::Link(pin, target);
        return answer;
    }
    FakeFilter* decoder = FakeFilter::MakeDecoder(major);
    Insert(decoder, decoder, IsEqualGUID(major, MEDIATYPE_Video) ? L"Video Decoder" : L"Audio Decoder");
    FakePin::Link(pin, decoder->Pins().front());
    FakePin::Link(decoder->Pins().back(), target);
    return answer;
}

HRESULT FakeFilterGraph::Render(IPin* output) { return RenderPin("IGraphBuilder::Render", output); }

HRESULT FakeFilterGraph::RenderEx(IPin* output, DWORD flags, DWORD* context)
{
    (void)flags;
    (void)context;
    return RenderPin("IFilterGraph2::RenderEx", output);
}

HRESULT FakeFilterGraph::RenderFile(LPCWSTR file, LPCWSTR playList)
{
    Enter("IGraphBuilder::RenderFile", Args(file, playList));
    return E_NOTIMPL;
}

HRESULT FakeFilterGraph::AddSourceFilter(LPCWSTR file, LPCWSTR name, IBaseFilter** filter)
{
    HRESULT answer = Enter("IGraphBuilder::AddSourceFilter", Args(file, name, Out(filter)));
    if (FAILED(answer))
        return answer;
    if (!file || !filter)
        return E_POINTER;
    *filter = nullptr;
    if (settings.sourceFileMustExist && GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES)
        return VFW_E_NOT_FOUND;
    std::vector<PinSpec> pins = settings.sourcePins;
    std::string path = WideToText(file);
    for (const auto& byFile : settings.pinsByFile)
        if (EndsWith(path, byFile.first))
            pins = byFile.second;
    FakeFilter* source = FakeFilter::MakeSource(pins);
    HRESULT added = Insert(source, source, name ? name : file);
    *filter = source;
    source->AddRef();
    return answer == S_OK ? added : answer;
}

HRESULT FakeFilterGraph::SetLogFile(DWORD_PTR file) { return Enter("IGraphBuilder::SetLogFile", Args(file)); }
HRESULT FakeFilterGraph::Abort() { return Enter("IGraphBuilder::Abort"); }

HRESULT FakeFilterGraph::ShouldOperationContinue()
{
    return Enter("IGraphBuilder::ShouldOperationContinue");
}

HRESULT FakeFilterGraph::AddSourceFilterForMoniker(IMoniker* moniker, IBindCtx* context,
                                                   LPCWSTR name, IBaseFilter** filter)
{
    Enter("IFilterGraph2::AddSourceFilterForMoniker", Args(moniker, context, name, Out(filter)));
    return E_NOTIMPL;
}

HRESULT FakeFilterGraph::ReconnectEx(IPin* pin, const AM_MEDIA_TYPE* type)
{
    Enter("IFilterGraph2::ReconnectEx", Args(PinText(pin), type));
    return E_NOTIMPL;
}
