// One move-only owner for every kind of Windows handle; each kind is a traits struct with its empty
// value and its close function.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <utility>

namespace adjustui::win32 {

template <typename Traits>
class UniqueHandle {
  public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type h) noexcept : h_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Type get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::Empty(); }

    Type release() noexcept { return std::exchange(h_, Traits::Empty()); }

    // Closing keeps the thread's last error, so a caller can still report the failure it saw.
    void reset(Type h = Traits::Empty()) noexcept {
        Type old = std::exchange(h_, h);
        if (old != Traits::Empty()) {
            DWORD error = GetLastError();
            Traits::Close(old);
            SetLastError(error);
        }
    }

    // For APIs that return the handle through an out parameter.
    Type* put() noexcept {
        reset();
        return &h_;
    }

  private:
    Type h_ = Traits::Empty();
};

struct PrinterTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ClosePrinter(h); }
};
using UniquePrinter = UniqueHandle<PrinterTraits>;

struct LibraryTraits {
    using Type = HMODULE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { FreeLibrary(h); }
};
using UniqueLibrary = UniqueHandle<LibraryTraits>;

}  // namespace adjustui::win32
