// A property bag of the tests' own: named VARIANTs in memory, read back converted to the type
// the reader asks for, and a record of every name read.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <map>
#include <string>
#include <vector>

class CMemoryPropertyBag final : public IPropertyBag
{
public:
    CMemoryPropertyBag() = default;
    ~CMemoryPropertyBag();
    CMemoryPropertyBag(const CMemoryPropertyBag&) = delete;
    CMemoryPropertyBag& operator=(const CMemoryPropertyBag&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* errorLog) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    bool Has(const std::wstring& name) const { return values.count(name) != 0; }
    // The stored value (VT_EMPTY when absent).
    const VARIANT& Value(const std::wstring& name) const;
    void Put(const std::wstring& name, const VARIANT& value);
    void Remove(const std::wstring& name);
    // Names in the order they were first written.
    const std::vector<std::wstring>& WrittenNames() const { return writtenNames; }
    // The next Write fails with this code (0: writes succeed).
    HRESULT failNextWrite = S_OK;

private:
    std::map<std::wstring, VARIANT> values;
    std::vector<std::wstring> writtenNames;
};
