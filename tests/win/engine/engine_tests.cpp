// SkinH_EL.dll under test, loaded by path like the program loads it.
#include "skinfmt/checksum.h"
#include "skinfmt/writer.h"
#include "tests/win/engine/engine_library.h"
#include "tests/win/engine/probe_skin.h"
#include "tests/win/engine/sample_window.h"
#include "tests/win/engine/stack_probe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <thread>

using namespace engine_test;
using skinfmt::color_role;

namespace {

void pump()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    }
}

RECT window_rect(HWND hwnd)
{
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

// Where a child's top-left corner lies in its top-level window's coordinates.
POINT offset_in_window(HWND child, HWND top)
{
    const RECT c = window_rect(child), t = window_rect(top);
    return {c.left - t.left, c.top - t.top};
}

class EngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = new engine_library(engine_path()); }
    static void TearDownTestSuite()
    {
        delete engine_;
        engine_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(engine_->complete()) << "the engine did not load with all its entries"; }
    void TearDown() override
    {
        if (window_.frame) ::DestroyWindow(window_.frame);
        if (e().SkinH_IsAttached()) e().SkinH_Detach();
        pump();
    }

    static engine_library& e() { return *engine_; }

    // The sample window, shown without a title so the caption is plain.
    sample_window& open_window(int x = 40, int y = 40)
    {
        window_ = create_sample_window(L"", x, y);
        return window_;
    }
    // Shown on screen (needed for focus and the minimise button; under Wine
    // without a window manager, destroying a shown window takes 2 s).
    void show_active()
    {
        ::ShowWindow(window_.frame, SW_SHOWNOACTIVATE);
        pump();
        activate();
    }
    // Printed while hidden, the frame still paints as active.
    void activate() { ::SendMessageW(window_.frame, WM_NCACTIVATE, TRUE, 0); }
    int attach_probe()
    {
        probe_ = probe_skin();
        const auto bytes = bytes_of(probe_);
        return e().SkinH_AttachRes(bytes.data(), static_cast<int>(bytes.size()), "", 0, 0, 0);
    }
    unsigned pixel(int x, int y)
    {
        int w = 0, h = 0;
        const auto pixels = print_window(window_.frame, w, h);
        if (x < 0 || y < 0 || x >= w || y >= h) return 0xFFFFFFFFu;
        return pixels[static_cast<std::size_t>(y) * w + x];
    }
    unsigned expected(color_role role) const
    {
        const skinfmt::rgb c = probe_.color(role);
        return static_cast<unsigned>(c.r) << 16 | static_cast<unsigned>(c.g) << 8 | c.b;
    }
    static unsigned as_pixel(COLORREF c)
    {
        return static_cast<unsigned>(GetRValue(c)) << 16 | static_cast<unsigned>(GetGValue(c)) << 8 | GetBValue(c);
    }

    static inline engine_library* engine_ = nullptr;
    sample_window window_;
    skinfmt::skin probe_;
};

// --- The library file -------------------------------------------------------

TEST_F(EngineTest, ExportsTwentyThreeEntriesAllNamedSkinH)
{
    for (const std::wstring& path : {engine_path(), unbalanced_engine_path()}) {
        const HMODULE module = ::LoadLibraryW(path.c_str());
        ASSERT_NE(module, nullptr);
        const auto base = reinterpret_cast<const unsigned char*>(module);
        const auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        const auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
        EXPECT_STREQ(reinterpret_cast<const char*>(base + exports->Name), "SkinH_EL.dll");
        ASSERT_EQ(exports->NumberOfNames, 23u);
        const auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
        std::set<std::string> seen;
        for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
            const std::string name = reinterpret_cast<const char*>(base + names[i]);
            EXPECT_EQ(name.rfind("SkinH_", 0), 0u) << name;
            EXPECT_NE(::GetProcAddress(module, name.c_str()), nullptr) << name;
            seen.insert(name);
        }
        EXPECT_EQ(seen.size(), 23u);
        ::FreeLibrary(module);
    }
}

