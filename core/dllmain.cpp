// Library entry and the module-wide state.
#include <windows.h>

#include "core/module_state.h"

namespace adjustui {
namespace {

HMODULE g_module = nullptr;
HANDLE g_activationContext = INVALID_HANDLE_VALUE;
constinit ServerCounts g_counts;

}  // namespace

HMODULE ModuleHandle() {
    return g_module;
}
HANDLE ModuleActivationContext() {
    return g_activationContext;
}
void SetModuleActivationContext(HANDLE context) {
    g_activationContext = context;
}
ServerCounts& ModuleCounts() {
    return g_counts;
}

}  // namespace adjustui

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    // Only the low word carries the reason.
    switch (LOWORD(reason)) {
        case DLL_PROCESS_ATTACH:
            adjustui::g_module = instance;
            break;
        case DLL_PROCESS_DETACH:
            if (adjustui::g_activationContext != INVALID_HANDLE_VALUE) {
                ReleaseActCtx(adjustui::g_activationContext);
                adjustui::g_activationContext = INVALID_HANDLE_VALUE;
            }
            break;
        default:
            break;
    }
    return TRUE;
}
