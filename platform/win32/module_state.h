// Process-wide state of the loaded library: its module handle, the activation context of the
// themed page, and the server's counters.
#pragma once

#include <windows.h>

#include "common/server_counts.h"

namespace adjustui {

HMODULE ModuleHandle();

// INVALID_HANDLE_VALUE until the page creates the context; released at process detach.
HANDLE ModuleActivationContext();
void SetModuleActivationContext(HANDLE context);

// Library entry's part: the handle at process attach, the context's release at detach.
void SetModuleHandle(HMODULE module);
void ReleaseModuleActivationContext();

ServerCounts& ModuleCounts();

}  // namespace adjustui
