// Drives the real adjustui.dll as a core driver does: LoadLibraryW, DllGetClassObject, the class
// factory, IPrintOemUI2 by slot; and printers of the wine prefix whose driver name is a model.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/oem_interface.h"
#include "tests/winsupport/spooler_fixture.h"

namespace adjustui::wine {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

// The loaded plug-in (once per process; it stays loaded like under a core driver).
HMODULE Plugin();
GetClassObjectFn DllGetClassObject();
CanUnloadNowFn DllCanUnloadNow();

// Holds one reference of a COM object.
template <typename T>
class ComRef {
  public:
    ComRef() = default;
    explicit ComRef(T* p) : p_(p) {}
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

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_ != nullptr)
            std::exchange(p_, nullptr)->Release();
    }
    void** put() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }
    T* release() { return std::exchange(p_, nullptr); }

  private:
    T* p_ = nullptr;
};

ComRef<IClassFactory> Factory();
// The plug-in object as the core driver gets it: factory, CreateInstance, factory released.
ComRef<IPrintOemUI2> CreatePlugin();

// Current reference count of a COM object, read through AddRef and Release.
ULONG RefCount(IUnknown* object);

// The driver names the tests install; the printer of each is made afresh on request.
enum class Model { KestraVc9, KestraVc9Lower, MantoG36, MantoG36Lower, Unknown };
const wchar_t* DriverNameOf(Model model);

// A printer without printer data whose driver name is the model's.
winsupport::Printer FreshPrinter(Model model);

// Last error before a call, to see whether the call set one.
inline constexpr DWORD kSentinel = 0xDEADBEEF;

}  // namespace adjustui::wine