TEST_F(EngineTest, AttachResRemovesItsArgumentsAndTheUnbalancedBuildDoesNot)
{
    engine_library unbalanced(unbalanced_engine_path());
    ASSERT_TRUE(unbalanced.complete());
    ASSERT_NE(unbalanced.module, e().module) << "the two builds must be separate modules";
    static const char empty[] = "";
    const std::intptr_t arguments[6] = {0, 0, reinterpret_cast<std::intptr_t>(empty), 0, 0, 0};
    std::intptr_t delta = -1;
    int result = -1;
    if (!stack_delta_of_call(reinterpret_cast<void*>(e().SkinH_AttachRes), arguments, delta, result))
        GTEST_SKIP() << "the stack probe runs on x86-64 only";
    EXPECT_EQ(delta, 0);
    EXPECT_EQ(result, SKINH_E_INVALID_ARG);
    ASSERT_TRUE(stack_delta_of_call(reinterpret_cast<void*>(unbalanced.SkinH_AttachRes), arguments, delta, result));
    EXPECT_EQ(delta, 24);
    EXPECT_EQ(result, SKINH_E_INVALID_ARG);
}

TEST_F(EngineTest, VersionAndErrorTexts)
{
    EXPECT_EQ(e().SkinH_GetVersion(), 0x00010000u);
    wchar_t text[128];
    const int length = e().SkinH_GetErrorText(SKINH_E_KEY, text, 128);
    EXPECT_EQ(std::wstring(text), L"the skin is sealed to another key");
    EXPECT_EQ(length, static_cast<int>(std::wcslen(text)));
    EXPECT_EQ(e().SkinH_GetErrorText(SKINH_E_KEY, nullptr, 0), length);
    e().SkinH_GetErrorText(SKINH_E_BAD_SKIN + static_cast<int>(skinfmt::error::bad_checksum), text, 128);
    EXPECT_EQ(std::wstring(text), L"bad skin: checksum mismatch (damaged data)");
    wchar_t small[5];
    EXPECT_EQ(e().SkinH_GetErrorText(SKINH_OK, small, 5), 7);
    EXPECT_EQ(std::wstring(small), L"succ");
}

// --- Refusing bad skins -----------------------------------------------------

TEST_F(EngineTest, DamagedSkinsAreRefusedWithTheirReasonAndSkinNothing)
{
    const std::vector<unsigned char> good = read_file(skin_path(8));
    ASSERT_GT(good.size(), 20u);
    auto damaged = [&](auto change) {
        std::vector<unsigned char> bytes = good;
        change(bytes);
        return bytes;
    };
    auto bad = [](skinfmt::error reason) { return SKINH_E_BAD_SKIN + static_cast<int>(reason); };
    struct damage {
        const char* what;
        std::vector<unsigned char> bytes;
        int expected;
    };
    const damage cases[] = {
        {"three bytes", {'.', 'S', 'H'}, bad(skinfmt::error::too_short)},
        {"bad magic", damaged([](auto& b) { b[1] = 'X'; }), bad(skinfmt::error::bad_magic)},
        {"bad generation", damaged([](auto& b) { b[5] = 2; }), bad(skinfmt::error::bad_version)},
        {"one byte short", damaged([](auto& b) { b.pop_back(); }), bad(skinfmt::error::size_mismatch)},
        {"flipped byte", damaged([](auto& b) { b[b.size() - 3] ^= 0x40; }), bad(skinfmt::error::bad_checksum)},
        {"random text", std::vector<unsigned char>(300, 'A'), bad(skinfmt::error::bad_magic)},
    };
    open_window();
    for (const damage& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(e().SkinH_ValidateSkin(c.bytes.data(), static_cast<int>(c.bytes.size())), c.expected);
        EXPECT_EQ(e().SkinH_AttachRes(c.bytes.data(), static_cast<int>(c.bytes.size()), "", 0, 0, 0), c.expected);
        EXPECT_EQ(e().SkinH_GetLastError(), c.expected);
        EXPECT_FALSE(e().SkinH_IsAttached());
        EXPECT_FALSE(e().SkinH_IsWindowSkinned(window_.frame));
    }
    // Arguments that are not a skin at all.
    EXPECT_EQ(e().SkinH_AttachRes(nullptr, 100, "", 0, 0, 0), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_AttachRes(good.data(), 0, "", 0, 0, 0), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_AttachRes(good.data(), -5, "", 0, 0, 0), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_AttachRes(good.data(), static_cast<int>(good.size()), "", 181, 0, 0), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_AttachRes(good.data(), static_cast<int>(good.size()), "", 0, 0, -101), SKINH_E_INVALID_ARG);
    // Every cut of a good skin is refused.
    for (std::size_t n = 1; n < good.size(); ++n)
        ASSERT_NE(e().SkinH_AttachRes(good.data(), static_cast<int>(n), "", 0, 0, 0), SKINH_OK) << n;
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_SKINNED_WINDOWS), 0);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_USER_OBJECTS), 0) << "no hook after failed attaches";
}

