// Owners for the handle kinds that the stand-in, the tools and the tests hold besides the shared
// printer and library handles.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace adjustui::winsupport {

using win32::ComRef;
using win32::HandleTraits;
using win32::UniqueHandle;
using win32::UniqueMemoryDc;
using win32::UniquePrinter;

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
using UniqueBitmap = UniqueHandle<HandleTraits<HBITMAP, &DeleteObject>>;

// The blocks of `heap` in use now: what a component leaves behind shows as a difference.
inline int BusyBlocks(HANDLE heap) {
    int busy = 0;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            ++busy;
    }
    return busy;
}

}  // namespace adjustui::winsupport
