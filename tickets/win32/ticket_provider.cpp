#include "tickets/win32/ticket_provider.h"

#include <objbase.h>

#include <atomic>
#include <new>

#include "platform/win32/com_object.h"
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
class TicketProvider final : public adjustui::win32::ComObject<IPrintOemPrintTicketProvider,
                                                               kIID_IPrintOemPrintTicketProvider> {
  public:
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

    std::atomic<HANDLE> printer_{nullptr};
};

#pragma GCC diagnostic pop

}  // namespace

HRESULT GetProviderFactory(REFIID riid, void** ppv) {
    return adjustui::win32::CreateComObject<adjustui::win32::ClassFactory<TicketProvider>>(riid,
                                                                                           ppv);
}

}  // namespace adjustui::tickets
