#include "fakes/FakeFilter.h"

#include "fakes/FakeEnumerator.h"

#include <cwchar>

using Microsoft::WRL::ComPtr;

FakeFilterBase::FakeFilterBase(const std::string& kind, FilterRole filterRole, REFCLSID clsid)
    : FakeObject(kind), role(filterRole), classId(clsid)
{
}

FakeFilterBase::~FakeFilterBase() = default;

std::vector<FakePin*> FakeFilterBase::Pins() const
{
    std::vector<FakePin*> list;
    for (const auto& pin : pins)
        list.push_back(pin.get());
    return list;
}

FakePin* FakeFilterBase::AddPin(std::wstring id, PIN_DIRECTION direction,
                                std::vector<GUID> majorTypes)
{
    pins.push_back(std::make_unique<FakePin>(this, std::move(id), direction, std::move(majorTypes)));
    return pins.back().get();
}

FakePin* FakeFilterBase::FirstFreePin(PIN_DIRECTION direction, REFGUID majorType) const
{
    for (const auto& pin : pins)
        if (pin->Direction() == direction && !pin->IsConnected() && pin->Carries(majorType))
            return pin.get();
    return nullptr;
}

void FakeFilterBase::UnlinkAllPins()
{
    for (const auto& pin : pins)
        pin->Unlink();
}

void FakeFilterBase::RemoveAllPins()
{
    UnlinkAllPins();
    pins.clear();
}

HRESULT FakeFilterBase::DoGetClassID(CLSID* id)
{
    return Answer("IPersist::GetClassID", id, classId);
}

HRESULT FakeFilterBase::DoSetState(const char* method, FILTER_STATE newState,
                                   std::vector<std::string> args)
{
    HRESULT answer = Enter(method, std::move(args));
    if (SUCCEEDED(answer))
        state = newState;
    return answer;
}

HRESULT FakeFilterBase::DoGetState(DWORD timeout, FILTER_STATE* current)
{
    HRESULT answer = Enter("IMediaFilter::GetState", Args(timeout, Out(current)));
    if (FAILED(answer))
        return answer;
    if (!current)
        return E_POINTER;
    *current = state;
    return answer;
}

HRESULT FakeFilterBase::DoEnumPins(IEnumPins** list)
{
    HRESULT answer = Enter("IBaseFilter::EnumPins", Args(Out(list)));
    if (FAILED(answer))
        return answer;
    if (!list)
        return E_POINTER;
    std::vector<ComPtr<IPin>> snapshot;
    for (const auto& pin : pins)
        snapshot.emplace_back(pin.get());
    *list = new FakeEnumerator<IEnumPins, IPin>(Name(), "IEnumPins", std::move(snapshot));
    (*list)->AddRef();
    return answer;
}

HRESULT FakeFilterBase::DoFindPin(LPCWSTR id, IPin** pin)
{
    HRESULT answer = Enter("IBaseFilter::FindPin", Args(id, Out(pin)));
    if (FAILED(answer))
        return answer;
    if (!id || !pin)
        return E_POINTER;
    *pin = nullptr;
    for (const auto& candidate : pins) {
        if (candidate->Id() == id) {
            *pin = candidate.get();
            (*pin)->AddRef();
            return answer;
        }
    }
    return VFW_E_NOT_FOUND;
}

HRESULT FakeFilterBase::DoQueryFilterInfo(FILTER_INFO* info)
{
    HRESULT answer = Enter("IBaseFilter::QueryFilterInfo", Args(Out(info)));
    if (FAILED(answer))
        return answer;
    if (!info)
        return E_POINTER;
    wcsncpy(info->achName, nameInGraph.c_str(), MAX_FILTER_NAME - 1);
    info->achName[MAX_FILTER_NAME - 1] = L'\0';
    info->pGraph = graph;
    if (graph)
        graph->AddRef();
    return answer;
}

HRESULT FakeFilterBase::DoJoinFilterGraph(IFilterGraph* newGraph, LPCWSTR name)
{
    HRESULT answer = Enter("IBaseFilter::JoinFilterGraph", Args(newGraph, name));
    if (FAILED(answer))
        return answer;
    Join(newGraph, newGraph && name ? name : L"");
    return answer;
}

void FakeFilterBase::Join(IFilterGraph* newGraph, const std::wstring& name)
{
    graph = newGraph;
    nameInGraph = newGraph ? name : L"";
}

FakeFilter* FakeFilter::MakeSource(const std::vector<PinSpec>& outputs)
{
    auto* source = new FakeFilter("source", FilterRole::Source, GUID_NULL);
    for (const PinSpec& pin : outputs)
        source->AddPin(pin.id, PINDIR_OUTPUT, {pin.majorType});
    return source;
}

FakeFilter* FakeFilter::MakeDecoder(REFGUID majorType)
{
    bool video = IsEqualGUID(majorType, MEDIATYPE_Video);
    auto* decoder = new FakeFilter(video ? "videoDecoder" : "audioDecoder", FilterRole::Decoder,
                                   GUID_NULL);
    decoder->AddPin(L"In", PINDIR_INPUT, {majorType});
    decoder->AddPin(L"Out", PINDIR_OUTPUT, {majorType});
    return decoder;
}

FakeFilter* FakeFilter::MakeSoundRenderer(const std::string& kind)
{
    auto* renderer = new FakeFilter(kind, FilterRole::SoundRenderer, CLSID_DSoundRender);
    renderer->AddPin(L"Audio Input pin (rendered)", PINDIR_INPUT, {MEDIATYPE_Audio});
    return renderer;
}
