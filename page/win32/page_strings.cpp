#include "page/win32/page_strings.h"

#include <atomic>

#include "platform/win32/unique_handle.h"

namespace adjustui::page {
namespace {

// LoadStringW's room: 259 units and the terminator.
constexpr int kLoadUnits = 260;

std::atomic<bool> useGermanTexts{false};

}  // namespace

wchar_t* LoadPageString(HANDLE heap, HMODULE module, UINT id) {
    auto block = win32::HeapAllocate<wchar_t>(heap, kLoadUnits * sizeof(wchar_t));
    if (!block)
        return nullptr;
    const int length = LoadStringW(module, id, block.get(), kLoadUnits);
    // A missing id gives its block back rather than leave it in the page's heap.
    if (length <= 0)
        return nullptr;
    wchar_t* loaded = block.release();
    void* shrunk = HeapReAlloc(heap, HEAP_ZERO_MEMORY, loaded,
                               static_cast<SIZE_T>(length + 1) * sizeof(wchar_t));
    return shrunk != nullptr ? static_cast<wchar_t*>(shrunk) : loaded;
}

bool UseGermanTexts() {
    return useGermanTexts.load(std::memory_order_relaxed);
}

void SetUseGermanTexts() {
    useGermanTexts.store(true, std::memory_order_relaxed);
}

}  // namespace adjustui::page
