#include "winsupport/printer_setup.h"

#include <algorithm>
#include <string_view>

#include "winsupport/spooler_info.h"

namespace adjustui::winsupport {
namespace {

std::wstring FileNameOf(const std::wstring& path) {
    auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring DriverDirectory() {
    wchar_t dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                    &needed)) {
        return {};
    }
    return dir;
}

// Copies `source` into the driver folder and answers the full path of the copy.
std::optional<std::wstring> CopyToDriverDirectory(const std::wstring& dir,
                                                  const std::wstring& source) {
    std::wstring target = dir + L"\\" + FileNameOf(source);
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE))
        return std::nullopt;
    return target;
}

}  // namespace

bool InstallDriver(const std::wstring& driverName, const std::wstring& driverFile,
                   const std::wstring& configFile, const std::wstring& dataFile,
                   const std::vector<std::wstring>& dependentFiles) {
    const std::wstring dir = DriverDirectory();
    if (dir.empty())
        return false;

    auto driver = CopyToDriverDirectory(dir, driverFile);
    auto config = CopyToDriverDirectory(dir, configFile);
    auto data = CopyToDriverDirectory(dir, dataFile);
    if (!driver || !config || !data)
        return false;

    // Dependent files as a list of names, each ended by a null, the list by a second one.
    std::wstring dependents;
    for (const auto& file : dependentFiles) {
        if (!CopyToDriverDirectory(dir, file))
            return false;
        dependents += FileNameOf(file);
        dependents.push_back(L'\0');
    }
    dependents.push_back(L'\0');

    std::wstring name = driverName;
    DRIVER_INFO_3W info{};
    info.cVersion = 3;
    info.pName = name.data();
    info.pDriverPath = driver->data();
    info.pConfigFile = config->data();
    info.pDataFile = data->data();
    info.pDependentFiles = dependents.data();
    return AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info),
                               APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) != FALSE;
}

bool DeletePrinterByName(const std::wstring& printerName) {
    const win32::UniquePrinter printer = OpenPrinterByName(printerName, PRINTER_ALL_ACCESS);
    if (!printer) {
        return GetLastError() == ERROR_INVALID_PRINTER_NAME;
    }
    return DeletePrinter(printer.get()) != FALSE;
}

bool AddFreshPrinter(const std::wstring& printerName, const std::wstring& driverName) {
    if (!DeletePrinterByName(printerName))
        return false;
    std::wstring name = printerName;
    std::wstring driver = driverName;
    wchar_t port[] = L"FILE:";
    wchar_t processor[] = L"WinPrint";
    wchar_t datatype[] = L"RAW";
    // Without a devmode wine asks the driver's configuration DLL for one through an entry point
    // it does not check for, and a plug-in standing in as that DLL has none.
    DEVMODEW devmode{};
    lstrcpynW(devmode.dmDeviceName, printerName.c_str(), CCHDEVICENAME);
    devmode.dmSpecVersion = DM_SPECVERSION;
    devmode.dmSize = sizeof devmode;
    PRINTER_INFO_2W info{};
    info.pDevMode = &devmode;
    info.pPrinterName = name.data();
    info.pPortName = port;
    info.pDriverName = driver.data();
    info.pPrintProcessor = processor;
    info.pDatatype = datatype;
    win32::UniquePrinter printer(AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
    return static_cast<bool>(printer);
}

Printer Printer::Open(const std::wstring& name, DWORD access) {
    return Printer(OpenPrinterByName(name, access));
}

bool Printer::Set(const std::wstring& value, DWORD type, const void* data, DWORD size) {
    return SetPrinterDataW(get(), const_cast<wchar_t*>(value.c_str()), type,
                           static_cast<BYTE*>(const_cast<void*>(data)), size) == ERROR_SUCCESS;
}

std::optional<std::vector<unsigned char>> Printer::Get(const std::wstring& value) {
    auto* name = const_cast<wchar_t*>(value.c_str());
    DWORD type = 0;
    DWORD needed = 0;
    DWORD rc = GetPrinterDataW(get(), name, &type, nullptr, 0, &needed);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA)
        return std::nullopt;
    std::vector<unsigned char> data(needed);
    // One spare byte keeps the buffer pointer valid for an empty value.
    data.reserve(needed + 1);
    if (GetPrinterDataW(get(), name, &type, data.data(), needed, &needed) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(needed);
    return data;
}

std::wstring WinePath(const char* unixPath) {
    const std::string_view utf8(unixPath);
    std::wstring path(utf8.size(), L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), path.data(),
                                static_cast<int>(path.size()));
    path.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

}  // namespace adjustui::winsupport
