#include "PlayerControlIds.h"
#include "PlayerWindow.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

constexpr int kMargin = 8;
constexpr int kRow = 28;
constexpr int kRows = 4;  // transport, layer, text, status

struct ChildPlace
{
    int id;
    const wchar_t* windowClass;
    const wchar_t* text;
    DWORD style;
    int row;    // 0 transport, 1 layer and sound, 2 overlay, 3 status
    int width;  // 0: takes the rest of its row
};

const ChildPlace kChildren[] = {
    {ID_LAYER, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 80},
    {ID_OPEN, WC_BUTTONW, L"Open...", BS_PUSHBUTTON | WS_TABSTOP, 0, 70},
    {ID_PLAY, WC_BUTTONW, L"Play", BS_PUSHBUTTON | WS_TABSTOP, 0, 60},
    {ID_PAUSE, WC_BUTTONW, L"Pause", BS_PUSHBUTTON | WS_TABSTOP, 0, 60},
    {ID_STOP, WC_BUTTONW, L"Stop", BS_PUSHBUTTON | WS_TABSTOP, 0, 60},
    {ID_POSITION_SLIDER, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, 0, 0},
    {ID_POSITION_TEXT, WC_STATICW, L"--:--:-- / --:--:--", SS_RIGHT | SS_CENTERIMAGE, 0, 130},
    {ID_VOLUME_LABEL, WC_STATICW, L"Volume", SS_CENTERIMAGE, 1, 50},
    {ID_VOLUME, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, 1, 100},
    {ID_MUTE, WC_BUTTONW, L"Mute", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 55},
    {ID_LOOP, WC_BUTTONW, L"Loop", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 55},
    {ID_ASPECT, WC_BUTTONW, L"Keep aspect", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 95},
    {ID_OPACITY_LABEL, WC_STATICW, L"Layer opacity", SS_CENTERIMAGE, 1, 85},
    {ID_OPACITY, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, 1, 100},
    {ID_SWAP, WC_BUTTONW, L"Swap 0/1", BS_PUSHBUTTON | WS_TABSTOP, 1, 70},
    {ID_FLIP, WC_BUTTONW, L"Flip", BS_PUSHBUTTON | WS_TABSTOP, 1, 50},
    {ID_MIRROR, WC_BUTTONW, L"Mirror", BS_PUSHBUTTON | WS_TABSTOP, 1, 60},
    {ID_TEXT_LABEL, WC_STATICW, L"Overlay", SS_CENTERIMAGE, 2, 50},
    {ID_TEXT, WC_EDITW, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 2, 0},
    {ID_FONT_SIZE, WC_EDITW, L"28", ES_NUMBER | WS_BORDER | WS_TABSTOP, 2, 36},
    {ID_TEXT_COLOUR, WC_BUTTONW, L"Colour...", BS_PUSHBUTTON | WS_TABSTOP, 2, 70},
    {ID_SHOW_TEXT, WC_BUTTONW, L"Show text", BS_PUSHBUTTON | WS_TABSTOP, 2, 75},
    {ID_HIDE_TEXT, WC_BUTTONW, L"Hide/show", BS_PUSHBUTTON | WS_TABSTOP, 2, 75},
    {ID_SLIDE, WC_BUTTONW, L"Slide", BS_PUSHBUTTON | WS_TABSTOP, 2, 55},
    {ID_STROBE, WC_BUTTONW, L"Strobe", BS_PUSHBUTTON | WS_TABSTOP, 2, 60},
    {ID_SNAPSHOT, WC_BUTTONW, L"Snapshot...", BS_PUSHBUTTON | WS_TABSTOP, 2, 80},
    {ID_STATUS, WC_STATICW, L"", SS_SUNKEN | SS_CENTERIMAGE | SS_LEFTNOWORDWRAP, 3, 0},
};

// EnumWindows callback: the visible video renderer windows of this process.
BOOL CALLBACK CollectRendererWindow(HWND candidate, LPARAM context)
{
    DWORD process = 0;
    GetWindowThreadProcessId(candidate, &process);
    wchar_t title[64] = {};
    GetWindowTextW(candidate, title, 64);
    if (process == GetCurrentProcessId() && IsWindowVisible(candidate) && lstrcmpW(title, L"ActiveMovie Window") == 0)
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(candidate);
    return TRUE;
}

} // namespace

