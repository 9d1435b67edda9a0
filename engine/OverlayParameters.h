// Changing the overlay's live parameters in place: the mixer holds them, so every change reads
// them, alters one aspect, keys white out again and writes them back.
#pragma once

#include "VMR9Graph.h"

// The caller holds the engine lock and has checked that the mixer bitmap interface exists.
// Parameters that could not be read are not written back: zeroes would move and hide the overlay.
template <class Change> HRESULT CVMR9Graph::ChangeOverlayParameters(Change change)
{
    VMR9AlphaBitmap parameters = {};
    const HRESULT read =
        ReportIfFailed(mixerBitmap->GetAlphaBitmapParameters(&parameters), "Can't read the overlay");
    if (FAILED(read))
        return read;
    change(parameters);
    ApplyColorKey(parameters);
    return ReportIfFailed(mixerBitmap->UpdateAlphaBitmapParameters(&parameters),
                                 "Can't change the overlay");
}
