// IDispatch over the control's member table: name lookup, argument checks and coercion, calls
// of the handlers, and the stock properties the framework keeps itself.
#include "OleControl.h"

#include <cwchar>
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

HRESULT COleControl::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const
{
    if (!names || !ids)
        return E_POINTER;
    if (count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    for (const DispatchEntry& entry : GetDispatchTable()) {
        if (names[0] && SameNameIgnoringCase(entry.name, names[0])) {
            ids[0] = entry.dispid;
            // Arguments travel by position only: parameter names are not known.
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT COleControl::Invoke(DISPID dispid, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                            EXCEPINFO* exception, UINT* argumentError)
{
    const DispatchEntry* entry = FindEntry(GetDispatchTable(), dispid);
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
                hr = entry->call(*this, arguments.View(), &produced);
            return DeliverResult(hr, produced, result);
        }
        if (put) {
            HRESULT hr = arguments.Coerce(entry->parameters, 1, given, argumentError);
            if (FAILED(hr))
                return hr;
            if (entry->kind == DispatchKind::StockProperty)
                return PutStockProperty(entry->stock, arguments.First());
            hr = entry->put(*this, arguments.View(), nullptr);
            if (SUCCEEDED(hr))
                SetModifiedFlag(true);
            return hr;
        }
        if (!get)
            return DISP_E_MEMBERNOTFOUND;
        if (given.cArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        const HRESULT hr = entry->kind == DispatchKind::StockProperty
                               ? GetStockProperty(entry->stock, &produced)
                               : entry->get(*this, arguments.View(), &produced);
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

HRESULT COleControl::GetStockProperty(StockProperty property, VARIANT* out) const
{
    if (property == StockProperty::BackColor)
        return DispatchValue<unsigned long>::To(backColor, out);
    if (property == StockProperty::Appearance)
        return DispatchValue<short>::To(appearance, out);
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT COleControl::PutStockProperty(StockProperty property, const VARIANT& value)
{
    const DISPID dispid = property == StockProperty::BackColor ? DISPID_BACKCOLOR : DISPID_APPEARANCE;
    if (!BoundPropertyRequestEdit(dispid))
        return CTL_E_SETNOTPERMITTED;
    if (property == StockProperty::BackColor)
        SetBackColor(static_cast<OLE_COLOR>(value.lVal));
    else
        SetAppearance(value.iVal);
    return S_OK;
}

void COleControl::SetBackColor(OLE_COLOR color)
{
    backColor = color;
    SetModifiedFlag(true);
    InvalidateControl();
    BoundPropertyChanged(DISPID_BACKCOLOR);
}

void COleControl::SetAppearance(SHORT value)
{
    appearance = value;
    SetModifiedFlag(true);
    RedrawFrame();
    InvalidateControl();
    BoundPropertyChanged(DISPID_APPEARANCE);
}

ULONG COleControl::StockPropertyMask() const
{
    ULONG mask = 0;
    for (const DispatchEntry& entry : GetDispatchTable())
        if (entry.kind == DispatchKind::StockProperty)
            mask |= static_cast<ULONG>(entry.stock);
    return mask;
}
