// The type library inside Corvane.OCX read back through ITypeLib/ITypeInfo, as the tools of a
// host that binds early see it: every member with its DISPID, kind, types, names and order.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "CorvaneIds.h"
#include "ModuleFiles.h"

using Microsoft::WRL::ComPtr;

namespace {

struct Member
{
    const char* name;
    DISPID dispid;
    const char* result;
    std::vector<std::pair<const char*, const char*>> parameters;  // type, name
};

// The methods of _DCorvane in their order, then AboutBox.
const std::vector<Member> kMethods = {
    {"GetDurationHHMMSS", 6, "BSTR", {}},
    {"Pause", 7, "void", {}},
    {"Stop", 8, "void", {}},
    {"GetSliderMax", 9, "short", {}},
    {"GetSliderPosition", 10, "long", {}},
    {"SetSliderPosition", 11, "void", {{"long", "Position"}}},
    {"GetDuration", 12, "double", {}},
    {"GetPlaybackRate", 13, "double", {}},
    {"SetPlaybackRate", 14, "void", {{"double", "PlaybackRate"}}},
    {"GetPosition", 15, "double", {}},
    {"GetPositionHHMMSS", 16, "BSTR", {}},
    {"SetPosition", 17, "void", {{"double", "Position"}}},
    {"GetAudioBalance", 18, "long", {}},
    {"SetAudioBalance", 19, "void", {{"long", "Balance"}}},
    {"GetAudioVolume", 20, "short", {}},
    {"SetAudioVolume", 21, "void", {{"short", "Volume"}}},
    {"SetLayerSize", 22, "void",
     {{"short", "Layer"}, {"long", "Left"}, {"long", "Top"}, {"long", "Width"}, {"long", "Height"}}},
    {"SetLayerAlpha", 23, "void", {{"short", "Layer"}, {"short", "Alpha"}}},
    {"GetVideoHeight", 24, "long", {}},
    {"GetVideoWidth", 25, "long", {}},
    {"Play", 26, "void", {}},
    {"SetOverlayBitmap", 27, "void",
     {{"BSTR", "FilePath"}, {"long", "Left"}, {"long", "Top"}, {"long", "Width"}, {"long", "Height"},
      {"long", "Alpha"}}},
    {"FlipVideo", 28, "void", {{"short", "Layer"}}},
    {"MirrorVideo", 29, "void", {{"short", "Layer"}}},
    {"SwapVideo", 30, "void", {}},
    {"UpdateOverlayBitmapParam", 31, "void",
     {{"long", "Left"}, {"long", "Top"}, {"long", "Width"}, {"long", "Height"}, {"long", "Alpha"}}},
    {"SetText", 32, "void", {{"BSTR", "Text"}, {"long", "Left"}, {"long", "Top"}}},
    {"SetFontSize", 33, "void", {{"long", "FontSize"}}},
    {"SetFontColor", 34, "void", {{"long", "FontColor"}}},
    {"SetFontName", 35, "void", {{"BSTR", "FontName"}}},
    {"DisableText", 36, "void", {}},
    {"SlideEffect", 37, "void", {}},
    {"StrobeEffect", 38, "void", {}},
    {"MirrorEffect", 39, "void", {}},
    {"FlipEffect", 40, "void", {}},
    {"DisableOverlayBitmap", 41, "void", {}},
    {"GetCurrentImage", 42, "void", {{"BSTR", "FilePath"}}},
    {"LoadMediaFile", 43, "void", {{"BSTR", "FilePath"}, {"short", "Layer"}, {"VARIANT_BOOL", "HaveSound"}}},
    {"StepFrame", 44, "VARIANT_BOOL", {{"long", "Frame"}}},
    {"AboutBox", -552, "void", {}},
};

// The properties of _DCorvane in their order (name, DISPID, type).
const std::vector<Member> kProperties = {
    {"Appearance", -520, "Appearance", {}},   {"BackColor", -501, "OLE_COLOR", {}},
    {"XAspectRatio", 1, "VARIANT_BOOL", {}}, {"XMute", 2, "VARIANT_BOOL", {}},
    {"XLoop", 3, "VARIANT_BOOL", {}},        {"XEffectSpeed", 5, "long", {}},
};

const std::vector<std::pair<const char*, const char*>> kMouse = {
    {"short", "Button"}, {"short", "Shift"}, {"OLE_XPOS_PIXELS", "x"}, {"OLE_YPOS_PIXELS", "y"}};
const std::vector<Member> kEvents = {
    {"Click", -600, "void", {}},     {"DblClick", -601, "void", {}},  {"MouseDown", -605, "void", kMouse},
    {"MouseMove", -606, "void", kMouse}, {"MouseUp", -607, "void", kMouse}, {"OnPlaying", 1, "void", {}},
    {"OnFinish", 2, "void", {}},
};

std::string Narrow(const BSTR text)
{
    std::string out;
    for (UINT i = 0; text && i < SysStringLen(text); ++i)
        out += static_cast<char>(text[i]);
    return out;
}

// A type as a host's object browser names it; user-defined types by their own name.
std::string TypeName(ITypeInfo* owner, const TYPEDESC& type)
{
    switch (type.vt) {
    case VT_VOID: return "void";
    case VT_HRESULT: return "HRESULT";
    case VT_BSTR: return "BSTR";
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_R8: return "double";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> referenced;
        BSTR name = nullptr;
        if (FAILED(owner->GetRefTypeInfo(type.hreftype, &referenced)) ||
            FAILED(referenced->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)))
            return "<unresolved>";
        std::string text = Narrow(name);
        SysFreeString(name);
        return text;
    }
    default: return "vt " + std::to_string(type.vt);
    }
}

