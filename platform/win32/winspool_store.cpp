#include "platform/win32/winspool_store.h"

#include <winspool.h>

#include <string>
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

namespace {

// Room for the usual driver name and the usual set of values, so one call serves.
constexpr DWORD kDriverInfoRoom = 512;
constexpr DWORD kListingRoom = 32 * 1024;
// A listing larger than this is not taken whole: the values are then read one by one, each
// bounded by its reader.
constexpr DWORD kLargestListing = 4 * 1024 * 1024;

// Calls `call(buffer, size, &needed)` with `room` bytes, and once more with what the spooler asks
// for when that was too little and no more than `largest`.
template <typename Call>
std::optional<std::vector<std::byte>> TwoCallsAtMost(DWORD room, DWORD largest, Call call) {
    // operator new aligns for any scalar, as the pointers inside the answers need.
    std::vector<std::byte> buffer(room);
    DWORD needed = 0;
    DWORD result = call(buffer.data(), room, &needed);
    if ((result == ERROR_INSUFFICIENT_BUFFER || result == ERROR_MORE_DATA) && needed > room &&
        needed <= largest) {
        buffer.resize(needed);
        result = call(buffer.data(), needed, &needed);
    }
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return buffer;
}

bool Within(const std::vector<std::byte>& buffer, const void* p, std::size_t size) {
    const auto* first = static_cast<const std::byte*>(p);
    return first >= buffer.data() && size <= buffer.size() &&
           static_cast<std::size_t>(first - buffer.data()) <= buffer.size() - size;
}

}  // namespace

std::optional<std::u16string> WinspoolStore::DriverName() {
    const auto info =
        TwoCallsAtMost(kDriverInfoRoom, kLargestListing,
                       [&](std::byte* buffer, DWORD size, DWORD* needed) -> DWORD {
                           return GetPrinterDriverW(handle_, nullptr, 1,
                                                    reinterpret_cast<BYTE*>(buffer), size, needed)
                                      ? ERROR_SUCCESS
                                      : GetLastError();
                       });
    if (!info || info->size() < sizeof(DRIVER_INFO_1W))
        return std::nullopt;
    const auto* driver = reinterpret_cast<const DRIVER_INFO_1W*>(info->data());
    if (driver->pName == nullptr)
        return std::nullopt;
    // The name lies in the answer's own buffer; it is read no further than that.
    const auto* name = reinterpret_cast<const char16_t*>(driver->pName);
    if (!Within(*info, name, sizeof(char16_t)))
        return std::nullopt;
    const std::size_t room =
        (info->size() - (reinterpret_cast<const std::byte*>(name) - info->data())) /
        sizeof(char16_t);
    const std::size_t length = std::char_traits<char16_t>::find(name, room, u'\0') != nullptr
                                   ? std::char_traits<char16_t>::length(name)
                                   : room;
    return std::u16string(name, length);
}

std::optional<std::vector<ListedValue>> WinspoolStore::ListValues() {
    DWORD count = 0;
    const auto listing = TwoCallsAtMost(
        kListingRoom, kLargestListing, [&](std::byte* buffer, DWORD size, DWORD* needed) {
            return EnumPrinterDataExW(handle_, L"PrinterDriverData",
                                      reinterpret_cast<BYTE*>(buffer), size, needed, &count);
        });
    if (!listing || count > listing->size() / sizeof(PRINTER_ENUM_VALUESW))
        return std::nullopt;
    const auto* entries = reinterpret_cast<const PRINTER_ENUM_VALUESW*>(listing->data());
    std::vector<ListedValue> values;
    values.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_ENUM_VALUESW& e = entries[i];
        if (!Within(*listing, e.pValueName, e.cbValueName) ||
            (e.cbData > 0 && !Within(*listing, e.pData, e.cbData))) {
            return std::nullopt;
        }
        const auto* name = reinterpret_cast<const char16_t*>(e.pValueName);
        const std::size_t units = e.cbValueName / sizeof(char16_t);
        const auto* data = reinterpret_cast<const std::byte*>(e.pData);
        values.push_back({std::u16string(name, std::char_traits<char16_t>::find(name, units, u'\0')
                                                   ? std::char_traits<char16_t>::length(name)
                                                   : units),
                          std::vector<std::byte>(data, data + e.cbData)});
    }
    return values;
}

}  // namespace adjustui::win32
