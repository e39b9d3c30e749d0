#include "app/window_cycle.h"

#include "app/addresses.h"

namespace app {

window_cycle::window_cycle(窗口& window)
    : window_(window),
      schedule_(window.hwnd(), 窗口::clock_id),
      clock_(schedule_),
      dwell_([&window] { return window.alive(); }),
      cycle_(*this, dwell_, std::wstring(page_base_address))
{
}

std::wstring window_cycle::read_text(visit::text_control control)
{
    switch (control) {
    case visit::text_control::编辑框1: return window_.read_text(window_.编辑框1());
    case visit::text_control::编辑框2: return window_.read_text(window_.编辑框2());
    case visit::text_control::透明标签2: return window_.透明标签2().text();
    }
    return {};
}

void window_cycle::set_text(visit::text_control control, std::wstring_view text)
{
    switch (control) {
    case visit::text_control::编辑框1: window_.set_edit_text(window_.编辑框1(), text); break;
    case visit::text_control::编辑框2: window_.set_edit_text(window_.编辑框2(), text); break;
    case visit::text_control::透明标签2: window_.透明标签2().set_text(text); break;
    }
}

void window_cycle::set_address(std::wstring_view address) { window_.超文本浏览框1().set_address(address); }

void window_cycle::refresh() { window_.超文本浏览框1().refresh(); }

}  // namespace app
