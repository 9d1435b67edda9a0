#include "ExchangeRunner.h"

#include "KeptValueSnapshot.h"
#include "StreamLoadExchange.h"
#include "StreamSaveExchange.h"

namespace {

bool RunExchange(CPersistentObject& object, CCheckedPropExchange& exchange)
{
    try {
        object.DoPropExchange(exchange);
    } catch (...) {
        return false;
    }
    return exchange.Succeeded();
}

} // namespace

HRESULT ResetThroughObject(CPersistentObject& object)
{
    try {
        object.OnResetState();
    } catch (...) {
        return E_FAIL;
    }
    object.SetModifiedFlag(false);
    return S_OK;
}

HRESULT LoadThroughExchange(CPersistentObject& object, CCheckedPropExchange& exchange)
{
    CKeptValueSnapshot keptValues(object);
    if (!RunExchange(object, exchange)) {
        ResetThroughObject(object);
        keptValues.Restore(object);
        return E_FAIL;
    }
    object.SetModifiedFlag(false);
    try {
        object.OnPropertiesLoaded();
    } catch (...) {
        // The values are in; a failed notification does not undo the load.
    }
    return S_OK;
}

HRESULT SaveThroughExchange(CPersistentObject& object, CCheckedPropExchange& exchange, bool clearDirty)
{
    if (!RunExchange(object, exchange))
        return E_FAIL;
    if (clearDirty)
        object.SetModifiedFlag(false);
    return S_OK;
}

HRESULT LoadFromStream(CPersistentObject& object, IStream* stream)
{
    CStreamLoadExchange exchange(stream);
    return LoadThroughExchange(object, exchange);
}

HRESULT SaveToStream(CPersistentObject& object, IStream* stream, bool clearDirty)
{
    CStreamSaveExchange exchange(stream);
    return SaveThroughExchange(object, exchange, clearDirty);
}
