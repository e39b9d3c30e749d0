// The main window's key examination, driven through the one dispatch the
// event loop and the dwell both use: Tab and Shift+Tab move the focus among
// the controls, Esc closes the window from anywhere inside it, and a focus
// deep inside the browser view concerns no control.
#include "app/main_window.h"
#include "win/message_pump.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <array>
#include <string>

namespace {

void pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) win::dispatch_message(msg);
}

// Sets the modifier keys as the thread's keyboard state reports them.
void hold_modifiers(bool shift, bool ctrl)
{
    BYTE keys[256]{};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_MENU] = 0;
    ::SetKeyboardState(keys);
}

// A key press as the event loop would take it from the queue.
void press(HWND target, WPARAM key, bool shift = false, bool ctrl = false)
{
    hold_modifiers(shift, ctrl);
    MSG msg{};
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    win::dispatch_message(msg);
    hold_modifiers(false, false);
    pump();
}

class MainWindowKeys : public testing::Test {
protected:
    static void SetUpTestSuite() { ::OleInitialize(nullptr); }
    static void TearDownTestSuite() { ::OleUninitialize(); }

    void SetUp() override
    {
        ASSERT_TRUE(window.construct()) << "the window (with the system browser control) could not be built";
        window.raise_creation_event_and_show();
        pump();
        ::SetForegroundWindow(window.hwnd());
        pump();
    }

    HWND child_at(int left, int top) const
    {
        for (HWND c = ::GetWindow(window.hwnd(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            RECT rc{};
            ::GetWindowRect(c, &rc);
            ::MapWindowPoints(HWND_DESKTOP, window.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
            if (rc.left == left && rc.top == top) return c;
        }
        return nullptr;
    }
    HWND view() const { return child_at(6, 3); }
    HWND start() const { return child_at(598, 437); }
    HWND pause() const { return child_at(713, 437); }

    app::窗口 window;
};

TEST_F(MainWindowKeys, TabAndShiftTabFollowTheFixedCycle)
{
    struct step {
        HWND from;
        bool shift;
        HWND to;
    };
    const step steps[] = {
        {start(), false, pause()},
        {pause(), false, window.编辑框1()},
        {window.编辑框1(), false, window.编辑框2()},
        {window.编辑框2(), false, view()},
        {window.编辑框2(), true, window.编辑框1()},
        {start(), true, view()},
    };
    for (const auto& s : steps) {
        ::SetFocus(s.from);
        press(s.from, VK_TAB, s.shift);
        HWND focus = ::GetFocus();
        // The view passes its focus on to the control inside it.
        while (focus && focus != s.to && ::GetParent(focus) != window.hwnd()) focus = ::GetParent(focus);
        EXPECT_EQ(focus, s.to);
    }
}

TEST_F(MainWindowKeys, TabDoesNothingWhenTheFocusIsTwoLevelsInsideTheView)
{
    // A window two levels inside the view, as a page's own windows are.
    HWND middle = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, view(), nullptr,
                                    nullptr, nullptr);
    HWND deep = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, middle, nullptr, nullptr,
                                  nullptr);
    ::SetFocus(deep);
    ASSERT_EQ(::GetFocus(), deep);
    press(deep, VK_TAB);
    EXPECT_EQ(::GetFocus(), deep);
    press(deep, VK_TAB, /*shift=*/true);
    EXPECT_EQ(::GetFocus(), deep);
    EXPECT_EQ(::GetWindowTextLengthW(deep), 0) << "the Tab reached the inner window as a character";

    press(deep, VK_ESCAPE, false, /*ctrl=*/true);
    EXPECT_TRUE(window.alive()) << "Ctrl+Esc is not Esc";
    press(deep, VK_ESCAPE);
    EXPECT_FALSE(window.alive()) << "Esc closes the window from inside the page";
}

TEST_F(MainWindowKeys, EscFromAnEditBoxClosesAndEnterDoesNothing)
{
    ::SetFocus(window.编辑框2());
    press(window.编辑框2(), VK_RETURN);
    EXPECT_TRUE(window.alive());
    press(window.编辑框2(), VK_ESCAPE);
    EXPECT_FALSE(window.alive());
}

}  // namespace