HWND CPlayerWindow::Child(int id, const wchar_t* windowClass, const wchar_t* text, DWORD style)
{
    HWND child = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

void CPlayerWindow::CreateChildren()
{
    // The container takes over this window and keeps the control in place in it.
    videoHost = Child(ID_VIDEO, L"CorvaneDemoVideo", L"", WS_CLIPCHILDREN);
    for (const ChildPlace& place : kChildren)
        Child(place.id, place.windowClass, place.text, place.style);

    HWND layer = GetDlgItem(window, ID_LAYER);
    for (int i = 0; i <= 9; ++i)
        SendMessageW(layer, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"Layer " + std::to_wstring(i)).c_str()));
    SendMessageW(layer, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageW(window, ID_POSITION_SLIDER, TBM_SETRANGE, FALSE, MAKELPARAM(0, 1000));
    for (int id : {ID_VOLUME, ID_OPACITY}) {
        SendDlgItemMessageW(window, id, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
        SendDlgItemMessageW(window, id, TBM_SETPOS, TRUE, 100);
    }
    SetDlgItemTextW(window, ID_TEXT, options.overlayText.empty() ? L"Corvane" : options.overlayText.c_str());
    CheckDlgButton(window, ID_LOOP, options.loop ? BST_CHECKED : BST_UNCHECKED);
    status.SetWindow(GetDlgItem(window, ID_STATUS));
}

void CPlayerWindow::Layout(int width, int height)
{
    const int controlsTop = height - kRows * kRow - kMargin;
    MoveWindow(videoHost, kMargin, kMargin, width - 2 * kMargin, controlsTop - 2 * kMargin, TRUE);
    for (int row = 0; row < kRows; ++row) {
        int fixed = 0;
        int stretching = 0;
        for (const ChildPlace& place : kChildren) {
            if (place.row == row) {
                fixed += place.width + 4;
                stretching += place.width == 0 ? 1 : 0;
            }
        }
        const int rest = stretching ? (width - 2 * kMargin - fixed) / stretching : 0;
        int x = kMargin;
        const int y = controlsTop + row * kRow;
        for (const ChildPlace& place : kChildren) {
            if (place.row != row)
                continue;
            const int w = place.width ? place.width : (rest > 40 ? rest : 40);
            // A drop-down list's height includes its open list.
            const int h = place.id == ID_LAYER ? 240 : kRow - 4;
            MoveWindow(GetDlgItem(window, place.id), x, y, w, h, TRUE);
            x += w + 4;
        }
    }
}

// Where the window and its video rectangle are on the screen, for screenshots taken from outside.
void CPlayerWindow::LogPlacement()
{
    auto place = [](HWND item) {
        RECT r = {};
        GetClientRect(item, &r);
        MapWindowPoints(item, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) +
               L" " + std::to_wstring(r.bottom - r.top);
    };
    RECT outer = {};
    GetWindowRect(window, &outer);
    status.Log(L"window", std::to_wstring(outer.left) + L" " + std::to_wstring(outer.top) + L" " +
                              std::to_wstring(outer.right - outer.left) + L" " +
                              std::to_wstring(outer.bottom - outer.top));
    status.Log(L"video", place(videoHost));
    status.Log(L"statusline", place(GetDlgItem(window, ID_STATUS)));
}

// Where the platform could not mix a video stream into the control, it gives that stream a
// renderer window of its own, which may cover part of the player: log those windows.
bool CPlayerWindow::LogRendererWindows()
{
    std::vector<HWND> found;
    EnumWindows(&CollectRendererWindow, reinterpret_cast<LPARAM>(&found));
    for (HWND renderer : found) {
        RECT r = {};
        GetWindowRect(renderer, &r);
        status.Log(L"renderer window", std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
                                           std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top));
    }
    if (!found.empty())
        status.Show(ItemText(ID_STATUS) + L"; " + std::to_wstring(found.size()) +
                    L" video stream(s) play in a window of their own: the system's video mixer took only one");
    return !found.empty();
}
