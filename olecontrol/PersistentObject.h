// What the persistence interfaces (stream, property bag, storage) need of the control they
// serve. The control framework's COleControl implements it; the interface classes delegate
// their IUnknown to GetControllingUnknown().
#pragma once

#include <windows.h>
#include <ole2.h>

class CPropExchange;

class CPersistentObject
{
public:
    virtual ~CPersistentObject() = default;

    virtual IUnknown* GetControllingUnknown() = 0;
    virtual CLSID GetPersistClassId() const = 0;
    // The control's whole exchange routine (its own items, then the framework's).
    virtual void DoPropExchange(CPropExchange& exchange) = 0;
    // Every item to its default, plus whatever else a fresh control needs.
    virtual void OnResetState() = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModifiedFlag(bool modified) = 0;
    // After a successful load: tell the container that every bound property changed, repaint.
    virtual void OnPropertiesLoaded() = 0;
};
