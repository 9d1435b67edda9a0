// Identities of the tests' own in-process server: an object with an event source, and a page.
#pragma once

#include <windows.h>

// {C1DD63C2-4ACF-4838-9997-DBE38C2206F1}
constexpr GUID LIBID_CorvaneTestServerLib = {0xC1DD63C2, 0x4ACF, 0x4838, {0x99, 0x97, 0xDB, 0xE3, 0x8C, 0x22, 0x06, 0xF1}};
// {4BBF417F-FB46-4719-8EF6-5BDB57093D4A}
constexpr IID DIID_DEventSource = {0x4BBF417F, 0xFB46, 0x4719, {0x8E, 0xF6, 0x5B, 0xDB, 0x57, 0x09, 0x3D, 0x4A}};
// {223078AD-4F6A-47CD-8151-03AFA3CC0F6F}
constexpr IID DIID_DEventSourceEvents = {0x223078AD, 0x4F6A, 0x47CD, {0x81, 0x51, 0x03, 0xAF, 0xA3, 0xCC, 0x0F, 0x6F}};
// {6BF89182-DF70-46D2-A15A-C5E39EC1370F}
constexpr CLSID CLSID_TestEventSource = {0x6BF89182, 0xDF70, 0x46D2, {0xA1, 0x5A, 0xC5, 0xE3, 0x9E, 0xC1, 0x37, 0x0F}};
// {823F7E11-8414-4E7F-8A77-0B0832E2E556}
constexpr CLSID CLSID_TestServerPage = {0x823F7E11, 0x8414, 0x4E7F, {0x8A, 0x77, 0x0B, 0x08, 0x32, 0xE2, 0xE5, 0x56}};

constexpr wchar_t kTestEventSourceProgId[] = L"Corvane.TestEventSource.1";

// Resource identifiers of the server module.
constexpr UINT IDS_TEST_SOURCE_TYPE_NAME = 1;
constexpr UINT IDS_TEST_PAGE_TYPE_NAME = 2;
constexpr UINT IDS_TEST_PAGE_CAPTION = 3;
constexpr UINT IDD_TEST_PAGE = 10;
constexpr UINT IDB_TEST_TOOLBOX = 1;

// Event and method DISPIDs.
constexpr DISPID DISPID_TEST_TICK = 1;
constexpr DISPID DISPID_TEST_MESSAGE = 2;
constexpr DISPID DISPID_TEST_RAISE_TICK = 1;
constexpr DISPID DISPID_TEST_RAISE_MESSAGE = 2;
constexpr DISPID DISPID_TEST_CONNECTIONS = 3;
constexpr DISPID DISPID_TEST_ECHO = 4;
