// Printers in a wine prefix for the tests and the set-up tool: install a driver, make a printer
// afresh, read and write its printer data through the real spooler.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace adjustui::winsupport {

// Copies the files (full Windows paths, e.g. Z:\work\main\dist\x64\adjustui.dll) into the
// spooler's driver folder and installs the driver under `driverName`. The dependent files are
// copied and listed too. True when the spooler accepted the driver.
// Wine loads the configuration file whenever a printer is added and then calls its
// DrvDocumentPropertySheets without checking that it exists: pass a DLL that exports it, or a file
// that is no DLL at all (the spooler then does without).
bool InstallDriver(const std::wstring& driverName, const std::wstring& driverFile,
                   const std::wstring& configFile, const std::wstring& dataFile,
                   const std::vector<std::wstring>& dependentFiles);

// Deletes a printer of that name if there is one, then adds it on "FILE:" with "WinPrint" and
// "RAW". Printer data cannot be deleted under wine, so this is how a test gets a printer without
// values.
bool AddFreshPrinter(const std::wstring& printerName, const std::wstring& driverName);

// True when the printer is gone afterwards (also when there was none).
bool DeletePrinterByName(const std::wstring& printerName);

class Printer {
  public:
    Printer() = default;
    static Printer Open(const std::wstring& name, DWORD access = PRINTER_ALL_ACCESS);

    HANDLE get() const { return handle_.get(); }
    explicit operator bool() const { return static_cast<bool>(handle_); }

    // SetPrinterDataW; true on success.
    bool Set(const std::wstring& value, DWORD type, const void* data, DWORD size);
    // The whole value, or nothing when it is missing or unreadable.
    std::optional<std::vector<unsigned char>> Get(const std::wstring& value);

  private:
    explicit Printer(win32::UniquePrinter handle) : handle_(std::move(handle)) {}
    win32::UniquePrinter handle_;
};

// The path wine shows for a path of the host: "Z:" and the path with backslashes.
std::wstring WinePath(const char* unixPath);

}  // namespace adjustui::winsupport
