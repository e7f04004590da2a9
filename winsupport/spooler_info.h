// What the spooler tells about a printer, asked the way it wants: a sizing call, a buffer of the
// size it named, the real call. Also the capability lists an application asks for.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace adjustui::winsupport {

// A block the spooler filled: an `Info` structure whose texts point into the rest of the block.
template <typename Info>
class SpoolerBlock {
  public:
    explicit SpoolerBlock(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}
    const Info& operator*() const { return *reinterpret_cast<const Info*>(bytes_.data()); }
    const Info* operator->() const { return &**this; }

  private:
    std::vector<BYTE> bytes_;
};

// GetPrinterW level 2; nothing when either call fails.
std::optional<SpoolerBlock<PRINTER_INFO_2W>> PrinterInfo2(HANDLE printer);
// GetPrinterDriverW level 2 for the current environment; nothing when either call fails.
std::optional<SpoolerBlock<DRIVER_INFO_2W>> DriverInfo2(HANDLE printer);

// OpenPrinterW by name; `access` 0 asks for the default access. Empty on failure, with the
// spooler's last error kept.
win32::UniquePrinter OpenPrinterByName(const std::wstring& name, DWORD access = 0);

// DeviceCapabilitiesW for a list, as an application asks: the count, then the list into a buffer
// of that many entries of `unitsPerEntry` Entry each (64 wchar_t for a paper name). Empty when
// either call fails or the two disagree on the count.
template <typename Entry>
std::vector<Entry> CapabilityList(const std::wstring& printer, WORD capability,
                                  std::size_t unitsPerEntry = 1) {
    const int count = DeviceCapabilitiesW(printer.c_str(), nullptr, capability, nullptr, nullptr);
    if (count <= 0) {
        return {};
    }
    std::vector<Entry> entries(static_cast<std::size_t>(count) * unitsPerEntry);
    const int filled = DeviceCapabilitiesW(printer.c_str(), nullptr, capability,
                                           reinterpret_cast<wchar_t*>(entries.data()), nullptr);
    if (filled != count) {
        entries.clear();
    }
    return entries;
}

}  // namespace adjustui::winsupport
