// A stand-in for the core printer driver, used only by the tests and the demo: a driver
// configuration DLL that a wine prefix installs as the printer's driver. The spooler routes an
// application's DeviceCapabilitiesW and DocumentPropertiesW here; the stand-in plays the core
// driver's side of the published plug-in contract towards adjustui.dll and adds little of its own:
// a plain paper list, extents, a public devmode and a "Layout" page for its orientation.
#include <windows.h>

#include <compstui.h>

#include <cstdint>
#include <cwchar>
#include <memory>

#include "host/capabilities.h"
#include "host/document_property_header.h"
#include "host/driver_session.h"
#include "host/layout_page.h"
#include "platform/win32/oem_interface.h"

namespace standin {
namespace {

// What compstui hands the plug-in's sheet function as lParamInit; the stand-in finds its own
// sheet state behind it.
struct SheetState;
struct PluginSheetParam {
    OEMUIPSPARAM param;
    SheetState* state;
};

// One open printing-preferences sheet, from INIT until both the stand-in's and the plug-in's
// sheet functions have seen DESTROY (compstui's order between the two is not promised; wine
// destroys the plug-in's first, and sends it DESTROY even after a failed INIT).
struct SheetState {
    PluginSheetParam pluginParam{};
    std::unique_ptr<DriverSession> session;
    winsupport::UniqueHeap ownHeap;
    HANDLE heap = nullptr;  // the plug-in heap: its own, or the one a test hands every sheet
    DOCUMENTPROPERTYHEADER* header = nullptr;
    int holders = 1;
    bool pluginCalled = false;
};

void DropHolder(SheetState* state) {
    if (--state->holders == 0) {
        std::unique_ptr<SheetState>{state};
    }
}

// A test hands the plug-in one heap for every sheet, to see what each opening leaves in it: the
// handle in hexadecimal in ADJUSTUI_STANDIN_PLUGIN_HEAP.
HANDLE SharedPluginHeap() {
    wchar_t text[24];
    const DWORD length = GetEnvironmentVariableW(L"ADJUSTUI_STANDIN_PLUGIN_HEAP", text, 24);
    if (length == 0 || length >= 24)
        return nullptr;
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::wcstoull(text, nullptr, 16)));
}

LONG DevmodeRoad(DOCUMENTPROPERTYHEADER* header) {
    if (header == nullptr || header->cbSize < sizeof(DOCUMENTPROPERTYHEADER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    auto session = DriverSession::Open(header->hPrinter, header->pszPrinterName);
    if (!session) {
        return -1;
    }
    DriverDevmode& devmode = session->devmode();
    if (header->fMode == 0 || header->pdmOut == nullptr) {
        header->cbOut = devmode.size();
        return static_cast<LONG>(devmode.size());
    }
    if ((header->fMode & DM_IN_BUFFER) != 0) {
        devmode.TakeIn(header->pdmIn);
    }
    // cbOut is not trusted: wine fills it from the output buffer's own dmSize. The caller's
    // buffer is as large as the sizing call said, which is the contract of DocumentPropertiesW.
    if ((header->fMode & DM_OUT_BUFFER) != 0) {
        devmode.CopyTo(header->pdmOut);
    }
    return IDOK;
}

LONG CALLBACK PluginSheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
    auto* param = reinterpret_cast<PluginSheetParam*>(info->lParamInit);
    SheetState* state = param->state;
    state->pluginCalled = true;
    const HRESULT hr = state->session->plugin()->ui()->DocumentPropertySheets(info, lParam);
    if (info->Reason == PROPSHEETUI_REASON_DESTROY) {
        DropHolder(state);
    }
    return SUCCEEDED(hr) ? 1 : -1;
}

LONG SheetInit(PROPSHEETUI_INFO* info) {
    auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info->lParamInit);
    if (header == nullptr) {
        return -1;
    }
    auto state = std::make_unique<SheetState>();
    state->header = header;
    state->session = DriverSession::Open(header->hPrinter, header->pszPrinterName);
    if (!state->session) {
        return -1;
    }
    DriverSession& session = *state->session;
    if ((header->fMode & DM_IN_BUFFER) != 0) {
        session.devmode().TakeIn(header->pdmIn);
    }
    // The stand-in's own page comes first, as a core driver's pages come before its plug-ins'.
    if (!AddLayoutPage(*info, *session.devmode().publicPart())) {
        OutputDebugStringA("standin: the layout page was not added\n");
    }
    if (const Plugin* plugin = session.plugin()) {
        state->heap = SharedPluginHeap();
        if (state->heap == nullptr) {
            state->ownHeap.reset(HeapCreate(0, 0, 0));
            state->heap = state->ownHeap.get();
        }
        OEMUIPSPARAM& param = state->pluginParam.param;
        param.cbSize = sizeof(param);
        param.poemuiobj = session.uiObject();
        param.hPrinter = session.printer();
        param.pPrinterName = const_cast<wchar_t*>(session.printerName().c_str());
        param.hModule = plugin->module();
        param.hOEMHeap = state->heap;
        param.pPublicDM = session.devmode().publicPart();
        param.pOEMDM = session.devmode().privatePart();
        state->pluginParam.state = state.get();
        if (state->heap != nullptr) {
            // The plug-in's function holds the state from its INIT, which compstui sends while
            // adding it, until its DESTROY.
            ++state->holders;
            info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PFNPROPSHEETUIW,
                                  reinterpret_cast<LPARAM>(&PluginSheets),
                                  reinterpret_cast<LPARAM>(&state->pluginParam));
            if (!state->pluginCalled) {
                --state->holders;
            }
        }
    }
    info->UserData = reinterpret_cast<ULONG_PTR>(state.release());
    return 1;
}

LONG SheetDestroy(PROPSHEETUI_INFO* info) {
    auto* state = reinterpret_cast<SheetState*>(info->UserData);
    if (state == nullptr) {
        return 1;
    }
    info->UserData = 0;
    const DOCUMENTPROPERTYHEADER& header = *state->header;
    if ((header.fMode & DM_OUT_BUFFER) != 0 && header.pdmOut != nullptr) {
        state->session->devmode().CopyTo(header.pdmOut);
    }
    DropHolder(state);
    return 1;
}

}  // namespace
}  // namespace standin

extern "C" {

DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD capability,
                                   void* output, DEVMODEW* devmode) {
    using namespace standin;
    auto session = DriverSession::Open(hPrinter, pDeviceName);
    if (!session) {
        return GDI_ERROR;
    }
    DriverDevmode& full = session->devmode();
    full.TakeIn(devmode);
    const DWORD own = AnswerCapability(capability, output, *full.publicPart());
    const Plugin* plugin = session->plugin();
    if (plugin == nullptr) {
        return own;
    }
    DWORD result = own;
    const HRESULT hr = plugin->ui()->DeviceCapabilities(
        session->uiObject(), session->printer(),
        const_cast<wchar_t*>(session->printerName().c_str()), capability, output, full.publicPart(),
        full.privatePart(), own, &result);
    return SUCCEEDED(hr) ? result : own;
}

LONG WINAPI DrvDocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
    using namespace standin;
    if (info == nullptr) {
        return DevmodeRoad(reinterpret_cast<DOCUMENTPROPERTYHEADER*>(lParam));
    }
    switch (info->Reason) {
        case PROPSHEETUI_REASON_INIT:
            return SheetInit(info);
        case PROPSHEETUI_REASON_DESTROY:
            return SheetDestroy(info);
        default:
            // Nothing to add to the sheet's header or result.
            return 1;
    }
}

}  // extern "C"
