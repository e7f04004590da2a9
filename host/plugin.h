// The plug-in as the stand-in holds it: found through the driver's configuration file, loaded,
// created and published to, and released again when the request is done.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/oem_interface.h"
#include "winsupport/handles.h"
#include "winsupport/plugin_module.h"

namespace standin {

namespace winsupport = adjustui::winsupport;

class Plugin {
  public:
    // Null when the configuration names no plug-in or the plug-in does not keep the contract;
    // the stand-in then answers on its own.
    static std::unique_ptr<Plugin> Load(HANDLE printer);

    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    IPrintOemUI2* ui() const { return ui_.get(); }
    // The plug-in's print-ticket provider, made through its class factory as the core driver
    // makes it.
    HRESULT CreateTicketProvider(winsupport::ComRef<IPrintOemPrintTicketProvider>& provider) const {
        return module_.CreateTicketProvider(provider);
    }
    HMODULE module() const { return module_.get(); }
    // A devmode request's block with the fields every request fills.
    OEMDMPARAM DevmodeParam(HANDLE printer) const;
    DWORD signature() const { return signature_; }
    // The size of its private devmode block (OEMDM_SIZE).
    DWORD privateSize() const { return privateSize_; }

  private:
    Plugin() = default;

    // Released in reverse order: the objects before the module.
    winsupport::PluginModule module_;
    winsupport::ComRef<IPrintOemDriverUI> driverUi_;
    winsupport::ComRef<IPrintOemUI2> ui_;
    DWORD signature_ = 0;
    DWORD privateSize_ = 0;
};

}  // namespace standin
