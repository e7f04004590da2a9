// The print-ticket provider the core driver creates from the same DLL: it shows the private
// devmode's settings to applications that see print tickets and capabilities, not devmodes.
#pragma once

#include <windows.h>

#include "platform/win32/oem_interface.h"

namespace adjustui::tickets {

// DllGetClassObject for the provider's class: a class factory whose objects answer
// IPrintOemPrintTicketProvider.
HRESULT GetProviderFactory(REFIID riid, void** ppv);

}  // namespace adjustui::tickets
