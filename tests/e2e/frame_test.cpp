// The application frame seen from outside: the window, its controls, the
// keyboard, the link label and the two ways the program ends.
#include "app_process.h"
#include "browser_launcher.h"
#include "screenshot.h"
#include "ui.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {
namespace {

const std::wstring update_page = L"http://user.example.com/402718563/main";

struct expected_control {
    const char* name;
    const wchar_t* class_name;
    RECT place;
    std::wstring text;
};

constexpr RECT place(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// Topmost first, as the window stacks them.
const expected_control controls[] = {
    {"透明标签3", L"SpaceVisitTransparentLabel", place(904, 440, 48, 16), L"软件更新" + update_page},
    {"编辑框2", L"Edit", place(328, 435, 72, 24), L"3000"},
    {"编辑框1", L"Edit", place(85, 434, 128, 24), L"402718563"},
    {"透明标签2", L"SpaceVisitTransparentLabel", place(536, 424, 32, 44), L"0"},
    {"透明标签1", L"SpaceVisitTransparentLabel", place(25, 423, 552, 48),
     L"起始QQ:                             访问停留时间                毫秒        已\r\n访问"},
    {"按钮2", L"Button", place(713, 437, 72, 24), L"暂停"},
    {"按钮1", L"Button", place(598, 437, 72, 24), L"开始"},
    {"超文本浏览框1", L"超文本浏览框", place(6, 3, 954, 421), L""},
};

HWND control(HWND main, const char* name)
{
    for (const auto& c : controls)
        if (std::string(c.name) == name) return child_at(main, c.place);
    return nullptr;
}

// The control whose window holds the focus or is the parent of the focus.
HWND concerned(HWND main)
{
    HWND focus = focus_of(main);
    while (focus && ::GetParent(focus) != main) focus = ::GetParent(focus);
    return focus;
}

class Frame : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.started());
        main = app.main_window();
        ASSERT_NE(main, nullptr) << "the main window never became visible";
    }
    app_process app;
    HWND main = nullptr;
};

