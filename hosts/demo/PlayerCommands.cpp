#include "PlayerControlIds.h"
#include "PlayerWindow.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cwchar>

namespace {

std::wstring FileName(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The control takes ANSI paths: a path with other characters goes by its short (8.3) form.
std::wstring PathForControl(const std::wstring& path)
{
    wchar_t full[MAX_PATH * 2];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    std::wstring result = (length > 0 && length < MAX_PATH * 2) ? std::wstring(full, length) : path;
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, result.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (lossy) {
        wchar_t shortPath[MAX_PATH * 2];
        length = GetShortPathNameW(result.c_str(), shortPath, MAX_PATH * 2);
        if (length > 0 && length < MAX_PATH * 2)
            result.assign(shortPath, length);
    }
    return result;
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

int CPlayerWindow::SelectedLayer() const
{
    const LRESULT selected = SendDlgItemMessageW(window, ID_LAYER, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? 0 : static_cast<int>(selected);
}

std::wstring CPlayerWindow::ItemText(int id) const
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(window, id, text, 1024);
    return text;
}

bool CPlayerWindow::Checked(int id) const
{
    return IsDlgButtonChecked(window, id) == BST_CHECKED;
}

bool CPlayerWindow::Ready()
{
    if (!control.IsAttached())
        status.Show(L"No control: Corvane.OCX is not registered or could not be created");
    return control.IsAttached();
}

// The control reports nothing to its host, so the player checks what it can: that the file is
// there before the load, and that the control then knows a duration. A file that is not media
// loaded beside playable layers cannot be told apart this way.
bool CPlayerWindow::Load(const std::wstring& file, int layer)
{
    if (!Ready())
        return false;
    if (!FileExists(file)) {
        status.Show(L"Cannot open " + file + L": the file does not exist");
        return false;
    }
    control.Call(L"LoadMediaFile", {PathForControl(file), static_cast<short>(layer), true});
    const double duration = control.Number(L"GetDuration");
    if (!(duration > 0.0)) {
        status.Show(L"Cannot play " + FileName(file) + L": it is not a media file the system can read");
        return false;
    }
    SetDlgItemTextW(window, ID_POSITION_TEXT, (L"00:00:00 / " + control.Text(L"GetDurationHHMMSS")).c_str());
    status.Show(L"Loaded " + FileName(file) + L" into layer " + std::to_wstring(layer));
    return true;
}

void CPlayerWindow::OpenFile()
{
    if (!Ready())
        return;
    wchar_t path[MAX_PATH * 2] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = L"Media files\0*.avi;*.mp4;*.mpg;*.mpeg;*.wmv;*.mkv;*.mov;*.wav;*.mp3\0All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH * 2;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&dialog))
        Load(path, SelectedLayer());
}

void CPlayerWindow::Play()
{
    if (!Ready())
        return;
    control.Call(L"Play");
    if (!(control.Number(L"GetDuration") > 0.0)) {
        status.Show(L"Nothing to play: open a media file first");
        return;
    }
    playing = true;
    status.Show(L"Playing");
}

void CPlayerWindow::Pause()
{
    if (!Ready())
        return;
    control.Call(L"Pause");
    playing = !playing;
    status.Show(playing ? L"Playing" : L"Paused");
}

void CPlayerWindow::Stop()
{
    if (!Ready())
        return;
    control.Call(L"Stop");
    playing = false;
    SendDlgItemMessageW(window, ID_POSITION_SLIDER, TBM_SETPOS, TRUE, 0);
    status.Show(L"Stopped");
}

void CPlayerWindow::ShowText()
{
    if (!Ready())
        return;
    const std::wstring text = ItemText(ID_TEXT);
    if (text.empty()) {
        status.Show(L"Type the overlay text first");
        return;
    }
    const long size = std::wcstol(ItemText(ID_FONT_SIZE).c_str(), nullptr, 10);
    control.Call(L"SetFontSize", {size > 0 ? size : 28L});
    control.Call(L"SetFontColor", {static_cast<long>(textColour)});
    control.Call(L"SetText", {text, 10L, 10L});
    status.Show(L"Overlay text: " + text);
}

void CPlayerWindow::ChooseTextColour()
{
    static COLORREF custom[16] = {};
    CHOOSECOLORW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.rgbResult = textColour;
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorW(&dialog)) {
        textColour = dialog.rgbResult;
        ShowText();
    }
}

// The control writes the picture it shows; whether a file appeared is all the player can check.
void CPlayerWindow::Snapshot(const std::wstring& path)
{
    if (!Ready())
        return;
    const std::wstring target = PathForControl(path);
    DeleteFileW(target.c_str());
    control.Call(L"GetCurrentImage", {target});
    if (FileExists(target))
        status.Show(L"Snapshot saved to " + path);
    else
        status.Show(L"No snapshot was saved: the video renderer gave no picture");
}

void CPlayerWindow::SaveSnapshot()
{
    wchar_t path[MAX_PATH * 2] = L"snapshot.bmp";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = L"Bitmap files\0*.bmp\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH * 2;
    dialog.lpstrDefExt = L"bmp";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (GetSaveFileNameW(&dialog))
        Snapshot(path);
}

namespace {

// Buttons that call one method of the control without arguments, or with the chosen layer.
struct MethodButton
{
    int id;
    const wchar_t* method;
    bool takesLayer;
};
const MethodButton kMethodButtons[] = {
    {ID_SWAP, L"SwapVideo", false},       {ID_FLIP, L"FlipVideo", true},      {ID_MIRROR, L"MirrorVideo", true},
    {ID_HIDE_TEXT, L"DisableText", false}, {ID_SLIDE, L"SlideEffect", false}, {ID_STROBE, L"StrobeEffect", false},
};
// Check boxes that put one property of the control.
struct PropertyBox
{
    int id;
    const wchar_t* property;
};
const PropertyBox kPropertyBoxes[] = {{ID_MUTE, L"XMute"}, {ID_LOOP, L"XLoop"}, {ID_ASPECT, L"XAspectRatio"}};

} // namespace

void CPlayerWindow::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case ID_OPEN: OpenFile(); return;
    case ID_PLAY: Play(); return;
    case ID_PAUSE: Pause(); return;
    case ID_STOP: Stop(); return;
    case ID_TEXT_COLOUR: ChooseTextColour(); return;
    case ID_SHOW_TEXT: ShowText(); return;
    case ID_SNAPSHOT: SaveSnapshot(); return;
    default: break;
    }
    for (const MethodButton& button : kMethodButtons) {
        if (button.id == id && Ready()) {
            if (button.takesLayer)
                control.Call(button.method, {static_cast<short>(SelectedLayer())});
            else
                control.Call(button.method);
        }
    }
    for (const PropertyBox& box : kPropertyBoxes) {
        if (box.id == id && Ready())
            control.Put(box.property, Checked(id));
    }
}

// Trackbars: the position seeks when the user lets go of the thumb (or pages), the volume and
// the selected layer's opacity follow at once.
void CPlayerWindow::OnScroll(HWND bar, int code)
{
    if (!control.IsAttached())
        return;
    const long position = static_cast<long>(SendMessageW(bar, TBM_GETPOS, 0, 0));
    const int id = GetDlgCtrlID(bar);
    if (id == ID_POSITION_SLIDER) {
        // Every drag, click or key on the slider ends with TB_ENDTRACK: one seek per gesture.
        if (code == TB_THUMBTRACK) {
            dragging = true;
        } else if (code == TB_ENDTRACK) {
            control.Call(L"SetSliderPosition", {position});
            dragging = false;
        }
    } else if (id == ID_VOLUME) {
        control.Call(L"SetAudioVolume", {static_cast<short>(position)});
    } else if (id == ID_OPACITY) {
        control.Call(L"SetLayerAlpha", {static_cast<short>(SelectedLayer()), static_cast<short>(position)});
    }
}
