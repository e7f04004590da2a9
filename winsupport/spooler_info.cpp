#include "winsupport/spooler_info.h"

namespace adjustui::winsupport {
namespace {

// `call(buffer, size, &needed)` is the spooler function with its other arguments bound. The
// sizing call fails by design; only the size it names matters.
template <typename Info, typename Call>
std::optional<SpoolerBlock<Info>> TwoCalls(Call call) {
    DWORD needed = 0;
    call(nullptr, 0, &needed);
    if (needed < sizeof(Info)) {
        return std::nullopt;
    }
    std::vector<BYTE> bytes(needed);
    if (!call(bytes.data(), needed, &needed)) {
        return std::nullopt;
    }
    return SpoolerBlock<Info>(std::move(bytes));
}

}  // namespace

std::optional<SpoolerBlock<PRINTER_INFO_2W>> PrinterInfo2(HANDLE printer) {
    return TwoCalls<PRINTER_INFO_2W>([printer](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterW(printer, 2, buffer, size, needed);
    });
}

std::optional<SpoolerBlock<DRIVER_INFO_2W>> DriverInfo2(HANDLE printer) {
    return TwoCalls<DRIVER_INFO_2W>([printer](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterDriverW(printer, nullptr, 2, buffer, size, needed);
    });
}

win32::UniquePrinter OpenPrinterByName(const std::wstring& name, DWORD access) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    HANDLE raw = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &raw,
                      access != 0 ? &defaults : nullptr)) {
        return {};
    }
    return win32::UniquePrinter(raw);
}

}  // namespace adjustui::winsupport
