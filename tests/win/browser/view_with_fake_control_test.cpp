// The browser view against a recording stand-in of the control: what it asks
// of the control, in which order and with which arguments, how it keeps the
// control's window in place, and that it gives back every reference.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "browser/browser_view.h"
#include "browser/control_site.h"
#include "fake_control.h"
#include "test_support.h"

namespace browser_test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const std::wstring portal = L"http://www.example.com/";
const std::wstring visit_page = L"http://user.example.com/402718563/main";

std::string navigate_call(const std::string& address)
{
    return "Navigate(\"" + address + "\", VT_I4 0, VT_BSTR \"\", VT_EMPTY, VT_BSTR \"\")";
}

bool same_rect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// One main window for the suite: under Wine without a window manager, taking
// a shown top-level window down costs two seconds.
class view_with_fake : public ::testing::Test {
protected:
    static void TearDownTestSuite() { frame_.reset(); }
    void SetUp() override
    {
        if (!frame_) frame_ = make_test_frame();
        ASSERT_TRUE(frame_);
    }

    static browser::control_factory factory_of(fake_control& fake)
    {
        return [&fake] {
            fake.AddRef();
            return win::com_ptr<IUnknown>::attach(fake.unknown());
        };
    }
    static browser::view_settings portal_settings() { return {2, false, true, portal}; }

    std::unique_ptr<browser::browser_view> make_view(fake_control& fake,
                                                     const browser::view_settings& settings = portal_settings())
    {
        return browser::browser_view::create(frame_.get(), view_place, view_id, settings, factory_of(fake));
    }

    static inline win::unique_hwnd frame_;
};

TEST_F(view_with_fake, creation_activates_the_control_in_place_then_applies_the_settings_then_navigates)
{
    fake_control fake;
    auto view = make_view(fake);
    ASSERT_TRUE(view);

    EXPECT_THAT(fake.calls(), ElementsAre("SetClientSite(site)", "DoVerb(-5, 0,0,954,421)",
                                          "SetObjectRects(0,0,954,421 / 0,0,954,421)", "put_Offline(0)",
                                          "put_Silent(-1)", "ExecWB(19, 2, VT_I4 2, null)",
                                          navigate_call("http://www.example.com/")));
    EXPECT_EQ(view->address(), portal);

    // The site gave the view's window as the parent and the top-level window as the frame.
    const HWND hwnd = view->hwnd();
    EXPECT_EQ(fake.site_window(), hwnd);
    EXPECT_EQ(fake.frame_window(), frame_.get());

    // The view's own window: a hidden tab-stop child at its place, white, arrow pointer.
    EXPECT_EQ(::GetParent(hwnd), frame_.get());
    EXPECT_EQ(::GetDlgCtrlID(hwnd), view_id);
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE), WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP);
    EXPECT_TRUE(same_rect(rect_in_parent(hwnd), view_place));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(::GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND)), ::GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrW(hwnd, GCLP_HCURSOR)), ::LoadCursorW(nullptr, IDC_ARROW));

    // The control's window fills the view and shows once the view does.
    ASSERT_EQ(view->control_window(), fake.window());
    EXPECT_EQ(::GetParent(fake.window()), hwnd);
    EXPECT_TRUE(same_rect(rect_in_parent(fake.window()), RECT{0, 0, 954, 421}));
    ::ShowWindow(hwnd, SW_SHOWNA);
    EXPECT_TRUE(::IsWindowVisible(fake.window()));
}

