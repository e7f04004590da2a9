#include "page/win32/printer_name.h"

#include <winspool.h>

#include <cwchar>
#include <vector>

namespace adjustui::page {

std::optional<std::wstring> ReadPrinterName(HANDLE printer, const DEVMODEW* publicDevmode) {
    if (publicDevmode != nullptr) {
        const std::size_t length = wcsnlen(publicDevmode->dmDeviceName, CCHDEVICENAME);
        // 31 units may be a longer name cut short.
        if (length > 0 && length < CCHDEVICENAME - 1)
            return std::wstring(publicDevmode->dmDeviceName, length);
    }
    // Level 4 holds the name and little else.
    DWORD needed = 0;
    if (GetPrinterW(printer, 4, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed < sizeof(PRINTER_INFO_4W)) {
        return std::nullopt;
    }
    // operator new aligns for any scalar, as the pointers inside the answer need.
    std::vector<std::byte> info(needed);
    if (!GetPrinterW(printer, 4, reinterpret_cast<BYTE*>(info.data()), needed, &needed))
        return std::nullopt;
    const wchar_t* name = reinterpret_cast<const PRINTER_INFO_4W*>(info.data())->pPrinterName;
    const auto* first = reinterpret_cast<const std::byte*>(name);
    // The name lies in the answer's own buffer; it is read no further than that.
    if (name == nullptr || first < info.data() || first >= info.data() + info.size())
        return std::nullopt;
    const std::size_t room = (info.data() + info.size() - first) / sizeof(wchar_t);
    const std::size_t length = wcsnlen(name, room);
    if (length == 0 || length == room)
        return std::nullopt;
    return std::wstring(name, length);
}

}  // namespace adjustui::page
