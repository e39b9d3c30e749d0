// A tiny program around apply_skin with the application frame's own fatal
// error report: started in a prepared directory by the fatal path tests.
// Exit code 0 when the skin was applied and exit processing released the
// engine, 3 when the engine was still loaded; -1 after the fatal error box.
#include "app/fatal_error.h"
#include "skin/skin_engine.h"

#include <windows.h>

int main()
{
    skin::harden_dll_search_order();
    skin::apply_skin(8);
    app::run_exit_processing();
    return ::GetModuleHandleW(L"SkinH_EL.dll") ? 3 : 0;
}
