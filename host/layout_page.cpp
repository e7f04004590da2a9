#include "host/layout_page.h"

#include <commctrl.h>
#include <prsht.h>

#include "host/layout_page_ids.h"

namespace standin {
namespace {

DEVMODEW& DevmodeOf(HWND page) {
    return *reinterpret_cast<DEVMODEW*>(GetWindowLongPtrW(page, DWLP_USER));
}

// The page's lParam is a copy of its PROPSHEETPAGEW, whose own lParam is the devmode.
INT_PTR ShowOrientation(HWND page, const PROPSHEETPAGEW& sheetPage) {
    SetWindowLongPtrW(page, DWLP_USER, sheetPage.lParam);
    const bool landscape = DevmodeOf(page).dmOrientation == DMORIENT_LANDSCAPE;
    CheckRadioButton(page, IDC_PORTRAIT, IDC_LANDSCAPE, landscape ? IDC_LANDSCAPE : IDC_PORTRAIT);
    return TRUE;
}

INT_PTR ApplyOrientation(HWND page) {
    DEVMODEW& devmode = DevmodeOf(page);
    devmode.dmOrientation = static_cast<short>(
        IsDlgButtonChecked(page, IDC_LANDSCAPE) == BST_CHECKED ? DMORIENT_LANDSCAPE
                                                               : DMORIENT_PORTRAIT);
    devmode.dmFields |= DM_ORIENTATION;
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

INT_PTR CALLBACK LayoutPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return ShowOrientation(page, *reinterpret_cast<const PROPSHEETPAGEW*>(lParam));
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY) {
                return ApplyOrientation(page);
            }
            return FALSE;
        default:
            return FALSE;
    }
}

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&LayoutPageProc), &module);
    return module;
}

}  // namespace

bool AddLayoutPage(const PROPSHEETUI_INFO& info, DEVMODEW& devmode) {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.hInstance = ThisModule();
    page.pszTemplate = MAKEINTRESOURCEW(IDD_LAYOUT_PAGE);
    page.pfnDlgProc = &LayoutPageProc;
    page.lParam = reinterpret_cast<LPARAM>(&devmode);
    return info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                reinterpret_cast<LPARAM>(&page), 0) != 0;
}

}  // namespace standin
