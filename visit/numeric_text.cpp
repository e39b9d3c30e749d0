#include "visit/numeric_text.h"

#include <charconv>

namespace visit {
namespace {

// Full-width folding of one UTF-16 unit. Characters without an ASCII
// counterpart stay as they are; none of them is a blank, a sign or a digit,
// so each ends the number where it stands. An unpaired surrogate is such a
// character too, which keeps it from ever contributing to the value.
constexpr wchar_t fold_full_width(wchar_t c) noexcept
{
    if (c == 0x3000) return L' ';
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<wchar_t>(c - 0xFF01 + 0x21);
    return c;
}

constexpr bool is_blank(wchar_t c) noexcept { return c == L' ' || (c >= 0x09 && c <= 0x0D); }
constexpr bool is_digit(wchar_t c) noexcept { return c >= L'0' && c <= L'9'; }

}  // namespace

std::int32_t text_to_integer(std::wstring_view text)
{
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return k < text.size() ? fold_full_width(text[k]) : L'\0'; };

    while (i < text.size() && is_blank(at(i))) ++i;

    bool negative = false;
    if (at(i) == L'-' || at(i) == L'+') {
        negative = at(i) == L'-';
        ++i;
    }

    std::uint32_t value = 0;  // unsigned: the digits wrap modulo 2^32
    for (; i < text.size() && is_digit(at(i)); ++i)
        value = value * 10u + static_cast<std::uint32_t>(at(i) - L'0');
    if (negative) value = 0u - value;

    return static_cast<std::int32_t>(value);  // two's complement reading
}

std::wstring number_to_text(double number)
{
    // to_chars in general format with a precision is "%.13g", minus the locale.
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 13);
    if (error != std::errc{}) return {};
    return std::wstring(buffer, end);
}

std::wstring advance_by_one(std::wstring_view text)
{
    return number_to_text(static_cast<double>(text_to_integer(text)) + 1.0);
}

}  // namespace visit
