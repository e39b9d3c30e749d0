#include "visit/thread_queue.h"

#include "win/message_pump.h"

#include <algorithm>

namespace visit {
namespace {
// While the quit request heads the queue every wait on the queue would wake
// at once; the dwell then sleeps in slices this long and looks again.
constexpr DWORD quit_pending_slice_ms = 10;
}  // namespace

bool thread_message_queue::dispatch_next()
{
    MSG msg{};
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        quit_next_ = false;
        return false;
    }
    quit_next_ = msg.message == WM_QUIT;
    if (quit_next_) return false;

    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        // Posted by a message sent to us between the two looks: put it back.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        quit_next_ = true;
        return false;
    }
    win::dispatch_message(msg);
    return true;
}

void thread_message_queue::wait_for_message(std::uint32_t timeout_ms)
{
    if (quit_next_) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, std::min<DWORD>(timeout_ms, quit_pending_slice_ms), QS_SENDMESSAGE, 0);
        return;
    }
    ::MsgWaitForMultipleObjectsEx(0, nullptr, timeout_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace visit
