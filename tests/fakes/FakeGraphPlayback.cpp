// The playback half of the fake filter graph: state machine, positions and rate, events,
// audio, video size and frame stepping. Every value lives in `settings`, so a test can set the
// position or duration at any moment and read what the engine set.
#include "fakes/FakeFilterGraph.h"

namespace {
std::string ValueText(const LONGLONG* value) { return value ? std::to_string(*value) : "null"; }

bool Apply(LONGLONG* given, DWORD flags, REFERENCE_TIME& position)
{
    switch (flags & AM_SEEKING_PositioningBitsMask) {
    case AM_SEEKING_NoPositioning:
        return true;
    case AM_SEEKING_AbsolutePositioning:
        if (!given)
            return false;
        position = *given;
        return true;
    case AM_SEEKING_RelativePositioning:
    case AM_SEEKING_IncrementalPositioning:
        if (!given)
            return false;
        position += *given;
        return true;
    }
    return false;
}
}  // namespace

HRESULT FakeFilterGraph::Unsupported(const char* method, std::vector<std::string> args)
{
    HRESULT answer = Enter(method, std::move(args));
    return FAILED(answer) ? answer : E_NOTIMPL;
}

bool FakeFilterGraph::HasSoundRenderer() const
{
    for (const Entry& entry : filters)
        if (entry.fake && entry.fake->Role() == FilterRole::SoundRenderer)
            return true;
    return false;
}

// IDispatch

HRESULT FakeFilterGraph::GetTypeInfoCount(UINT* count)
{
    return Unsupported("IDispatch::GetTypeInfoCount", Args(Out(count)));
}

HRESULT FakeFilterGraph::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info)
{
    return Unsupported("IDispatch::GetTypeInfo", Args(index, lcid, Out(info)));
}

HRESULT FakeFilterGraph::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    return Unsupported("IDispatch::GetIDsOfNames", Args(iid, names, count, lcid, Out(ids)));
}

HRESULT FakeFilterGraph::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* exception, UINT* argError)
{
    return Unsupported("IDispatch::Invoke", Args(id, iid, lcid, flags, params, Out(result),
                                                 Out(exception), Out(argError)));
}

// IMediaControl

HRESULT FakeFilterGraph::SetState(const char* method, OAFilterState state)
{
    HRESULT answer = Enter(method);
    if (SUCCEEDED(answer))
        settings.state = state;
    return answer;
}

HRESULT FakeFilterGraph::Run() { return SetState("IMediaControl::Run", State_Running); }
HRESULT FakeFilterGraph::Pause() { return SetState("IMediaControl::Pause", State_Paused); }
HRESULT FakeFilterGraph::Stop() { return SetState("IMediaControl::Stop", State_Stopped); }
HRESULT FakeFilterGraph::StopWhenReady() { return SetState("IMediaControl::StopWhenReady", State_Stopped); }

HRESULT FakeFilterGraph::GetState(LONG timeout, OAFilterState* state)
{
    HRESULT answer = Enter("IMediaControl::GetState", Args(timeout, Out(state)));
    if (FAILED(answer))
        return answer;
    if (!state)
        return E_POINTER;
    *state = settings.state;
    return answer;
}

HRESULT FakeFilterGraph::RenderFile(BSTR file)
{
    return Unsupported("IMediaControl::RenderFile", Args(static_cast<const wchar_t*>(file)));
}

HRESULT FakeFilterGraph::AddSourceFilter(BSTR file, IDispatch** filter)
{
    return Unsupported("IMediaControl::AddSourceFilter", Args(static_cast<const wchar_t*>(file), Out(filter)));
}

HRESULT FakeFilterGraph::get_FilterCollection(IDispatch** collection)
{
    return Unsupported("IMediaControl::get_FilterCollection", Args(Out(collection)));
}

HRESULT FakeFilterGraph::get_RegFilterCollection(IDispatch** collection)
{
    return Unsupported("IMediaControl::get_RegFilterCollection", Args(Out(collection)));
}

// IMediaEvent, IMediaEventEx: no events are ever queued; the engine polls positions instead.

HRESULT FakeFilterGraph::GetEventHandle(OAEVENT* event)
{
    return Unsupported("IMediaEvent::GetEventHandle", Args(Out(event)));
}

HRESULT FakeFilterGraph::GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeout)
{
    HRESULT answer = Enter("IMediaEvent::GetEvent", Args(Out(code), Out(param1), Out(param2), timeout));
    return FAILED(answer) ? answer : E_ABORT;
}

HRESULT FakeFilterGraph::WaitForCompletion(long timeout, long* code)
{
    HRESULT answer = Enter("IMediaEvent::WaitForCompletion", Args(timeout, Out(code)));
    if (FAILED(answer))
        return answer;
    if (code)
        *code = 0;
    return E_ABORT;
}

