// Process-wide state of the loaded library: its module handle, the activation context of the
// themed page, and the server's counters.
#pragma once

#include <windows.h>

#include "core/server_counts.h"

namespace adjustui {

HMODULE ModuleHandle();

// INVALID_HANDLE_VALUE until the page creates the context; released at process detach.
HANDLE ModuleActivationContext();
void SetModuleActivationContext(HANDLE context);

ServerCounts& ModuleCounts();

}  // namespace adjustui
