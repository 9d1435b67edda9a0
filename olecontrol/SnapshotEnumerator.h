// A standard COM enumerator over a copy of a list taken when it was made, so that the list
// may change (a sink unadvising itself) while a caller walks it.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <new>
#include <vector>

// What holding one item means: a reference on its interface.
struct ConnectionItemTraits
{
    static void Hold(const CONNECTDATA& item) { if (item.pUnk) item.pUnk->AddRef(); }
    static void Drop(const CONNECTDATA& item) { if (item.pUnk) item.pUnk->Release(); }
};
struct InterfaceItemTraits
{
    static void Hold(IUnknown* item) { if (item) item->AddRef(); }
    static void Drop(IUnknown* item) { if (item) item->Release(); }
};

template <class Interface, class Item, class Traits>
class SnapshotEnumerator final : public Interface
{
public:
    // `owner` stays alive while the enumerator exists (the items may point into it).
    SnapshotEnumerator(IUnknown* owner, std::vector<Item> snapshot, size_t start = 0)
        : owner(owner), items(std::move(snapshot)), position(start)
    {
        for (const Item& item : items)
            Traits::Hold(item);
    }
    ~SnapshotEnumerator()
    {
        for (const Item& item : items)
            Traits::Drop(item);
    }

    static HRESULT Create(IUnknown* owner, std::vector<Item> snapshot, Interface** out)
    {
        if (!out)
            return E_POINTER;
        *out = new (std::nothrow) SnapshotEnumerator(owner, std::move(snapshot));
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override
    {
        if (!out || (count > 1 && !fetched))
            return E_POINTER;
        ULONG given = 0;
        while (given < count && position < items.size()) {
            out[given] = items[position++];
            Traits::Hold(out[given]);
            ++given;
        }
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        const size_t left = items.size() - position;
        position += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        position = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** out) override
    {
        if (!out)
            return E_POINTER;
        *out = new (std::nothrow) SnapshotEnumerator(owner.Get(), items, position);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    LONG references = 1;
    Microsoft::WRL::ComPtr<IUnknown> owner;
    std::vector<Item> items;
    size_t position;
};

using ConnectionEnumerator = SnapshotEnumerator<IEnumConnections, CONNECTDATA, ConnectionItemTraits>;
using ConnectionPointEnumerator = SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*, InterfaceItemTraits>;