std::string NameOf(ITypeInfo* info, MEMBERID id)
{
    BSTR name = nullptr;
    if (FAILED(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr)))
        return "<none>";
    std::string text = Narrow(name);
    SysFreeString(name);
    return text;
}

class TypeLibrary : public ::testing::Test
{
protected:
    ComPtr<ITypeLib> library;

    void SetUp() override
    {
        ASSERT_EQ(LoadTypeLibEx(kCorvaneModulePath, REGKIND_NONE, &library), S_OK);
        ASSERT_EQ(library->GetTypeInfoCount(), 4u);
    }

    ComPtr<ITypeInfo> Info(UINT index, TYPEKIND expectedKind, const GUID& expectedGuid, WORD expectedFlags,
                           const char* expectedName, const char* expectedHelp)
    {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(library->GetTypeInfo(index, &info), S_OK);
        if (!info)
            return nullptr;
        TYPEATTR* attributes = nullptr;
        EXPECT_EQ(info->GetTypeAttr(&attributes), S_OK);
        EXPECT_EQ(attributes->typekind, expectedKind) << expectedName;
        EXPECT_TRUE(IsEqualGUID(attributes->guid, expectedGuid)) << expectedName;
        EXPECT_EQ(attributes->wTypeFlags, expectedFlags) << expectedName;
        EXPECT_EQ(attributes->lcid, 0x409u) << expectedName;
        info->ReleaseTypeAttr(attributes);
        BSTR name = nullptr, help = nullptr;
        EXPECT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
        EXPECT_EQ(Narrow(name), expectedName);
        EXPECT_EQ(Narrow(help), expectedHelp) << expectedName;
        SysFreeString(name);
        SysFreeString(help);
        return info;
    }

