// Calls a control's methods and properties by name through IDispatch (GetIDsOfNames, Invoke),
// as a script host does: no header or library of the control is needed.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <initializer_list>
#include <map>
#include <string>

// One automation argument; it owns its VARIANT (strings are copied into a BSTR).
class CArg final
{
public:
    CArg(long value);
    CArg(int value) : CArg(static_cast<long>(value)) {}
    CArg(short value);
    CArg(double value);
    CArg(bool value);
    CArg(const std::wstring& text);
    // Without this a string literal would pick the bool constructor.
    CArg(const wchar_t* text) : CArg(std::wstring(text ? text : L"")) {}
    CArg(const CArg&) = delete;
    CArg& operator=(const CArg&) = delete;
    ~CArg() { VariantClear(&value); }
    const VARIANT& Value() const { return value; }

private:
    VARIANT& Init(VARTYPE type);
    VARIANT value;
};

class CLateBound final
{
public:
    void Attach(IDispatch* object) { dispatch = object; ids.clear(); }
    bool IsAttached() const { return dispatch != nullptr; }

    HRESULT Call(const wchar_t* name, std::initializer_list<CArg> args = {}, VARIANT* result = nullptr);
    HRESULT Put(const wchar_t* name, const CArg& value);

    // Results converted to the wanted type; the empty value when the call or coercion fails.
    std::wstring Text(const wchar_t* name);
    double Number(const wchar_t* name);
    long Whole(const wchar_t* name);

private:
    HRESULT IdOf(const wchar_t* name, DISPID& id);
    HRESULT Invoke(const wchar_t* name, WORD flags, DISPPARAMS& parameters, VARIANT* result);
    // Runs the getter `name` and coerces its result to `type`.
    bool Result(const wchar_t* name, VARTYPE type, VARIANT& converted);

    Microsoft::WRL::ComPtr<IDispatch> dispatch;
    std::map<std::wstring, DISPID> ids;
};
