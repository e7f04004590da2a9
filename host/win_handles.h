// Owners for what the stand-in holds: the shared handle kinds, COM references, its plug-in heap.
#pragma once

#include <windows.h>

#include "platform/win32/com_ref.h"
#include "platform/win32/unique_handle.h"

namespace standin {

using adjustui::win32::ComRef;
using adjustui::win32::UniqueLibrary;
using adjustui::win32::UniquePrinter;

struct HeapTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { HeapDestroy(h); }
};
using UniqueHeap = adjustui::win32::UniqueHandle<HeapTraits>;

}  // namespace standin
