// The COM objects only unpack the published arguments and forward to the portable code.
#include "core/intrface.h"

#include <exception>
#include <new>

#include "capabilities/device_capabilities.h"
#include "common/debug_sink.h"
#include "core/plugin_info.h"
#include "page/win32/lent_picture.h"
#include "page/win32/page_registration.h"
#include "platform/win32/module_state.h"
#include "platform/win32/winspool_store.h"
#include "settings/devmode_handler.h"
#include "settings/printer_snapshot.h"
#include "tickets/win32/ticket_provider.h"

namespace adjustui {
namespace {

class OutputDebugSink final : public DebugSink {
  public:
    void Line(const char* text) override { OutputDebugStringA(text); }
};

HRESULT Apply(Outcome outcome) {
    if (outcome.lastError != 0)
        SetLastError(outcome.lastError);
    return outcome.result;
}

// Nothing thrown inside the plug-in crosses into its host: memory that ran out is E_OUTOFMEMORY
// with its last error, anything else E_UNEXPECTED. The outputs are written only at the end of
// each request, so a request that throws has left them untouched.
template <typename Body>
HRESULT AtBoundary(Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace

IOemUI::~IOemUI() {
    // The driver's interface is the only thing the object owns.
    if (m_pDriverUI != nullptr)
        m_pDriverUI->Release();
}

namespace {

// The exceptions in flight on this thread. Asking reads thread-local storage, which clears the
// thread's last error; the caller may still have to see it.
int ExceptionsInFlight() {
    const DWORD error = GetLastError();
    const int count = std::uncaught_exceptions();
    SetLastError(error);
    return count;
}

// DWORD and ULONG are 32 bits but not std::uint32_t on this ABI: the portable code works on a
// copy that goes back to the caller's variable when it changed, unless the request failed by
// throwing.
template <typename T>
class Mirror32 {
    static_assert(sizeof(T) == sizeof(std::uint32_t));

  public:
    explicit Mirror32(T* target)
        : target_(target), value_(target ? *target : 0), exceptions_(ExceptionsInFlight()) {}
    ~Mirror32() {
        if (target_ != nullptr && *target_ != value_ && ExceptionsInFlight() == exceptions_)
            *target_ = value_;
    }
    Mirror32(const Mirror32&) = delete;
    Mirror32& operator=(const Mirror32&) = delete;
    std::uint32_t* get() { return target_ ? &value_ : nullptr; }

  private:
    T* target_;
    std::uint32_t value_;
    int exceptions_;
};

}  // namespace

HRESULT STDMETHODCALLTYPE IOemUI::GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                          PDWORD pcbNeeded) {
    return AtBoundary([&] {
        Mirror32 needed(pcbNeeded);
        return Apply(adjustui::GetInfo(dwMode, pBuffer, cbSize, needed.get()));
    });
}

HRESULT STDMETHODCALLTYPE IOemUI::DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) {
    return AtBoundary([&] {
        OutputDebugSink debug;
        if (pOemDMParam == nullptr)
            return Apply(HandleOemDevMode(dwMode, nullptr, debug));

        win32::RequestPrinter printer(pOemDMParam->hPrinter);
        PrinterSnapshot picture(printer.get());
        Mirror32 bufSize(&pOemDMParam->cbBufSize);
        const DevModeRequest request{
            picture,
            static_cast<const OemDevmode*>(pOemDMParam->pOEMDMIn),
            static_cast<OemDevmode*>(pOemDMParam->pOEMDMOut),
            bufSize.get(),
        };
        return Apply(HandleOemDevMode(dwMode, &request, debug));
    });
}

HRESULT STDMETHODCALLTYPE IOemUI::PublishDriverInterface(IUnknown* pIUnknown) {
    if (m_pDriverUI != nullptr)
        return S_OK;
    // A missing interface fails like a refused query: the core driver may try again.
    if (pIUnknown == nullptr)
        return E_FAIL;
    HRESULT hr =
        pIUnknown->QueryInterface(kIID_IPrintOemDriverUI, reinterpret_cast<void**>(&m_pDriverUI));
    if (SUCCEEDED(hr))
        return S_OK;
    m_pDriverUI = nullptr;
    return E_FAIL;
}

HRESULT STDMETHODCALLTYPE IOemUI::CommonUIProp(DWORD, POEMCUIPPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                         LPARAM lParam) {
    return AtBoundary([&] { return page::DocumentPropertySheets(pPSUIInfo, lParam); });
}

HRESULT STDMETHODCALLTYPE IOemUI::DevicePropertySheets(PPROPSHEETUI_INFO, LPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW,
                                                  PVOID) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::DeviceCapabilities(POEMUIOBJ, HANDLE hPrinter, PWSTR pDeviceName,
                                                     WORD wCapability, PVOID pOutput,
                                                     PDEVMODEW pPublicDM, PVOID pOEMDM, DWORD dwOld,
                                                     DWORD* dwResult) {
    // Every answer goes through dwResult.
    if (dwResult == nullptr)
        return E_POINTER;

    return AtBoundary([&] {
        win32::RequestPrinter printer(hPrinter);
        PrinterSnapshot own(printer.get());
        // Asked by the page, about its printer: the page's picture answers.
        PrinterStore* lent = page::LentPicture::For(pDeviceName);
        static_assert(sizeof(pPublicDM->dmFormName[0]) == sizeof(char16_t));
        const CapabilityRequest request{
            lent != nullptr ? *lent : own,
            wCapability,
            pOutput,
            PublicPaper{
                pPublicDM != nullptr ? &pPublicDM->dmPaperSize : nullptr,
                pPublicDM != nullptr ? reinterpret_cast<const char16_t*>(pPublicDM->dmFormName)
                                     : nullptr,
            },
            static_cast<const OemDevmode*>(pOEMDM),
            dwOld,
        };
        Mirror32 result(dwResult);
        return adjustui::AnswerDeviceCapabilities(request, *result.get());
    });
}

HRESULT STDMETHODCALLTYPE IOemUI::UpgradePrinter(DWORD, PBYTE) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::PrinterEvent(PWSTR, INT, DWORD, LPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID,
                                                    ULONG ulQueryMode, VOID* pvProfileData,
                                                    ULONG* pcbProfileData, FLONG* pflProfileData) {
    return AtBoundary([&] {
        Mirror32 size(pcbProfileData);
        Mirror32 flags(pflProfileData);
        return Apply(
            adjustui::QueryColorProfile(ulQueryMode, pvProfileData, size.get(), flags.get()));
    });
}

HRESULT STDMETHODCALLTYPE IOemUI::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::QueryJobAttributes(HANDLE, PDEVMODEW, DWORD, LPBYTE) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::HideStandardUI(DWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IOemUI::DocumentEvent(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID,
                                                PINT) {
    return E_NOTIMPL;
}

}  // namespace adjustui

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualCLSID(rclsid, kCLSID_OemPtProvider))
        return adjustui::tickets::GetProviderFactory(riid, ppv);
    if (!IsEqualCLSID(rclsid, kCLSID_AdjustUi))
        return CLASS_E_CLASSNOTAVAILABLE;
    return adjustui::win32::CreateComObject<adjustui::IOemCF>(riid, ppv);
}

STDAPI DllCanUnloadNow() {
    return adjustui::ModuleCounts().CanUnload() ? S_OK : S_FALSE;
}
