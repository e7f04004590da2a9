// Owners for what the stand-in holds beyond the shared handle kinds: its plug-in heap and COM
// references.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <utility>

#include "platform/win32/unique_handle.h"

namespace standin {

using adjustui::win32::UniqueLibrary;
using adjustui::win32::UniquePrinter;

struct HeapTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { HeapDestroy(h); }
};
using UniqueHeap = adjustui::win32::UniqueHandle<HeapTraits>;

// One reference to a COM interface.
template <typename I>
class ComRef {
  public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { reset(); }

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Takes over a reference that was added for us.
    void attach(I* p) {
        reset();
        p_ = p;
    }
    // For out parameters: drops what is held and hands out the slot.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }
    void reset() {
        if (p_ != nullptr) {
            std::exchange(p_, nullptr)->Release();
        }
    }

  private:
    I* p_ = nullptr;
};

}  // namespace standin
