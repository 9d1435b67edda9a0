// Identifiers of the player window's child windows.
#pragma once

#include <windows.h>

enum PlayerControlId : int
{
    ID_VIDEO = 100,
    ID_LAYER,
    ID_OPEN,
    ID_PLAY,
    ID_PAUSE,
    ID_STOP,
    ID_POSITION_SLIDER,
    ID_POSITION_TEXT,
    ID_VOLUME_LABEL,
    ID_VOLUME,
    ID_MUTE,
    ID_LOOP,
    ID_ASPECT,
    ID_OPACITY_LABEL,
    ID_OPACITY,
    ID_SWAP,
    ID_FLIP,
    ID_MIRROR,
    ID_TEXT_LABEL,
    ID_TEXT,
    ID_FONT_SIZE,
    ID_TEXT_COLOUR,
    ID_SHOW_TEXT,
    ID_HIDE_TEXT,
    ID_SLIDE,
    ID_STROBE,
    ID_SNAPSHOT,
    ID_STATUS,
};

// The timer that ends a run started with --seconds.
constexpr UINT_PTR kExitTimer = 1;
// Posted once the window is shown: loads the files and starts playing.
constexpr UINT kStartMessage = WM_APP + 1;