HRESULT FakeFilterGraph::CancelDefaultHandling(long code)
{
    return Enter("IMediaEvent::CancelDefaultHandling", Args(code));
}

HRESULT FakeFilterGraph::RestoreDefaultHandling(long code)
{
    return Enter("IMediaEvent::RestoreDefaultHandling", Args(code));
}

HRESULT FakeFilterGraph::FreeEventParams(long code, LONG_PTR param1, LONG_PTR param2)
{
    return Enter("IMediaEvent::FreeEventParams", Args(code, param1, param2));
}

HRESULT FakeFilterGraph::SetNotifyWindow(OAHWND window, long message, LONG_PTR parameter)
{
    HRESULT answer = Enter("IMediaEventEx::SetNotifyWindow",
                           Args(reinterpret_cast<HWND>(window), message, parameter));
    if (FAILED(answer))
        return answer;
    HWND target = reinterpret_cast<HWND>(window);
    if (target && !IsWindow(target))
        return E_INVALIDARG;
    notifyWindow = target;
    notifyMessage = message;
    notifyParameter = parameter;
    return answer;
}

HRESULT FakeFilterGraph::SetNotifyFlags(long flags) { return Enter("IMediaEventEx::SetNotifyFlags", Args(flags)); }

HRESULT FakeFilterGraph::GetNotifyFlags(long* flags)
{
    return Answer("IMediaEventEx::GetNotifyFlags", flags, 0);
}

// IMediaSeeking

HRESULT FakeFilterGraph::GetCapabilities(DWORD* capabilities)
{
    HRESULT answer = Enter("IMediaSeeking::GetCapabilities", Args(Out(capabilities)));
    if (FAILED(answer))
        return answer;
    if (!capabilities)
        return E_POINTER;
    *capabilities = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards |
                    AM_SEEKING_CanSeekBackwards | AM_SEEKING_CanGetCurrentPos |
                    AM_SEEKING_CanGetStopPos | AM_SEEKING_CanGetDuration;
    return answer;
}

HRESULT FakeFilterGraph::CheckCapabilities(DWORD* capabilities)
{
    return Unsupported("IMediaSeeking::CheckCapabilities", Args(Out(capabilities)));
}

HRESULT FakeFilterGraph::IsFormatSupported(const GUID* format)
{
    HRESULT answer = Enter("IMediaSeeking::IsFormatSupported", Args(format));
    if (FAILED(answer))
        return answer;
    return format && IsEqualGUID(*format, TIME_FORMAT_MEDIA_TIME) ? answer : S_FALSE;
}

HRESULT FakeFilterGraph::QueryPreferredFormat(GUID* format)
{
    return Answer("IMediaSeeking::QueryPreferredFormat", format, TIME_FORMAT_MEDIA_TIME);
}

HRESULT FakeFilterGraph::GetTimeFormat(GUID* format)
{
    return Answer("IMediaSeeking::GetTimeFormat", format, TIME_FORMAT_MEDIA_TIME);
}

HRESULT FakeFilterGraph::IsUsingTimeFormat(const GUID* format)
{
    return IsFormatSupported(format);
}

HRESULT FakeFilterGraph::SetTimeFormat(const GUID* format)
{
    HRESULT answer = Enter("IMediaSeeking::SetTimeFormat", Args(format));
    if (FAILED(answer))
        return answer;
    return format && IsEqualGUID(*format, TIME_FORMAT_MEDIA_TIME) ? answer : E_INVALIDARG;
}

HRESULT FakeFilterGraph::GetDuration(LONGLONG* duration)
{
    return Answer("IMediaSeeking::GetDuration", duration, settings.duration);
}

HRESULT FakeFilterGraph::GetStopPosition(LONGLONG* stop)
{
    return Answer("IMediaSeeking::GetStopPosition", stop, settings.stop);
}

HRESULT FakeFilterGraph::GetCurrentPosition(LONGLONG* current)
{
    return Answer("IMediaSeeking::GetCurrentPosition", current, settings.current);
}

HRESULT FakeFilterGraph::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat,
                                           LONGLONG source, const GUID* sourceFormat)
{
    return Unsupported("IMediaSeeking::ConvertTimeFormat",
                       Args(Out(target), targetFormat, source, sourceFormat));
}

HRESULT FakeFilterGraph::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                      DWORD stopFlags)
{
    HRESULT answer = Enter("IMediaSeeking::SetPositions",
                           Args(ValueText(current), currentFlags, ValueText(stop), stopFlags));
    if (FAILED(answer))
        return answer;
    REFERENCE_TIME newCurrent = settings.current;
    REFERENCE_TIME newStop = settings.stop;
    if (!Apply(current, currentFlags, newCurrent) || !Apply(stop, stopFlags, newStop))
        return E_INVALIDARG;
    settings.current = newCurrent;
    settings.stop = newStop;
    return answer;
}

