#include "DispatchInterface.h"

#include <cwchar>
#include <new>
#include <string>
#include <vector>

namespace {

const DispatchEntry* FindEntry(const DispatchTable& table, DISPID dispid)
{
    for (const DispatchEntry& entry : table)
        if (entry.dispid == dispid)
            return &entry;
    return nullptr;
}

bool SameNameIgnoringCase(const char* ascii, const wchar_t* name)
{
    for (; *ascii && *name; ++ascii, ++name)
        if (towlower(static_cast<wchar_t>(static_cast<unsigned char>(*ascii))) != towlower(*name))
            return false;
    return *ascii == '\0' && *name == L'\0';
}

// The caller's arguments (last first in DISPPARAMS) coerced to the declared types, first first.
class CoercedArguments
{
public:
    ~CoercedArguments()
    {
        for (VARIANT& value : values)
            VariantClear(&value);
    }

    HRESULT Coerce(const VARTYPE* types, unsigned count, const DISPPARAMS& given, UINT* argumentError)
    {
        if (given.cArgs != count)
            return DISP_E_BADPARAMCOUNT;
        values.resize(count);
        texts.resize(count);
        for (VARIANT& value : values)
            VariantInit(&value);
        for (unsigned i = 0; i < count; ++i) {
            const UINT position = count - 1 - i;
            VARIANT direct;
            VariantInit(&direct);
            HRESULT hr = VariantCopyInd(&direct, &given.rgvarg[position]);
            if (SUCCEEDED(hr))
                hr = VariantChangeType(&values[i], &direct, 0, types[i]);
            VariantClear(&direct);
            if (FAILED(hr)) {
                if (argumentError)
                    *argumentError = position;
                return DISP_E_TYPEMISMATCH;
            }
            if (types[i] == VT_BSTR)
                texts[i] = AnsiFromBstr(values[i].bstrVal);
        }
        return S_OK;
    }

    DispatchArguments View() const { return {values.data(), texts.data()}; }
    const VARIANT& First() const { return values[0]; }

private:
    std::vector<VARIANT> values;
    std::vector<std::string> texts;
};

// Hands the handler's result to the caller, or frees it when the caller wants none.
HRESULT DeliverResult(HRESULT hr, VARIANT& produced, VARIANT* result)
{
    if (SUCCEEDED(hr) && result)
        *result = produced;
    else
        VariantClear(&produced);
    return hr;
}

}  // namespace

HRESULT CDispatchInterface::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT CDispatchInterface::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return owner.GetTypeInfoOf(interfaceId, info);
}

HRESULT CDispatchInterface::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids)
        return E_POINTER;
    if (count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    for (const DispatchEntry& entry : owner.GetDispatchTable()) {
        if (names[0] && SameNameIgnoringCase(entry.name, names[0])) {
            ids[0] = entry.dispid;
            // Arguments travel by position only: parameter names are not known.
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT CDispatchInterface::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError)
{
    const DispatchEntry* entry = FindEntry(owner.GetDispatchTable(), dispid);
    if (!entry)
        return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    const DISPPARAMS& given = parameters ? *parameters : none;
    // Arguments counted but not passed would be read from nowhere.
    if (given.cArgs > 0 && !given.rgvarg)
        return E_INVALIDARG;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const bool get = (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;
    if (given.cNamedArgs > 0 &&
        !(put && given.cNamedArgs == 1 && given.rgdispidNamedArgs && given.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT))
        return DISP_E_NONAMEDARGS;
    if (result)
        VariantInit(result);

    try {
        CoercedArguments arguments;
        VARIANT produced;
        VariantInit(&produced);
        if (entry->kind == DispatchKind::Method) {
            if (put || !get)
                return DISP_E_MEMBERNOTFOUND;
            HRESULT hr = arguments.Coerce(entry->parameters, entry->parameterCount, given, argumentError);
            if (SUCCEEDED(hr))
                hr = owner.CallHandler(entry->call, arguments.View(), &produced);
            return DeliverResult(hr, produced, result);
        }
        if (put) {
            HRESULT hr = arguments.Coerce(entry->parameters, 1, given, argumentError);
            if (FAILED(hr))
                return hr;
            if (entry->kind == DispatchKind::StockProperty)
                return owner.PutStockProperty(entry->stock, arguments.First());
            hr = owner.CallHandler(entry->put, arguments.View(), nullptr);
            if (SUCCEEDED(hr))
                owner.SetModifiedFlag(true);
            return hr;
        }
        if (!get)
            return DISP_E_MEMBERNOTFOUND;
        if (given.cArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        const HRESULT hr = entry->kind == DispatchKind::StockProperty
                               ? owner.GetStockProperty(entry->stock, &produced)
                               : owner.CallHandler(entry->get, arguments.View(), &produced);
        return DeliverResult(hr, produced, result);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        // A handler's failure must not unwind into the caller.
        if (exception) {
            *exception = EXCEPINFO{};
            exception->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
    }
}

