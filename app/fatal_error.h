// The one way an unrecoverable failure ends the program: an error box with
// no owner, then exit processing, then exit code -1. Never returns.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace app {

[[noreturn]] void report_fatal_error(std::wstring_view message, int code = 0);

// The box's text: the fatal-error line, the code when not 0, the message when not empty.
std::wstring fatal_error_text(std::wstring_view message, int code);

// The same text written into a caller's buffer (always zero-terminated,
// cut to fit), for the paths that must not allocate: out of memory.
void format_fatal_error(wchar_t* out, std::size_t capacity, std::wstring_view message, int code) noexcept;

// Exit processing runs the registered steps once, last registered first
// (what was acquired last is released first), at a normal end and after
// the fatal error box alike.
void add_exit_step(std::function<void()> step);
void run_exit_processing();

}  // namespace app
