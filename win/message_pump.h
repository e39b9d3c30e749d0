// The one message dispatch of the program. The main event loop and every
// nested event pass (the visit step's dwell) go through dispatch_message,
// so key presses are always examined by the main window before their target
// window receives them, whoever is pumping.
#pragma once

#include <windows.h>

#include <functional>

namespace win {

// Returns true when it consumed the message.
using message_examiner = std::function<bool(MSG&)>;

// Installs the examiner (one at a time); an empty function removes it.
void set_message_examiner(message_examiner examiner);

// Examines, then translates and dispatches one message taken from the queue.
void dispatch_message(MSG& msg);

// Fetches and dispatches until the quit request; returns its code.
int run_message_loop();

}  // namespace win
