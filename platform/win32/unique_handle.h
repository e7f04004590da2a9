// One move-only owner for everything the plug-in and its tests hold: handles, heap blocks, device
// contexts, COM interfaces. Each kind is a traits type with its empty value and its close
// function; a kind whose closing needs more than the handle (the heap of a heap block) keeps it in
// its traits object.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace adjustui::win32 {

template <typename Traits>
class UniqueHandle {
  public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type h, Traits traits = {}) noexcept : h_(h), traits_(traits) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()), traits_(other.traits_) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            traits_ = other.traits_;
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Type get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::Empty(); }
    Type operator->() const noexcept requires std::is_pointer_v<Type> { return h_; }
    auto& operator*() const noexcept requires std::is_pointer_v<Type> { return *h_; }

    Type release() noexcept { return std::exchange(h_, Traits::Empty()); }

    // Closing keeps the thread's last error, so a caller can still report the failure it saw.
    void reset(Type h = Traits::Empty()) noexcept {
        Type old = std::exchange(h_, h);
        if (old != Traits::Empty()) {
            DWORD error = GetLastError();
            traits_.Close(old);
            SetLastError(error);
        }
    }

    // The slot for APIs that return the handle through an out parameter, a COM interface's
    // through a void**.
    class Slot {
      public:
        explicit Slot(Type* slot) noexcept : slot_(slot) {}
        operator Type*() const noexcept { return slot_; }
        operator void**() const noexcept requires std::is_pointer_v<Type> {
            return reinterpret_cast<void**>(slot_);
        }

      private:
        Type* slot_;
    };
    Slot put() noexcept {
        reset();
        return Slot(&h_);
    }

  private:
    Type h_ = Traits::Empty();
    [[no_unique_address]] Traits traits_{};
};

// A handle kind that is empty when null (or zero) and closed by `close`.
template <typename T, auto close>
struct HandleTraits {
    using Type = T;
    static Type Empty() noexcept { return Type{}; }
    static void Close(Type h) noexcept { close(h); }
};

inline void ClosePrinterHandle(HANDLE printer) {
    ClosePrinter(printer);
}
using UniquePrinter = UniqueHandle<HandleTraits<HANDLE, &ClosePrinterHandle>>;
using UniqueLibrary = UniqueHandle<HandleTraits<HMODULE, &FreeLibrary>>;
// A device context of CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<HandleTraits<HDC, &DeleteDC>>;

// One reference to a COM interface, taken over from whoever added it.
template <typename I>
struct ComTraits {
    using Type = I*;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type p) noexcept { p->Release(); }
};
template <typename I>
using ComRef = UniqueHandle<ComTraits<I>>;

// A block of a heap (the plug-in heap the core driver hands over, say), freed to that heap.
template <typename T>
struct HeapBlockTraits {
    using Type = T*;
    HANDLE heap = nullptr;
    static Type Empty() noexcept { return nullptr; }
    void Close(Type block) const noexcept { HeapFree(heap, 0, block); }
};
template <typename T>
using HeapBlock = UniqueHandle<HeapBlockTraits<T>>;

// `bytes` from `heap`, zero-filled; empty when the heap has no room.
template <typename T>
HeapBlock<T> HeapAllocate(HANDLE heap, std::size_t bytes = sizeof(T)) {
    return HeapBlock<T>(static_cast<T*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, bytes)),
                        HeapBlockTraits<T>{heap});
}

// An object built in a block of a heap: destroyed, then its block freed to that heap.
template <typename T>
struct HeapObjectTraits {
    using Type = T*;
    HANDLE heap = nullptr;
    static Type Empty() noexcept { return nullptr; }
    void Close(Type object) const noexcept {
        object->~T();
        HeapFree(heap, 0, object);
    }
};
template <typename T>
using HeapObject = UniqueHandle<HeapObjectTraits<T>>;

// A value-initialised T in `heap`; empty when the heap has no room.
template <typename T>
HeapObject<T> HeapNew(HANDLE heap) {
    void* memory = HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(T));
    return HeapObject<T>(memory != nullptr ? new (memory) T{} : nullptr, HeapObjectTraits<T>{heap});
}

}  // namespace adjustui::win32
