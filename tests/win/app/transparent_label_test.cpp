// The transparent label on a real window: what gets repainted, in which
// order, when its text changes; what it leaves on screen; what it costs.
#include "app/transparent_label.h"
#include "win/unique_any.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Records WM_PAINT per window, in order, through a subclass on each window.
class paint_recorder {
public:
    void watch(HWND hwnd, std::string name)
    {
        names_[hwnd] = std::move(name);
        original_[hwnd] = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&paint_recorder::procedure)));
        instance() = this;
    }
    std::vector<std::string> take()
    {
        auto out = std::move(log_);
        log_.clear();
        return out;
    }
    ~paint_recorder()
    {
        for (auto& [hwnd, proc] : original_)
            if (::IsWindow(hwnd)) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
        instance() = nullptr;
    }

private:
    static paint_recorder*& instance()
    {
        static paint_recorder* self = nullptr;
        return self;
    }
    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
    {
        paint_recorder* self = instance();
        if (msg == WM_PAINT) self->log_.push_back(self->names_[hwnd]);
        return ::CallWindowProcW(self->original_[hwnd], hwnd, msg, w, l);
    }

    std::map<HWND, std::string> names_;
    std::map<HWND, WNDPROC> original_;
    std::vector<std::string> log_;
};

void pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK host_procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l) { return ::DefWindowProcW(hwnd, msg, w, l); }

// A host window like the main window: button-face background, no
// WS_CLIPCHILDREN, a caption strip label under a red counter label, an edit
// box lying over the strip beside the counter, and a small box lying over
// the counter's lower edge.
class LabelOnWindow : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = host_procedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"LabelTestHost";
        ::RegisterClassW(&wc);
        host.reset(::CreateWindowExW(0, L"LabelTestHost", L"label test", WS_POPUP | WS_VISIBLE, 0, 0, 300, 120,
                                     nullptr, nullptr, wc.hInstance, nullptr));
        ASSERT_TRUE(host);
        ASSERT_TRUE(strip.create(host.get(), {10, 10, 290, 58}, L"起始QQ:  strip text under the counter label", {}));
        counter_font.reset(::CreateFontW(16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, 0,
                                         L"黑体"));
        ASSERT_TRUE(counter.create(host.get(), {100, 11, 132, 55}, L"0", {RGB(255, 0, 0), counter_font.get()}));
        edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"402718563", WS_CHILD | WS_VISIBLE, 20, 22, 70, 24,
                                 host.get(), nullptr, nullptr, nullptr);
        over = ::CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 120, 50, 40, 20, host.get(), nullptr,
                                 nullptr, nullptr);
        // Stacking, topmost first: over, edit, counter, strip.
        ::SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetWindowPos(edit, over, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetWindowPos(counter.hwnd(), edit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetWindowPos(strip.hwnd(), counter.hwnd(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::ShowWindow(strip.hwnd(), SW_SHOWNA);
        ::ShowWindow(counter.hwnd(), SW_SHOWNA);
        ::UpdateWindow(host.get());
        pump();
    }

    // Pixels of the counter's box, 0x00BBGGRR as GDI gives them.
    std::vector<COLORREF> counter_pixels()
    {
        pump();
        win::window_dc dc(host.get());
        std::vector<COLORREF> out;
        for (int y = 11; y < 55; ++y)
            for (int x = 100; x < 132; ++x) out.push_back(::GetPixel(dc.get(), x, y));
        return out;
    }
    static bool is_red(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80; }

    win::unique_hwnd host;
    win::unique_font counter_font;
    app::transparent_label strip;
    app::transparent_label counter;
    HWND edit = nullptr;
    HWND over = nullptr;
};

TEST_F(LabelOnWindow, SettingTheTextRepaintsTheWindowThenEachChildLowestFirstThenTheLabel)
{
    paint_recorder recorder;
    recorder.watch(host.get(), "window");
    recorder.watch(strip.hwnd(), "strip");
    recorder.watch(counter.hwnd(), "counter");
    recorder.watch(edit, "edit");
    recorder.watch(over, "over");
    pump();
    recorder.take();

    counter.set_text(L"12");
    // Synchronous part: the window under the label, then every child that
    // overlaps it from the lowest in the stacking order to the highest. The
    // edit box beside the label is left alone.
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"window", "strip", "counter", "over"}));
    // Last, the label itself was marked for painting without erasing.
    pump();
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"counter"}));
    EXPECT_EQ(counter.text(), L"12");
}

TEST_F(LabelOnWindow, AShorterTextLeavesNoTraceOfTheLongerOne)
{
    counter.set_text(L"88888888");
    const auto wide = counter_pixels();
    const auto red_columns = [](const std::vector<COLORREF>& pixels) {
        int rightmost = -1;
        for (size_t i = 0; i < pixels.size(); ++i)
            if (is_red(pixels[i])) rightmost = std::max(rightmost, static_cast<int>(i % 32));
        return rightmost;
    };
    ASSERT_GT(red_columns(wide), 20) << "the wide value fills the box (and is cut at its edge)";

    counter.set_text(L"1");
    const int narrow = red_columns(counter_pixels());
    EXPECT_GE(narrow, 0);
    EXPECT_LT(narrow, 12) << "digits of the old value stayed on screen";

    counter.set_text(L"");
    EXPECT_EQ(red_columns(counter_pixels()), -1) << "an empty text shows nothing";
}

TEST_F(LabelOnWindow, TextStaysOnOneLineAndIsCutAtTheBox)
{
    strip.set_text(L"first\r\nsecond");
    EXPECT_EQ(strip.text(), L"first\r\nsecond") << "the text is kept as set";
    pump();
    // Nothing is drawn in the lower third of the strip: no second line.
    win::window_dc dc(strip.hwnd());
    int dark_below = 0;
    for (int y = 36; y < 48; ++y)
        for (int x = 130; x < 280; ++x)  // clear of the edit box and the counter
            if (GetRValue(::GetPixel(dc.get(), x, y)) < 60) ++dark_below;
    EXPECT_EQ(dark_below, 0);
}

TEST_F(LabelOnWindow, PressesRaiseTheEventOncePerPressNotForADoubleClick)
{
    int presses = 0;
    counter.on_left_button_press([&] { ++presses; });
    ::SendMessageW(counter.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    ::SendMessageW(counter.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    ::SendMessageW(counter.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
    ::SendMessageW(counter.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(::GetClassLongW(counter.hwnd(), GCL_STYLE) & CS_DBLCLKS);
}

TEST_F(LabelOnWindow, HandleCountsReturnToWhereTheyStartedAfterAThousandUpdates)
{
    pump();
    const long gdi_before = win::live_objects::count(win::resource_kind::gdi);
    const long user_before = win::live_objects::count(win::resource_kind::user);
    for (int i = 0; i < 1000; ++i) {
        counter.set_text(std::to_wstring(i));
        if (i % 50 == 0) pump();
    }
    pump();
    EXPECT_EQ(win::live_objects::count(win::resource_kind::gdi), gdi_before);
    EXPECT_EQ(win::live_objects::count(win::resource_kind::user), user_before);
    EXPECT_EQ(counter.text(), L"999");
}

}  // namespace
