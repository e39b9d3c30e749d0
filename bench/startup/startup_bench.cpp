// Start-up time: from process creation to the main window being visible,
// for spacevisit.exe and for a bare window of the same size, in one run.
// The first start in a fresh directory also writes the skin engine file;
// the later ones find it there.
#include "app_process.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct sample_set {
    double first_ms = 0;
    std::vector<double> warm_ms;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

sample_set measure(const std::wstring& program, const std::wstring& caption, int runs)
{
    sample_set out;
    const std::wstring dir = e2e::fresh_directory(L"startup");
    for (int i = 0; i < runs; ++i) {
        e2e::launch_options options;
        options.directory = dir;
        options.program = program;
        options.caption = caption;
        options.wait_for_window = false;
        e2e::app_process app(options);
        const HWND window = app.wait_for_main_window(std::chrono::seconds(60));
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - app.launched_at()).count();
        if (!window) {
            std::printf("  run %d: no window\n", i);
            continue;
        }
        if (i == 0)
            out.first_ms = ms;
        else
            out.warm_ms.push_back(ms);
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        app.wait_for_exit(std::chrono::seconds(10));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(2, std::atoi(argv[1])) : 11;
    const std::wstring bare = e2e::built_exe_path().substr(0, e2e::built_exe_path().rfind(L'\\')) + L"\\bare_window.exe";
    const sample_set program = measure(e2e::built_exe_path(), e2e::main_caption, runs);
    const sample_set reference = measure(bare, L"bare window", runs);
    std::printf("start-up to visible window, %d runs each (ms)\n", runs);
    std::printf("  %-14s first %7.1f   median of later runs %7.1f\n", "spacevisit", program.first_ms,
                median(program.warm_ms));
    std::printf("  %-14s first %7.1f   median of later runs %7.1f\n", "bare window", reference.first_ms,
                median(reference.warm_ms));
    if (median(reference.warm_ms) > 0)
        std::printf("  ratio (median) %.2f\n", median(program.warm_ms) / median(reference.warm_ms));
    return 0;
}
