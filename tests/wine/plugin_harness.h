// Drives the real adjustui.dll as a core driver does: LoadLibraryW, DllGetClassObject, the class
// factory, IPrintOemUI2 by slot; and printers of the wine prefix whose driver name is a model.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/oem_interface.h"
#include "platform/win32/unique_handle.h"
#include "winsupport/plugin_module.h"
#include "winsupport/printer_setup.h"

namespace adjustui::wine {

using winsupport::CanUnloadNowFn;
using winsupport::GetClassObjectFn;

// The loaded plug-in (once per process; it stays loaded like under a core driver).
HMODULE Plugin();
GetClassObjectFn DllGetClassObject();
CanUnloadNowFn DllCanUnloadNow();

using win32::ComRef;

ComRef<IClassFactory> Factory();
// The plug-in object as the core driver gets it: factory, CreateInstance, factory released.
ComRef<IPrintOemUI2> CreatePlugin();

// Current reference count of a COM object, read through AddRef and Release.
ULONG RefCount(IUnknown* object);

// The driver names the tests install; the printer of each is made afresh on request.
enum class Model { KestraVc9, KestraVc9Lower, MantoG36, MantoG36Lower, Unknown };
const wchar_t* DriverNameOf(Model model);

// A printer without printer data whose driver name is the model's.
winsupport::Printer FreshPrinter(Model model);

// Last error before a call, to see whether the call set one.
inline constexpr DWORD kSentinel = 0xDEADBEEF;

}  // namespace adjustui::wine
