// The framework's part of the exchange (extent, stock mask, BackColor, Appearance) and the
// control's side of CPersistentObject.
#include "OleControl.h"
#include "ResetExchange.h"

#include "Himetric.h"

namespace {
constexpr ULONG knownStockProperties =
    static_cast<ULONG>(StockProperty::BackColor) | static_cast<ULONG>(StockProperty::Appearance);
}

void COleControl::DoPropExchange(CPropExchange& exchange)
{
    // Items stop at the first failure: a stream cannot be read past an item that failed.
    const SIZEL previous = extent;
    if (!exchange.ExchangeLongKeptOnReset("_ExtentX", extent.cx) ||
        !exchange.ExchangeLongKeptOnReset("_ExtentY", extent.cy))
        return;
    if (exchange.IsLoading())
        ApplyLoadedExtent(previous);
    ExchangeStockProperties(exchange);
}

bool COleControl::ExchangeStockProperties(CPropExchange& exchange)
{
    const ULONG ownMask = StockPropertyMask();
    ULONG mask = ownMask;
    if (!exchange.ExchangeULong("_StockProps", mask, ownMask))
        return false;
    // Stored data naming stock properties this framework lacks cannot be read past.
    if (exchange.IsLoading() && (mask & ~knownStockProperties))
        return false;
    const bool defaultsWhenAbsent = !exchange.IsSaving();

    if (mask & static_cast<ULONG>(StockProperty::BackColor)) {
        if (!exchange.ExchangeColor("BackColor", backColor, AmbientBackColor()))
            return false;
    } else if (defaultsWhenAbsent) {
        backColor = AmbientBackColor();
    }

    const SHORT previousAppearance = appearance;
    if (mask & static_cast<ULONG>(StockProperty::Appearance)) {
        if (!exchange.ExchangeShort("Appearance", appearance, AmbientAppearance()))
            return false;
    } else if (defaultsWhenAbsent) {
        appearance = AmbientAppearance();
    }
    if (exchange.IsLoading() && appearance != previousAppearance)
        RedrawFrame();
    return true;
}

void COleControl::ApplyLoadedExtent(SIZEL previous)
{
    if (extent.cx == previous.cx && extent.cy == previous.cy)
        return;
    inPlaceObject.RequestPlacementSize(HimetricToPixels(extent));
    viewObject.NotifyViewChanged();
}

std::unique_ptr<CPropExchange> COleControl::CreateResetExchange()
{
    return std::make_unique<CResetExchange>();
}

void COleControl::OnResetState()
{
    if (std::unique_ptr<CPropExchange> reset = CreateResetExchange())
        DoPropExchange(*reset);
    SetModifiedFlag(false);
}

void COleControl::SetModifiedFlag(bool isModified)
{
    modified = isModified;
}

void COleControl::OnPropertiesLoaded()
{
    BoundPropertyChanged(DISPID_UNKNOWN);
    InvalidateControl();
}
