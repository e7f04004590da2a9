#include "platform/win32/module_state.h"

namespace adjustui {
namespace {

HMODULE g_module = nullptr;
HANDLE g_activationContext = INVALID_HANDLE_VALUE;
constinit ServerCounts g_counts;

}  // namespace

HMODULE ModuleHandle() {
    return g_module;
}
void SetModuleHandle(HMODULE module) {
    g_module = module;
}
HANDLE ModuleActivationContext() {
    return g_activationContext;
}
void SetModuleActivationContext(HANDLE context) {
    g_activationContext = context;
}
void ReleaseModuleActivationContext() {
    if (g_activationContext != INVALID_HANDLE_VALUE) {
        ReleaseActCtx(g_activationContext);
        g_activationContext = INVALID_HANDLE_VALUE;
    }
}
ServerCounts& ModuleCounts() {
    return g_counts;
}

}  // namespace adjustui
