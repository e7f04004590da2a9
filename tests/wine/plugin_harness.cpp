#include "tests/wine/plugin_harness.h"

namespace adjustui::wine {
namespace {

struct ModelPrinter {
    const wchar_t* driver;
    const wchar_t* printer;  // printer names, like driver names, ignore case in the spooler
};
constexpr ModelPrinter kModels[] = {
    {L"KESTRA VC9", L"adjustui test 1"},  {L"kestra vc9", L"adjustui test 2"},
    {L"MANTO G36", L"adjustui test 3"},   {L"manto g36", L"adjustui test 4"},
    {L"ACME LP-100", L"adjustui test 5"},
};

const ModelPrinter& Entry(Model model) {
    return kModels[static_cast<int>(model)];
}

// Wine's spooler installs each driver name once; a printer keeps the case of the name it was
// added with, which is what GetPrinterDriverW reports.
bool InstallDrivers() {
    const std::wstring driverFile = winsupport::WinePath(ADJUSTUI_DLL_UNIX_PATH);
    // The spooler loads the configuration file when a printer is added; the plug-in is no
    // configuration DLL, so a file that is no DLL stands in for it.
    const std::wstring configFile = winsupport::WinePath(ADJUSTUI_CONFIG_UNIX_PATH);
    for (const auto& model : kModels) {
        if (!winsupport::InstallDriver(model.driver, driverFile, configFile, configFile, {})) {
            return false;
        }
    }
    return true;
}

// Loaded once per process; it stays loaded as under a core driver.
const winsupport::PluginModule& Module() {
    static const auto module =
        winsupport::PluginModule::Load(winsupport::WinePath(ADJUSTUI_DLL_UNIX_PATH));
    return module;
}

}  // namespace

HMODULE Plugin() {
    return Module().get();
}

GetClassObjectFn DllGetClassObject() {
    return Module().GetClassObject();
}

CanUnloadNowFn DllCanUnloadNow() {
    return Module().CanUnloadNow();
}

ComRef<IClassFactory> Factory() {
    ComRef<IClassFactory> factory;
    EXPECT_NE(DllGetClassObject(), nullptr);
    EXPECT_EQ(Module().GetFactory(factory), S_OK);
    return factory;
}

ComRef<IPrintOemUI2> CreatePlugin() {
    ComRef<IPrintOemUI2> plugin;
    EXPECT_EQ(Module().CreateUi(plugin), S_OK);
    return plugin;
}

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

const wchar_t* DriverNameOf(Model model) {
    return Entry(model).driver;
}

winsupport::Printer FreshPrinter(Model model) {
    static const bool installed = InstallDrivers();
    EXPECT_TRUE(installed);
    const auto& entry = Entry(model);
    EXPECT_TRUE(winsupport::AddFreshPrinter(entry.printer, entry.driver));
    auto printer = winsupport::Printer::Open(entry.printer);
    EXPECT_TRUE(printer);
    return printer;
}

}  // namespace adjustui::wine
