#include "host/plugin.h"

#include <string>

#include "host/driver_ui.h"
#include "winsupport/spooler_info.h"

namespace standin {
namespace {

// A private block is counted in dmDriverExtra, a 16-bit field, behind the public devmode.
constexpr DWORD kMaxPrivateSize = 0xFFFF - sizeof(DEVMODEW);

// Narrow text: wine's debug channel shows only OutputDebugStringA.
void Trace(const char* what) {
    std::string line = "standin: ";
    line += what;
    line += "\n";
    OutputDebugStringA(line.c_str());
}

std::wstring DirectoryOf(const wchar_t* path) {
    std::wstring dir = path;
    const auto slash = dir.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring{} : dir.substr(0, slash + 1);
}

// The plug-in named by the driver's configuration file (its data file):
//   [OEMFiles]
//   OEMConfigFile1=adjustui.dll
// A bare file name lives in the driver directory, next to the stand-in.
std::wstring PluginPath(HANDLE printer) {
    const auto info = winsupport::DriverInfo2(printer);
    if (!info || (*info)->pDataFile == nullptr || (*info)->pConfigFile == nullptr) {
        return {};
    }
    wchar_t name[MAX_PATH] = {};
    GetPrivateProfileStringW(L"OEMFiles", L"OEMConfigFile1", L"", name, MAX_PATH,
                             (*info)->pDataFile);
    if (name[0] == L'\0') {
        return {};
    }
    const std::wstring file = name;
    if (file.find_first_of(L"\\/") != std::wstring::npos) {
        return file;
    }
    return DirectoryOf((*info)->pConfigFile) + file;
}

}  // namespace

std::unique_ptr<Plugin> Plugin::Load(HANDLE printer) {
    const std::wstring path = PluginPath(printer);
    if (path.empty()) {
        return nullptr;
    }
    std::unique_ptr<Plugin> plugin{new Plugin};
    plugin->module_ = winsupport::PluginModule::Load(path);
    if (!plugin->module_) {
        Trace("plug-in not loadable");
        return nullptr;
    }
    const char* failedStep = nullptr;
    if (FAILED(plugin->module_.CreateUi(plugin->ui_, &failedStep))) {
        Trace(failedStep);
        return nullptr;
    }

    plugin->driverUi_ = winsupport::ComRef<IPrintOemDriverUI>(CreateDriverUi());
    if (FAILED(plugin->ui()->PublishDriverInterface(plugin->driverUi_.get()))) {
        Trace("PublishDriverInterface failed");
        return nullptr;
    }

    DWORD needed = 0;
    if (FAILED(plugin->ui()->GetInfo(OEMGI_GETSIGNATURE, &plugin->signature_,
                                     sizeof(plugin->signature_), &needed)) ||
        plugin->signature_ == 0) {
        Trace("no signature");
        return nullptr;
    }

    OEMDMPARAM sizing = plugin->DevmodeParam(printer);
    if (FAILED(plugin->ui()->DevMode(OEMDM_SIZE, &sizing)) ||
        sizing.cbBufSize < sizeof(OEM_DMEXTRAHEADER) || sizing.cbBufSize > kMaxPrivateSize) {
        Trace("unusable private devmode size");
        return nullptr;
    }
    plugin->privateSize_ = sizing.cbBufSize;
    return plugin;
}

OEMDMPARAM Plugin::DevmodeParam(HANDLE printer) const {
    OEMDMPARAM param{};
    param.cbSize = sizeof(param);
    param.hPrinter = printer;
    param.hModule = module();
    return param;
}

}  // namespace standin
