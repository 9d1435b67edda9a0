#include "fakes/ArgText.h"

#include <cstdio>

namespace {
struct NamedGuid
{
    const GUID* guid;
    const char* name;
};

// IID_IDispatchEx is not in the import library; only its name is needed here.
const GUID IID_IDispatchExForLog = {0xa6ef9860, 0xc720, 0x11d0,
                                    {0x93, 0x37, 0x00, 0xa0, 0xc9, 0x0d, 0xca, 0xa9}};

#define NAMED(g) {&g, #g}
const NamedGuid kNames[] = {
    NAMED(IID_IUnknown), NAMED(IID_IDispatch), {&IID_IDispatchExForLog, "IID_IDispatchEx"},
    NAMED(IID_IPersist), NAMED(IID_IMediaFilter), NAMED(IID_IBaseFilter), NAMED(IID_IPin),
    NAMED(IID_IEnumPins), NAMED(IID_IEnumFilters), NAMED(IID_IEnumMediaTypes),
    NAMED(IID_IFilterGraph), NAMED(IID_IGraphBuilder), NAMED(IID_IFilterGraph2),
    NAMED(IID_IMediaControl), NAMED(IID_IMediaEvent), NAMED(IID_IMediaEventEx),
    NAMED(IID_IMediaSeeking), NAMED(IID_IMediaPosition), NAMED(IID_IBasicAudio),
    NAMED(IID_IBasicVideo), NAMED(IID_IVideoWindow), NAMED(IID_IVideoFrameStep),
    NAMED(IID_IVMRFilterConfig9), NAMED(IID_IVMRWindowlessControl9), NAMED(IID_IVMRMixerControl9),
    NAMED(IID_IVMRMixerBitmap9), NAMED(IID_IVMRMonitorConfig9), // The Direct3D identifiers are in no import library; the headers declare them for __uuidof.
    {&__uuidof(IDirect3D9), "IID_IDirect3D9"}, {&__uuidof(IDirect3DDevice9), "IID_IDirect3DDevice9"},
    {&__uuidof(IDirect3DResource9), "IID_IDirect3DResource9"},
    {&__uuidof(IDirect3DSurface9), "IID_IDirect3DSurface9"},
    NAMED(IID_IRunningObjectTable), NAMED(IID_IEnumMoniker), NAMED(IID_IMoniker),
    NAMED(CLSID_FilterGraph), NAMED(CLSID_VideoMixingRenderer9), NAMED(CLSID_DSoundRender),
    NAMED(MEDIATYPE_Video), NAMED(MEDIATYPE_Audio), NAMED(MEDIATYPE_Interleaved),
    NAMED(MEDIATYPE_Stream), NAMED(TIME_FORMAT_MEDIA_TIME), NAMED(TIME_FORMAT_FRAME),
};
#undef NAMED
}  // namespace

std::string GuidName(REFGUID guid)
{
    for (const NamedGuid& named : kNames)
        if (IsEqualGUID(*named.guid, guid))
            return named.name;
    char text[40];
    std::snprintf(text, sizeof text, "{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
                  guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6],
                  guid.Data4[7]);
    return text;
}

std::string WideToText(const wchar_t* text)
{
    if (!text)
        return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(length > 0 ? length - 1 : 0, '\0');
    if (length > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &narrow[0], length, nullptr, nullptr);
    return narrow;
}

std::string RectText(const RECT& rect)
{
    return "{" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom) + "}";
}

std::string NormalizedRectText(const VMR9NormalizedRect& r)
{
    return "{" + FloatText(r.left, 9) + "," + FloatText(r.top, 9) + "," + FloatText(r.right, 9) +
           "," + FloatText(r.bottom, 9) + "}";
}

std::string FloatText(double value, int digits)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

std::string PointerText(const void* pointer)
{
    if (!pointer)
        return "null";
    char text[24];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(pointer)));
    return text;
}