TEST_F(Frame, WindowHasItsCaptionSizePlaceAndFrame)
{
    EXPECT_EQ(window_text(main), main_caption);
    ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1366) << "tests run on a 1366 x 768 screen";
    const RECT outer = outer_rect(main);
    EXPECT_EQ(outer.left, 200);
    EXPECT_EQ(outer.top, 130);
    EXPECT_EQ(outer.right - outer.left, 966);
    EXPECT_EQ(outer.bottom - outer.top, 508);

    const LONG style = ::GetWindowLongW(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the frame must not be resizable";
    EXPECT_FALSE(::GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// The program's icon (a blue disc with a white arrow) shows at the left of
// the caption bar. (Wine does not answer WM_GETICON across processes, so the
// caption is looked at instead.)
TEST_F(Frame, CaptionShowsTheProgramIcon)
{
    ASSERT_TRUE(bring_to_front(main));
    pump_for(300ms);
    RECT outer = outer_rect(main);
    const capture caption = capture_screen({outer.left, outer.top, outer.left + 40, outer.top + 32});
    int disc = 0, arrow = 0;
    for (int y = 0; y < caption.height; ++y)
        for (int x = 0; x < caption.width; ++x) {
            const std::uint32_t p = caption.at(x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (b > 140 && g > 70 && g < 125 && r < 45) ++disc;
            if (r > 245 && g > 245 && b > 245) ++arrow;
        }
    save_bmp(caption, L"caption-icon");
    EXPECT_GT(disc, 40) << "no blue disc of the icon in the caption";
    EXPECT_GT(arrow, 10) << "no white arrow of the icon in the caption";
}

TEST_F(Frame, ControlsAreInPlaceWithTheirTextsAndStackedTopmostFirst)
{
    const auto children = children_topmost_first(main);
    ASSERT_EQ(children.size(), std::size(controls));
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(controls[i].name);
        EXPECT_EQ(children[i].class_name, controls[i].class_name);
        EXPECT_TRUE(::EqualRect(&children[i].place, &controls[i].place))
            << children[i].place.left << "," << children[i].place.top << " " << children[i].place.right << ","
            << children[i].place.bottom;
        if (controls[i].class_name != std::wstring(L"超文本浏览框")) {
            EXPECT_EQ(children[i].text, controls[i].text);
        }
        EXPECT_TRUE(children[i].visible);
        EXPECT_TRUE(::IsWindowEnabled(children[i].hwnd));
    }
    for (const char* edit : {"编辑框1", "编辑框2"}) {
        const HWND h = control(main, edit);
        EXPECT_TRUE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        DWORD from = 1, to = 1;
        ::SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u) << edit << ": caret at the start, nothing selected";
        EXPECT_EQ(to, 0u);
    }
    for (const char* button : {"按钮1", "按钮2"})
        EXPECT_FALSE(::GetWindowLongW(control(main, button), GWL_STYLE) & BS_DEFPUSHBUTTON) << button;
}

TEST_F(Frame, FocusStartsInTheViewAndTabCyclesTheControls)
{
    ASSERT_TRUE(bring_to_front(main));
    EXPECT_EQ(concerned(main), control(main, "超文本浏览框1"));

    const char* forward[] = {"按钮1", "按钮2", "编辑框1", "编辑框2", "超文本浏览框1"};
    for (const char* name : forward) {
        press_key(VK_TAB);
        EXPECT_EQ(concerned(main), control(main, name)) << "Tab should reach " << name;
    }
    const char* backward[] = {"编辑框2", "编辑框1", "按钮2", "按钮1", "超文本浏览框1"};
    for (const char* name : backward) {
        press_key(VK_TAB, true);
        EXPECT_EQ(concerned(main), control(main, name)) << "Shift+Tab should reach " << name;
    }
}

TEST_F(Frame, FocusComesBackWhenTheWindowIsActivatedAgain)
{
    ASSERT_TRUE(bring_to_front(main));
    for (int i = 0; i < 4; ++i) press_key(VK_TAB);  // 编辑框2
    ASSERT_EQ(concerned(main), control(main, "编辑框2"));

    // Another program's window takes the activation, then gives it back.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"another window", WS_POPUP | WS_VISIBLE, 0, 0, 120, 60, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_TRUE(bring_to_front(other));
    ASSERT_TRUE(bring_to_front(main));
    pump_for(300ms);
    EXPECT_EQ(concerned(main), control(main, "编辑框2"));
    ::DestroyWindow(other);
}

TEST_F(Frame, EnterTriggersNothingAndTheEditKeepsItsText)
{
    ASSERT_TRUE(bring_to_front(main));
    for (int i = 0; i < 4; ++i) press_key(VK_TAB);  // 编辑框2
    ASSERT_EQ(concerned(main), control(main, "编辑框2"));
    press_key(VK_RETURN);
    EXPECT_TRUE(app.running());
    EXPECT_EQ(window_text(control(main, "编辑框2")), L"3000");
    EXPECT_EQ(window_text(control(main, "透明标签2")), L"0");
}

TEST_F(Frame, EscFromAnEditBoxEndsTheProgramWithCodeZero)
{
    ASSERT_TRUE(bring_to_front(main));
    for (int i = 0; i < 3; ++i) press_key(VK_TAB);  // 编辑框1
    ASSERT_EQ(concerned(main), control(main, "编辑框1"));
    press_key(VK_ESCAPE);
    EXPECT_EQ(app.wait_for_exit(10s), std::optional<DWORD>(0));
}

TEST_F(Frame, TheCloseBoxEndsTheProgramWithCodeZero)
{
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.wait_for_exit(10s), std::optional<DWORD>(0));
}

TEST_F(Frame, LinkLabelOpensTheUpdatePageOncePerPress)
{
    browser_launcher_log log;
    ASSERT_TRUE(bring_to_front(main));
    click_at(centre_on_screen(control(main, "透明标签1")));
    click_at(centre_on_screen(control(main, "透明标签2")));
    pump_for(1500ms);
    EXPECT_TRUE(log.addresses().empty()) << "a press on the other labels opens nothing";

    click_at(centre_on_screen(control(main, "透明标签3")));
    pump_for(3000ms);
    EXPECT_EQ(log.addresses(), std::vector<std::string>{"http://user.example.com/402718563/main"});

    click_at(centre_on_screen(control(main, "透明标签3")), /*double_click=*/true);
    pump_for(3000ms);
    EXPECT_EQ(log.addresses().size(), 2u) << "a double-click opens the page once";
    EXPECT_TRUE(app.running());
}

TEST_F(Frame, ScreenshotShowsTheWindow)
{
    ASSERT_TRUE(bring_to_front(main));
    pump_for(500ms);
    const capture shot = capture_screen(outer_rect(main));
    const std::wstring path = save_bmp(shot, L"frame");
    // Between the buttons and the link label the bottom strip shows the
    // window background, not the black of an unpainted screen.
    RECT client{};
    ::GetClientRect(main, &client);
    POINT probe{850, client.bottom - 4};
    ::ClientToScreen(main, &probe);
    const RECT outer = outer_rect(main);
    ASSERT_LT(probe.y - outer.top, shot.height);
    EXPECT_NE(shot.at(probe.x - outer.left, probe.y - outer.top), 0u);
    EXPECT_FALSE(path.empty());
}

}  // namespace
}  // namespace e2e
