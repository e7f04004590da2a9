// Presses OK on every property sheet this thread shows, from inside the sheet's modal loop, so
// that tests and the demo run unattended.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "winsupport/handles.h"

namespace adjustui::winsupport {

class SheetCloser {
  public:
    // The sheet stays up for `delayMs` first (time for a picture, say).
    explicit SheetCloser(UINT delayMs) : timer_(SetTimer(nullptr, 0, delayMs, &Tick)) {}

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM) -> BOOL {
                wchar_t cls[16] = {};
                GetClassNameW(window, cls, 16);
                if (std::wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window)) {
                    PostMessageW(window, PSM_PRESSBUTTON, PSBTN_OK, 0);
                }
                return TRUE;
            },
            0);
    }
    UniqueThreadTimer timer_;
};

}  // namespace adjustui::winsupport
