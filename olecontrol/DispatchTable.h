// The static tables a control hands the framework: its automation members and its events.
// Entries are built with DispatchMethod<&C::Handler>, DispatchProperty<&C::member, &C::OnChanged>
// and DispatchStock(StockProperty::...); parameter and result types follow from the C++ types:
//   short <-> VT_I2, long <-> VT_I4, double <-> VT_R8, BOOL (int) <-> VARIANT_BOOL,
//   OLE_COLOR/ULONG <-> VT_I4 bits, const char* parameter <- BSTR as ANSI,
//   const wchar_t* parameter <- the BSTR itself (UTF-16, whole; a null BSTR as ""),
//   std::string <-> BSTR (ANSI converted), BSTR result passed through (the caller frees it).
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

#include "AnsiText.h"

class COleControl;

// Coerced arguments in declaration order; texts[i] holds the ANSI form of a BSTR argument.
struct DispatchArguments
{
    const VARIANT* values;
    const std::string* texts;
};

using DispatchCall = HRESULT (*)(COleControl& control, const DispatchArguments& arguments, VARIANT* result);

enum class DispatchKind { Method, Property, StockProperty };

// The framework's stock properties; each value is the property's bit in the "_StockProps" mask.
enum class StockProperty : ULONG { None = 0, BackColor = 0x01, Appearance = 0x80 };

struct DispatchEntry
{
    const char* name;
    DISPID dispid;
    DispatchKind kind;
    const VARTYPE* parameters;  // a method's parameters; a property's one value type
    unsigned parameterCount;
    VARTYPE result;             // VT_EMPTY: the method returns nothing
    DispatchCall call;          // method
    DispatchCall get;           // custom property
    DispatchCall put;           // custom property: arguments.values[0] is the new value
    StockProperty stock;
};

struct DispatchTable
{
    const DispatchEntry* entries = nullptr;
    size_t count = 0;

    DispatchTable() = default;
    template <size_t N> constexpr DispatchTable(const DispatchEntry (&table)[N]) : entries(table), count(N) {}
    const DispatchEntry* begin() const { return entries; }
    const DispatchEntry* end() const { return entries + count; }
};

struct EventEntry
{
    static constexpr unsigned maxParameters = 8;
    const char* name;
    DISPID dispid;
    unsigned parameterCount;
    VARTYPE parameters[maxParameters];
};

struct EventTable
{
    const EventEntry* entries = nullptr;
    size_t count = 0;

    EventTable() = default;
    template <size_t N> constexpr EventTable(const EventEntry (&table)[N]) : entries(table), count(N) {}
    const EventEntry* begin() const { return entries; }
    const EventEntry* end() const { return entries + count; }
};

// Stock events: list the ones the control offers in its event table; the framework fires them.
namespace StockEvents {
inline constexpr EventEntry Click{"Click", DISPID_CLICK, 0, {}};
inline constexpr EventEntry DblClick{"DblClick", DISPID_DBLCLICK, 0, {}};
inline constexpr EventEntry MouseDown{"MouseDown", DISPID_MOUSEDOWN, 4, {VT_I2, VT_I2, VT_I4, VT_I4}};
inline constexpr EventEntry MouseMove{"MouseMove", DISPID_MOUSEMOVE, 4, {VT_I2, VT_I2, VT_I4, VT_I4}};
inline constexpr EventEntry MouseUp{"MouseUp", DISPID_MOUSEUP, 4, {VT_I2, VT_I2, VT_I4, VT_I4}};
}  // namespace StockEvents

// How one C++ type travels through a VARIANT.
template <class T> struct DispatchValue;

