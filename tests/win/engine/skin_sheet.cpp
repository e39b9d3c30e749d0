// Renders the sample window with each of the 33 skins into skinNN.bmp, for
// the contact sheet; or shows one skin on screen for a while (--show N S)
// so that a screenshot can be taken of the real on-screen painting.
#include "tests/win/engine/engine_library.h"
#include "tests/win/engine/sample_window.h"

#include <cstdio>
#include <cwchar>
#include <string>

using namespace engine_test;

namespace {

void pump_for(DWORD milliseconds)
{
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG msg;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

std::wstring title_for(int number, const engine_library& engine)
{
    wchar_t name[64] = {};
    engine.SkinH_GetSkinName(name, 64);
    wchar_t title[160];
    std::swprintf(title, 160, L"  皮肤 %02d  %ls     QQ402718563          群:5180462", number, name);
    return title;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_sheet <out_dir> | --show N SECONDS\n");
        return 2;
    }
    engine_library engine(engine_path());
    if (!engine.complete()) {
        std::fprintf(stderr, "cannot load the engine\n");
        return 1;
    }
    const bool show = std::wcscmp(argv[1], L"--show") == 0 && argc >= 4;
    const int first = show ? _wtoi(argv[2]) : 1;
    const int last = show ? first : 33;
    int failures = 0;
    // One window for every skin: attaching again replaces the skin and
    // measures the frame anew.
    sample_window w = create_sample_window(L"", show ? 200 : 0, show ? 130 : 0);
    for (int n = first; n <= last; ++n) {
        const std::vector<unsigned char> skin = read_file(skin_path(n));
        const int result = engine.SkinH_AttachRes(skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0);
        if (result != SKINH_OK) {
            std::fprintf(stderr, "skin %d: attach failed with %d\n", n, result);
            ++failures;
        }
        ::SetWindowTextW(w.frame, title_for(n, engine).c_str());
        ::ShowWindow(w.frame, SW_SHOW);
        ::SetForegroundWindow(w.frame);
        ::SetFocus(w.edit1);
        pump_for(show ? 1000u * static_cast<DWORD>(_wtoi(argv[3])) : 150u);
        if (!show) {
            int width = 0, height = 0;
            const auto pixels = print_window(w.frame, width, height);
            wchar_t file[512];
            std::swprintf(file, 512, L"%ls\\skin%02d.bmp", argv[1], n);
            if (!write_bmp(file, pixels, width, height)) {
                std::fprintf(stderr, "skin %d: cannot write the picture\n", n);
                ++failures;
            }
        }
    }
    ::DestroyWindow(w.frame);
    engine.SkinH_Detach();
    return failures == 0 ? 0 : 1;
}
