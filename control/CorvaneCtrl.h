// CCorvaneCtrl: the control a host places on a form. It owns one media engine for its whole
// life and one child window the engine's renderer draws into; it runs playback, the timers and
// the end-of-stream monitor thread, the overlay and effect commands, and its persistent
// properties. Every automation method returns normally; failures live in the engine's error text.
#pragma once

#include "OleControl.h"
#include "ServerModule.h"
#include "VMR9Graph.h"

#include <optional>
#include <string>
#include <vector>

class CCorvaneCtrl : public COleControl
{
public:
    // Timer identifiers on the control's own window, and its command identifiers.
    static constexpr UINT_PTR kPlayingTimer = 55;
    static constexpr UINT_PTR kFinishTimer = 56;
    static constexpr UINT_PTR kEffectTimer = 2003;
    static constexpr UINT kPlayingPeriod = 100;
    static constexpr UINT kFinishPeriod = 100;
    static constexpr WORD kCommandToggle = 1002;
    static constexpr WORD kCommandStop = 1003;
    static constexpr ULONG kPersistVersion = 0x00010000;

    CCorvaneCtrl();
    ~CCorvaneCtrl() override;

    // ---- Identity and tables (automation) ----
    CLSID GetControlClassId() const override;
    DispatchTable GetDispatchTable() const override;
    EventTable GetEventTable() const override;
    std::vector<CLSID> GetPropertyPages() const override;

    // ---- Window ----
    BOOL PreCreateWindow(CREATESTRUCTA& create) override;
    void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) override;
    void OnSize(UINT type, int width, int height) override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void CreateVideoWindow();
    void LayoutVideoWindow();

    // ---- Persistence ----
    void DoPropExchange(CPropExchange& exchange) override;
    void OnResetState() override;
    void OnXAspectRatioChanged();
    void OnXMuteChanged();
    void OnXLoopChanged();
    void OnXEffectSpeedChanged();

    // ---- Loading, transport, position, audio and layers ----
    void LoadMediaFile(const wchar_t* filePath, short layer, BOOL haveSound);
    void Play();
    void Pause();
    void Stop();
    BOOL StepFrame(long frame);
    short GetSliderMax();
    long GetSliderPosition();
    void SetSliderPosition(long position);
    double GetDuration();
    std::string GetDurationHHMMSS();
    double GetPosition();
    std::string GetPositionHHMMSS();
    void SetPosition(double position);
    double GetPlaybackRate();
    void SetPlaybackRate(double playbackRate);
    short GetAudioVolume();
    void SetAudioVolume(short volume);
    long GetAudioBalance();
    void SetAudioBalance(long balance);
    long GetVideoWidth();
    long GetVideoHeight();
    void SetLayerSize(short layer, long left, long top, long width, long height);
    void SetLayerAlpha(short layer, short alpha);
    void FlipVideo(short layer);
    void MirrorVideo(short layer);
    void SwapVideo();

    // ---- Overlay, text and effects ----
    void SetOverlayBitmap(const wchar_t* filePath, long left, long top, long width, long height, long alpha);
    void UpdateOverlayBitmapParam(long left, long top, long width, long height, long alpha);
    void SetText(const wchar_t* text, long left, long top);
    void SetFontSize(long fontSize);
    void SetFontColor(long fontColor);
    void SetFontName(const wchar_t* fontName);
    void DisableText();
    void DisableOverlayBitmap();
    void SlideEffect();
    void StrobeEffect();
    void MirrorEffect();
    void FlipEffect();
    void GetCurrentImage(const wchar_t* filePath);

    // ---- About box ----
    void AboutBox();

    // ---- Timers, monitor thread, stop sequence ----
    void StartPlayingTimer();
    void StartFinishTimer();
    void StartEffectTimer();
    void KillPlayingTimer();
    void KillFinishTimer();
    void KillEffectTimer();
    // Switches off a running strobe, then a running slide, and puts the overlay back.
    void EndEffects();
    // The stop after the natural end: on the monitor thread, or on the UI thread for 1003.
    void StopSequence();
    void StartMonitor();
    void EndMonitor();
    static DWORD WINAPI MonitorThreadProc(LPVOID parameter);
    void Teardown();

    // ---- Members, in declaration order ----
    Microsoft::WRL::ComPtr<IUnknown> controlPicture;
    long nativeWidth = 0;
    long nativeHeight = 0;
    long fittedWidth = 0;
    long fittedHeight = 0;
    HWND videoWindow = nullptr;
    BOOL videoWindowPending = TRUE;
    HANDLE monitorThread = nullptr;
    RECT paintBounds = {0, 0, 0, 0};
    BOOL XAspectRatio = FALSE;
    BOOL XMute = FALSE;
    BOOL XLoop = FALSE;
    long XEffectSpeed = 125;
    volatile BOOL finishPending = FALSE;
    std::wstring lastText;
    long textLeft = 0;
    long textTop = 0;
    std::wstring bitmapFile;
    long bitmapLeft = 0;
    long bitmapTop = 0;
    long bitmapWidth = 0;
    long bitmapHeight = 0;
    long bitmapAlpha = 100;
    UINT_PTR effectTimerId = 0;
    UINT_PTR playingTimerId = 0;
    UINT_PTR finishTimerId = 0;
    CVMR9Graph engine;
    volatile BOOL mediaReady = FALSE;
    ULONG loadedVersion = kPersistVersion;

    // Set when the module's class factory made the control: keeps the module loaded.
    std::optional<CModuleObjectToken> moduleToken;

    // ---- Playback internals (private to the control) ----
private:
    // Posted by the monitor thread to the control's window: timers belong to the window's
    // thread, so the natural end's timer work is done there. wParam carries the monitor's
    // generation (stale messages are ignored); lParam one of the two phases below.
    static constexpr UINT kEndOfMediaMessage = WM_APP + 0x2C3;
    static constexpr LPARAM kEndPhaseTimers = 0;
    static constexpr LPARAM kEndPhaseFinished = 1;
    // Where XEffectSpeed becomes a timer period or a sleep on the window's thread.
    static constexpr long kEffectSpeedMin = 0;
    static constexpr long kEffectSpeedMax = 1000;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnEndOfMedia(WPARAM generation, LPARAM phase);
    bool OnWindowThread() const { return GetCurrentThreadId() == windowThread; }
    bool ReadyAndTimed();
    DWORD EffectMilliseconds() const;
    // The renderer must not outlive its window (releasing it afterwards can bring the host
    // down under Wine): when the control's window goes, the video window is kept, hidden and
    // without a parent, until Teardown has closed the graph; a new control window takes it back.
    void KeepVideoWindow();
    void ReattachVideoWindow();
    bool MonitorStopRequested() const { return WaitForSingleObject(monitorStop, 0) == WAIT_OBJECT_0; }
    void MonitorLoop();

    const DWORD windowThread = GetCurrentThreadId();
    // Set to ask the monitor thread to end; it checks after every wait and before acting.
    HANDLE monitorStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // Changes whenever a monitor is ended, so a message from an ended monitor is recognised.
    volatile LONG monitorGeneration = 0;

    // ---- Private helpers of the overlay commands ----
    // The picture's rectangle and opacity that a re-show rebuilds it with.
    void StoreBitmapPlace(long left, long top, long width, long height, long alpha);
    // Slide and strobe: toggles the effect's bit, then starts the effect timer or puts the
    // aspect the effect changed back at home.
    void ToggleAnimatedEffect(LONG bit, void (CVMR9Graph::*restoreHome)());
};
