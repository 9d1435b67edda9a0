// What registration writes about the control and its property page besides their GUIDs, shared
// by self-registration and the component manifest the build generates for registration-free use
// (cmake/ComponentManifest.cmake reads the values of this file, one `name = value;` a line).
#pragma once

#include <windows.h>

inline constexpr wchar_t kCorvaneProgId[] = L"Corvane.CorvaneCtrl.1";
inline constexpr wchar_t kCorvaneThreadingModel[] = L"Apartment";
// OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST
inline constexpr DWORD kCorvaneMiscStatus = 0x20191;
inline constexpr WORD kCorvaneLibraryMajor = 1;
inline constexpr WORD kCorvaneLibraryMinor = 0;
