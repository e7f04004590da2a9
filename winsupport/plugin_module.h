// The plug-in DLL loaded as a core driver loads it, and its object made through its class factory.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/oem_interface.h"
#include "platform/win32/unique_handle.h"

namespace adjustui::winsupport {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

class PluginModule {
  public:
    PluginModule() = default;
    // LoadLibraryW; empty on failure, with the loader's last error kept.
    static PluginModule Load(const std::wstring& path);

    HMODULE get() const { return module_.get(); }
    explicit operator bool() const { return static_cast<bool>(module_); }

    // The server's exports; null when missing.
    GetClassObjectFn GetClassObject() const;
    CanUnloadNowFn CanUnloadNow() const;

    // DllGetClassObject for the plug-in's class.
    HRESULT GetFactory(win32::ComRef<IClassFactory>& factory) const;
    // The object as a core driver gets it: the factory's CreateInstance for IUnknown, then
    // QueryInterface for IPrintOemUI2; nothing but `ui` is left holding the server. On failure
    // `failedStep` (when given) names the step.
    HRESULT CreateUi(win32::ComRef<IPrintOemUI2>& ui, const char** failedStep = nullptr) const;
    // The print-ticket provider as a core driver gets it: DllGetClassObject for the provider's
    // class, the factory's CreateInstance for IPrintOemPrintTicketProvider.
    HRESULT CreateTicketProvider(win32::ComRef<IPrintOemPrintTicketProvider>& provider) const;

  private:
    // COM's rule: a server stays loaded while it says objects of it are alive.
    struct Traits {
        using Type = HMODULE;
        static Type Empty() noexcept { return nullptr; }
        static void Close(Type module) noexcept;
    };
    win32::UniqueHandle<Traits> module_;
};

}  // namespace adjustui::winsupport
