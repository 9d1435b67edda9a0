// Where the tests find the built module, its copy around another type library, and the clips.
#pragma once

constexpr wchar_t kCorvaneModulePath[] = L"" CORVANE_MODULE_PATH;
constexpr wchar_t kOtherLibraryModulePath[] = L"" CORVANE_OTHER_LIBRARY_MODULE_PATH;
constexpr wchar_t kCorvaneProgId[] = L"Corvane.CorvaneCtrl.1";
