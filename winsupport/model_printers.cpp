#include "winsupport/model_printers.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "settings/paper_store.h"
#include "winsupport/printer_setup.h"

namespace adjustui::winsupport {
namespace {

bool Store(const std::wstring& printer, const std::wstring& value, DWORD type, const void* data,
           DWORD size) {
    auto handle = Printer::Open(printer);
    return handle && handle.Set(value, type, data, size);
}

std::wstring Wide(const std::u16string_view text) {
    return {text.begin(), text.end()};
}

std::wstring FileName(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool Newer(const std::wstring& source, const std::wstring& target) {
    WIN32_FILE_ATTRIBUTE_DATA from{};
    WIN32_FILE_ATTRIBUTE_DATA to{};
    if (!GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &to)) {
        return true;
    }
    return GetFileAttributesExW(source.c_str(), GetFileExInfoStandard, &from) &&
           CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime) > 0;
}

// Wine's spooler lists a driver's files in its versioned folder but copies only some of them
// there (no dependent files), and none again once the driver is installed. Every listed file is
// put where the spooler says it is, when this build has a newer one.
bool PlaceDriverFiles(const std::wstring& model, const DriverFiles& files) {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrinterDriversW(nullptr, nullptr, 3, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 ||
        !EnumPrinterDriversW(nullptr, nullptr, 3, buffer.data(), needed, &needed, &count)) {
        return false;
    }
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
    const auto* driver = std::find_if(drivers, drivers + count, [&](const DRIVER_INFO_3W& d) {
        // The spooler knows driver names regardless of case.
        return d.pName != nullptr && _wcsicmp(model.c_str(), d.pName) == 0;
    });
    if (driver == drivers + count) {
        return false;
    }
    std::vector<std::wstring> listed = {driver->pDriverPath, driver->pConfigFile,
                                        driver->pDataFile};
    for (const wchar_t* p = driver->pDependentFiles; p != nullptr && *p != L'\0';
         p += std::wcslen(p) + 1) {
        listed.emplace_back(p);
    }
    for (const std::wstring& target : listed) {
        for (const std::wstring& source : {files.standin, files.configuration, files.plugin}) {
            if (FileName(source) == FileName(target) && Newer(source, target) &&
                !CopyFileW(source.c_str(), target.c_str(), FALSE)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

DriverFiles BuiltDriverFiles() {
    return {WinePath(ADJUSTUI_STANDIN_DLL), WinePath(ADJUSTUI_STANDIN_INI),
            WinePath(ADJUSTUI_PLUGIN_DLL)};
}

bool InstallModel(const std::wstring& model, const DriverFiles& files) {
    if (!InstallDriver(model, files.standin, files.standin, files.configuration, {files.plugin}) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        return false;
    }
    return PlaceDriverFiles(model, files);
}

bool AddModelPrinter(const std::wstring& printer, const std::wstring& model) {
    return InstallModel(model) && AddFreshPrinter(printer, model);
}

bool StoreCustomPapers(const std::wstring& printer, const std::vector<CustomPaper>& papers) {
    std::vector<PaperRecord> records(papers.size());
    for (std::size_t i = 0; i < papers.size(); ++i) {
        PaperRecord& record = records[i];
        record = PaperRecord{};
        const std::wstring& name = papers[i].name;
        const std::size_t units = std::min(name.size(), kPaperNameUnits - 1);
        std::copy_n(name.begin(), units, record.name);
        record.id = static_cast<std::uint16_t>(kFirstCustomPaperId + i);
        record.width = papers[i].width;
        record.length = papers[i].length;
    }
    const auto count = static_cast<std::uint32_t>(records.size());
    return Store(printer, Wide(value::kCustomPapers), REG_BINARY, records.data(),
                 static_cast<DWORD>(records.size() * sizeof(PaperRecord))) &&
           Store(printer, Wide(value::kCustomPaperCount), REG_BINARY, &count, sizeof(count));
}

bool StoreDword(const std::wstring& printer, const std::wstring& value, std::uint32_t data) {
    return Store(printer, value, REG_DWORD, &data, sizeof(data));
}

bool StoreByte(const std::wstring& printer, const std::wstring& value, std::uint8_t data) {
    return Store(printer, value, REG_BINARY, &data, sizeof(data));
}

}  // namespace adjustui::winsupport
