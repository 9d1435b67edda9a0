// A snapshot enumerator (IEnumPins, IEnumFilters, IEnumMediaTypes, IEnumMoniker): it hands out
// the items the owner had when it was made, AddRef'd (interfaces) or as CoTaskMemAlloc'd copies
// (media types, which the caller frees).
#pragma once

#include "fakes/FakeObject.h"

#include <wrl/client.h>

#include <type_traits>

template <class IEnum, class Item>
class FakeEnumerator final : public FakeCom<FakeObject, IEnum>
{
public:
    using ItemOut = std::conditional_t<std::is_same_v<Item, AM_MEDIA_TYPE>, AM_MEDIA_TYPE*, Item*>;
    using Held = std::conditional_t<std::is_same_v<Item, AM_MEDIA_TYPE>, AM_MEDIA_TYPE,
                                    Microsoft::WRL::ComPtr<Item>>;

    FakeEnumerator(const std::string& owner, const char* interfaceName, std::vector<Held> snapshot,
                   size_t start = 0)
        : FakeCom<FakeObject, IEnum>(owner + ".enum"), owner(owner), prefix(interfaceName),
          items(std::move(snapshot)), position(start)
    {
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, ItemOut* out, ULONG* fetched) override
    {
        HRESULT answer = this->Enter(Method("Next"), Args(count, Out(out), Out(fetched)));
        if (FAILED(answer))
            return answer;
        if (!out || (count > 1 && !fetched))
            return E_POINTER;
        ULONG given = 0;
        for (; given < count && position < items.size(); ++given, ++position)
            out[given] = Give(items[position]);
        if (fetched)
            *fetched = given;
        return given == count ? answer : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        HRESULT answer = this->Enter(Method("Skip"), Args(count));
        if (FAILED(answer))
            return answer;
        position += count;
        if (position <= items.size())
            return answer;
        position = items.size();
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        HRESULT answer = this->Enter(Method("Reset"));
        if (SUCCEEDED(answer))
            position = 0;
        return answer;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnum** out) override
    {
        HRESULT answer = this->Enter(Method("Clone"), Args(Out(out)));
        if (FAILED(answer))
            return answer;
        if (!out)
            return E_POINTER;
        *out = new FakeEnumerator(owner, prefix, items, position);
        (*out)->AddRef();
        return answer;
    }

private:
    void OnFinalRelease() override { items.clear(); }
    void* FindInterface(REFIID iid) override
    {
        return IsEqualIID(iid, __uuidof(IEnum)) ? static_cast<IEnum*>(this) : nullptr;
    }
    std::string Method(const char* name) const { return std::string(prefix) + "::" + name; }

    static ItemOut Give(const Held& held)
    {
        if constexpr (std::is_same_v<Item, AM_MEDIA_TYPE>) {
            auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
            *copy = held;
            copy->pbFormat = nullptr;
            copy->cbFormat = 0;
            copy->pUnk = nullptr;
            return copy;
        } else {
            held->AddRef();
            return held.Get();
        }
    }

    HRESULT Enter(const std::string& method, std::vector<std::string> args = {})
    {
        return FakeObject::Enter(method.c_str(), std::move(args));
    }

    std::string owner;
    const char* prefix;
    std::vector<Held> items;
    size_t position;
};
