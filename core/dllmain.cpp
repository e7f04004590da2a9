// Library entry.
#include <windows.h>

#include "platform/win32/module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    // Only the low word carries the reason.
    switch (LOWORD(reason)) {
        case DLL_PROCESS_ATTACH:
            adjustui::SetModuleHandle(instance);
            break;
        case DLL_PROCESS_DETACH:
            adjustui::ReleaseModuleActivationContext();
            break;
        default:
            break;
    }
    return TRUE;
}