    // The functions of a dispatch interface against `expected`, in order from `first`.
    void ExpectFunctions(ITypeInfo* info, const std::vector<Member>& expected)
    {
        TYPEATTR* attributes = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
        const UINT count = attributes->cFuncs;
        info->ReleaseTypeAttr(attributes);
        ASSERT_EQ(count, expected.size());
        for (UINT i = 0; i < count; ++i) {
            const Member& member = expected[i];
            FUNCDESC* function = nullptr;
            ASSERT_EQ(info->GetFuncDesc(i, &function), S_OK);
            EXPECT_EQ(NameOf(info, function->memid), member.name) << "function " << i;
            EXPECT_EQ(function->memid, member.dispid) << member.name;
            EXPECT_EQ(function->funckind, FUNC_DISPATCH) << member.name;
            EXPECT_EQ(function->invkind, INVOKE_FUNC) << member.name;
            EXPECT_EQ(function->wFuncFlags, 0) << member.name;
            EXPECT_EQ(function->cParamsOpt, 0) << member.name;
            EXPECT_EQ(TypeName(info, function->elemdescFunc.tdesc), member.result) << member.name;
            ASSERT_EQ(static_cast<size_t>(function->cParams), member.parameters.size()) << member.name;
            std::vector<BSTR> names(member.parameters.size() + 1);
            UINT named = 0;
            EXPECT_EQ(info->GetNames(function->memid, names.data(), static_cast<UINT>(names.size()), &named), S_OK);
            EXPECT_EQ(named, names.size()) << member.name;
            for (size_t p = 0; p < member.parameters.size(); ++p) {
                const ELEMDESC& parameter = function->lprgelemdescParam[p];
                EXPECT_EQ(TypeName(info, parameter.tdesc), member.parameters[p].first) << member.name << " " << p;
                EXPECT_EQ(Narrow(names[p + 1]), member.parameters[p].second) << member.name << " " << p;
                EXPECT_EQ(parameter.paramdesc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT), 0)
                    << member.name << " " << p;
            }
            for (UINT n = 0; n < named; ++n)
                SysFreeString(names[n]);
            BSTR help = nullptr;
            info->GetDocumentation(function->memid, nullptr, &help, nullptr, nullptr);
            EXPECT_EQ(Narrow(help), "") << member.name;
            SysFreeString(help);
            info->ReleaseFuncDesc(function);
        }
    }
};

TEST_F(TypeLibrary, LibraryAttributesAndTheGuidsOfTheControlsHeader)
{
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, LIBID_CorvaneLib));
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 0x409u);
#ifdef _WIN64
    EXPECT_EQ(attributes->syskind, SYS_WIN64);
#else
    EXPECT_EQ(attributes->syskind, SYS_WIN32);
#endif
    // The loader adds the disk-image flag to a library read from a file.
    EXPECT_EQ(attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, LIBFLAG_FCONTROL);
    library->ReleaseTLibAttr(attributes);

    BSTR name = nullptr, help = nullptr, helpFile = nullptr;
    DWORD context = 1;
    ASSERT_EQ(library->GetDocumentation(-1, &name, &help, &context, &helpFile), S_OK);
    EXPECT_EQ(Narrow(name), "CorvaneLib");
    EXPECT_EQ(Narrow(help), "Corvane ActiveX Control module");
    EXPECT_EQ(context, 0u);
    const std::string file = Narrow(helpFile);
    EXPECT_EQ(file.substr(file.find_last_of("\\/") + 1), "Corvane.hlp");
    SysFreeString(name);
    SysFreeString(help);
    SysFreeString(helpFile);

    // The enumeration: its constants and values.
    ComPtr<ITypeInfo> appearance = Info(0, TKIND_ENUM, GUID_CorvaneAppearance, 0, "Appearance", "Appearance");
    ASSERT_TRUE(appearance);
    const std::pair<const char*, LONG> constants[] = {{"Flat", 0}, {"Style3D", 1}};
    for (UINT i = 0; i < 2; ++i) {
        VARDESC* constant = nullptr;
        ASSERT_EQ(appearance->GetVarDesc(i, &constant), S_OK);
        EXPECT_EQ(NameOf(appearance.Get(), constant->memid), constants[i].first);
        EXPECT_EQ(constant->varkind, VAR_CONST);
        EXPECT_EQ(V_I4(constant->lpvarValue), constants[i].second);
        appearance->ReleaseVarDesc(constant);
    }
    TYPEATTR* enumAttributes = nullptr;
    ASSERT_EQ(appearance->GetTypeAttr(&enumAttributes), S_OK);
    EXPECT_EQ(enumAttributes->cVars, 2);
    appearance->ReleaseTypeAttr(enumAttributes);
}

