// The GUIDs of TestControl.idl (a test checks them against the built type library).
#pragma once

#include <windows.h>

// {f4406e80-972c-4c82-92dc-172871a3fbd3}
inline constexpr GUID LIBID_FrameworkTestLib = {0xf4406e80, 0x972c, 0x4c82, {0x92, 0xdc, 0x17, 0x28, 0x71, 0xa3, 0xfb, 0xd3}};
// {73d45f18-d701-414f-ac34-e0759e4ad231}
inline constexpr GUID DIID_DTestControl = {0x73d45f18, 0xd701, 0x414f, {0xac, 0x34, 0xe0, 0x75, 0x9e, 0x4a, 0xd2, 0x31}};
// {96c6cfb5-6285-429f-a708-fe615c5785f0}
inline constexpr GUID DIID_DTestControlEvents = {0x96c6cfb5, 0x6285, 0x429f, {0xa7, 0x08, 0xfe, 0x61, 0x5c, 0x57, 0x85, 0xf0}};
// {d3555eaf-ada1-4c9d-abf0-e8aa4d0413bd}
inline constexpr GUID CLSID_TestControl = {0xd3555eaf, 0xada1, 0x4c9d, {0xab, 0xf0, 0xe8, 0xaa, 0x4d, 0x04, 0x13, 0xbd}};

enum TestControlDispids : DISPID
{
    DISPID_TEST_XFLAG = 1,
    DISPID_TEST_XSPEED = 2,
    DISPID_TEST_XLABEL = 3,
    DISPID_TEST_ADD = 10,
    DISPID_TEST_DESCRIBE = 11,
    DISPID_TEST_PING = 1,
};
