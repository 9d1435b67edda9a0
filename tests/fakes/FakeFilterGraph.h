// A fake filter graph manager. It holds a real list of filters, builds plausible chains when
// asked to render a pin (source pin -> decoder -> a free VMR-9 input or DirectSound renderer),
// and keeps a playback state machine and positions that tests can set and read.
#pragma once

#include "fakes/FakeFilter.h"

#include <map>

enum class SoundRouting
{
    FreeRendererOrDefault,  // a free sound renderer in the graph, else add "Default DirectSound Device"
    AlwaysAddDefault,       // always add a "Default DirectSound Device" of its own
    Unrenderable,           // audio pins fail to render (VFW_E_CANNOT_RENDER)
};

struct FakeGraphSettings
{
    // Output pins of the source filters AddSourceFilter makes; pinsByFile overrides them for
    // files whose path ends with the key (e.g. "sound.wav").
    std::vector<PinSpec> sourcePins{{L"Video", MEDIATYPE_Video}, {L"Audio", MEDIATYPE_Audio}};
    std::map<std::string, std::vector<PinSpec>> pinsByFile;
    bool sourceFileMustExist = false;  // AddSourceFilter answers VFW_E_NOT_FOUND for missing files
    SoundRouting soundRouting = SoundRouting::FreeRendererOrDefault;
    bool enumerateNewestFirst = true;  // EnumFilters order: the filter added last comes first
    // Render links source pins straight to the renderers, with no decoder between, as a
    // splitter that decodes itself does (Wine's).
    bool splitterDecodes = false;

    // Playback state; the graph changes these as it is driven and tests may set them any time.
    OAFilterState state = State_Stopped;
    REFERENCE_TIME duration = 100000000;  // 10 s
    REFERENCE_TIME current = 0;
    REFERENCE_TIME stop = 100000000;
    double rate = 1.0;
    long volume = 0;
    long balance = 0;
    HRESULT canStep = S_OK;               // CanStep's answer
    REFERENCE_TIME frameTime = 400000;    // Step advances `current` by this per frame
    long videoWidth = 640;                // IBasicVideo
    long videoHeight = 480;
};

