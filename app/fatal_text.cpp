#include "app/fatal_error.h"

#include <algorithm>
#include <cwchar>

namespace app {
namespace {
constexpr std::wstring_view fatal_line = L"程序发生致命错误，即将退出。";
constexpr std::wstring_view code_label = L"错误码：";
constexpr std::wstring_view line_break = L"\r\n";

class bounded_writer {
public:
    bounded_writer(wchar_t* out, std::size_t capacity) noexcept : out_(out), capacity_(capacity) {}
    void append(std::wstring_view text) noexcept
    {
        const std::size_t room = capacity_ - 1 - used_;
        const std::size_t n = std::min(room, text.size());
        std::wmemcpy(out_ + used_, text.data(), n);
        used_ += n;
        out_[used_] = L'\0';
    }

private:
    wchar_t* out_;
    std::size_t capacity_;
    std::size_t used_ = 0;
};

// Signed decimal without the C library's locale or allocation.
std::wstring_view to_decimal(int value, wchar_t (&digits)[12]) noexcept
{
    wchar_t* end = digits + 12;
    wchar_t* p = end;
    long long v = value;
    const bool negative = v < 0;
    if (negative) v = -v;
    do {
        *--p = static_cast<wchar_t>(L'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative) *--p = L'-';
    return {p, static_cast<std::size_t>(end - p)};
}

}  // namespace

void format_fatal_error(wchar_t* out, std::size_t capacity, std::wstring_view message, int code) noexcept
{
    if (!out || capacity == 0) return;
    out[0] = L'\0';
    bounded_writer w(out, capacity);
    w.append(fatal_line);
    if (code != 0) {
        wchar_t digits[12];
        w.append(line_break);
        w.append(code_label);
        w.append(to_decimal(code, digits));
    }
    if (!message.empty()) {
        w.append(line_break);
        w.append(message);
    }
}

std::wstring fatal_error_text(std::wstring_view message, int code)
{
    std::wstring text(fatal_line.size() + message.size() + 32, L'\0');
    format_fatal_error(text.data(), text.size(), message, code);
    text.resize(std::wcslen(text.c_str()));
    return text;
}

}  // namespace app
