// Random automation arguments for a hostile caller: every kind a script engine or a careless
// host passes (empty, null, numbers at their limits, NaN, null, empty, huge and non-ASCII
// strings, arrays, by-reference values, objects, missing optionals, unknown types). The
// arguments and what they point to stay alive until the next Fill.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <deque>
#include <limits>
#include <random>
#include <string>
#include <vector>

class RandomVariants
{
public:
    RandomVariants(std::mt19937& random, IDispatch* object) : random(random), object(object) {}
    ~RandomVariants() { Clear(); }
    RandomVariants(const RandomVariants&) = delete;
    RandomVariants& operator=(const RandomVariants&) = delete;

    // Replaces the arguments with `count` new ones.
    void Fill(size_t count)
    {
        Clear();
        arguments.resize(count);
        for (VARIANT& argument : arguments)
            argument = Make();
    }
    VARIANT* Data() { return arguments.empty() ? nullptr : arguments.data(); }
    VARIANT& At(size_t index) { return arguments[index]; }
    // An owned string, kept until the next Fill.
    BSTR Keep(const std::wstring& text)
    {
        strings.push_back(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
        return strings.back();
    }
    std::wstring Text(size_t length)
    {
        static const wchar_t alphabet[] = L"abcXYZ019 .,;:-_%\\/\"'\u00e9\u00fc\u4e2d\u0416";
        std::wstring text(length, L'a');
        for (wchar_t& c : text)
            c = alphabet[Below(sizeof(alphabet) / sizeof(alphabet[0]) - 1)];
        return text;
    }
    size_t Below(size_t bound) { return std::uniform_int_distribution<size_t>(0, bound - 1)(random); }

private:
    VARIANT Make()
    {
        VARIANT v;
        VariantInit(&v);
        switch (Below(24)) {
        case 0: break;  // VT_EMPTY
        case 1: v.vt = VT_NULL; break;
        case 2: v.vt = VT_I2; v.iVal = static_cast<SHORT>(Pick<long>({0, 1, -1, 32767, -32768, 100, 101, 9, 10})); break;
        case 3: v.vt = VT_I4; v.lVal = Pick<long>({0, -1, 1, 5, 120, -5, 0x7FFFFFFF, LONG(0x80000000), long(random())}); break;
        case 4: v.vt = VT_R8; v.dblVal = Pick<double>({0.0, -0.0, 0.5, 2.0, -1.0, 1e9, -1e308, 1e308,
                                                        std::numeric_limits<double>::quiet_NaN(),
                                                        std::numeric_limits<double>::infinity(),
                                                        -std::numeric_limits<double>::infinity()}); break;
        case 5: v.vt = VT_BSTR; v.bstrVal = nullptr; break;
        case 6: v.vt = VT_BSTR; v.bstrVal = Keep(L""); break;
        case 7: v.vt = VT_BSTR; v.bstrVal = Keep(Pick<const wchar_t*>({L"50", L"-1", L"1e400", L" 7 ", L"0x10", L"true", L"3.5"})); break;
        case 8: v.vt = VT_BSTR; v.bstrVal = Keep(Text(100000 + Below(100000))); break;
        case 9: v.vt = VT_BSTR; v.bstrVal = Keep(Text(Below(40))); break;
        case 10: v.vt = VT_BOOL; v.boolVal = Below(2) ? VARIANT_TRUE : VARIANT_FALSE; break;
        case 11: v.vt = VT_DISPATCH; v.pdispVal = Below(2) ? object : nullptr; break;
        case 12: v.vt = VT_UNKNOWN; v.punkVal = Below(2) ? object : nullptr; break;
        case 13: v.vt = VT_ARRAY | VT_I4; v.parray = Array(VT_I4); break;
        case 14: v.vt = VT_ARRAY | VT_VARIANT; v.parray = Array(VT_VARIANT); break;
        case 15: v.vt = VT_BYREF | VT_I4; v.plVal = &Slot().lVal; *v.plVal = Pick<long>({0, 1, -1, 0x7FFFFFFF}); break;
        case 16: v.vt = VT_BYREF | VT_BSTR; v.pbstrVal = &Slot().bstrVal; *v.pbstrVal = Below(2) ? Keep(Text(Below(20))) : nullptr; break;
        case 17: {
            VARIANT& inner = Slot();
            inner.vt = VT_I4;
            inner.lVal = static_cast<long>(Below(200)) - 50;
            v.vt = VT_BYREF | VT_VARIANT;
            v.pvarVal = &inner;
            break;
        }
        case 18: v.vt = VT_ERROR; v.scode = DISP_E_PARAMNOTFOUND; break;
        case 19: v.vt = VT_DATE; v.date = 45000.5; break;
        case 20: v.vt = VT_CY; v.cyVal.int64 = Pick<LONGLONG>({0, -1, 0x7FFFFFFFFFFFFFFFLL}); break;
        case 21: v.vt = VT_UI1; v.bVal = static_cast<BYTE>(Below(256)); break;
        case 22: v.vt = VT_I8; v.llVal = Pick<LONGLONG>({0, -1, 0x7FFFFFFFFFFFFFFFLL, LONGLONG(0x8000000000000000ULL)}); break;
        // Types no caller may pass; never with the by-reference bit, whose pointer the callee must trust.
        default: v.vt = static_cast<VARTYPE>(Pick<int>({0x4FF, 0xFFF, 15, 32, VT_VOID, VT_RECORD})); v.llVal = 0; break;
        }
        return v;
    }

    template <class T> T Pick(std::initializer_list<T> choices) { return choices.begin()[Below(choices.size())]; }

    // A VARIANT slot that a by-reference argument points to, cleared at the next Fill.
    VARIANT& Slot()
    {
        slots.emplace_back();
        VariantInit(&slots.back());
        return slots.back();
    }

    SAFEARRAY* Array(VARTYPE type)
    {
        const ULONG count = static_cast<ULONG>(Below(4));
        SAFEARRAY* array = SafeArrayCreateVector(type, 0, count);
        for (LONG i = 0; i < static_cast<LONG>(count); ++i) {
            VARIANT element;
            VariantInit(&element);
            element.vt = VT_I4;
            element.lVal = i;
            SafeArrayPutElement(array, &i, type == VT_VARIANT ? static_cast<void*>(&element) : &element.lVal);
        }
        arrays.push_back(array);
        return array;
    }

    void Clear()
    {
        // The arguments only borrow: strings, arrays and slots are freed here, objects were never
        // referenced, and unknown types must never reach VariantClear.
        arguments.clear();
        for (BSTR text : strings)
            SysFreeString(text);
        strings.clear();
        for (SAFEARRAY* array : arrays)
            SafeArrayDestroy(array);
        arrays.clear();
        slots.clear();
    }

    std::mt19937& random;
    IDispatch* object;
    std::vector<VARIANT> arguments;
    std::deque<BSTR> strings;
    std::deque<SAFEARRAY*> arrays;
    std::deque<VARIANT> slots;  // hold only values, strings owned by `strings`
};
