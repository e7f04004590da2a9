// The stand-in's print-ticket path: what an application's print-ticket calls (capabilities, devmode
// to ticket and back, validation) reach in a core driver. Wine's own print-ticket module never
// calls a driver, so an application-side program calls these exports directly. Each call opens the
// printer, makes the plug-in's provider through its class factory, binds it, writes the stand-in's
// own part of the document and hands the document to the provider, as a core driver does.
#include <windows.h>

#include <oleauto.h>

#include <memory>
#include <string>

#include "host/capabilities.h"
#include "host/driver_session.h"
#include "platform/win32/oem_interface.h"
#include "winsupport/xml_document.h"

namespace standin {
namespace {

using winsupport::ComRef;

constexpr wchar_t kDocumentStart[] =
    L" xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework'"
    L" xmlns:psk='http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords'"
    L" xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'"
    L" xmlns:xsd='http://www.w3.org/2001/XMLSchema' version='1'>";

// The schema's names of the stand-in's papers.
struct PaperKeyword {
    WORD id;
    const wchar_t* keyword;
};
constexpr PaperKeyword kPaperKeywords[] = {
    {DMPAPER_LETTER, L"NorthAmericaLetter"},
    {DMPAPER_LEGAL, L"NorthAmericaLegal"},
    {DMPAPER_A4, L"ISOA4"},
    {DMPAPER_A5, L"ISOA5"},
    {DMPAPER_A6, L"ISOA6"},
    {DMPAPER_ENV_10, L"NorthAmericaNumber10Envelope"},
};

const wchar_t* KeywordOf(WORD id) {
    for (const PaperKeyword& k : kPaperKeywords) {
        if (k.id == id) {
            return k.keyword;
        }
    }
    return nullptr;
}

std::wstring Integer(LONG tenthsOfMillimetre) {
    return L"<psf:Value xsi:type='xsd:integer'>" + std::to_wstring(tenthsOfMillimetre * 100) +
           L"</psf:Value>";
}

// The stand-in's own capabilities: its papers.
std::wstring CapabilitiesSkeleton() {
    std::wstring xml = std::wstring(L"<psf:PrintCapabilities") + kDocumentStart +
                       L"<psf:Feature name='psk:PageMediaSize'>"
                       L"<psf:Property name='psf:SelectionType'>"
                       L"<psf:Value xsi:type='xsd:QName'>psk:PickOne</psf:Value></psf:Property>";
    for (const Paper& paper : StandardPapers()) {
        if (const wchar_t* keyword = KeywordOf(paper.id)) {
            xml += std::wstring(L"<psf:Option name='psk:") + keyword + L"'>" +
                   L"<psf:ScoredProperty name='psk:MediaSizeWidth'>" + Integer(paper.width) +
                   L"</psf:ScoredProperty><psf:ScoredProperty name='psk:MediaSizeHeight'>" +
                   Integer(paper.length) + L"</psf:ScoredProperty></psf:Option>";
        }
    }
    return xml + L"</psf:Feature></psf:PrintCapabilities>";
}

// The stand-in's own part of a ticket: the devmode's paper.
std::wstring TicketSkeleton(const DEVMODEW& devmode) {
    std::wstring xml = std::wstring(L"<psf:PrintTicket") + kDocumentStart;
    if (const wchar_t* keyword = KeywordOf(static_cast<WORD>(devmode.dmPaperSize))) {
        xml += std::wstring(L"<psf:Feature name='psk:PageMediaSize'><psf:Option name='psk:") +
               keyword + L"'/></psf:Feature>";
    }
    return xml + L"</psf:PrintTicket>";
}

// One call: the printer, its devmode and the bound provider.
struct TicketCall {
    std::unique_ptr<DriverSession> session;
    ComRef<IPrintOemPrintTicketProvider> provider;

