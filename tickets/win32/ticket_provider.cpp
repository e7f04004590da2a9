#include "tickets/win32/ticket_provider.h"

#include <objbase.h>

#include <atomic>
#include <new>

#include "platform/win32/module_state.h"
#include "platform/win32/winspool_store.h"
#include "settings/printer_snapshot.h"
#include "tickets/win32/schema_document.h"

namespace adjustui::tickets {
namespace {

using win32::ComFailure;
using win32::Root;
using win32::SchemaDocument;

// Nothing thrown inside crosses the COM boundary.
template <typename Body>
HRESULT Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const ComFailure& failure) {
        return failure.hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// The plug-in's own block, as OEMDM_SIZE announced it; anything else is not converted.
OemDevmode* OwnBlock(ULONG size, PVOID block) {
    auto* own = static_cast<OemDevmode*>(block);
    if (own == nullptr || size < sizeof(OemDevmode) || own->dwSize != kOemDevmodeSize ||
        own->dwSignature != kOemSignature)
        throw ComFailure{E_INVALIDARG};
    return own;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Keeps only the printer handle the core driver bound it to, so calls from several of an
// application's threads at once share nothing else.
class TicketProvider final : public IPrintOemPrintTicketProvider {
  public:
    TicketProvider() { ModuleCounts().ObjectCreated(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kIID_IPrintOemPrintTicketProvider)) {
            *ppv = static_cast<IPrintOemPrintTicketProvider*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG count = InterlockedDecrement(&refs_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

    // May come before BindPrinter; the handle is not the provider's to close.
    HRESULT STDMETHODCALLTYPE GetSupportedVersions(HANDLE, INT* ppVersions[],
                                                   INT* cVersions) override {
        if (ppVersions == nullptr || cVersions == nullptr)
            return E_POINTER;
        auto* versions = static_cast<INT*>(CoTaskMemAlloc(sizeof(INT)));
        if (versions == nullptr)
            return E_OUTOFMEMORY;
        versions[0] = kPrintSchemaVersion;
        *ppVersions = versions;
        *cVersions = 1;
        return S_OK;
    }

    // The core driver keeps the private devmode in the ticket itself (OEMPT_DEFAULT), so an
    // application that hands a ticket back loses nothing the features below do not name.
    HRESULT STDMETHODCALLTYPE BindPrinter(HANDLE hPrinter, INT version, POEMPTOPTS pOptions,
                                          INT* cNamespaces, BSTR** ppNamespaces) override {
        if (pOptions == nullptr || cNamespaces == nullptr || ppNamespaces == nullptr)
            return E_POINTER;
        if (version != kPrintSchemaVersion)
            return E_VERSION_NOT_SUPPORTED;
        auto* names = static_cast<BSTR*>(CoTaskMemAlloc(sizeof(BSTR)));
        if (names == nullptr)
            return E_OUTOFMEMORY;
        names[0] = NamespaceText();
        if (names[0] == nullptr) {
            CoTaskMemFree(names);
            return E_OUTOFMEMORY;
        }
        printer_.store(hPrinter);
        *pOptions = OEMPT_DEFAULT;
        *cNamespaces = 1;
        *ppNamespaces = names;
        return S_OK;
    }

    // The provider needs none of the core driver's helpers.
    HRESULT STDMETHODCALLTYPE PublishPrintTicketHelperInterface(IUnknown*) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE QueryDeviceDefaultNamespace(BSTR* pbstrNamespaceUri) override {
        if (pbstrNamespaceUri == nullptr)
            return E_POINTER;
        *pbstrNamespaceUri = NamespaceText();
        return *pbstrNamespaceUri != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE ConvertPrintTicketToDevMode(IXMLDOMDocument2* pPrintTicket, ULONG,
                                                          PDEVMODEW pDevmode,
                                                          ULONG cbDrvPrivateSize,
                                                          PVOID pPrivateDevmode) override {
        return Guarded([&] {
            if (pPrintTicket == nullptr)
                return E_POINTER;
            OemDevmode* block = OwnBlock(cbDrvPrivateSize, pPrivateDevmode);
            const PrinterFacts facts = Facts();
            SchemaDocument ticket(pPrintTicket, Root::PrintTicket);
            const TicketPart part = ticket.ReadTicket();
            ApplyTicket(part, facts, *block);
            // A custom paper the core driver does not know becomes the job's as the page makes it.
            if (const auto paper = ChosenCustomPaper(part, facts); paper && pDevmode != nullptr) {
                pDevmode->dmPaperSize = static_cast<short>(paper->id);
                pDevmode->dmPaperWidth = static_cast<short>(paper->width);
                pDevmode->dmPaperLength = static_cast<short>(paper->length);
                pDevmode->dmFields |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
            }
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE ConvertDevModeToPrintTicket(ULONG, PDEVMODEW pDevmode,
                                                          ULONG cbDrvPrivateSize,
                                                          PVOID pPrivateDevmode,
                                                          IXMLDOMDocument2* pPrintTicket) override {
        return Guarded([&] {
            if (pPrintTicket == nullptr)
                return E_POINTER;
            const OemDevmode* block = OwnBlock(cbDrvPrivateSize, pPrivateDevmode);
            const PrinterFacts facts = Facts();
            SchemaDocument ticket(pPrintTicket, Root::PrintTicket);
            TicketPart part = TicketOf(*block, facts);
            // The custom paper is the job's only while the public devmode still names it.
            if (pDevmode == nullptr ||
                static_cast<std::uint16_t>(pDevmode->dmPaperSize) != block->wSelectedPaperSize)
                part.mediaSize.reset();
            ticket.ReplaceTicket(part);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE CompletePrintCapabilities(IXMLDOMDocument2*,
                                                        IXMLDOMDocument2* pCapabilities) override {
        return Guarded([&] {
            if (pCapabilities == nullptr)
                return E_POINTER;
            const PrinterFacts facts = Facts();
            SchemaDocument capabilities(pCapabilities, Root::PrintCapabilities);
            capabilities.AddCapabilities(CapabilitiesFor(facts));
            return S_OK;
        });
    }

    // None of the settings is an intent that stands for others.
    HRESULT STDMETHODCALLTYPE ExpandIntentOptions(IXMLDOMDocument2*) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE ValidatePrintTicket(IXMLDOMDocument2* pPrintTicket) override {
        return Guarded([&] {
            if (pPrintTicket == nullptr)
                return E_POINTER;
            const PrinterFacts facts = Facts();
            SchemaDocument ticket(pPrintTicket, Root::PrintTicket);
            const ValidatedTicket validated = ValidateTicket(ticket.ReadTicket(), facts);
            if (!validated.changed)
                return S_NO_CONFLICT;
            ticket.ReplaceTicket(validated.ticket);
            return S_CONFLICT_RESOLVED;
        });
    }

  private:
    ~TicketProvider() { ModuleCounts().ObjectDestroyed(); }

    static BSTR NamespaceText() {
        static_assert(sizeof(wchar_t) == sizeof(char16_t));
        return SysAllocString(reinterpret_cast<const wchar_t*>(kNamespaceUri));
    }

    // The model and custom papers of the bound printer, in one listing of its values.
    PrinterFacts Facts() const {
        const HANDLE handle = printer_.load();
        if (handle == nullptr)
            throw ComFailure{E_UNEXPECTED};
        adjustui::win32::WinspoolStore spooler(handle);
        PrinterSnapshot snapshot(spooler);
        return ReadPrinterFacts(snapshot);
    }

    LONG refs_ = 1;
    std::atomic<HANDLE> printer_{nullptr};
};

class ProviderFactory final : public IClassFactory {
  public:
    ProviderFactory() { ModuleCounts().ObjectCreated(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG count = InterlockedDecrement(&refs_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                             void** ppv) override {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* provider = new (std::nothrow) TicketProvider;
        if (provider == nullptr)
            return E_OUTOFMEMORY;
        // An unsupported interface leaves the creation reference as the last one.
        const HRESULT hr = provider->QueryInterface(riid, ppv);
        provider->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL bLock) override {
        ModuleCounts().Lock(bLock != FALSE);
        return S_OK;
    }

  private:
    ~ProviderFactory() { ModuleCounts().ObjectDestroyed(); }

    LONG refs_ = 1;
};

#pragma GCC diagnostic pop

}  // namespace

HRESULT GetProviderFactory(REFIID riid, void** ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    auto* factory = new (std::nothrow) ProviderFactory;
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

}  // namespace adjustui::tickets
