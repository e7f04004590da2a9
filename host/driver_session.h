// Everything one request of the spooler needs: the printer, the plug-in and the full devmode.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "host/driver_devmode.h"
#include "host/plugin.h"

namespace standin {

class DriverSession {
  public:
    // `printer` may be null (wine's spooler passes none for device capabilities): the printer is
    // then opened by `deviceName`. Null when the printer cannot be opened.
    static std::unique_ptr<DriverSession> Open(HANDLE printer, const wchar_t* deviceName);

    HANDLE printer() const { return printer_; }
    const std::wstring& printerName() const { return printerName_; }
    // Null when the printer runs without a plug-in.
    const Plugin* plugin() const { return plugin_.get(); }
    DriverDevmode& devmode() { return *devmode_; }
    OEMUIOBJ* uiObject() { return &uiObject_; }

  private:
    DriverSession() = default;

    winsupport::UniquePrinter ownPrinter_;
    HANDLE printer_ = nullptr;
    std::wstring printerName_;
    std::unique_ptr<Plugin> plugin_;
    std::optional<DriverDevmode> devmode_;
    // The stand-in offers no helper procedures to the plug-in.
    OEMUIOBJ uiObject_{sizeof(OEMUIOBJ), nullptr};
};

}  // namespace standin
