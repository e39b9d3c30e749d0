#include "engine/engine.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(instance);
    // Unloaded by FreeLibrary (not process exit): take down the hook and the
    // subclasses, whose code is about to go away.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) engine::shutdown();
    return TRUE;
}
