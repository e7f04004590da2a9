#include "winsupport/plugin_module.h"

namespace adjustui::winsupport {
namespace {

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    return module == nullptr
               ? nullptr
               : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void PluginModule::Traits::Close(HMODULE module) noexcept {
    const auto canUnloadNow = Export<CanUnloadNowFn>(module, "DllCanUnloadNow");
    if (canUnloadNow != nullptr && canUnloadNow() != S_OK) {
        // Narrow text: wine's debug channel shows only OutputDebugStringA.
        OutputDebugStringA("winsupport: plug-in still busy, left loaded\n");
        return;
    }
    FreeLibrary(module);
}

PluginModule PluginModule::Load(const std::wstring& path) {
    PluginModule plugin;
    plugin.module_.reset(LoadLibraryW(path.c_str()));
    return plugin;
}

GetClassObjectFn PluginModule::GetClassObject() const {
    return Export<GetClassObjectFn>(get(), "DllGetClassObject");
}

CanUnloadNowFn PluginModule::CanUnloadNow() const {
    return Export<CanUnloadNowFn>(get(), "DllCanUnloadNow");
}

HRESULT PluginModule::GetFactory(win32::ComRef<IClassFactory>& factory) const {
    const auto getClassObject = GetClassObject();
    if (getClassObject == nullptr) {
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    }
    return getClassObject(kCLSID_AdjustUi, IID_IClassFactory, factory.put());
}

HRESULT PluginModule::CreateUi(win32::ComRef<IPrintOemUI2>& ui, const char** failedStep) const {
    const char* step = "no class factory";
    win32::ComRef<IClassFactory> factory;
    HRESULT hr = GetFactory(factory);
    win32::ComRef<IUnknown> object;
    if (SUCCEEDED(hr)) {
        step = "CreateInstance failed";
        hr = factory->CreateInstance(nullptr, IID_IUnknown, object.put());
    }
    if (SUCCEEDED(hr)) {
        step = "no IPrintOemUI2";
        hr = object->QueryInterface(kIID_IPrintOemUI2, ui.put());
    }
    if (FAILED(hr) && failedStep != nullptr) {
        *failedStep = step;
    }
    return hr;
}

HRESULT PluginModule::CreateTicketProvider(
    win32::ComRef<IPrintOemPrintTicketProvider>& provider) const {
    const auto getClassObject = GetClassObject();
    if (getClassObject == nullptr) {
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    }
    win32::ComRef<IClassFactory> factory;
    HRESULT hr = getClassObject(kCLSID_OemPtProvider, IID_IClassFactory, factory.put());
    if (SUCCEEDED(hr)) {
        hr = factory->CreateInstance(nullptr, kIID_IPrintOemPrintTicketProvider, provider.put());
    }
    return hr;
}

}  // namespace adjustui::winsupport
