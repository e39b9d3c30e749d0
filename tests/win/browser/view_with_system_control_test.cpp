// The browser view hosting the system web-browser control, watched from the
// network side: a recording proxy on loopback sees every page request the
// control makes (Wine sends them through the proxy named in http_proxy).
// Needs an X display: without one the control never navigates.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "browser/browser_view.h"
#include "browser/control_site.h"
#include "http_recorder.h"
#include "test_support.h"

namespace browser_test {
namespace {

using ::testing::IsEmpty;

const std::wstring portal = L"http://www.example.com/";
const std::string portal_request = "http://www.example.com/";
const std::wstring visit_page = L"http://user.example.com/402718563/main";
const std::string visit_request = "http://user.example.com/402718563/main";
const std::wstring next_page = L"http://user.example.com/402718564/main";
const std::string next_request = "http://user.example.com/402718564/main";

constexpr DWORD request_wait_ms = 10000;

class view_with_system_control : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        proxy_ = std::make_unique<loopback::http_recorder>();
        // The proxy is named before the control makes its first request.
        const std::wstring address = L"http://127.0.0.1:" + std::to_wstring(proxy_->port());
        ::SetEnvironmentVariableW(L"http_proxy", address.c_str());
        _wputenv((L"http_proxy=" + address).c_str());
        frame_ = make_test_frame(L"browser view with the system control");
    }
    static void TearDownTestSuite()
    {
        frame_.reset();
        proxy_.reset();
    }

    void SetUp() override
    {
        if (::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) == 0)
            GTEST_SKIP() << "no X display: the control never navigates without one";
        ASSERT_NE(proxy_->port(), 0) << "the recording proxy could not listen";
        ASSERT_TRUE(frame_);
        proxy_->release_held();
        proxy_->forget();
        dialogs_ = std::make_unique<dialog_watch>(frame_.get());
    }
    void TearDown() override
    {
        // Nothing of the control or of Wine asked the user anything.
        if (dialogs_) {
            pump_for(100);
            EXPECT_THAT(dialogs_->seen(), IsEmpty());
            dialogs_.reset();
        }
    }

    std::unique_ptr<browser::browser_view> make_view(const std::wstring& address)
    {
        auto view = browser::browser_view::create(frame_.get(), view_place, view_id, {2, false, true, address});
        if (view) ::ShowWindow(view->hwnd(), SW_SHOWNA);
        return view;
    }

    bool wait_for_requests(const std::string& request, size_t count, DWORD ms = request_wait_ms)
    {
        return pump_until([&] { return proxy_->count_of(request) >= count; }, ms);
    }
    void settle(DWORD ms = 500)
    {
        pump_for(ms);
    }
    std::string seen() const
    {
        std::string all;
        for (const auto& r : proxy_->requests()) all += "\n  " + r.method + " " + r.target;
        return "requests seen:" + all;
    }

    static inline std::unique_ptr<loopback::http_recorder> proxy_;
    static inline win::unique_hwnd frame_;
    std::unique_ptr<dialog_watch> dialogs_;
};

TEST_F(view_with_system_control, the_initial_page_is_requested_without_any_user_action)
{
    auto view = make_view(portal);
    ASSERT_TRUE(view) << "the system web-browser control could not be hosted";
    EXPECT_TRUE(wait_for_requests(portal_request, 1)) << seen();
    settle();
    EXPECT_EQ(proxy_->count_of(portal_request), 1u) << seen();
}

TEST_F(view_with_system_control, the_same_address_set_twice_is_requested_twice)
{
    auto view = make_view(L"");
    ASSERT_TRUE(view);
    view->set_address(visit_page);
    ASSERT_TRUE(wait_for_requests(visit_request, 1)) << seen();
    view->set_address(visit_page);
    EXPECT_TRUE(wait_for_requests(visit_request, 2)) << seen();
    settle();
    EXPECT_EQ(proxy_->count_of(visit_request), 2u) << seen();
    EXPECT_EQ(proxy_->count_of(portal_request), 0u) << "an empty initial address loaded something";
}

TEST_F(view_with_system_control, an_address_set_while_a_page_loads_is_requested_at_once)
{
    auto view = make_view(L"");
    ASSERT_TRUE(view);
    proxy_->hold("http://user.example.com/402718563/main");
    view->set_address(visit_page);
    ASSERT_TRUE(wait_for_requests(visit_request, 1)) << seen();

    view->set_address(next_page);
    // A refresh right behind it must not hold the new navigation back either.
    view->refresh();
    EXPECT_TRUE(wait_for_requests(next_request, 1, 5000)) << seen();
    EXPECT_EQ(proxy_->answered("http://user.example.com/402718563/main"), 0u)
        << "the new address was requested only after the first page had loaded";
    EXPECT_EQ(view->address(), next_page);
    proxy_->release_held();
    settle();
}

TEST_F(view_with_system_control, the_control_fills_the_view_takes_its_focus_and_lets_go_of_the_container)
{
    const long containers_before = browser::live_container_objects();
    auto view = make_view(portal);
    ASSERT_TRUE(view);
    ASSERT_TRUE(wait_for_requests(portal_request, 1)) << seen();

    const HWND control = view->control_window();
    ASSERT_TRUE(control);
    EXPECT_EQ(::GetParent(control), view->hwnd());
    EXPECT_TRUE(::IsWindowVisible(control));
    RECT placed = rect_in_parent(control);
    const RECT full{0, 0, 954, 421};
    EXPECT_TRUE(::EqualRect(&placed, &full));

    ::MoveWindow(view->hwnd(), 40, 50, 600, 250, TRUE);
    placed = rect_in_parent(control);
    const RECT smaller{0, 0, 600, 250};
    EXPECT_TRUE(::EqualRect(&placed, &smaller));

    ::SetFocus(view->hwnd());
    const HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == control || ::IsChild(control, focus)) << "the focus stayed outside the control";

    // Ordinary typing is no accelerator: it goes on to the focused window.
    for (const auto& [message, key] : {std::pair<UINT, WPARAM>{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}}) {
        MSG msg{focus, message, key, 0, 0, {}};
        EXPECT_FALSE(view->translate_accelerator(msg)) << "message " << message;
    }

    view.reset();
    EXPECT_FALSE(::IsWindow(control));
    EXPECT_EQ(browser::live_container_objects(), containers_before)
        << "the control kept the view's site or frame";
}

}  // namespace
}  // namespace browser_test
