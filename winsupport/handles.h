// Owners for the handle kinds that the stand-in, the tools and the tests hold besides the shared
// printer and library handles.
#pragma once

#include <windows.h>

#include "platform/win32/com_ref.h"
#include "platform/win32/unique_handle.h"

namespace adjustui::winsupport {

using win32::ComRef;
using win32::UniqueHandle;
using win32::UniquePrinter;

// A handle kind that is empty when null (or zero) and closed by `close`.
template <typename T, auto close>
struct HandleTraits {
    using Type = T;
    static Type Empty() noexcept { return Type{}; }
    static void Close(Type h) noexcept { close(h); }
};

inline void KillThreadTimer(UINT_PTR timer) {
    KillTimer(nullptr, timer);
}
inline void ReleaseScreenDc(HDC dc) {
    ReleaseDC(nullptr, dc);
}

using UniqueHeap = UniqueHandle<HandleTraits<HANDLE, &HeapDestroy>>;
using UniqueHook = UniqueHandle<HandleTraits<HHOOK, &UnhookWindowsHookEx>>;
using UniqueWindow = UniqueHandle<HandleTraits<HWND, &DestroyWindow>>;
// A timer of the thread, made by SetTimer without a window.
using UniqueThreadTimer = UniqueHandle<HandleTraits<UINT_PTR, &KillThreadTimer>>;
// The screen's device context, from GetDC without a window.
using UniqueScreenDc = UniqueHandle<HandleTraits<HDC, &ReleaseScreenDc>>;
// A device context of CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<HandleTraits<HDC, &DeleteDC>>;
using UniqueBitmap = UniqueHandle<HandleTraits<HBITMAP, &DeleteObject>>;

}  // namespace adjustui::winsupport