TEST_F(EngineTest, SealedSkinNeedsItsKey)
{
    skinfmt::skin sealed = probe_skin();
    skinfmt::seal(sealed, "owner-key", 1234);
    const auto bytes = bytes_of(sealed);
    const int n = static_cast<int>(bytes.size());
    EXPECT_EQ(e().SkinH_AttachRes(bytes.data(), n, "", 0, 0, 0), SKINH_E_KEY);
    EXPECT_EQ(e().SkinH_AttachRes(bytes.data(), n, nullptr, 0, 0, 0), SKINH_E_KEY);
    EXPECT_EQ(e().SkinH_AttachRes(bytes.data(), n, "other", 0, 0, 0), SKINH_E_KEY);
    EXPECT_FALSE(e().SkinH_IsAttached());
    EXPECT_EQ(e().SkinH_AttachRes(bytes.data(), n, "owner-key", 0, 0, 0), SKINH_OK);
    EXPECT_TRUE(e().SkinH_IsAttached());
}

TEST_F(EngineTest, EveryCarriedSkinAttachesByBytesAndByFile)
{
    std::set<std::wstring> names;
    for (int n = 1; n <= 33; ++n) {
        SCOPED_TRACE(n);
        const auto bytes = read_file(skin_path(n));
        ASSERT_EQ(e().SkinH_AttachRes(bytes.data(), static_cast<int>(bytes.size()), "", 0, 0, 0), SKINH_OK);
        wchar_t name[64] = {};
        EXPECT_GT(e().SkinH_GetSkinName(name, 64), 0);
        names.insert(name);
        ASSERT_EQ(e().SkinH_Detach(), SKINH_OK);
    }
    EXPECT_EQ(names.size(), 33u) << "every skin has its own name";

    ASSERT_EQ(e().SkinH_AttachFile(skin_path(8).c_str(), ""), SKINH_OK);
    wchar_t name[64] = {};
    e().SkinH_GetSkinName(name, 64);
    EXPECT_EQ(std::wstring(name), L"Lagoon");
    EXPECT_EQ(e().SkinH_AttachFile(L"Z:\\no\\such\\skin.she", ""), SKINH_E_FILE);
    EXPECT_EQ(e().SkinH_AttachFile(nullptr, ""), SKINH_E_INVALID_ARG);
}

// --- Which windows are skinned ----------------------------------------------

