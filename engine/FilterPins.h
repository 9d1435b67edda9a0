// Pure DirectShow helpers: finding a filter's pins, walking from a filter to the next one
// across its connections, and naming the kind of stream a pin carries. They hold no state.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <string>

// Calls visit(pin) for each pin of the filter in enumeration order until it answers false.
template <class Visit> HRESULT ForEachPin(IBaseFilter* filter, Visit visit)
{
    Microsoft::WRL::ComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(&pins);
    if (FAILED(hr) || !pins)
        return FAILED(hr) ? hr : E_FAIL;
    Microsoft::WRL::ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK && pin)
        if (!visit(pin.Get()))
            break;
    return S_OK;
}

// "VIDEO", "AUDIO", "INTERLEAVED" or "STREAM" for the pin's first media type; "" otherwise.
std::string StreamTypeName(IPin* pin);
// The filter's first pin of that direction.
Microsoft::WRL::ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction);
// The filter at the other end of the first connected pin of that direction whose stream is not
// audio (or not video); the caller owns the reference.
HRESULT NextFilterSkippingAudio(IBaseFilter* filter, PIN_DIRECTION direction, IBaseFilter** next);
HRESULT NextFilterSkippingVideo(IBaseFilter* filter, PIN_DIRECTION direction, IBaseFilter** next);
// The filter's first pin of that direction that is not connected; the caller owns the reference.
HRESULT FindUnconnectedPin(IBaseFilter* filter, PIN_DIRECTION direction, IPin** pin);
// Whether any output pin of the filter is connected.
bool HasConnectedOutput(IBaseFilter* filter);
// Whether every connected output of `feeder` goes to `filter`.
bool FeedsOnly(IBaseFilter* feeder, IBaseFilter* filter);
// Whether a connected pin of that direction carries video.
bool CarriesVideo(IBaseFilter* filter, PIN_DIRECTION wanted);
