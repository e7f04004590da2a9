#include "host/plugin.h"

#include <string>
#include <vector>

#include "host/driver_ui.h"

namespace standin {
namespace {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

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
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
    if (needed == 0) {
        return {};
    }
    std::vector<BYTE> buffer(needed);
    if (!GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed)) {
        return {};
    }
    const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
    if (info->pDataFile == nullptr || info->pConfigFile == nullptr) {
        return {};
    }
    wchar_t name[MAX_PATH] = {};
    GetPrivateProfileStringW(L"OEMFiles", L"OEMConfigFile1", L"", name, MAX_PATH, info->pDataFile);
    if (name[0] == L'\0') {
        return {};
    }
    const std::wstring file = name;
    if (file.find_first_of(L"\\/") != std::wstring::npos) {
        return file;
    }
    return DirectoryOf(info->pConfigFile) + file;
}

}  // namespace

std::unique_ptr<Plugin> Plugin::Load(HANDLE printer) {
    const std::wstring path = PluginPath(printer);
    if (path.empty()) {
        return nullptr;
    }
    std::unique_ptr<Plugin> plugin{new Plugin};
    plugin->module_.reset(LoadLibraryW(path.c_str()));
    if (!plugin->module_) {
        Trace("plug-in not loadable");
        return nullptr;
    }
    const auto getClassObject = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(plugin->module(), "DllGetClassObject")));
    if (getClassObject == nullptr) {
        Trace("plug-in without DllGetClassObject");
        return nullptr;
    }

    ComRef<IClassFactory> factory;
    if (FAILED(getClassObject(kCLSID_AdjustUi, IID_IClassFactory, factory.put()))) {
        Trace("no class factory");
        return nullptr;
    }
    ComRef<IUnknown> object;
    if (FAILED(factory->CreateInstance(nullptr, IID_IUnknown, object.put()))) {
        Trace("CreateInstance failed");
        return nullptr;
    }
    factory.reset();
    if (FAILED(object->QueryInterface(kIID_IPrintOemUI2, plugin->ui_.put()))) {
        Trace("no IPrintOemUI2");
        return nullptr;
    }
    object.reset();

    plugin->driverUi_ = ComRef<IPrintOemDriverUI>(CreateDriverUi());
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

    OEMDMPARAM sizing{};
    sizing.cbSize = sizeof(sizing);
    sizing.hPrinter = printer;
    sizing.hModule = plugin->module();
    if (FAILED(plugin->ui()->DevMode(OEMDM_SIZE, &sizing)) ||
        sizing.cbBufSize < sizeof(OEM_DMEXTRAHEADER) || sizing.cbBufSize > kMaxPrivateSize) {
        Trace("unusable private devmode size");
        return nullptr;
    }
    plugin->privateSize_ = sizing.cbBufSize;
    return plugin;
}

Plugin::~Plugin() {
    ui_.reset();
    driverUi_.reset();
    if (!module_) {
        return;
    }
    // COM's rule: a server stays loaded while it says objects of it are alive.
    const auto canUnloadNow = reinterpret_cast<CanUnloadNowFn>(
        reinterpret_cast<void*>(GetProcAddress(module(), "DllCanUnloadNow")));
    if (canUnloadNow != nullptr && canUnloadNow() != S_OK) {
        Trace("plug-in still busy, left loaded");
        module_.release();
    }
}

}  // namespace standin
