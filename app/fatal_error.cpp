#include "app/fatal_error.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace app {
namespace {

constexpr wchar_t box_caption[] = L"致命错误";

std::vector<std::function<void()>>& exit_steps()
{
    static std::vector<std::function<void()>> steps;
    return steps;
}

}  // namespace

void add_exit_step(std::function<void()> step) { exit_steps().push_back(std::move(step)); }

void run_exit_processing()
{
    auto& steps = exit_steps();
    while (!steps.empty()) {
        auto step = std::move(steps.back());
        steps.pop_back();
        step();
    }
}

void report_fatal_error(std::wstring_view message, int code)
{
    // A fixed buffer: this path also serves an allocation that just failed.
    wchar_t text[2048];
    format_fatal_error(text, std::size(text), message, code);
    ::MessageBoxW(nullptr, text, box_caption, MB_OK | MB_ICONSTOP);
    run_exit_processing();
    ::ExitProcess(static_cast<UINT>(-1));
}

}  // namespace app