TEST_F(EngineTest, SkinsTheThreadsWindowsBeforeAndAfterAttachAndLeavesOthersAlone)
{
    open_window();
    const HWND label = ::CreateWindowExW(0, L"Static", L"label", WS_CHILD | WS_VISIBLE, 10, 440, 60, 20,
                                        window_.frame, nullptr, nullptr, nullptr);
    const HWND check = ::CreateWindowExW(0, L"Button", L"check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 460,
                                        60, 20, window_.frame, nullptr, nullptr, nullptr);
    const HWND plain_edit = ::CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 480, 60, 20,
                                             window_.frame, nullptr, nullptr, nullptr);
    RECT before{};
    ::GetClientRect(window_.frame, &before);

    ASSERT_EQ(attach_probe(), SKINH_OK);
    for (const HWND skinned : {window_.frame, window_.button1, window_.button2, window_.edit1, window_.edit2})
        EXPECT_TRUE(e().SkinH_IsWindowSkinned(skinned));
    for (const HWND left_alone : {window_.page, label, check, plain_edit})
        EXPECT_FALSE(e().SkinH_IsWindowSkinned(left_alone));
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_SKINNED_WINDOWS), 5);

    // The frame is measured by the skin: 5 px borders, a 30 px caption.
    RECT client{};
    ::GetClientRect(window_.frame, &client);
    EXPECT_EQ(client.right, 966 - 2 * 5);
    EXPECT_EQ(client.bottom, 508 - 2 * 5 - 30);

    // Created later on this thread: skinned by the hook from the start.
    const HWND later_button = ::CreateWindowExW(0, L"Button", L"later", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10,
                                                10, 60, 20, window_.frame, nullptr, nullptr, nullptr);
    const HWND later_edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 40, 60, 20,
                                              window_.frame, nullptr, nullptr, nullptr);
    const HWND later_static = ::CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 10, 70, 60, 20,
                                                window_.frame, nullptr, nullptr, nullptr);
    const HWND later_top = ::CreateWindowExW(0, L"Static", L"top", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                             nullptr, nullptr, nullptr);
    const HWND later_popup = ::CreateWindowExW(0, L"Static", L"popup", WS_POPUP | WS_BORDER, 0, 0, 300, 200, nullptr,
                                               nullptr, nullptr, nullptr);
    EXPECT_TRUE(e().SkinH_IsWindowSkinned(later_button));
    EXPECT_TRUE(e().SkinH_IsWindowSkinned(later_edit));
    EXPECT_TRUE(e().SkinH_IsWindowSkinned(later_top));
    EXPECT_FALSE(e().SkinH_IsWindowSkinned(later_static));
    EXPECT_FALSE(e().SkinH_IsWindowSkinned(later_popup)) << "no caption, no frame skinning";
    RECT later_client{};
    ::GetClientRect(later_top, &later_client);
    EXPECT_EQ(later_client.bottom, 200 - 2 * 5 - 30);

    // A window of another thread is not this thread's to skin.
    bool other_skinned = true;
    std::thread([&] {
        const HWND other = ::CreateWindowExW(0, L"Button", L"x", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                             nullptr, nullptr, nullptr);
        other_skinned = e().SkinH_IsWindowSkinned(other);
        ::DestroyWindow(other);
    }).join();
    EXPECT_FALSE(other_skinned);

    ::DestroyWindow(later_top);
    ::DestroyWindow(later_popup);
    ::DestroyWindow(later_button);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_SKINNED_WINDOWS), 6) << "destroyed windows free their data";

    // Detaching gives every window its own look and size back.
    ASSERT_EQ(e().SkinH_Detach(), SKINH_OK);
    for (const HWND w : {window_.frame, window_.button1, window_.edit1, later_edit})
        EXPECT_FALSE(e().SkinH_IsWindowSkinned(w));
    ::GetClientRect(window_.frame, &client);
    EXPECT_EQ(client.right, before.right);
    EXPECT_EQ(client.bottom, before.bottom);
    const HWND after_detach = ::CreateWindowExW(0, L"Button", L"after", WS_CHILD | BS_PUSHBUTTON, 10, 10, 60, 20,
                                                window_.frame, nullptr, nullptr, nullptr);
    EXPECT_FALSE(e().SkinH_IsWindowSkinned(after_detach));
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_SKINNED_WINDOWS), 0);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_USER_OBJECTS), 0);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_GDI_OBJECTS), 0);
    EXPECT_EQ(e().SkinH_Detach(), SKINH_E_NOT_ATTACHED);
}

TEST_F(EngineTest, SkinningSwitchesOffAndOnPerWindow)
{
    open_window();
    RECT system_client{};
    ::GetClientRect(window_.frame, &system_client);
    ASSERT_EQ(attach_probe(), SKINH_OK);

    EXPECT_EQ(e().SkinH_SetWindowSkinning(window_.frame, FALSE), SKINH_OK);
    EXPECT_FALSE(e().SkinH_IsWindowSkinned(window_.frame));
    RECT client{};
    ::GetClientRect(window_.frame, &client);
    EXPECT_EQ(client.bottom, system_client.bottom) << "the system frame is back";
    EXPECT_TRUE(e().SkinH_IsWindowSkinned(window_.button1)) << "only that window";

    // A new skin keeps the choice.
    ASSERT_EQ(attach_probe(), SKINH_OK);
    EXPECT_FALSE(e().SkinH_IsWindowSkinned(window_.frame));

    EXPECT_EQ(e().SkinH_SetWindowSkinning(window_.frame, TRUE), SKINH_OK);
    EXPECT_TRUE(e().SkinH_IsWindowSkinned(window_.frame));
    ::GetClientRect(window_.frame, &client);
    EXPECT_EQ(client.bottom, 508 - 2 * 5 - 30);

    EXPECT_EQ(e().SkinH_SetWindowSkinning(window_.page, TRUE), SKINH_E_NOT_SKINNABLE);
    EXPECT_EQ(e().SkinH_SetWindowSkinning(nullptr, TRUE), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_SetTitleButtonVisible(window_.button1, SKINH_TITLE_CLOSE, FALSE), SKINH_E_NOT_SKINNABLE);
}

