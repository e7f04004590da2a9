// The printer store over a spooler printer handle.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "settings/printer_store.h"

namespace adjustui::win32 {

// Platform wide text and the portable code's 16-bit text are the same units here.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline wchar_t* Wide(const char16_t* text) {
    return const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text));
}

class WinspoolStore final : public PrinterStore {
  public:
    // Borrows a handle that the caller keeps open for the store's lifetime.
    explicit WinspoolStore(HANDLE borrowed) : handle_(borrowed) {}
    // Owns the handle and closes it.
    explicit WinspoolStore(UniquePrinter owned) : handle_(owned.get()), owned_(std::move(owned)) {}

    std::uint32_t GetData(const char16_t* name, std::span<std::byte> dest,
                          std::uint32_t& needed) override;
    std::uint32_t SetData(const char16_t* name, std::uint32_t type,
                          std::span<const std::byte> data) override;
    std::unique_ptr<PrinterStore> OpenForWrite() override;
    std::optional<std::u16string> DriverName() override;
    std::optional<std::vector<ListedValue>> ListValues() override;

  private:
    HANDLE handle_;
    UniquePrinter owned_;
};

// The printer of one request: the spooler's when the request carries a handle, none otherwise.
class RequestPrinter {
  public:
    explicit RequestPrinter(HANDLE handle) : spooler_(handle), hasHandle_(handle != nullptr) {}
    PrinterStore& get() { return hasHandle_ ? static_cast<PrinterStore&>(spooler_) : none_; }

  private:
    WinspoolStore spooler_;
    NoPrinterStore none_;
    bool hasHandle_;
};

}  // namespace adjustui::win32
