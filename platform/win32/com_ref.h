// One owned reference to a COM interface.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace adjustui::win32 {

template <typename I>
class ComRef {
  public:
    ComRef() = default;
    // Takes over a reference that was added for us.
    explicit ComRef(I* p) : p_(p) {}
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { reset(); }

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_ != nullptr)
            std::exchange(p_, nullptr)->Release();
    }
    // For out parameters: drops what is held and hands out the slot.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }
    I* release() { return std::exchange(p_, nullptr); }

  private:
    I* p_ = nullptr;
};

}  // namespace adjustui::win32