class FakeFilterGraph final
    : public FakeCom<FakeObject, IFilterGraph2, IMediaControl, IMediaEventEx, IMediaSeeking,
                     IBasicAudio, IBasicVideo, IVideoFrameStep>
{
public:
    explicit FakeFilterGraph(const FakeGraphSettings& settings = {});

    FakeGraphSettings settings;
    HWND notifyWindow = nullptr;
    long notifyMessage = 0;
    LONG_PTR notifyParameter = 0;

    // For tests (not logged).
    std::vector<std::wstring> FilterNames() const;  // in the order they were added
    FakeFilterBase* FindFilter(const std::wstring& name) const;
    bool Contains(IBaseFilter* filter) const;
    size_t FilterCount() const { return filters.size(); }
    std::string Describe() const;  // filters and their connections, one per line

    // IDispatch (of IMediaControl, IMediaEvent, IBasicAudio, IBasicVideo): not supported.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override;
    // IFilterGraph
    HRESULT STDMETHODCALLTYPE AddFilter(IBaseFilter* filter, LPCWSTR name) override;
    HRESULT STDMETHODCALLTYPE RemoveFilter(IBaseFilter* filter) override;
    HRESULT STDMETHODCALLTYPE EnumFilters(IEnumFilters** list) override;
    HRESULT STDMETHODCALLTYPE FindFilterByName(LPCWSTR name, IBaseFilter** filter) override;
    HRESULT STDMETHODCALLTYPE ConnectDirect(IPin* output, IPin* input, const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE Reconnect(IPin* pin) override;
    HRESULT STDMETHODCALLTYPE Disconnect(IPin* pin) override;
    HRESULT STDMETHODCALLTYPE SetDefaultSyncSource() override;
    // IGraphBuilder
    HRESULT STDMETHODCALLTYPE Connect(IPin* output, IPin* input) override;
    HRESULT STDMETHODCALLTYPE Render(IPin* output) override;
    HRESULT STDMETHODCALLTYPE RenderFile(LPCWSTR file, LPCWSTR playList) override;
    HRESULT STDMETHODCALLTYPE AddSourceFilter(LPCWSTR file, LPCWSTR name, IBaseFilter** filter) override;
    HRESULT STDMETHODCALLTYPE SetLogFile(DWORD_PTR file) override;
    HRESULT STDMETHODCALLTYPE Abort() override;
    HRESULT STDMETHODCALLTYPE ShouldOperationContinue() override;
    // IFilterGraph2
    HRESULT STDMETHODCALLTYPE AddSourceFilterForMoniker(IMoniker* moniker, IBindCtx* context,
                                                        LPCWSTR name, IBaseFilter** filter) override;
    HRESULT STDMETHODCALLTYPE ReconnectEx(IPin* pin, const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE RenderEx(IPin* output, DWORD flags, DWORD* context) override;
    // IMediaControl
    HRESULT STDMETHODCALLTYPE Run() override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE GetState(LONG timeout, OAFilterState* state) override;
    HRESULT STDMETHODCALLTYPE RenderFile(BSTR file) override;
    HRESULT STDMETHODCALLTYPE AddSourceFilter(BSTR file, IDispatch** filter) override;
    HRESULT STDMETHODCALLTYPE get_FilterCollection(IDispatch** collection) override;
    HRESULT STDMETHODCALLTYPE get_RegFilterCollection(IDispatch** collection) override;
    HRESULT STDMETHODCALLTYPE StopWhenReady() override;
    // IMediaEvent, IMediaEventEx
    HRESULT STDMETHODCALLTYPE GetEventHandle(OAEVENT* event) override;
    HRESULT STDMETHODCALLTYPE GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeout) override;
    HRESULT STDMETHODCALLTYPE WaitForCompletion(long timeout, long* code) override;
    HRESULT STDMETHODCALLTYPE CancelDefaultHandling(long code) override;
    HRESULT STDMETHODCALLTYPE RestoreDefaultHandling(long code) override;
    HRESULT STDMETHODCALLTYPE FreeEventParams(long code, LONG_PTR param1, LONG_PTR param2) override;
    HRESULT STDMETHODCALLTYPE SetNotifyWindow(OAHWND window, long message, LONG_PTR parameter) override;
    HRESULT STDMETHODCALLTYPE SetNotifyFlags(long flags) override;
    HRESULT STDMETHODCALLTYPE GetNotifyFlags(long* flags) override;
    // IMediaSeeking
    HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) override;
    HRESULT STDMETHODCALLTYPE CheckCapabilities(DWORD* capabilities) override;
    HRESULT STDMETHODCALLTYPE IsFormatSupported(const GUID* format) override;
    HRESULT STDMETHODCALLTYPE QueryPreferredFormat(GUID* format) override;
    HRESULT STDMETHODCALLTYPE GetTimeFormat(GUID* format) override;
    HRESULT STDMETHODCALLTYPE IsUsingTimeFormat(const GUID* format) override;
    HRESULT STDMETHODCALLTYPE SetTimeFormat(const GUID* format) override;
    HRESULT STDMETHODCALLTYPE GetDuration(LONGLONG* duration) override;
    HRESULT STDMETHODCALLTYPE GetStopPosition(LONGLONG* stop) override;
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LONGLONG* current) override;
    HRESULT STDMETHODCALLTYPE ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat,
                                                LONGLONG source, const GUID* sourceFormat) override;
    HRESULT STDMETHODCALLTYPE SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                           DWORD stopFlags) override;
    HRESULT STDMETHODCALLTYPE GetPositions(LONGLONG* current, LONGLONG* stop) override;
    HRESULT STDMETHODCALLTYPE GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
    HRESULT STDMETHODCALLTYPE SetRate(double rate) override;
    HRESULT STDMETHODCALLTYPE GetRate(double* rate) override;
    HRESULT STDMETHODCALLTYPE GetPreroll(LONGLONG* preroll) override;
    // IBasicAudio (answers E_NOTIMPL while no sound renderer is in the graph, as without a device)
    HRESULT STDMETHODCALLTYPE put_Volume(long volume) override;
    HRESULT STDMETHODCALLTYPE get_Volume(long* volume) override;
    HRESULT STDMETHODCALLTYPE put_Balance(long balance) override;
    HRESULT STDMETHODCALLTYPE get_Balance(long* balance) override;
    // IBasicVideo: the video size; the rest is not supported.
    HRESULT STDMETHODCALLTYPE get_AvgTimePerFrame(REFTIME* time) override;
    HRESULT STDMETHODCALLTYPE get_BitRate(long* rate) override;
    HRESULT STDMETHODCALLTYPE get_BitErrorRate(long* rate) override;
    HRESULT STDMETHODCALLTYPE get_VideoWidth(long* width) override;
    HRESULT STDMETHODCALLTYPE get_VideoHeight(long* height) override;
    HRESULT STDMETHODCALLTYPE put_SourceLeft(long value) override;
    HRESULT STDMETHODCALLTYPE get_SourceLeft(long* value) override;
    HRESULT STDMETHODCALLTYPE put_SourceWidth(long value) override;
    HRESULT STDMETHODCALLTYPE get_SourceWidth(long* value) override;
    HRESULT STDMETHODCALLTYPE put_SourceTop(long value) override;
    HRESULT STDMETHODCALLTYPE get_SourceTop(long* value) override;
    HRESULT STDMETHODCALLTYPE put_SourceHeight(long value) override;
    HRESULT STDMETHODCALLTYPE get_SourceHeight(long* value) override;
    HRESULT STDMETHODCALLTYPE put_DestinationLeft(long value) override;
    HRESULT STDMETHODCALLTYPE get_DestinationLeft(long* value) override;
    HRESULT STDMETHODCALLTYPE put_DestinationWidth(long value) override;
    HRESULT STDMETHODCALLTYPE get_DestinationWidth(long* value) override;
    HRESULT STDMETHODCALLTYPE put_DestinationTop(long value) override;
    HRESULT STDMETHODCALLTYPE get_DestinationTop(long* value) override;
    HRESULT STDMETHODCALLTYPE put_DestinationHeight(long value) override;
    HRESULT STDMETHODCALLTYPE get_DestinationHeight(long* value) override;
    HRESULT STDMETHODCALLTYPE SetSourcePosition(long left, long top, long width, long height) override;
    HRESULT STDMETHODCALLTYPE GetSourcePosition(long* left, long* top, long* width, long* height) override;
    HRESULT STDMETHODCALLTYPE SetDefaultSourcePosition() override;
    HRESULT STDMETHODCALLTYPE SetDestinationPosition(long left, long top, long width, long height) override;
    HRESULT STDMETHODCALLTYPE GetDestinationPosition(long* left, long* top, long* width,
                                                     long* height) override;
    HRESULT STDMETHODCALLTYPE SetDefaultDestinationPosition() override;
    HRESULT STDMETHODCALLTYPE GetVideoSize(long* width, long* height) override;
    HRESULT STDMETHODCALLTYPE GetVideoPaletteEntries(long start, long count, long* retrieved,
                                                     long* palette) override;
    HRESULT STDMETHODCALLTYPE GetCurrentImage(long* size, long* image) override;
    HRESULT STDMETHODCALLTYPE IsUsingDefaultSource() override;
    HRESULT STDMETHODCALLTYPE IsUsingDefaultDestination() override;
    // IVideoFrameStep
    HRESULT STDMETHODCALLTYPE Step(DWORD frames, IUnknown* filter) override;
    HRESULT STDMETHODCALLTYPE CanStep(LONG multiple, IUnknown* filter) override;
    HRESULT STDMETHODCALLTYPE CancelStep() override;

private:
    struct Entry
    {
        Microsoft::WRL::ComPtr<IBaseFilter> filter;
        FakeFilterBase* fake;  // null for a filter that is not one of the fakes
    };

    void* FindInterface(REFIID iid) override;
    void OnFinalRelease() override;
    std::vector<Entry>::iterator EntryOf(IBaseFilter* filter);
    // Adds a filter under a name unique in the graph; VFW_S_DUPLICATE_NAME when it was changed.
    HRESULT Insert(IBaseFilter* filter, FakeFilterBase* fake, const std::wstring& name);
    HRESULT RenderPin(const char* method, IPin* output);
    FakePin* RendererInput(REFGUID majorType);
    HRESULT SetState(const char* method, OAFilterState state);
    HRESULT Unsupported(const char* method, std::vector<std::string> args = {});
    bool HasSoundRenderer() const;

    std::vector<Entry> filters;  // in the order they were added
};