TEST_F(EngineTest, OtherThreadsCannotChangeTheAttachedSkin)
{
    open_window();
    ASSERT_EQ(attach_probe(), SKINH_OK);
    const auto bytes = bytes_of(probe_);
    int attach_result = -1, detach_result = -1, hue_result = -1;
    std::thread([&] {
        attach_result = e().SkinH_AttachRes(bytes.data(), static_cast<int>(bytes.size()), "", 0, 0, 0);
        detach_result = e().SkinH_Detach();
        hue_result = e().SkinH_SetHue(10);
    }).join();
    EXPECT_EQ(attach_result, SKINH_E_WRONG_THREAD);
    EXPECT_EQ(detach_result, SKINH_E_WRONG_THREAD);
    EXPECT_EQ(hue_result, SKINH_E_WRONG_THREAD);
    EXPECT_TRUE(e().SkinH_IsWindowSkinned(window_.frame));
}

// --- What the skin paints ---------------------------------------------------

TEST_F(EngineTest, FrameBackgroundButtonsAndEditsShowThePalette)
{
    open_window();
    ASSERT_EQ(attach_probe(), SKINH_OK);
    show_active();
    const int border = 5, caption = 30;

    EXPECT_EQ(pixel(483, border + 2), expected(color_role::caption_active_start));
    EXPECT_EQ(pixel(2, 200), expected(color_role::frame_active));
    EXPECT_EQ(pixel(0, 200), expected(color_role::frame_outline));
    // Left of the page, below the caption: the window background.
    EXPECT_EQ(pixel(border + 2, border + caption + 300), expected(color_role::window_background));
    // The page keeps its own look.
    EXPECT_EQ(pixel(border + 100, border + caption + 100), 0xFFFFFFu);

    ::SendMessageW(window_.frame, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(pixel(483, border + 2), expected(color_role::caption_inactive_start));
    EXPECT_EQ(pixel(2, 200), expected(color_role::frame_inactive));
    ::SendMessageW(window_.frame, WM_NCACTIVATE, TRUE, 0);

    // Push button: border, face by state, focus ring.
    const POINT b = offset_in_window(window_.button1, window_.frame);
    EXPECT_EQ(pixel(b.x, b.y + 10), expected(color_role::button_border));
    EXPECT_EQ(pixel(b.x + 2, b.y + 2), expected(color_role::button_face));
    ::SendMessageW(window_.button1, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(pixel(b.x + 2, b.y + 2), expected(color_role::button_face_hot));
    ::SendMessageW(window_.button1, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(pixel(b.x + 2, b.y + 2), expected(color_role::button_face));
    ::SendMessageW(window_.button1, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(pixel(b.x + 2, b.y + 2), expected(color_role::button_face_pressed));
    ::SendMessageW(window_.button1, BM_SETSTATE, FALSE, 0);
    ::EnableWindow(window_.button1, FALSE);
    EXPECT_EQ(pixel(b.x + 2, b.y + 2), expected(color_role::button_face_disabled));
    ::EnableWindow(window_.button1, TRUE);
    ::SetFocus(window_.button1);
    EXPECT_EQ(pixel(b.x + 3, b.y + 12), expected(color_role::focus_ring));
    ::SetFocus(window_.edit2);
    EXPECT_EQ(pixel(b.x + 3, b.y + 12), expected(color_role::button_face));

    // Edit box border, normal and focused.
    const POINT ed = offset_in_window(window_.edit1, window_.frame);
    EXPECT_EQ(pixel(ed.x, ed.y + 10), expected(color_role::edit_border));
    ::SetFocus(window_.edit1);
    EXPECT_EQ(pixel(ed.x, ed.y + 10), expected(color_role::edit_border_focused));
}

TEST_F(EngineTest, CaptionShowsWhetherTheWindowIsActive)
{
    // Skinned while hidden, then shown and activated the ordinary way, as
    // the program does: the caption follows the window's real activation.
    open_window();
    ASSERT_EQ(attach_probe(), SKINH_OK);
    ::ShowWindow(window_.frame, SW_SHOWNORMAL);
    ::SetForegroundWindow(window_.frame);
    pump();
    const bool active = ::GetActiveWindow() == window_.frame;
    EXPECT_EQ(pixel(483, 7), expected(active ? color_role::caption_active_start : color_role::caption_inactive_start));
    const HWND other = ::CreateWindowExW(0, L"Static", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                         nullptr, nullptr, nullptr, nullptr);
    ::SetActiveWindow(other);
    pump();
    EXPECT_NE(::GetActiveWindow(), window_.frame);
    EXPECT_EQ(pixel(483, 7), expected(color_role::caption_inactive_start));
    ::SetActiveWindow(window_.frame);
    pump();
    // Activation is the window system's to grant; when it does, the caption follows.
    if (::GetActiveWindow() == window_.frame) {
        EXPECT_EQ(pixel(483, 7), expected(color_role::caption_active_start));
    }
    ::DestroyWindow(other);
}

TEST_F(EngineTest, CaptionButtonsHitTestHoverPressAndAct)
{
    open_window();
    ASSERT_EQ(attach_probe(), SKINH_OK);
    show_active();
    const RECT w = window_rect(window_.frame);
    const int border = 5, caption = 30, padding = 4, bw = 28, bh = 22, gap = 2;
    const int top = border + (caption - bh) / 2;
    const int close_right = (w.right - w.left) - border - padding;
    const POINT close{close_right - bw / 2, top + bh / 2};
    const POINT minimise{close_right - bw - gap - bw / 2, top + bh / 2};
    auto hit = [&](int x, int y) {
        return ::SendMessageW(window_.frame, WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y));
    };
    EXPECT_EQ(hit(close.x, close.y), HTCLOSE);
    EXPECT_EQ(hit(minimise.x, minimise.y), HTMINBUTTON);
    EXPECT_EQ(hit(border + 4 + 8, border + caption / 2), HTSYSMENU);
    EXPECT_EQ(hit(400, border + caption / 2), HTCAPTION);
    EXPECT_EQ(hit(2, 200), HTBORDER);
    EXPECT_EQ(hit(300, 300), HTCLIENT);

    // No maximise box, no maximise button anywhere along the caption.
    auto caption_codes = [&] {
        std::set<LRESULT> codes;
        for (int x = 0; x < w.right - w.left; ++x) codes.insert(hit(x, border + caption / 2));
        return codes;
    };
    std::set<LRESULT> codes = caption_codes();
    EXPECT_EQ(codes.count(HTMAXBUTTON), 0u);
    EXPECT_EQ(codes.count(HTMINBUTTON), 1u);
    ::SetWindowLongPtrW(window_.frame, GWL_STYLE, ::GetWindowLongPtrW(window_.frame, GWL_STYLE) | WS_MAXIMIZEBOX);
    EXPECT_EQ(caption_codes().count(HTMAXBUTTON), 1u);
    ::SetWindowLongPtrW(window_.frame, GWL_STYLE, ::GetWindowLongPtrW(window_.frame, GWL_STYLE) & ~WS_MAXIMIZEBOX);

    // Hidden through the interface: gone from the caption, and back.
    EXPECT_EQ(e().SkinH_SetTitleButtonVisible(window_.frame, SKINH_TITLE_MINIMIZE, FALSE), SKINH_OK);
    EXPECT_EQ(caption_codes().count(HTMINBUTTON), 0u);
    EXPECT_EQ(e().SkinH_SetTitleButtonVisible(window_.frame, SKINH_TITLE_MINIMIZE, TRUE), SKINH_OK);
    EXPECT_EQ(hit(minimise.x, minimise.y), HTMINBUTTON);
    EXPECT_EQ(e().SkinH_SetTitleButtonVisible(window_.frame, 7, TRUE), SKINH_E_INVALID_ARG);

    // Hover and press paint the close button in its own colours.
    const LPARAM close_screen = MAKELPARAM(w.left + close.x, w.top + close.y);
    ::SendMessageW(window_.frame, WM_NCMOUSEMOVE, HTCLOSE, close_screen);
    EXPECT_EQ(pixel(close_right - bw + 1, top + 1), expected(color_role::close_button_hot));
    ::SendMessageW(window_.frame, WM_NCLBUTTONDOWN, HTCLOSE, close_screen);
    EXPECT_EQ(pixel(close_right - bw + 1, top + 1), expected(color_role::close_button_pressed));
    // Released away from the button: nothing happens.
    POINT away{w.left + 300, w.top + 300};
    ::ScreenToClient(window_.frame, &away);
    ::SendMessageW(window_.frame, WM_LBUTTONUP, 0, MAKELPARAM(away.x, away.y));
    pump();
    ASSERT_TRUE(::IsWindow(window_.frame));
    EXPECT_NE(pixel(close_right - bw + 1, top + 1), expected(color_role::close_button_pressed));

    // Press and release on minimise: the window is minimised.
    POINT on_min{w.left + minimise.x, w.top + minimise.y};
    const LPARAM min_screen = MAKELPARAM(on_min.x, on_min.y);
    ::ScreenToClient(window_.frame, &on_min);
    ::SendMessageW(window_.frame, WM_NCLBUTTONDOWN, HTMINBUTTON, min_screen);
    ::SendMessageW(window_.frame, WM_LBUTTONUP, 0, MAKELPARAM(on_min.x, on_min.y));
    pump();
    EXPECT_TRUE(::IsIconic(window_.frame));
    ::ShowWindow(window_.frame, SW_RESTORE);
    pump();

    // Press and release on close: the window closes.
    POINT on_close{w.left + close.x, w.top + close.y};
    ::ScreenToClient(window_.frame, &on_close);
    ::SendMessageW(window_.frame, WM_NCLBUTTONDOWN, HTCLOSE, close_screen);
    ::SendMessageW(window_.frame, WM_LBUTTONUP, 0, MAKELPARAM(on_close.x, on_close.y));
    pump();
    EXPECT_FALSE(::IsWindow(window_.frame));
    window_.frame = nullptr;
}

TEST_F(EngineTest, KeepsNothingOfTheCallersBuffer)
{
    open_window();
    probe_ = probe_skin();
    {
        auto bytes = std::make_unique<std::vector<std::uint8_t>>(bytes_of(probe_));
        ASSERT_EQ(e().SkinH_AttachRes(bytes->data(), static_cast<int>(bytes->size()), "", 0, 0, 0), SKINH_OK);
        std::memset(bytes->data(), 0xCC, bytes->size());
    }  // freed
    std::vector<std::uint8_t> reuse(4096, 0x5A);  // likely takes the freed memory
    activate();
    EXPECT_EQ(e().SkinH_Repaint(), SKINH_OK);
    EXPECT_EQ(pixel(483, 7), expected(color_role::caption_active_start));
    EXPECT_EQ(pixel(7, 335), expected(color_role::window_background));
    wchar_t name[16] = {};
    e().SkinH_GetSkinName(name, 16);
    EXPECT_EQ(std::wstring(name), L"Probe");
    EXPECT_EQ(e().SkinH_GetMetric(SKINH_METRIC_CAPTION_HEIGHT), 30);
}

// --- Colours ----------------------------------------------------------------

TEST_F(EngineTest, ColourAdjustmentsAndOverridesReachTheScreen)
{
    open_window();
    probe_ = probe_skin();
    probe_.color(color_role::caption_active_start) = {255, 0, 0};
    const auto bytes = bytes_of(probe_);
    ASSERT_EQ(e().SkinH_AttachRes(bytes.data(), static_cast<int>(bytes.size()), "", 0, 0, 0), SKINH_OK);
    activate();
    const int caption_role = SKINH_COLOR_CAPTION_ACTIVE_START;
    for (int role = 0; role < SKINH_COLOR_COUNT; ++role)
        EXPECT_EQ(as_pixel(e().SkinH_GetColor(role)), expected(static_cast<color_role>(role))) << role;

    EXPECT_EQ(e().SkinH_SetHue(120), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetColor(caption_role), RGB(0, 255, 0));
    EXPECT_EQ(pixel(483, 7), 0x00FF00u);
    EXPECT_EQ(e().SkinH_SetHue(-120), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetColor(caption_role), RGB(0, 0, 255));
    EXPECT_EQ(e().SkinH_SetSaturation(-100), SKINH_OK);
    const COLORREF grey = e().SkinH_GetColor(SKINH_COLOR_BUTTON_FACE);
    EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));
    EXPECT_EQ(e().SkinH_SetBrightness(-100), SKINH_OK);
    for (int role = 0; role < SKINH_COLOR_COUNT; ++role) EXPECT_EQ(e().SkinH_GetColor(role), RGB(0, 0, 0));
    EXPECT_EQ(pixel(7, 335), 0x000000u);
    EXPECT_EQ(e().SkinH_SetBrightness(100), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetColor(caption_role), RGB(255, 255, 255));

    // An override wins over adjustments until it is given back.
    EXPECT_EQ(e().SkinH_SetColor(SKINH_COLOR_WINDOW_BACKGROUND, RGB(1, 2, 3)), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetColor(SKINH_COLOR_WINDOW_BACKGROUND), RGB(1, 2, 3));
    EXPECT_EQ(pixel(7, 335), 0x010203u);
    EXPECT_EQ(e().SkinH_SetColor(SKINH_COLOR_WINDOW_BACKGROUND, SKINH_COLOR_DEFAULT), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetColor(SKINH_COLOR_WINDOW_BACKGROUND), RGB(255, 255, 255));

    EXPECT_EQ(e().SkinH_ResetColors(), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetColor(caption_role), RGB(255, 0, 0));
    EXPECT_EQ(pixel(483, 7), 0xFF0000u);

    EXPECT_EQ(e().SkinH_SetHue(181), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_SetSaturation(-101), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_SetColor(SKINH_COLOR_COUNT, 0), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_SetColor(0, 0x01000000), SKINH_E_INVALID_ARG);
    EXPECT_EQ(e().SkinH_GetColor(-1), CLR_INVALID);
    EXPECT_EQ(e().SkinH_GetMetric(SKINH_METRIC_COUNT), -1);
    EXPECT_EQ(e().SkinH_GetLastError(), SKINH_E_INVALID_ARG);

    ASSERT_EQ(e().SkinH_Detach(), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetColor(0), CLR_INVALID);
    EXPECT_EQ(e().SkinH_GetLastError(), SKINH_E_NOT_ATTACHED);
    EXPECT_EQ(e().SkinH_SetHue(10), SKINH_E_NOT_ATTACHED);
    EXPECT_EQ(e().SkinH_GetSkinName(nullptr, 0), -1);
}

TEST_F(EngineTest, LockedUpdatesRepaintOnceWhenUnlocked)
{
    open_window();
    ASSERT_EQ(attach_probe(), SKINH_OK);
    activate();
    const int before = e().SkinH_GetStats(SKINH_STAT_REPAINTS);
    EXPECT_EQ(e().SkinH_SetHue(30), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_REPAINTS), before + 1) << "unlocked: each change repaints";

    EXPECT_EQ(e().SkinH_LockUpdate(), SKINH_OK);
    EXPECT_EQ(e().SkinH_LockUpdate(), SKINH_OK);
    EXPECT_EQ(e().SkinH_SetHue(60), SKINH_OK);
    EXPECT_EQ(e().SkinH_SetColor(SKINH_COLOR_WINDOW_BACKGROUND, RGB(9, 9, 9)), SKINH_OK);
    EXPECT_EQ(e().SkinH_Repaint(), SKINH_OK);
    EXPECT_EQ(e().SkinH_UnlockUpdate(), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_REPAINTS), before + 1) << "still locked once";
    EXPECT_EQ(e().SkinH_UnlockUpdate(), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_REPAINTS), before + 2) << "one repaint for the batch";
    EXPECT_EQ(pixel(7, 335), 0x090909u);
    EXPECT_EQ(e().SkinH_UnlockUpdate(), SKINH_E_INVALID_ARG) << "not locked";
}

