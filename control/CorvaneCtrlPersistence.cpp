// The persistent properties: one exchange routine for load, save and reset, the reset's empty
// picture, and what a put of each custom property does at once.
#include "CorvaneCtrl.h"

#include <olectl.h>

namespace {
constexpr LONG kDefaultEffectSpeed = 125;

// A picture object of type none: what a new control holds and saves.
Microsoft::WRL::ComPtr<IUnknown> NewEmptyPicture()
{
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof(description);
    description.picType = PICTYPE_NONE;
    Microsoft::WRL::ComPtr<IUnknown> picture;
    OleCreatePictureIndirect(&description, IID_IPicture, TRUE, reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}
}  // namespace

void CCorvaneCtrl::DoPropExchange(CPropExchange& exchange)
{
    // Items stop at the first failure: a stream cannot be read past an item that failed.
    if (!exchange.ExchangeVersion(loadedVersion, kPersistVersion))
        return;
    // A picture cannot travel in an asynchronous stream.
    if (!exchange.IsAsynchronous() &&
        !exchange.ExchangeObject("ControlPicture", controlPicture, IID_IPicture, nullptr))
        return;
    if (!exchange.ExchangeBool("XLoop", XLoop, FALSE) || !exchange.ExchangeBool("XMute", XMute, FALSE) ||
        !exchange.ExchangeBool("XAspectRatio", XAspectRatio, FALSE) ||
        !exchange.ExchangeLong("XEffectSpeed", XEffectSpeed, kDefaultEffectSpeed))
        return;
    COleControl::DoPropExchange(exchange);
}

void CCorvaneCtrl::OnResetState()
{
    COleControl::OnResetState();
    controlPicture = NewEmptyPicture();
}

// The handlers run after every put, never on load or reset. Each leaves the control modified
// itself, so that it holds however it is reached.
void CCorvaneCtrl::OnXAspectRatioChanged()
{
    engine.SetAspectRatio(XAspectRatio);
    engine.UpdateVideoPosition();
    engine.Repaint();
    SetModifiedFlag(true);
}

void CCorvaneCtrl::OnXMuteChanged()
{
    if (XMute)
        engine.MuteAudio();
    else
        engine.ApplyVolume();
    SetModifiedFlag(true);
}

void CCorvaneCtrl::OnXLoopChanged()
{
    // The monitor thread reads XLoop at each end of playback.
    SetModifiedFlag(true);
}

void CCorvaneCtrl::OnXEffectSpeedChanged()
{
    // Read where it is used: by each effect step's pause and by the next effect timer start.
    SetModifiedFlag(true);
}
