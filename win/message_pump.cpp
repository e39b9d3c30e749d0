#include "win/message_pump.h"

#include <utility>

namespace win {
namespace {
message_examiner& examiner_slot()
{
    static message_examiner slot;
    return slot;
}
}  // namespace

void set_message_examiner(message_examiner examiner) { examiner_slot() = std::move(examiner); }

void dispatch_message(MSG& msg)
{
    if (const auto& examine = examiner_slot(); examine && examine(msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

int run_message_loop()
{
    MSG msg{};
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        dispatch_message(msg);
    }
}

}  // namespace win
