// The control's own window: created on in-place activation with the class PreCreateWindow
// chooses, subclassed so that its messages reach the control's handlers.
#include "OleControl.h"

#include <windowsx.h>

namespace {

const char controlProperty[] = "CorvaneOleControl";
const char defaultWindowClass[] = "CorvaneOleControlWindow";

HINSTANCE FrameworkModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&FrameworkModule), &module);
    return module;
}

// The class used when PreCreateWindow keeps the framework's choice; double clicks wanted.
const char* DefaultWindowClass()
{
    static const bool registered = [] {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = FrameworkModule();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = defaultWindowClass;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
    return defaultWindowClass;
}

}  // namespace

bool COleControl::CreateControlWindow(HWND parent, const RECT& position)
{
    const int width = position.right - position.left;
    const int height = position.bottom - position.top;
    if (window) {
        SetParent(window, parent);
        SetWindowPos(window, nullptr, position.left, position.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(window, SW_SHOWNA);
        return true;
    }
    CREATESTRUCTA create = {};
    create.hInstance = FrameworkModule();
    create.hwndParent = parent;
    create.x = position.left;
    create.y = position.top;
    create.cx = width;
    create.cy = height;
    create.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    create.lpszClass = DefaultWindowClass();
    create.lpszName = "";
    if (!PreCreateWindow(create))
        return false;
    HWND created = CreateWindowExA(create.dwExStyle, create.lpszClass, create.lpszName, create.style, create.x,
                                   create.y, create.cx, create.cy, create.hwndParent, create.hMenu, create.hInstance,
                                   create.lpCreateParams);
    if (!created)
        return false;
    SetPropA(created, controlProperty, this);
    originalWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(created, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&COleControl::ControlWindowProc)));
    window = created;
    // The creation's own WM_SIZE went to the class procedure: tell the control its size now.
    RECT client = {};
    GetClientRect(window, &client);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return true;
}

void COleControl::DestroyControlWindow()
{
    if (window)
        DestroyWindow(window);  // WM_NCDESTROY clears `window`
    window = nullptr;
    buttonsDown = 0;
    doubleClickButtons = 0;
}

LRESULT CALLBACK COleControl::ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<COleControl*>(GetPropA(hwnd, controlProperty));
    if (!control)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    // A handler may release the control (an event sink letting go): keep it alive meanwhile.
    control->identity.AddRef();
    const MSG outer = control->currentMessage;
    control->currentMessage = MSG{hwnd, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    try {
        result = control->RouteMessage(message, wParam, lParam);
    } catch (...) {
        result = 0;  // nothing may unwind into the system's message dispatch
    }
    control->currentMessage = outer;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->originalWindowProc));
        RemovePropA(hwnd, controlProperty);
        if (control->window == hwnd)
            control->window = nullptr;
    }
    control->identity.Release();
    return result;
}

LRESULT COleControl::Default()
{
    const MSG& m = currentMessage;
    if (!m.hwnd)
        return 0;
    return originalWindowProc ? CallWindowProcA(originalWindowProc, m.hwnd, m.message, m.wParam, m.lParam)
                              : DefWindowProcA(m.hwnd, m.message, m.wParam, m.lParam);
}

LRESULT COleControl::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const UINT keys = static_cast<UINT>(wParam);
    switch (message) {
    case WM_PAINT:
        PaintWindow();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // OnDraw covers the whole client area
    case WM_NCHITTEST:
        // A "Static" class would pass the mouse through to the container.
        return DefWindowProcA(currentMessage.hwnd, message, wParam, lParam);
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_COMMAND:
        return OnCommand(wParam, lParam) ? 0 : Default();
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        ActivateUIOnInput();
        return Default();
    case WM_LBUTTONDOWN: OnButtonDown(1, keys, point); return 0;
    case WM_RBUTTONDOWN: OnButtonDown(2, keys, point); return 0;
    case WM_MBUTTONDOWN: OnButtonDown(4, keys, point); return 0;
    case WM_LBUTTONUP: OnButtonUp(1, keys, point); return 0;
    case WM_RBUTTONUP: OnButtonUp(2, keys, point); return 0;
    case WM_MBUTTONUP: OnButtonUp(4, keys, point); return 0;
    case WM_LBUTTONDBLCLK: OnButtonDblClk(1, keys, point); return 0;
    case WM_RBUTTONDBLCLK: OnButtonDblClk(2, keys, point); return 0;
    case WM_MBUTTONDBLCLK: OnButtonDblClk(4, keys, point); return 0;
    case WM_MOUSEMOVE: OnMouseMove(keys, point); return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != currentMessage.hwnd) {
            buttonsDown = 0;  // someone else took the mouse: no click can complete
            doubleClickButtons = 0;
        }
        return Default();
    default:
        return WindowProc(message, wParam, lParam);
    }
}

void COleControl::ActivateUIOnInput()
{
    if (inPlaceObject.IsActive() && !inPlaceObject.IsUIActive())
        inPlaceObject.Activate(true, nullptr, nullptr, nullptr);
}

void COleControl::InvalidateControl(const RECT* area)
{
    if (window)
        InvalidateRect(window, area, FALSE);
    else
        viewObject.NotifyViewChanged();  // not in place: the container draws us through IViewObject
}

void COleControl::RedrawFrame()
{
    if (window)
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void COleControl::PaintWindow()
{
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(window, &paint);
    if (!dc)
        return;
    RECT client = {};
    GetClientRect(window, &client);
    OnDraw(dc, client, paint.rcPaint);
    EndPaint(window, &paint);
}

BOOL COleControl::PreCreateWindow(CREATESTRUCTA& create)
{
    create.style |= WS_CHILD;
    return TRUE;
}

void COleControl::OnDraw(HDC dc, const RECT& bounds, const RECT&)
{
    COLORREF color = 0;
    OleTranslateColor(backColor, nullptr, &color);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &bounds, brush);
    DeleteObject(brush);
}

void COleControl::OnSize(UINT, int, int) { Default(); }
void COleControl::OnTimer(UINT_PTR) { Default(); }
BOOL COleControl::OnCommand(WPARAM, LPARAM) { return FALSE; }
void COleControl::OnActivate(UINT, HWND, BOOL) { Default(); }
void COleControl::OnSysCommand(UINT, LPARAM) { Default(); }
LRESULT COleControl::WindowProc(UINT, WPARAM, LPARAM) { return Default(); }

void COleControl::OnSetFocus(HWND)
{
    // Taking the focus makes an in-place control UI active, and the container is told.
    ActivateUIOnInput();
    if (IOleControlSite* site = oleObject.ControlSite())
        site->OnFocus(TRUE);
    Default();
}

void COleControl::OnKillFocus(HWND)
{
    if (IOleControlSite* site = oleObject.ControlSite())
        site->OnFocus(FALSE);
    Default();
}
