// Changing the overlay's live parameters in place: the mixer holds them, so every change reads
// them, alters one aspect, keys white out again and writes them back.
#pragma once

#include "VMR9Graph.h"

// The caller holds the engine lock and has checked that the mixer bitmap interface exists.
template <class Change>
HRESULT ChangeOverlayParameters(CVMR9Graph& engine, Change change)
{
    VMR9AlphaBitmap parameters = {};
    engine.mixerBitmap->GetAlphaBitmapParameters(&parameters);
    change(parameters);
    engine.ApplyColorKey(parameters);
    return engine.mixerBitmap->UpdateAlphaBitmapParameters(&parameters);
}
