#include "MemoryPropertyBag.h"

CMemoryPropertyBag::~CMemoryPropertyBag()
{
    for (auto& entry : values)
        VariantClear(&entry.second);
}

STDMETHODIMP CMemoryPropertyBag::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyBag) {
        *object = static_cast<IPropertyBag*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CMemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    if (!name || !value)
        return E_POINTER;
    auto found = values.find(name);
    if (found == values.end())
        return E_INVALIDARG;
    VARTYPE wanted = V_VT(value);
    VariantInit(value);
    if (wanted == VT_EMPTY || wanted == V_VT(&found->second))
        return VariantCopy(value, &found->second);
    return VariantChangeType(value, &found->second, 0, wanted);
}

STDMETHODIMP CMemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value)
{
    if (!name || !value)
        return E_POINTER;
    if (FAILED(failNextWrite)) {
        HRESULT hr = failNextWrite;
        failNextWrite = S_OK;
        return hr;
    }
    if (!Has(name))
        writtenNames.emplace_back(name);
    Put(name, *value);
    return S_OK;
}

const VARIANT& CMemoryPropertyBag::Value(const std::wstring& name) const
{
    static const VARIANT empty = {};
    auto found = values.find(name);
    return found == values.end() ? empty : found->second;
}

void CMemoryPropertyBag::Put(const std::wstring& name, const VARIANT& value)
{
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, const_cast<VARIANT*>(&value));
    Remove(name);
    values[name] = copy;
}

void CMemoryPropertyBag::Remove(const std::wstring& name)
{
    auto found = values.find(name);
    if (found != values.end()) {
        VariantClear(&found->second);
        values.erase(found);
    }
}