// --- Handles ----------------------------------------------------------------

TEST_F(EngineTest, HandleCountsStayFlatHoweverLongTheWindowLives)
{
    open_window();
    ASSERT_EQ(attach_probe(), SKINH_OK);
    show_active();
    pixel(0, 0);
    const int gdi = e().SkinH_GetStats(SKINH_STAT_GDI_OBJECTS);
    const int user = e().SkinH_GetStats(SKINH_STAT_USER_OBJECTS);
    EXPECT_EQ(gdi, 2) << "one background brush and one caption font";
    EXPECT_EQ(user, 1) << "the thread's window hook";
    const RECT w = window_rect(window_.frame);
    for (int i = 0; i < 150; ++i) {
        ::RedrawWindow(window_.frame, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::SendMessageW(window_.button1, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        ::SendMessageW(window_.button1, BM_SETSTATE, i % 2, 0);
        ::SendMessageW(window_.button1, WM_MOUSELEAVE, 0, 0);
        ::SetFocus(i % 2 ? window_.edit1 : window_.button2);
        ::SendMessageW(window_.frame, WM_NCMOUSEMOVE, i % 2 ? HTCLOSE : HTCAPTION, MAKELPARAM(w.right - 20, w.top + 15));
        ::SendMessageW(window_.frame, WM_NCACTIVATE, i % 2, 0);
        ::SetWindowTextW(window_.frame, i % 2 ? L"odd title" : L"even title");
        if (i % 10 == 0) pixel(10, 10);
        if (i % 25 == 0) e().SkinH_SetHue(i % 180);
        pump();
    }
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_GDI_OBJECTS), gdi);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_USER_OBJECTS), user);

    // Attaching again and again replaces, never accumulates.
    const auto bytes = bytes_of(probe_);
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(e().SkinH_AttachRes(bytes.data(), static_cast<int>(bytes.size()), "", 0, 0, 0), SKINH_OK);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_GDI_OBJECTS), gdi);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_USER_OBJECTS), user);
    EXPECT_EQ(e().SkinH_GetStats(SKINH_STAT_SKINNED_WINDOWS), 5);
}

}  // namespace
