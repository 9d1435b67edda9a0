// The control's automation surface: its class, its one member table and its event table.
// DISPIDs are a fixed contract with compiled hosts; 4 stays unassigned.
#include "CorvaneCtrl.h"
#include "CorvaneDispids.h"
#include "CorvaneIds.h"

CLSID CCorvaneCtrl::GetControlClassId() const
{
    return CLSID_Corvane;
}

DispatchTable CCorvaneCtrl::GetDispatchTable() const
{
    using C = CCorvaneCtrl;
    static const DispatchEntry table[] = {
        DispatchMethod<&C::GetDurationHHMMSS>("GetDurationHHMMSS", DISPID_CORVANE_GETDURATIONHHMMSS),
        DispatchMethod<&C::Pause>("Pause", DISPID_CORVANE_PAUSE),
        DispatchMethod<&C::Stop>("Stop", DISPID_CORVANE_STOP),
        DispatchMethod<&C::GetSliderMax>("GetSliderMax", DISPID_CORVANE_GETSLIDERMAX),
        DispatchMethod<&C::GetSliderPosition>("GetSliderPosition", DISPID_CORVANE_GETSLIDERPOSITION),
        DispatchMethod<&C::SetSliderPosition>("SetSliderPosition", DISPID_CORVANE_SETSLIDERPOSITION),
        DispatchMethod<&C::GetDuration>("GetDuration", DISPID_CORVANE_GETDURATION),
        DispatchMethod<&C::GetPlaybackRate>("GetPlaybackRate", DISPID_CORVANE_GETPLAYBACKRATE),
        DispatchMethod<&C::SetPlaybackRate>("SetPlaybackRate", DISPID_CORVANE_SETPLAYBACKRATE),
        DispatchMethod<&C::GetPosition>("GetPosition", DISPID_CORVANE_GETPOSITION),
        DispatchMethod<&C::GetPositionHHMMSS>("GetPositionHHMMSS", DISPID_CORVANE_GETPOSITIONHHMMSS),
        DispatchMethod<&C::SetPosition>("SetPosition", DISPID_CORVANE_SETPOSITION),
        DispatchMethod<&C::GetAudioBalance>("GetAudioBalance", DISPID_CORVANE_GETAUDIOBALANCE),
        DispatchMethod<&C::SetAudioBalance>("SetAudioBalance", DISPID_CORVANE_SETAUDIOBALANCE),
        DispatchMethod<&C::GetAudioVolume>("GetAudioVolume", DISPID_CORVANE_GETAUDIOVOLUME),
        DispatchMethod<&C::SetAudioVolume>("SetAudioVolume", DISPID_CORVANE_SETAUDIOVOLUME),
        DispatchMethod<&C::SetLayerSize>("SetLayerSize", DISPID_CORVANE_SETLAYERSIZE),
        DispatchMethod<&C::SetLayerAlpha>("SetLayerAlpha", DISPID_CORVANE_SETLAYERALPHA),
        DispatchMethod<&C::GetVideoHeight>("GetVideoHeight", DISPID_CORVANE_GETVIDEOHEIGHT),
        DispatchMethod<&C::GetVideoWidth>("GetVideoWidth", DISPID_CORVANE_GETVIDEOWIDTH),
        DispatchMethod<&C::Play>("Play", DISPID_CORVANE_PLAY),
        DispatchMethod<&C::SetOverlayBitmap>("SetOverlayBitmap", DISPID_CORVANE_SETOVERLAYBITMAP),
        DispatchMethod<&C::FlipVideo>("FlipVideo", DISPID_CORVANE_FLIPVIDEO),
        DispatchMethod<&C::MirrorVideo>("MirrorVideo", DISPID_CORVANE_MIRRORVIDEO),
        DispatchMethod<&C::SwapVideo>("SwapVideo", DISPID_CORVANE_SWAPVIDEO),
        DispatchMethod<&C::UpdateOverlayBitmapParam>("UpdateOverlayBitmapParam",
                                                     DISPID_CORVANE_UPDATEOVERLAYBITMAPPARAM),
        DispatchMethod<&C::SetText>("SetText", DISPID_CORVANE_SETTEXT),
        DispatchMethod<&C::SetFontSize>("SetFontSize", DISPID_CORVANE_SETFONTSIZE),
        DispatchMethod<&C::SetFontColor>("SetFontColor", DISPID_CORVANE_SETFONTCOLOR),
        DispatchMethod<&C::SetFontName>("SetFontName", DISPID_CORVANE_SETFONTNAME),
        DispatchMethod<&C::DisableText>("DisableText", DISPID_CORVANE_DISABLETEXT),
        DispatchMethod<&C::SlideEffect>("SlideEffect", DISPID_CORVANE_SLIDEEFFECT),
        DispatchMethod<&C::StrobeEffect>("StrobeEffect", DISPID_CORVANE_STROBEEFFECT),
        DispatchMethod<&C::MirrorEffect>("MirrorEffect", DISPID_CORVANE_MIRROREFFECT),
        DispatchMethod<&C::FlipEffect>("FlipEffect", DISPID_CORVANE_FLIPEFFECT),
        DispatchMethod<&C::DisableOverlayBitmap>("DisableOverlayBitmap", DISPID_CORVANE_DISABLEOVERLAYBITMAP),
        DispatchMethod<&C::GetCurrentImage>("GetCurrentImage", DISPID_CORVANE_GETCURRENTIMAGE),
        DispatchMethod<&C::LoadMediaFile>("LoadMediaFile", DISPID_CORVANE_LOADMEDIAFILE),
        DispatchMethod<&C::StepFrame>("StepFrame", DISPID_CORVANE_STEPFRAME),
        DispatchMethod<&C::AboutBox>("AboutBox", DISPID_ABOUTBOX),
        DispatchStock(StockProperty::Appearance),
        DispatchStock(StockProperty::BackColor),
        DispatchProperty<&C::XAspectRatio, &C::OnXAspectRatioChanged>("XAspectRatio", DISPID_CORVANE_XASPECTRATIO),
        DispatchProperty<&C::XMute, &C::OnXMuteChanged>("XMute", DISPID_CORVANE_XMUTE),
        DispatchProperty<&C::XLoop, &C::OnXLoopChanged>("XLoop", DISPID_CORVANE_XLOOP),
        DispatchProperty<&C::XEffectSpeed, &C::OnXEffectSpeedChanged>("XEffectSpeed", DISPID_CORVANE_XEFFECTSPEED),
    };
    return table;
}

EventTable CCorvaneCtrl::GetEventTable() const
{
    static const EventEntry table[] = {
        StockEvents::Click,
        StockEvents::DblClick,
        StockEvents::MouseDown,
        StockEvents::MouseMove,
        StockEvents::MouseUp,
        {"OnPlaying", DISPID_CORVANE_ONPLAYING, 0, {}},
        {"OnFinish", DISPID_CORVANE_ONFINISH, 0, {}},
    };
    return table;
}
