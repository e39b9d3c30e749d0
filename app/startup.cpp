#include "app/startup.h"

#include "app/fatal_error.h"
#include "app/main_window.h"
#include "app/run_directory.h"
#include "app/update_link.h"
#include "app/window_cycle.h"
#include "skin/skin_engine.h"
#include "win/message_pump.h"

#include <ole2.h>

namespace app {

int run()
{
    skin::harden_dll_search_order();
    if (SUCCEEDED(::OleInitialize(nullptr))) add_exit_step([] { ::OleUninitialize(); });
    run_directory();

    int code = 0;
    {
        窗口 window;
        if (!window.construct()) report_fatal_error(L"载入启动窗口失败。");
        window_cycle cycle(window);
        window.bind({
            .creation = [] { skin::apply_skin(8); },
            .start = [&cycle] { cycle.start(); },
            .pause = [&cycle] { cycle.pause(); },
            .tick = [&cycle] { cycle.tick(); },
            .open_update = open_update_page,
        });
        window.raise_creation_event_and_show();
        window.mark_event_loop_running();
        code = win::run_message_loop();
    }
    run_exit_processing();
    return code;
}

}  // namespace app
