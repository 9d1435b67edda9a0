// The control object's life and its own window: construction, Teardown, the window class,
// painting, sizing and command messages.
#include "CorvaneCtrl.h"
#include "CorvaneIds.h"

CCorvaneCtrl::CCorvaneCtrl()
{
    SetAutomationIds(DIID__DCorvane, DIID__DCorvaneEvents);
}

CCorvaneCtrl::~CCorvaneCtrl()
{
    Teardown();
    // Kept past the control's window for the graph's release (see KeepVideoWindow).
    if (videoWindow && IsWindow(videoWindow))
        DestroyWindow(videoWindow);
    if (monitorStop)
        CloseHandle(monitorStop);
}

void CCorvaneCtrl::Teardown()
{
    KillPlayingTimer();
    KillFinishTimer();
    KillEffectTimer();
    EndEffects();
    // Before CloseGraph: no monitor may poll an engine that is being closed.
    EndMonitor();
    engine.CloseGraph();
}

BOOL CCorvaneCtrl::PreCreateWindow(CREATESTRUCTA& create)
{
    create.lpszClass = "Static";
    return COleControl::PreCreateWindow(create);
}

void CCorvaneCtrl::OnDraw(HDC dc, const RECT& bounds, const RECT&)
{
    paintBounds = bounds;
    FillRect(dc, &bounds, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    engine.UpdateVideoPosition();
    engine.Repaint();
}

void CCorvaneCtrl::OnSize(UINT type, int width, int height)
{
    ReattachVideoWindow();
    LayoutVideoWindow();
    engine.UpdateVideoPosition();
    COleControl::OnSize(type, width, height);
}

BOOL CCorvaneCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // 1002 is deliberately ignored: the toggle it once reached never had a graph to act on,
    // and Pause already offers the same toggle with the timers kept in step.
    if (LOWORD(wParam) == kCommandStop)
        StopSequence();
    return COleControl::OnCommand(wParam, lParam);
}

LRESULT CCorvaneCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kEndOfMediaMessage) {
        OnEndOfMedia(wParam, lParam);
        return 0;
    }
    if (message == WM_DESTROY)
        KeepVideoWindow();
    return COleControl::WindowProc(message, wParam, lParam);
}
