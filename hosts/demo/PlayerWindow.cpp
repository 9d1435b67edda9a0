#include "PlayerWindow.h"

#include "PlayerControlIds.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kProgId[] = L"Corvane.CorvaneCtrl.1";
constexpr wchar_t kWindowClass[] = L"CorvaneDemoPlayer";
constexpr int kClientWidth = 840;
constexpr int kClientHeight = 620;

std::wstring HexCode(HRESULT hr)
{
    wchar_t text[16];
    wsprintfW(text, L"0x%08x", static_cast<unsigned>(hr));
    return text;
}

} // namespace

CPlayerWindow::CPlayerWindow(const DemoOptions& options) : options(options)
{
    status.OpenLog(options.logFile);
}

bool CPlayerWindow::Create(int show)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW main = {};
    main.lpfnWndProc = Procedure;
    main.hInstance = instance;
    main.hCursor = LoadCursor(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kWindowClass;
    WNDCLASSW video = {};
    video.lpfnWndProc = DefWindowProcW;
    video.hInstance = instance;
    video.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    video.lpszClassName = L"CorvaneDemoVideo";
    RegisterClassW(&main);
    RegisterClassW(&video);

    RECT frame = {0, 0, kClientWidth, kClientHeight};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    window = CreateWindowExW(0, kWindowClass, L"Corvane demo player", style, 0, 0, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (!window)
        return false;
    ShowWindow(window, show);
    UpdateWindow(window);
    PostMessageW(window, kStartMessage, 0, 0);
    return true;
}

LRESULT CALLBACK CPlayerWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CPlayerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CPlayerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CPlayerWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateChildren();
        return 0;
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case kStartMessage:
        Start();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kExitTimer) {
            KillTimer(window, kExitTimer);
            Finish();
            DestroyWindow(window);
        }
        return 0;
    case WM_CLOSE:
        Finish();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void CPlayerWindow::CreateControl()
{
    std::wstring why;
    if (!container.Load(why)) {
        status.Show(L"No control container: " + why);
        return;
    }
    Microsoft::WRL::ComPtr<IUnknown> object;
    HRESULT hr = container.Create(kProgId, videoHost, &object);
    Microsoft::WRL::ComPtr<IDispatch> dispatch;
    if (SUCCEEDED(hr) && object)
        hr = object.As(&dispatch);
    if (FAILED(hr) || !dispatch) {
        status.Show(std::wstring(L"The control ") + kProgId + L" could not be created (" + HexCode(hr) +
                    L"): register Corvane.OCX with regsvr32 first");
        return;
    }
    control.Attach(dispatch.Get());
    hr = events.Connect(object.Get(), [this](const std::wstring& name) { OnControlEvent(name); });
    if (FAILED(hr))
        status.Show(L"The control's events could not be connected (" + HexCode(hr) + L"); the position will not follow");
    else
        status.Show(L"Control ready");
}

// Creates the control, then loads the command line's files into layers 0, 1, ... and plays.
void CPlayerWindow::Start()
{
    CreateControl();
    // The control sizes its video window from its first paint: let it paint before loading.
    RedrawWindow(videoHost, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    LogPlacement();
    if (options.seconds > 0.0)
        SetTimer(window, kExitTimer, static_cast<UINT>(options.seconds * 1000.0), nullptr);
    if (!control.IsAttached())
        return;
    if (options.loop)
        control.Put(L"XLoop", true);
    bool loaded = false;
    std::wstring problems;
    for (size_t layer = 0; layer < options.files.size(); ++layer) {
        if (Load(options.files[layer], static_cast<int>(layer)))
            loaded = true;
        else
            problems += L"; " + ItemText(ID_STATUS);
    }
    // Nothing playable: the status line keeps the reason the load gave.
    if (!loaded)
        return;
    if (!options.overlayText.empty())
        ShowText();
    Play();
    // Files that did not load stay named in the status line while the others play.
    if (!problems.empty())
        status.Show(ItemText(ID_STATUS) + problems);
}

void CPlayerWindow::OnControlEvent(const std::wstring& name)
{
    if (name == L"OnPlaying") {
        ShowPosition();
    } else if (name == L"OnFinish") {
        playing = false;
        SendDlgItemMessageW(window, ID_POSITION_SLIDER, TBM_SETPOS, TRUE, 0);
        status.Show(L"Finished");
    }
}

// Follows the playing position; leaves the slider alone while the user drags it.
void CPlayerWindow::ShowPosition()
{
    const long slider = control.Whole(L"GetSliderPosition");
    const std::wstring position = control.Text(L"GetPositionHHMMSS");
    const std::wstring duration = control.Text(L"GetDurationHHMMSS");
    if (!dragging)
        SendDlgItemMessageW(window, ID_POSITION_SLIDER, TBM_SETPOS, TRUE, slider);
    SetDlgItemTextW(window, ID_POSITION_TEXT, (position + L" / " + duration).c_str());
    const DWORD now = GetTickCount();
    if (now - lastPositionLog >= 500) {
        lastPositionLog = now;
        wchar_t seconds[32];
        swprintf(seconds, 32, L"%.2f", control.Number(L"GetPosition"));
        status.Log(L"position", std::wstring(seconds) + L" " + position + L" slider " + std::to_wstring(slider));
        // The platform opens such windows a moment after playback starts.
        if (!rendererWindowsFound)
            rendererWindowsFound = LogRendererWindows();
    }
}

// Before the window goes: the snapshot asked for on the command line, and a last log line.
void CPlayerWindow::Finish()
{
    if (!options.snapshotFile.empty())
        Snapshot(options.snapshotFile);
    status.Log(L"exit", L"closing");
    events.Disconnect();
    control.Attach(nullptr);
    container.Release();
}
