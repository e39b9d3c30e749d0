// The numbers the window shows are texts: the account number, the interval
// and the visit counter. These conversions turn such texts into integers and
// back. Every text has a value; nothing here fails on its input.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace visit {

// Reads a signed 32-bit integer from the start of a text.
// Full-width forms count as their ASCII counterparts (U+3000 as a space,
// U+FF01..U+FF5E as U+0021..U+007E). Leading blanks (space, tab .. carriage
// return) are skipped, one sign is taken, then decimal digits accumulate
// modulo 2^32 until the first other character. No digits read as 0.
std::int32_t text_to_integer(std::wstring_view text);

// Formats like "%.13g". For every whole number the program converts
// (-2147483647 .. 2147483648) this is the plain decimal integer.
std::wstring number_to_text(double number);

// The text of text_to_integer(text) + 1, summed in double so that
// 2147483647 advances to 2147483648 rather than wrapping.
std::wstring advance_by_one(std::wstring_view text);

}  // namespace visit