template <> struct DispatchValue<short>
{
    static constexpr VARTYPE type = VT_I2;
    static short From(const VARIANT& v, const std::string&) { return v.iVal; }
    static HRESULT To(short value, VARIANT* out) { out->vt = VT_I2; out->iVal = value; return S_OK; }
};
template <> struct DispatchValue<long>
{
    static constexpr VARTYPE type = VT_I4;
    static long From(const VARIANT& v, const std::string&) { return v.lVal; }
    static HRESULT To(long value, VARIANT* out) { out->vt = VT_I4; out->lVal = value; return S_OK; }
};
// OLE_COLOR travels as VT_I4 so that system colours (high bit set) do not overflow.
template <> struct DispatchValue<unsigned long>
{
    static constexpr VARTYPE type = VT_I4;
    static unsigned long From(const VARIANT& v, const std::string&) { return static_cast<unsigned long>(v.lVal); }
    static HRESULT To(unsigned long value, VARIANT* out)
    {
        out->vt = VT_I4;
        out->lVal = static_cast<LONG>(value);
        return S_OK;
    }
};
// BOOL is int: any non-zero VARIANT_BOOL gives 1.
template <> struct DispatchValue<int>
{
    static constexpr VARTYPE type = VT_BOOL;
    static int From(const VARIANT& v, const std::string&) { return v.boolVal != VARIANT_FALSE ? TRUE : FALSE; }
    static HRESULT To(int value, VARIANT* out)
    {
        out->vt = VT_BOOL;
        out->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
};
template <> struct DispatchValue<double>
{
    static constexpr VARTYPE type = VT_R8;
    static double From(const VARIANT& v, const std::string&) { return v.dblVal; }
    static HRESULT To(double value, VARIANT* out) { out->vt = VT_R8; out->dblVal = value; return S_OK; }
};
template <> struct DispatchValue<const char*>
{
    static constexpr VARTYPE type = VT_BSTR;
    static const char* From(const VARIANT&, const std::string& text) { return text.c_str(); }
};
// Wide text reaches the member as the host gave it, with no code-page round trip.
template <> struct DispatchValue<const wchar_t*>
{
    static constexpr VARTYPE type = VT_BSTR;
    static const wchar_t* From(const VARIANT& v, const std::string&) { return v.bstrVal ? v.bstrVal : L""; }
};
template <> struct DispatchValue<std::string>
{
    static constexpr VARTYPE type = VT_BSTR;
    static std::string From(const VARIANT&, const std::string& text) { return text; }
    static HRESULT To(const std::string& value, VARIANT* out)
    {
        out->vt = VT_BSTR;
        out->bstrVal = BstrFromAnsi(value.c_str());
        return out->bstrVal ? S_OK : E_OUTOFMEMORY;
    }
};
template <> struct DispatchValue<BSTR>
{
    static constexpr VARTYPE type = VT_BSTR;
    static HRESULT To(BSTR value, VARIANT* out) { out->vt = VT_BSTR; out->bstrVal = value; return S_OK; }
};

template <class T> using DispatchPlain = std::remove_cv_t<std::remove_reference_t<T>>;

template <class R> constexpr VARTYPE DispatchResultType()
{
    if constexpr (std::is_void_v<R>)
        return VT_EMPTY;
    else
        return DispatchValue<DispatchPlain<R>>::type;
}

// Calls `f` with the coerced arguments and stores its result, for any parameter list.
template <class R, class... A> struct DispatchSignature
{
    static constexpr unsigned parameterCount = sizeof...(A);
    static constexpr VARTYPE parameters[sizeof...(A) + 1] = {DispatchValue<DispatchPlain<A>>::type..., VT_EMPTY};
    static constexpr VARTYPE result = DispatchResultType<R>();

    template <class F, size_t... I>
    static HRESULT Run(F&& f, const DispatchArguments& a, VARIANT* out, std::index_sequence<I...>)
    {
        (void)a;
        if constexpr (std::is_void_v<R>) {
            f(DispatchValue<DispatchPlain<A>>::From(a.values[I], a.texts[I])...);
            return S_OK;
        } else {
            return DispatchValue<DispatchPlain<R>>::To(
                f(DispatchValue<DispatchPlain<A>>::From(a.values[I], a.texts[I])...), out);
        }
    }
};

template <auto Method> struct DispatchMethodBinding;

template <class C, class R, class... A, R (C::*Method)(A...)>
struct DispatchMethodBinding<Method> : DispatchSignature<R, A...>
{
    static HRESULT Call(COleControl& control, const DispatchArguments& a, VARIANT* out)
    {
        C& self = static_cast<C&>(control);
        return DispatchSignature<R, A...>::Run([&self](auto&&... x) { return (self.*Method)(x...); }, a, out,
                                               std::index_sequence_for<A...>{});
    }
};

template <class C, class R, class... A, R (C::*Method)(A...) const>
struct DispatchMethodBinding<Method> : DispatchSignature<R, A...>
{
    static HRESULT Call(COleControl& control, const DispatchArguments& a, VARIANT* out)
    {
        const C& self = static_cast<const C&>(control);
        return DispatchSignature<R, A...>::Run([&self](auto&&... x) { return (self.*Method)(x...); }, a, out,
                                               std::index_sequence_for<A...>{});
    }
};

template <auto Member, auto OnChange> struct DispatchPropertyBinding;

template <class C, class T, T C::*Member, auto OnChange>
struct DispatchPropertyBinding<Member, OnChange>
{
    static constexpr VARTYPE type[1] = {DispatchValue<T>::type};

    static HRESULT Get(COleControl& control, const DispatchArguments&, VARIANT* out)
    {
        return DispatchValue<T>::To(static_cast<C&>(control).*Member, out);
    }
    static HRESULT Put(COleControl& control, const DispatchArguments& a, VARIANT*)
    {
        C& self = static_cast<C&>(control);
        self.*Member = DispatchValue<T>::From(a.values[0], a.texts[0]);
        if constexpr (!std::is_null_pointer_v<decltype(OnChange)>)
            (self.*OnChange)();
        return S_OK;
    }
};

template <auto Method> constexpr DispatchEntry DispatchMethod(const char* name, DISPID dispid)
{
    using Binding = DispatchMethodBinding<Method>;
    return {name, dispid, DispatchKind::Method, Binding::parameters, Binding::parameterCount, Binding::result,
            &Binding::Call, nullptr, nullptr, StockProperty::None};
}

// A property held in `Member`; after every put the framework runs `OnChange` (if any) and marks
// the control modified.
template <auto Member, auto OnChange = nullptr> constexpr DispatchEntry DispatchProperty(const char* name, DISPID dispid)
{
    using Binding = DispatchPropertyBinding<Member, OnChange>;
    return {name, dispid, DispatchKind::Property, Binding::type, 1, Binding::type[0],
            nullptr, &Binding::Get, &Binding::Put, StockProperty::None};
}

namespace DispatchStockTypes {
inline constexpr VARTYPE color[1] = {VT_I4};
inline constexpr VARTYPE appearance[1] = {VT_I2};
}  // namespace DispatchStockTypes

constexpr DispatchEntry DispatchStock(StockProperty property)
{
    return property == StockProperty::BackColor
               ? DispatchEntry{"BackColor", DISPID_BACKCOLOR, DispatchKind::StockProperty, DispatchStockTypes::color,
                               1, VT_I4, nullptr, nullptr, nullptr, property}
               : DispatchEntry{"Appearance", DISPID_APPEARANCE, DispatchKind::StockProperty,
                               DispatchStockTypes::appearance, 1, VT_I2, nullptr, nullptr, nullptr, property};
}
