// The control's property pages and its about box.
#include "CorvaneCtrl.h"
#include "CorvaneIds.h"
#include "CorvaneResourceIds.h"

#include <olectl.h>
// The system's colour page id is declared there but in no import library: define it here.
#include <initguid.h>
#include <msstkppg.h>

namespace {

// The module the control's code lives in carries its dialogs (the OCX, or a test program).
HINSTANCE OwnModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

std::vector<CLSID> CCorvaneCtrl::GetPropertyPages() const
{
    return {CLSID_CorvanePropPage, CLSID_StockColorPage};
}

void CCorvaneCtrl::AboutBox()
{
    DialogBoxParamA(OwnModule(), MAKEINTRESOURCEA(IDD_ABOUTBOX_CORVANE), GetControlWindow(), &AboutBoxProc, 0);
}