HRESULT FakeFilterGraph::GetPositions(LONGLONG* current, LONGLONG* stop)
{
    HRESULT answer = Enter("IMediaSeeking::GetPositions", Args(Out(current), Out(stop)));
    if (FAILED(answer))
        return answer;
    if (current)
        *current = settings.current;
    if (stop)
        *stop = settings.stop;
    return answer;
}

HRESULT FakeFilterGraph::GetAvailable(LONGLONG* earliest, LONGLONG* latest)
{
    HRESULT answer = Enter("IMediaSeeking::GetAvailable", Args(Out(earliest), Out(latest)));
    if (FAILED(answer))
        return answer;
    if (earliest)
        *earliest = 0;
    if (latest)
        *latest = settings.duration;
    return answer;
}

HRESULT FakeFilterGraph::SetRate(double rate)
{
    HRESULT answer = Enter("IMediaSeeking::SetRate", Args(rate));
    if (FAILED(answer))
        return answer;
    if (rate <= 0.0)
        return E_INVALIDARG;
    settings.rate = rate;
    return answer;
}

HRESULT FakeFilterGraph::GetRate(double* rate)
{
    return Answer("IMediaSeeking::GetRate", rate, settings.rate);
}

HRESULT FakeFilterGraph::GetPreroll(LONGLONG* preroll)
{
    return Unsupported("IMediaSeeking::GetPreroll", Args(Out(preroll)));
}

// IBasicAudio

HRESULT FakeFilterGraph::put_Volume(long volume)
{
    HRESULT answer = Enter("IBasicAudio::put_Volume", Args(volume));
    if (FAILED(answer))
        return answer;
    if (!HasSoundRenderer())
        return E_NOTIMPL;
    if (volume < -10000 || volume > 0)
        return E_INVALIDARG;
    settings.volume = volume;
    return answer;
}

HRESULT FakeFilterGraph::get_Volume(long* volume)
{
    HRESULT answer = Enter("IBasicAudio::get_Volume", Args(Out(volume)));
    if (FAILED(answer))
        return answer;
    if (!volume)
        return E_POINTER;
    if (!HasSoundRenderer())
        return E_NOTIMPL;
    *volume = settings.volume;
    return answer;
}

HRESULT FakeFilterGraph::put_Balance(long balance)
{
    HRESULT answer = Enter("IBasicAudio::put_Balance", Args(balance));
    if (FAILED(answer))
        return answer;
    if (!HasSoundRenderer())
        return E_NOTIMPL;
    if (balance < -10000 || balance > 10000)
        return E_INVALIDARG;
    settings.balance = balance;
    return answer;
}

HRESULT FakeFilterGraph::get_Balance(long* balance)
{
    HRESULT answer = Enter("IBasicAudio::get_Balance", Args(Out(balance)));
    if (FAILED(answer))
        return answer;
    if (!balance)
        return E_POINTER;
    if (!HasSoundRenderer())
        return E_NOTIMPL;
    *balance = settings.balance;
    return answer;
}

// IBasicVideo

HRESULT FakeFilterGraph::get_VideoWidth(long* width)
{
    return Answer("IBasicVideo::get_VideoWidth", width, settings.videoWidth);
}

HRESULT FakeFilterGraph::get_VideoHeight(long* height)
{
    return Answer("IBasicVideo::get_VideoHeight", height, settings.videoHeight);
}

HRESULT FakeFilterGraph::GetVideoSize(long* width, long* height)
{
    HRESULT answer = Enter("IBasicVideo::GetVideoSize", Args(Out(width), Out(height)));
    if (FAILED(answer))
        return answer;
    if (!width || !height)
        return E_POINTER;
    *width = settings.videoWidth;
    *height = settings.videoHeight;
    return answer;
}

