// Runs the control's exchange routine through one backend and applies the failure rule:
// a failed load resets the control so that no partly loaded state remains.
#pragma once

#include "CheckedPropExchange.h"
#include "PersistentObject.h"

// S_OK after a complete load (the control is told, and is left unmodified); otherwise E_FAIL
// after OnResetState, with the kept-on-reset values as they were before the load.
HRESULT LoadThroughExchange(CPersistentObject& object, CCheckedPropExchange& exchange);
// S_OK when every item was written; E_FAIL otherwise. `clearDirty` clears the modified flag
// after a complete save only.
HRESULT SaveThroughExchange(CPersistentObject& object, CCheckedPropExchange& exchange, bool clearDirty);
// Every item to its default (InitNew); the fresh control is unmodified.
HRESULT ResetThroughObject(CPersistentObject& object);

// The stream form shared by IPersistStreamInit and the storage's "Contents" stream.
HRESULT LoadFromStream(CPersistentObject& object, IStream* stream);
HRESULT SaveToStream(CPersistentObject& object, IStream* stream, bool clearDirty);
