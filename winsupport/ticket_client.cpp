#include "winsupport/ticket_client.h"

#include <oleauto.h>

#include "winsupport/spooler_info.h"

namespace adjustui::winsupport {
namespace {

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The text of a BSTR the callee allocated, which is freed.
std::wstring Take(BSTR text) {
    std::wstring taken = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return taken;
}

}  // namespace

std::optional<TicketClient> TicketClient::ForPrinter(const std::wstring& printer) {
    const auto handle = OpenPrinterByName(printer);
    if (!handle) {
        return std::nullopt;
    }
    const auto driver = DriverInfo2(handle.get());
    if (!driver || (*driver)->pConfigFile == nullptr) {
        return std::nullopt;
    }
    TicketClient client;
    client.printer_ = printer;
    client.module_.reset(LoadLibraryW((*driver)->pConfigFile));
    if (!client.module_) {
        return std::nullopt;
    }
    const HMODULE m = client.module_.get();
    client.capabilities_ = Export<CapabilitiesFn>(m, "StandinPrintCapabilities");
    client.toTicket_ = Export<ToTicketFn>(m, "StandinDevModeToPrintTicket");
    client.toDevMode_ = Export<ToDevModeFn>(m, "StandinPrintTicketToDevMode");
    client.validate_ = Export<ValidateFn>(m, "StandinValidatePrintTicket");
    if (client.capabilities_ == nullptr || client.toTicket_ == nullptr ||
        client.toDevMode_ == nullptr || client.validate_ == nullptr) {
        return std::nullopt;
    }
    return client;
}

HRESULT TicketClient::Capabilities(const DEVMODEW* devmode, std::wstring& xml) const {
    BSTR text = nullptr;
    const HRESULT hr = capabilities_(printer_.c_str(), devmode, &text);
    xml = Take(text);
    return hr;
}

HRESULT TicketClient::DevModeToTicket(const DEVMODEW* devmode, std::wstring& xml) const {
    BSTR text = nullptr;
    const HRESULT hr = toTicket_(printer_.c_str(), devmode, &text);
    xml = Take(text);
    return hr;
}

HRESULT TicketClient::TicketToDevMode(const std::wstring& ticket, const DEVMODEW* base,
                                      std::vector<BYTE>& devmode) const {
    const LONG size = DocumentPropertiesW(nullptr, nullptr, const_cast<wchar_t*>(printer_.c_str()),
                                          nullptr, nullptr, 0);
    if (size <= 0) {
        return E_FAIL;
    }
    devmode.assign(static_cast<std::size_t>(size), 0);
    return toDevMode_(printer_.c_str(), ticket.c_str(), base,
                      reinterpret_cast<DEVMODEW*>(devmode.data()), static_cast<DWORD>(size));
}

HRESULT TicketClient::Validate(const std::wstring& ticket, std::wstring& validated) const {
    BSTR text = nullptr;
    const HRESULT hr = validate_(printer_.c_str(), ticket.c_str(), &text);
    validated = Take(text);
    return hr;
}

}  // namespace adjustui::winsupport