    DriverDevmode& devmode() { return session->devmode(); }
    DWORD privateSize() const { return session->plugin()->privateSize(); }
};

void FreeNamespaces(BSTR* names, INT count) {
    for (INT i = 0; names != nullptr && i < count; ++i) {
        SysFreeString(names[i]);
    }
    CoTaskMemFree(names);
}

// Opens the printer, takes `devmode` in and binds the provider as a core driver does: the schema
// versions first, then version 1.
HRESULT OpenCall(const wchar_t* printer, const DEVMODEW* devmode, TicketCall& call) {
    if (printer == nullptr) {
        return E_INVALIDARG;
    }
    call.session = DriverSession::Open(nullptr, printer);
    if (!call.session) {
        return HRESULT_FROM_WIN32(ERROR_INVALID_PRINTER_NAME);
    }
    const Plugin* plugin = call.session->plugin();
    if (plugin == nullptr) {
        return E_NOINTERFACE;
    }
    HRESULT hr = plugin->CreateTicketProvider(call.provider);
    if (FAILED(hr)) {
        return hr;
    }
    INT* versions = nullptr;
    INT count = 0;
    hr = call.provider->GetSupportedVersions(call.session->printer(), &versions, &count);
    bool takesOne = false;
    for (INT i = 0; SUCCEEDED(hr) && versions != nullptr && i < count; ++i) {
        takesOne = takesOne || versions[i] == 1;
    }
    CoTaskMemFree(versions);
    if (FAILED(hr) || !takesOne) {
        return FAILED(hr) ? hr : E_VERSION_NOT_SUPPORTED;
    }
    OEMPTOPTS options = OEMPT_NOSNAPSHOT;
    INT namespaceCount = 0;
    BSTR* namespaces = nullptr;
    hr = call.provider->BindPrinter(call.session->printer(), 1, &options, &namespaceCount,
                                    &namespaces);
    FreeNamespaces(namespaces, namespaceCount);
    if (FAILED(hr)) {
        return hr;
    }
    call.devmode().TakeIn(devmode);
    return S_OK;
}

HRESULT Hand(IXMLDOMDocument2* document, BSTR* out) {
    *out = SysAllocString(winsupport::XmlText(document).c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Runs `body` on the provider of `printer`, bound and with `devmode` (null: the printer's
// defaults) made as the core driver makes it, inside a COM apartment of the call's own.
template <typename Body>
HRESULT WithCall(const wchar_t* printer, const DEVMODEW* devmode, Body body) {
    adjustui::winsupport::ComApartment com;
    TicketCall call;
    const HRESULT hr = OpenCall(printer, devmode, call);
    return FAILED(hr) ? hr : body(call);
}

}  // namespace
}  // namespace standin

using standin::TicketCall;
using standin::WithCall;

// The printer's capabilities for `devmode` (null: the printer's defaults).
extern "C" HRESULT WINAPI StandinPrintCapabilities(const wchar_t* printer, const DEVMODEW* devmode,
                                                   BSTR* capabilities) {
    if (capabilities == nullptr) {
        return E_POINTER;
    }
    *capabilities = nullptr;
    return WithCall(printer, devmode, [&](TicketCall& call) {
        const auto ticket =
            adjustui::winsupport::ParseXml(standin::TicketSkeleton(*call.devmode().publicPart()));
        const auto document = adjustui::winsupport::ParseXml(standin::CapabilitiesSkeleton());
        const HRESULT hr = call.provider->CompletePrintCapabilities(ticket.get(), document.get());
        return FAILED(hr) ? hr : standin::Hand(document.get(), capabilities);
    });
}

// The ticket of `devmode` (null: the printer's defaults).
extern "C" HRESULT WINAPI StandinDevModeToPrintTicket(const wchar_t* printer,
                                                      const DEVMODEW* devmode, BSTR* ticket) {
    if (ticket == nullptr) {
        return E_POINTER;
    }
    *ticket = nullptr;
    return WithCall(printer, devmode, [&](TicketCall& call) {
        standin::DriverDevmode& dm = call.devmode();
        const auto document =
            adjustui::winsupport::ParseXml(standin::TicketSkeleton(*dm.publicPart()));
        const HRESULT hr = call.provider->ConvertDevModeToPrintTicket(
            dm.size(), dm.publicPart(), call.privateSize(), dm.privatePart(), document.get());
        return FAILED(hr) ? hr : standin::Hand(document.get(), ticket);
    });
}

// `base` (null: the printer's defaults) with what `ticket` sets, into `out` of `outSize` bytes
// (DocumentPropertiesW's size).
extern "C" HRESULT WINAPI StandinPrintTicketToDevMode(const wchar_t* printer, const wchar_t* ticket,
                                                      const DEVMODEW* base, DEVMODEW* out,
                                                      DWORD outSize) {
    if (ticket == nullptr || out == nullptr) {
        return E_POINTER;
    }
    return WithCall(printer, base, [&](TicketCall& call) {
        standin::DriverDevmode& dm = call.devmode();
        if (outSize < dm.size()) {
            return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
        }
        const auto document = adjustui::winsupport::ParseXml(ticket);
        if (!document) {
            return E_INVALIDARG;
        }
        const HRESULT hr = call.provider->ConvertPrintTicketToDevMode(
            document.get(), dm.size(), dm.publicPart(), call.privateSize(), dm.privatePart());
        if (SUCCEEDED(hr)) {
            dm.CopyTo(out);
        }
        return hr;
    });
}

// The provider's answer (S_NO_CONFLICT or S_CONFLICT_RESOLVED) and the ticket it leaves.
extern "C" HRESULT WINAPI StandinValidatePrintTicket(const wchar_t* printer, const wchar_t* ticket,
                                                     BSTR* validated) {
    if (ticket == nullptr || validated == nullptr) {
        return E_POINTER;
    }
    *validated = nullptr;
    return WithCall(printer, nullptr, [&](TicketCall& call) {
        const auto document = adjustui::winsupport::ParseXml(ticket);
        if (!document) {
            return E_INVALIDARG;
        }
        const HRESULT hr = call.provider->ValidatePrintTicket(document.get());
        if (FAILED(hr)) {
            return hr;
        }
        const HRESULT handed = standin::Hand(document.get(), validated);
        return FAILED(handed) ? handed : hr;
    });
}