TEST_F(TypeLibrary, DispatchInterfaceMethodsThenPropertiesInOrder)
{
    ComPtr<ITypeInfo> dispatch = Info(1, TKIND_DISPATCH, DIID__DCorvane, TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE,
                                      "_DCorvane", "Dispatch interface for Corvane Control");
    ASSERT_TRUE(dispatch);
    ExpectFunctions(dispatch.Get(), kMethods);

    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(dispatch->GetTypeAttr(&attributes), S_OK);
    const UINT count = attributes->cVars;
    dispatch->ReleaseTypeAttr(attributes);
    ASSERT_EQ(count, kProperties.size());
    for (UINT i = 0; i < count; ++i) {
        VARDESC* property = nullptr;
        ASSERT_EQ(dispatch->GetVarDesc(i, &property), S_OK);
        EXPECT_EQ(NameOf(dispatch.Get(), property->memid), kProperties[i].name) << "property " << i;
        EXPECT_EQ(property->memid, kProperties[i].dispid) << kProperties[i].name;
        EXPECT_EQ(property->varkind, VAR_DISPATCH) << kProperties[i].name;
        EXPECT_EQ(property->wVarFlags & VARFLAG_FREADONLY, 0) << kProperties[i].name;
        EXPECT_EQ(TypeName(dispatch.Get(), property->elemdescVar.tdesc), kProperties[i].result) << kProperties[i].name;
        dispatch->ReleaseVarDesc(property);
    }

    // The stock colour type comes from the standard OLE library.
    VARDESC* backColor = nullptr;
    ASSERT_EQ(dispatch->GetVarDesc(1, &backColor), S_OK);
    ComPtr<ITypeInfo> colour;
    ASSERT_EQ(dispatch->GetRefTypeInfo(backColor->elemdescVar.tdesc.hreftype, &colour), S_OK);
    dispatch->ReleaseVarDesc(backColor);
    ComPtr<ITypeLib> owner;
    UINT index = 0;
    ASSERT_EQ(colour->GetContainingTypeLib(&owner, &index), S_OK);
    BSTR ownerName = nullptr;
    ASSERT_EQ(owner->GetDocumentation(-1, &ownerName, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(Narrow(ownerName), "stdole");
    SysFreeString(ownerName);
}

TEST_F(TypeLibrary, EventInterfaceAndCoclass)
{
    ComPtr<ITypeInfo> events = Info(2, TKIND_DISPATCH, DIID__DCorvaneEvents, TYPEFLAG_FDISPATCHABLE,
                                    "_DCorvaneEvents", "Event interface for Corvane Control");
    ASSERT_TRUE(events);
    ExpectFunctions(events.Get(), kEvents);

    ComPtr<ITypeInfo> coclass =
        Info(3, TKIND_COCLASS, CLSID_Corvane, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, "Corvane", "Corvane Control");
    ASSERT_TRUE(coclass);
    const std::pair<GUID, INT> implemented[] = {{DIID__DCorvane, IMPLTYPEFLAG_FDEFAULT},
                                                {DIID__DCorvaneEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->cImplTypes, 2);
    coclass->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> interfaceInfo;
        ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
        EXPECT_EQ(flags, implemented[i].second);
        ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &reference), S_OK);
        ASSERT_EQ(coclass->GetRefTypeInfo(reference, &interfaceInfo), S_OK);
        TYPEATTR* interfaceAttributes = nullptr;
        ASSERT_EQ(interfaceInfo->GetTypeAttr(&interfaceAttributes), S_OK);
        EXPECT_TRUE(IsEqualGUID(interfaceAttributes->guid, implemented[i].first)) << i;
        interfaceInfo->ReleaseTypeAttr(interfaceAttributes);
    }
}

} // namespace
