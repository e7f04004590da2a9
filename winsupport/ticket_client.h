// An application's print-ticket calls for a printer that the stand-in drives: the stand-in's
// exports, found through the printer's driver (wine's print-ticket module reaches no driver).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace adjustui::winsupport {

class TicketClient {
  public:
    // Nothing when the printer cannot be opened or its driver has no print-ticket exports.
    static std::optional<TicketClient> ForPrinter(const std::wstring& printer);

    // A null devmode stands for the printer's defaults.
    HRESULT Capabilities(const DEVMODEW* devmode, std::wstring& xml) const;
    HRESULT DevModeToTicket(const DEVMODEW* devmode, std::wstring& xml) const;
    // `base` with what the ticket sets, as a whole devmode of the size DocumentPropertiesW names.
    HRESULT TicketToDevMode(const std::wstring& ticket, const DEVMODEW* base,
                            std::vector<BYTE>& devmode) const;
    HRESULT Validate(const std::wstring& ticket, std::wstring& validated) const;

  private:
    using CapabilitiesFn = HRESULT(WINAPI*)(const wchar_t*, const DEVMODEW*, BSTR*);
    using ToTicketFn = HRESULT(WINAPI*)(const wchar_t*, const DEVMODEW*, BSTR*);
    using ToDevModeFn = HRESULT(WINAPI*)(const wchar_t*, const wchar_t*, const DEVMODEW*, DEVMODEW*,
                                         DWORD);
    using ValidateFn = HRESULT(WINAPI*)(const wchar_t*, const wchar_t*, BSTR*);

    struct LibraryTraits {
        using Type = HMODULE;
        static Type Empty() noexcept { return nullptr; }
        static void Close(Type module) noexcept { FreeLibrary(module); }
    };

    TicketClient() = default;

    std::wstring printer_;
    win32::UniqueHandle<LibraryTraits> module_;
    CapabilitiesFn capabilities_ = nullptr;
    ToTicketFn toTicket_ = nullptr;
    ToDevModeFn toDevMode_ = nullptr;
    ValidateFn validate_ = nullptr;
};

}  // namespace adjustui::winsupport