TEST_F(view_with_fake, settings_reach_the_control_with_the_text_size_clamped)
{
    struct setting_case {
        browser::view_settings settings;
        std::vector<std::string> expected;
    };
    const std::string no_out = ", null)";
    const setting_case cases[] = {
        {{-3, false, true, portal}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 0" + no_out, navigate_call("http://www.example.com/")}},
        {{7, false, true, portal}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 4" + no_out, navigate_call("http://www.example.com/")}},
        {{INT_MIN, false, true, portal}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 0" + no_out, navigate_call("http://www.example.com/")}},
        {{INT_MAX, false, true, portal}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 4" + no_out, navigate_call("http://www.example.com/")}},
        {{0, false, true, portal}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 0" + no_out, navigate_call("http://www.example.com/")}},
        {{1, false, true, portal}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 1" + no_out, navigate_call("http://www.example.com/")}},
        {{3, false, true, portal}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 3" + no_out, navigate_call("http://www.example.com/")}},
        {{4, false, true, portal}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 4" + no_out, navigate_call("http://www.example.com/")}},
        // The other settings are passed on as given; no initial address, no navigation.
        {{2, true, false, portal}, {"put_Offline(-1)", "put_Silent(0)", "ExecWB(19, 2, VT_I4 2" + no_out, navigate_call("http://www.example.com/")}},
        {{2, false, true, L""}, {"put_Offline(0)", "put_Silent(-1)", "ExecWB(19, 2, VT_I4 2" + no_out}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text size " + std::to_string(c.settings.text_size) + ", address length " +
                     std::to_string(c.settings.address.size()));
        fake_control fake;
        auto view = make_view(fake, c.settings);
        ASSERT_TRUE(view);
        std::vector<std::string> after_activation(fake.calls().begin() + 3, fake.calls().end());
        EXPECT_THAT(after_activation, ElementsAreArray(c.expected));
    }
    EXPECT_EQ(browser::clamp_text_size(2), 2);
}

TEST_F(view_with_fake, every_address_set_navigates_even_the_same_or_an_empty_one)
{
    fake_control fake;
    auto view = make_view(fake);
    ASSERT_TRUE(view);
    fake.forget_calls();

    view->set_address(visit_page);
    view->set_address(visit_page);
    view->set_address(L"");
    view->set_address(L"http://user.example.com/空间/main");
    EXPECT_THAT(fake.calls(), ElementsAre(navigate_call("http://user.example.com/402718563/main"),
                                          navigate_call("http://user.example.com/402718563/main"),
                                          navigate_call(""), navigate_call("http://user.example.com/空间/main")));
    EXPECT_EQ(view->address(), L"http://user.example.com/空间/main");

    view->set_address(L"");
    EXPECT_EQ(view->address(), L"");
}

TEST_F(view_with_fake, refresh_is_one_plain_refresh)
{
    fake_control fake;
    auto view = make_view(fake);
    ASSERT_TRUE(view);
    fake.forget_calls();

    view->refresh();
    EXPECT_THAT(fake.calls(), ElementsAre("Refresh()"));
}

// The view goes either by itself or with the main window (its window first,
// the object later); both give every reference back and leave no window.
TEST_F(view_with_fake, destruction_gives_back_every_reference_and_window)
{
    struct destruction_case {
        const char* name;
        bool parent_first;
        bool window_on_frame;
    };
    const destruction_case cases[] = {
        {"view destroyed first", false, false},
        {"main window destroyed first", true, false},
        {"control window not inside the view", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool parent_first = c.parent_first;
        if (!frame_) frame_ = make_test_frame();
        fake_control::behaviour behaviour;
        behaviour.window_on_frame = c.window_on_frame;
        fake_control fake(behaviour);
        const long containers_before = browser::live_container_objects();
        auto view = make_view(fake);
        ASSERT_TRUE(view);
        EXPECT_GT(fake.references(), 0);
        EXPECT_TRUE(fake.holds_site());
        const HWND view_window = view->hwnd();
        const HWND control_window = fake.window();
        fake.forget_calls();

        if (parent_first) {
            frame_.reset();
            // The view held the control only as long as its window lived.
            EXPECT_EQ(fake.references(), 0);
            // What the visit cycle may still ask of a view whose window is gone reaches nothing.
            view->set_address(visit_page);
            view->refresh();
        }
        view.reset();

        EXPECT_THAT(fake.calls(), ElementsAre("InPlaceDeactivate()", "Close(1)", "SetClientSite(null)"));
        EXPECT_EQ(fake.references(), 0);
        EXPECT_FALSE(fake.holds_site());
        EXPECT_EQ(browser::live_container_objects(), containers_before);
        EXPECT_FALSE(::IsWindow(control_window));
        EXPECT_FALSE(::IsWindow(view_window));
    }
}

TEST_F(view_with_fake, creation_fails_cleanly_when_the_control_is_missing_or_unusable)
{
    struct failure_case {
        const char* name;
        bool make_nothing;
        fake_control::behaviour behaviour;
    };
    const failure_case cases[] = {
        {"no control", true, {}},
        {"no IWebBrowser2", false, {false, true, S_OK, S_OK}},
        {"no IOleObject", false, {true, false, S_OK, S_OK}},
        {"in-place activation refused", false, {true, true, E_FAIL, S_OK}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake_control fake(c.behaviour);
        const long containers_before = browser::live_container_objects();
        browser::control_factory factory =
            c.make_nothing ? browser::control_factory([] { return win::com_ptr<IUnknown>(); }) : factory_of(fake);
        auto view = browser::browser_view::create(frame_.get(), view_place, view_id, portal_settings(), factory);
        EXPECT_FALSE(view);
        EXPECT_EQ(::GetWindow(frame_.get(), GW_CHILD), nullptr) << "a window of the failed view is left";
        EXPECT_EQ(fake.references(), 0);
        EXPECT_FALSE(fake.holds_site());
        EXPECT_EQ(browser::live_container_objects(), containers_before);
        for (const auto& call : fake.calls()) {
            EXPECT_EQ(call.find("Navigate"), std::string::npos) << "a failed view navigated";
        }
    }
}

TEST_F(view_with_fake, resizing_the_view_keeps_the_control_filling_it)
{
    fake_control fake;
    auto view = make_view(fake);
    ASSERT_TRUE(view);
    fake.forget_calls();

    ::MoveWindow(view->hwnd(), 20, 30, 500, 300, TRUE);
    EXPECT_TRUE(same_rect(rect_in_parent(fake.window()), RECT{0, 0, 500, 300}));
    EXPECT_THAT(fake.calls(), ElementsAre("SetObjectRects(0,0,500,300 / 0,0,500,300)"));

    ::MoveWindow(view->hwnd(), 6, 3, 954, 421, TRUE);
    EXPECT_TRUE(same_rect(rect_in_parent(fake.window()), RECT{0, 0, 954, 421}));
}

TEST_F(view_with_fake, focus_given_to_the_view_goes_on_to_the_control)
{
    fake_control fake;
    auto view = make_view(fake);
    ASSERT_TRUE(view);
    ::ShowWindow(view->hwnd(), SW_SHOWNA);
    const win::unique_hwnd outside_button(::CreateWindowExW(0, L"BUTTON", L"outside", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                                            598, 437, 72, 24, frame_.get(), nullptr,
                                                            ::GetModuleHandleW(nullptr), nullptr));
    const HWND outside = outside_button.get();
    ::SetFocus(outside);
    ASSERT_EQ(::GetFocus(), outside) << "the test window did not get the keyboard focus";

    ::SetFocus(view->hwnd());
    EXPECT_EQ(::GetFocus(), fake.window());
}

// Keys reach the control's accelerators only from inside the view, and
// never Tab or Esc, which the main window keeps for itself.
TEST_F(view_with_fake, only_keys_inside_the_view_reach_the_control_and_never_tab_or_esc)
{
    fake_control fake;
    auto view = make_view(fake);
    ASSERT_TRUE(view);
    ::ShowWindow(view->hwnd(), SW_SHOWNA);
    const win::unique_hwnd outside_button(::CreateWindowExW(0, L"BUTTON", L"outside", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                                            598, 437, 72, 24, frame_.get(), nullptr,
                                                            ::GetModuleHandleW(nullptr), nullptr));
    const HWND outside = outside_button.get();
    // A window of the page, two levels inside the view.
    const HWND page = ::CreateWindowExW(0, L"STATIC", L"page", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, fake.window(),
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);

    enum class focus_at { control, page, outside };
    struct key_case {
        const char* name;
        focus_at focus;
        UINT message;
        WPARAM key;
        bool reaches_control;
    };
    const key_case cases[] = {
        {"F5 in the control", focus_at::control, WM_KEYDOWN, VK_F5, true},
        {"character in the page", focus_at::page, WM_CHAR, 'a', true},
        {"key up in the page", focus_at::page, WM_KEYUP, 'A', true},
        {"Alt+Left in the page", focus_at::page, WM_SYSKEYDOWN, VK_LEFT, true},
        {"Backspace in the control", focus_at::control, WM_KEYDOWN, VK_BACK, true},
        {"Tab in the page", focus_at::page, WM_KEYDOWN, VK_TAB, false},
        {"Tab character in the page", focus_at::page, WM_CHAR, '\t', false},
        {"Tab released in the control", focus_at::control, WM_KEYUP, VK_TAB, false},
        {"Esc in the page", focus_at::page, WM_KEYDOWN, VK_ESCAPE, false},
        {"Esc character in the control", focus_at::control, WM_CHAR, 27, false},
        {"F5 outside the view", focus_at::outside, WM_KEYDOWN, VK_F5, false},
        {"mouse message in the page", focus_at::page, WM_LBUTTONDOWN, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND focus = c.focus == focus_at::control ? fake.window()
                           : c.focus == focus_at::page  ? page
                                                        : outside;
        ::SetFocus(focus);
        ASSERT_EQ(::GetFocus(), focus);
        fake.forget_calls();
        MSG msg{focus, c.message, c.key, 0, 0, {}};
        const bool taken = view->translate_accelerator(msg);
        if (c.reaches_control) {
            EXPECT_THAT(fake.calls(), ElementsAre("TranslateAccelerator(" + std::to_string(c.message) + ", " +
                                                  std::to_string(c.key) + ")"));
            EXPECT_TRUE(taken);
        } else {
            EXPECT_THAT(fake.calls(), IsEmpty());
            EXPECT_FALSE(taken);
        }
    }
}

TEST_F(view_with_fake, a_key_the_control_does_not_take_is_left_to_the_caller)
{
    fake_control fake({true, true, S_OK, S_FALSE});
    auto view = make_view(fake);
    ASSERT_TRUE(view);
    ::ShowWindow(view->hwnd(), SW_SHOWNA);
    ::SetFocus(view->hwnd());
    ASSERT_EQ(::GetFocus(), fake.window());
    fake.forget_calls();

    MSG msg{fake.window(), WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_FALSE(view->translate_accelerator(msg));
    EXPECT_THAT(fake.calls(), ElementsAre("TranslateAccelerator(256, 65)"));
}

}  // namespace
}  // namespace browser_test
