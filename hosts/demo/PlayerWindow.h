// The player's main window: the control in its video rectangle and the usual controls of a
// player around it. Every action goes to the control by name through automation; what the
// control cannot report itself (a missing file, a file it could not play) the window finds
// out from the control's answers and says in the status line.
#pragma once

#include "AxContainer.h"
#include "DemoOptions.h"
#include "EventConnection.h"
#include "LateBound.h"
#include "StatusLine.h"

#include <windows.h>

#include <string>

class CPlayerWindow final
{
public:
    explicit CPlayerWindow(const DemoOptions& options);
    CPlayerWindow(const CPlayerWindow&) = delete;
    CPlayerWindow& operator=(const CPlayerWindow&) = delete;

    // Creates and shows the window; false when no window can be made (no display).
    bool Create(int show);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // PlayerLayout.cpp: the child windows and their places.
    void CreateChildren();
    HWND Child(int id, const wchar_t* windowClass, const wchar_t* text, DWORD style);
    void Layout(int width, int height);
    void LogPlacement();
    // True when the platform showed renderer windows of its own (logged once found).
    bool LogRendererWindows();

    // PlayerWindow.cpp: start-up and the control's events.
    void Start();
    void CreateControl();
    void OnControlEvent(const std::wstring& name);
    void ShowPosition();
    void Finish();

    // PlayerCommands.cpp: what the buttons, boxes and sliders do.
    void OnCommand(int id, int code);
    void OnScroll(HWND bar, int code);
    bool Ready();
    bool Load(const std::wstring& file, int layer);
    void OpenFile();
    void Play();
    void Pause();
    void Stop();
    void ShowText();
    void ChooseTextColour();
    void Snapshot(const std::wstring& path);
    void SaveSnapshot();
    int SelectedLayer() const;
    std::wstring ItemText(int id) const;
    bool Checked(int id) const;

    const DemoOptions& options;
    HWND window = nullptr;
    HWND videoHost = nullptr;
    CAxContainer container;
    CLateBound control;
    CEventConnection events;
    CStatusLine status;
    COLORREF textColour = RGB(255, 0, 0);
    bool playing = false;
    bool dragging = false;
    DWORD lastPositionLog = 0;
    bool rendererWindowsFound = false;
};
