#include "platform/win32/winspool_store.h"

#include <winspool.h>

#include <vector>

namespace adjustui::win32 {

std::uint32_t WinspoolStore::GetData(const char16_t* name, std::span<std::byte> dest,
                                     std::uint32_t& needed) {
    DWORD type = 0;
    DWORD size = 0;
    DWORD rc = GetPrinterDataW(handle_, Wide(name), &type, reinterpret_cast<BYTE*>(dest.data()),
                               static_cast<DWORD>(dest.size()), &size);
    if (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA)
        needed = size;
    return rc;
}

std::uint32_t WinspoolStore::SetData(const char16_t* name, std::uint32_t type,
                                     std::span<const std::byte> data) {
    return SetPrinterDataW(handle_, Wide(name), type,
                           reinterpret_cast<BYTE*>(const_cast<std::byte*>(data.data())),
                           static_cast<DWORD>(data.size()));
}

std::unique_ptr<PrinterStore> WinspoolStore::OpenForWrite() {
    DWORD needed = 0;
    if (GetPrinterW(handle_, 2, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return nullptr;
    }
    // operator new aligns for any scalar, as the pointers inside the level-2 information need.
    std::vector<std::byte> info(needed);
    if (!GetPrinterW(handle_, 2, reinterpret_cast<BYTE*>(info.data()), needed, &needed)) {
        return nullptr;
    }
    const auto* printer = reinterpret_cast<const PRINTER_INFO_2W*>(info.data());
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    UniquePrinter writer;
    if (!OpenPrinterW(printer->pPrinterName, writer.put(), &defaults))
        return nullptr;
    return std::make_unique<WinspoolStore>(std::move(writer));
}

std::optional<std::u16string> WinspoolStore::DriverName() {
    DWORD needed = 0;
    if (GetPrinterDriverW(handle_, nullptr, 1, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return std::nullopt;
    }
    // 128 bytes of slack as the driver answers have always been read.
    const DWORD size = needed + 128;
    std::vector<std::byte> info(size);
    if (!GetPrinterDriverW(handle_, nullptr, 1, reinterpret_cast<BYTE*>(info.data()), size,
                           &needed)) {
        return std::nullopt;
    }
    const auto* driver = reinterpret_cast<const DRIVER_INFO_1W*>(info.data());
    if (driver->pName == nullptr)
        return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(driver->pName));
}

}  // namespace adjustui::win32
