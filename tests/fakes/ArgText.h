// Renders the arguments of a fake call as text for the call log.
#pragma once

#include "fakes/PlatformHeaders.h"

#include <string>
#include <type_traits>
#include <vector>

std::string GuidName(REFGUID guid);  // "IID_IPin", "CLSID_DSoundRender", else "{...}"
std::string WideToText(const wchar_t* text);
std::string RectText(const RECT& rect);                       // "{0,0,640,480}"
std::string NormalizedRectText(const VMR9NormalizedRect& r);  // "{0.5,0,1,1}"
std::string FloatText(double value, int digits);
std::string PointerText(const void* pointer);  // "null" or "0x..."

// An output argument: logged as "out" (or "null"), never read.
struct Out
{
    const void* pointer;
    template <class T> explicit Out(T* p) : pointer(p) {}
};

template <class T> std::string ArgText(const T& value)
{
    using Bare = std::remove_cv_t<T>;
    if constexpr (std::is_same_v<Bare, Out>) {
        return value.pointer ? "out" : "null";
    } else if constexpr (std::is_same_v<Bare, GUID>) {
        return GuidName(value);
    } else if constexpr (std::is_same_v<Bare, RECT>) {
        return RectText(value);
    } else if constexpr (std::is_same_v<Bare, VMR9NormalizedRect>) {
        return NormalizedRectText(value);
    } else if constexpr (std::is_same_v<Bare, std::string>) {
        return value;
    } else if constexpr (std::is_floating_point_v<Bare>) {
        return FloatText(value, std::is_same_v<Bare, float> ? 9 : 17);
    } else if constexpr (std::is_enum_v<Bare>) {
        return std::to_string(static_cast<long long>(value));
    } else if constexpr (std::is_integral_v<Bare>) {
        return std::to_string(value);
    } else if constexpr (std::is_pointer_v<Bare>) {
        using Pointee = std::remove_cv_t<std::remove_pointer_t<Bare>>;
        if (!value)
            return "null";
        if constexpr (std::is_same_v<Pointee, wchar_t>)
            return "\"" + WideToText(value) + "\"";
        else if constexpr (std::is_same_v<Pointee, char>)
            return "\"" + std::string(value) + "\"";
        else if constexpr (std::is_same_v<Pointee, RECT> || std::is_same_v<Pointee, VMR9NormalizedRect>)
            return ArgText(*value);
        else
            return PointerText(value);
    } else {
        static_assert(std::is_pointer_v<Bare>, "no text form for this argument type");
        return "";
    }
}

template <class... Ts> std::vector<std::string> Args(const Ts&... values)
{
    return {ArgText(values)...};
}