HRESULT FakeFilterGraph::get_AvgTimePerFrame(REFTIME* time) { return Unsupported("IBasicVideo::get_AvgTimePerFrame", Args(Out(time))); }
HRESULT FakeFilterGraph::get_BitRate(long* rate) { return Unsupported("IBasicVideo::get_BitRate", Args(Out(rate))); }
HRESULT FakeFilterGraph::get_BitErrorRate(long* rate) { return Unsupported("IBasicVideo::get_BitErrorRate", Args(Out(rate))); }
HRESULT FakeFilterGraph::put_SourceLeft(long value) { return Unsupported("IBasicVideo::put_SourceLeft", Args(value)); }
HRESULT FakeFilterGraph::get_SourceLeft(long* value) { return Unsupported("IBasicVideo::get_SourceLeft", Args(Out(value))); }
HRESULT FakeFilterGraph::put_SourceWidth(long value) { return Unsupported("IBasicVideo::put_SourceWidth", Args(value)); }
HRESULT FakeFilterGraph::get_SourceWidth(long* value) { return Unsupported("IBasicVideo::get_SourceWidth", Args(Out(value))); }
HRESULT FakeFilterGraph::put_SourceTop(long value) { return Unsupported("IBasicVideo::put_SourceTop", Args(value)); }
HRESULT FakeFilterGraph::get_SourceTop(long* value) { return Unsupported("IBasicVideo::get_SourceTop", Args(Out(value))); }
HRESULT FakeFilterGraph::put_SourceHeight(long value) { return Unsupported("IBasicVideo::put_SourceHeight", Args(value)); }
HRESULT FakeFilterGraph::get_SourceHeight(long* value) { return Unsupported("IBasicVideo::get_SourceHeight", Args(Out(value))); }
HRESULT FakeFilterGraph::put_DestinationLeft(long value) { return Unsupported("IBasicVideo::put_DestinationLeft", Args(value)); }
HRESULT FakeFilterGraph::get_DestinationLeft(long* value) { return Unsupported("IBasicVideo::get_DestinationLeft", Args(Out(value))); }
HRESULT FakeFilterGraph::put_DestinationWidth(long value) { return Unsupported("IBasicVideo::put_DestinationWidth", Args(value)); }
HRESULT FakeFilterGraph::get_DestinationWidth(long* value) { return Unsupported("IBasicVideo::get_DestinationWidth", Args(Out(value))); }
HRESULT FakeFilterGraph::put_DestinationTop(long value) { return Unsupported("IBasicVideo::put_DestinationTop", Args(value)); }
HRESULT FakeFilterGraph::get_DestinationTop(long* value) { return Unsupported("IBasicVideo::get_DestinationTop", Args(Out(value))); }
HRESULT FakeFilterGraph::put_DestinationHeight(long value) { return Unsupported("IBasicVideo::put_DestinationHeight", Args(value)); }
HRESULT FakeFilterGraph::get_DestinationHeight(long* value) { return Unsupported("IBasicVideo::get_DestinationHeight", Args(Out(value))); }

HRESULT FakeFilterGraph::SetSourcePosition(long left, long top, long width, long height)
{
    return Unsupported("IBasicVideo::SetSourcePosition", Args(left, top, width, height));
}

HRESULT FakeFilterGraph::GetSourcePosition(long* left, long* top, long* width, long* height)
{
    return Unsupported("IBasicVideo::GetSourcePosition", Args(Out(left), Out(top), Out(width), Out(height)));
}

HRESULT FakeFilterGraph::SetDefaultSourcePosition() { return Unsupported("IBasicVideo::SetDefaultSourcePosition"); }

HRESULT FakeFilterGraph::SetDestinationPosition(long left, long top, long width, long height)
{
    return Unsupported("IBasicVideo::SetDestinationPosition", Args(left, top, width, height));
}

HRESULT FakeFilterGraph::GetDestinationPosition(long* left, long* top, long* width, long* height)
{
    return Unsupported("IBasicVideo::GetDestinationPosition",
                       Args(Out(left), Out(top), Out(width), Out(height)));
}

HRESULT FakeFilterGraph::SetDefaultDestinationPosition()
{
    return Unsupported("IBasicVideo::SetDefaultDestinationPosition");
}

HRESULT FakeFilterGraph::GetVideoPaletteEntries(long start, long count, long* retrieved, long* palette)
{
    return Unsupported("IBasicVideo::GetVideoPaletteEntries", Args(start, count, Out(retrieved), Out(palette)));
}

HRESULT FakeFilterGraph::GetCurrentImage(long* size, long* image)
{
    return Unsupported("IBasicVideo::GetCurrentImage", Args(Out(size), Out(image)));
}

HRESULT FakeFilterGraph::IsUsingDefaultSource() { return Unsupported("IBasicVideo::IsUsingDefaultSource"); }
HRESULT FakeFilterGraph::IsUsingDefaultDestination() { return Unsupported("IBasicVideo::IsUsingDefaultDestination"); }

// IVideoFrameStep

HRESULT FakeFilterGraph::Step(DWORD frames, IUnknown* filter)
{
    HRESULT answer = Enter("IVideoFrameStep::Step", Args(frames, filter));
    if (FAILED(answer))
        return answer;
    if (filter)
        return E_INVALIDARG;
    // A step runs the graph for the frames and leaves it paused.
    settings.current += static_cast<REFERENCE_TIME>(frames) * settings.frameTime;
    settings.state = State_Paused;
    return answer;
}

HRESULT FakeFilterGraph::CanStep(LONG multiple, IUnknown* filter)
{
    HRESULT answer = Enter("IVideoFrameStep::CanStep", Args(multiple, filter));
    return answer == S_OK ? settings.canStep : answer;
}

HRESULT FakeFilterGraph::CancelStep() { return Enter("IVideoFrameStep::CancelStep"); }
