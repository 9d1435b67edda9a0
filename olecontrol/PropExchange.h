// One exchange routine serves load, save and reset: the control calls one typed Exchange...
// per persistent item, and the exchange object reads into, writes from or resets the member.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

class CPropExchange
{
public:
    enum class Direction { Load, Save, Reset };

    explicit CPropExchange(Direction direction, bool asynchronous = false)
        : direction(direction), asynchronous(asynchronous)
    {
    }
    virtual ~CPropExchange() = default;
    CPropExchange(const CPropExchange&) = delete;
    CPropExchange& operator=(const CPropExchange&) = delete;

    Direction GetDirection() const { return direction; }
    bool IsLoading() const { return direction == Direction::Load; }
    bool IsSaving() const { return direction == Direction::Save; }
    bool IsResetting() const { return direction == Direction::Reset; }
    // Stream persistence may be asynchronous; items that cannot travel then are skipped.
    bool IsAsynchronous() const { return asynchronous; }

    // Each call returns false when the item could not be read or written; the framework then
    // fails the whole load or save. Reset gives the member its default.
    virtual bool ExchangeULong(const char* name, ULONG& value, ULONG defaultValue) = 0;
    virtual bool ExchangeLong(const char* name, LONG& value, LONG defaultValue) = 0;
    // A value that a reset leaves as it is (the extent).
    virtual bool ExchangeLongKeptOnReset(const char* name, LONG& value) = 0;
    virtual bool ExchangeShort(const char* name, SHORT& value, SHORT defaultValue) = 0;
    virtual bool ExchangeBool(const char* name, BOOL& value, BOOL defaultValue) = 0;
    virtual bool ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR defaultValue) = 0;
    virtual bool ExchangeString(const char* name, std::string& value, const char* defaultValue) = 0;
    // A persistent object (e.g. a standard picture) held as `iid`; the default is "none" or
    // `defaultValue`.
    virtual bool ExchangeObject(const char* name, Microsoft::WRL::ComPtr<IUnknown>& value, REFIID iid,
                                IUnknown* defaultValue) = 0;

    // The data version: load stores what was found in `loadedVersion`, save always writes
    // `currentVersion`, reset gives `currentVersion`.
    bool ExchangeVersion(ULONG& loadedVersion, ULONG currentVersion)
    {
        ULONG value = IsSaving() ? currentVersion : loadedVersion;
        if (!ExchangeULong("_Version", value, currentVersion))
            return false;
        if (!IsSaving())
            loadedVersion = value;
        return true;
    }

private:
    Direction direction;
    bool asynchronous;
};
