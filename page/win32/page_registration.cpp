#include "page/win32/page_registration.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "common/text.h"
#include "models/model_tables.h"
#include "page/controls.h"
#include "page/language.h"
#include "page/texts.h"
#include "page/win32/lent_picture.h"
#include "page/win32/page_context.h"
#include "page/win32/page_dialog.h"
#include "page/win32/page_strings.h"
#include "platform/win32/module_state.h"
#include "platform/win32/oem_interface.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/winspool_store.h"
#include "settings/paper_store.h"

namespace adjustui::page {
namespace {

constexpr WORD kManifestResource = 2;
// GetModuleFileNameW is asked at most this often, the buffer doubling each time.
constexpr int kModulePathReads = 10;

// The context whose page the host is making now, until the host answers: a host that makes the
// page and destroys it again before it reports failure has had it freed by the release callback.
thread_local PageContext* g_contextBeingAdded = nullptr;

// The module's activation context for version 6 of the common controls: created once per
// process, released when the module unloads.
HANDLE PageActivationContext() {
    HANDLE context = ModuleActivationContext();
    if (context != INVALID_HANDLE_VALUE)
        return context;
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    for (int read = 0; read < kModulePathReads; ++read) {
        length = GetModuleFileNameW(ModuleHandle(), path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size() || read + 1 == kModulePathReads)
            break;
        path.resize(path.size() * 2);
    }
    if (length == 0)
        return INVALID_HANDLE_VALUE;
    path.back() = L'\0';
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.data();
    request.lpResourceName = MAKEINTRESOURCEW(kManifestResource);
    context = CreateActCtxW(&request);
    SetModuleActivationContext(context);
    return context;
}

// One paper list as an application gets it, the core driver's entries and the custom papers
// behind them; empty when the core driver gives none.
template <typename Entry>
std::vector<Entry> AskPaperList(const std::wstring& printer, WORD capability) {
    const int count = DeviceCapabilitiesW(printer.c_str(), nullptr, capability, nullptr, nullptr);
    // No list the plug-in would keep is longer than its own papers behind the driver's.
    if (count <= 0 || static_cast<DWORD>(count) > 2 * kMaxPaperRecords)
        return {};
    std::vector<Entry> entries(count);
    const int filled = DeviceCapabilitiesW(printer.c_str(), nullptr, capability,
                                           reinterpret_cast<wchar_t*>(entries.data()), nullptr);
    entries.resize(filled > 0 ? std::min<std::size_t>(filled, entries.size()) : 0);
    return entries;
}

// Makes the core driver pass each paper list through the plug-in with a buffer, which stores the
// standard papers where a user may change the printer, and keeps the core driver's papers from
// the answers for the page. The printer is named in full: the public devmode's 31 units name no
// printer with a longer name.
void RefreshPaperCapabilities(PagePrinter& printer) {
    const auto& name = printer.Name();
    if (!name)
        return;
    const LentPicture lent(printer.get(), *name);
    const auto sizes = AskPaperList<PaperPoint>(*name, DC_PAPERSIZE);
    const auto numbers = AskPaperList<PaperNumber>(*name, DC_PAPERS);
    const auto names = AskPaperList<PaperName>(*name, DC_PAPERNAMES);
    if (!numbers.empty())
        printer.SetAnsweredPapers(
            CoreDriverPapers(numbers, names, sizes, ReadCustomPapers(printer.get())));
}

// Puts the devmode back unless the sheet was applied, and frees the context with what it owns.
UINT CALLBACK ReleasePage(HWND, UINT message, PROPSHEETPAGEW* page) {
    if (message != PSPCB_RELEASE || page == nullptr)
        return 1;
    auto* context = reinterpret_cast<PageContext*>(page->lParam);
    if (context == nullptr)
        return 1;
    const win32::HeapObject<PageContext> owned(
        context, win32::HeapObjectTraits<PageContext>{context->hHeap});
    if (context == g_contextBeingAdded)
        g_contextBeingAdded = nullptr;
    if (context->dwApplied == 0 && context->savedOemDevmode)
        std::memcpy(context->pOemDevmode, context->savedOemDevmode.get(), sizeof(OemDevmode));
    return 1;
}

// The host's answer whole: a page handle is as wide as a pointer.
LONG_PTR AddPage(PROPSHEETUI_INFO& info, const OEMUIPSPARAM& param) {
    // One picture of the printer serves the answers the refresh causes and the page after them.
    auto printer = std::make_unique<PagePrinter>(param.hPrinter, param.pPublicDM);
    RefreshPaperCapabilities(*printer);

    // The release callback frees the context once the host has made the page; until then, this.
    auto context = win32::HeapNew<PageContext>(param.hOEMHeap);
    if (!context)
        return 0;
    PageContext& c = *context;
    c.pPublicDevmode = param.pPublicDM;
    c.pOemDevmode = static_cast<OemDevmode*>(param.pOEMDM);
    c.hHeap = param.hOEMHeap;
    c.hModule = static_cast<HMODULE>(param.hModule);
    c.hPrinter = param.hPrinter;
    if (auto saved = win32::HeapAllocate<OemDevmode>(param.hOEMHeap);
        saved && c.pOemDevmode != nullptr) {
        std::memcpy(saved.get(), c.pOemDevmode, sizeof(OemDevmode));
        c.savedOemDevmode = std::move(saved);
    }

    // One read of the driver name serves every model decision of the page.
    c.pPrinter = std::move(printer);
    if (const auto name = c.pPrinter->get().DriverName()) {
        AssignField(c.szDriverName, *name);
        const ModelCapabilities model = ModelCapabilitiesOf(FieldText(c.szDriverName));
        c.bHasCutter = model.bHasCutter;
        c.bHasPrintSpeed = model.bHasPrintSpeed;
        c.bHasPrintDensity = model.bHasPrintDensity;
        c.bHasSlipCorrection = model.bHasSlipCorrection;
    }

    const bool german = IsGermanLocale(GetUserDefaultLCID());
    c.title = LoadPageString(c.hHeap, c.hModule, static_cast<UINT>(kPageTitleText.In(german)));
    if (german)
        SetUseGermanTexts();

    const HANDLE activation = PageActivationContext();
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USECALLBACK | PSP_USETITLE;
    if (activation != nullptr && activation != INVALID_HANDLE_VALUE) {
        page.dwFlags |= PSP_USEFUSIONCONTEXT;
        page.hActCtx = activation;
    }
    page.hInstance = ModuleHandle();
    page.pszTemplate = MAKEINTRESOURCEW(kPageDialog);
    page.pszTitle = c.title.get();
    page.pfnDlgProc = PageDialogProcedure;
    page.lParam = reinterpret_cast<LPARAM>(context.get());
    page.pfnCallback = ReleasePage;
    g_contextBeingAdded = context.get();
    const LONG_PTR added = info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                                reinterpret_cast<LPARAM>(&page), 0);
    const bool releasedByHost = g_contextBeingAdded == nullptr;
    g_contextBeingAdded = nullptr;
    // Host failures are negative or zero; a page the host made belongs to its release callback.
    if (added > 0 || releasedByHost)
        context.release();
    return added;
}

}  // namespace

HRESULT DocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
    if (info == nullptr || info->Version != PROPSHEETUI_INFO_VERSION) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    switch (info->Reason) {
        case PROPSHEETUI_REASON_GET_INFO_HEADER:
        case PROPSHEETUI_REASON_DESTROY:
            info->Result = 1;
            return S_OK;
        case PROPSHEETUI_REASON_SET_RESULT: {
            const auto* set = reinterpret_cast<const SETRESULT_INFO*>(lParam);
            if (set != nullptr)
                info->Result = set->Result;
            return S_OK;
        }
        case PROPSHEETUI_REASON_INIT:
            break;
        default:
            info->Result = 0;
            return S_OK;
    }
    const auto* param = reinterpret_cast<const OEMUIPSPARAM*>(info->lParamInit);
    if (param == nullptr || param->hOEMHeap == nullptr) {
        info->Result = 0;
        return S_OK;
    }
    info->Result = AddPage(*info, *param);
    return S_OK;
}

}  // namespace adjustui::page
