#include "page/win32/page_strings.h"

#include <atomic>

#include "platform/win32/unique_handle.h"

namespace adjustui::page {
namespace {

// LoadStringW's room: 259 units and the terminator.
constexpr int kLoadUnits = 260;

std::atomic<bool> useGermanTexts{false};

}  // namespace

LoadedText LoadPageString(HANDLE heap, HMODULE module, UINT id) {
    LoadedText block = win32::HeapAllocate<wchar_t>(heap, kLoadUnits * sizeof(wchar_t));
    if (!block)
        return {};
    const int length = LoadStringW(module, id, block.get(), kLoadUnits);
    if (length <= 0)
        return {};
    void* shrunk = HeapReAlloc(heap, HEAP_ZERO_MEMORY, block.get(),
                               static_cast<SIZE_T>(length + 1) * sizeof(wchar_t));
    if (shrunk == nullptr)
        return block;
    block.release();
    return LoadedText(static_cast<wchar_t*>(shrunk), win32::HeapBlockTraits<wchar_t>{heap});
}

bool UseGermanTexts() {
    return useGermanTexts.load(std::memory_order_relaxed);
}

void SetUseGermanTexts() {
    useGermanTexts.store(true, std::memory_order_relaxed);
}

}  // namespace adjustui::page
