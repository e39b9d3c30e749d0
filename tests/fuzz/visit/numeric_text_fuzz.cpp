// Arbitrary UTF-16 texts through the numeric conversions: nothing may crash,
// advance-by-one must equal converting and adding one, no result may show a
// fraction, an exponent or a plus sign, and the integer read must agree with
// the C library's reading of the folded text wherever that one is exact.
#include "visit/numeric_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The text folded to ASCII the way the conversion sees it; characters
// without an ASCII form become a byte that no reader takes for part of a number.
std::string folded_ascii(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) {
        if (c == 0) break;  // window texts end at the first zero
        if (c < 0x80) out += static_cast<char>(c);
        else if (c == 0x3000) out += ' ';
        else if (c >= 0xFF01 && c <= 0xFF5E) out += static_cast<char>(c - 0xFF01 + 0x21);
        else out += '\x7F';
    }
    return out;
}

int count_leading_digits(const std::string& s)
{
    std::size_t i = s.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos) return 0;
    if (s[i] == '-' || s[i] == '+') ++i;
    int digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));

    const std::int32_t n = visit::text_to_integer(text);
    const std::wstring advanced = visit::advance_by_one(text);
    if (advanced != visit::number_to_text(static_cast<double>(n) + 1.0)) std::abort();
    if (advanced.empty() || advanced.find_first_of(L".e+") != std::wstring::npos) std::abort();
    if (advanced != std::to_wstring(static_cast<std::int64_t>(n) + 1)) std::abort();

    // strtoull negates modulo 2^64 and is exact up to 19 digits; its low
    // 32 bits are the reading modulo 2^32.
    const std::string ascii = folded_ascii(text);
    if (count_leading_digits(ascii) <= 19) {
        const unsigned long long reference = std::strtoull(ascii.c_str(), nullptr, 10);
        if (static_cast<std::uint32_t>(reference) != static_cast<std::uint32_t>(n)) std::abort();
    }
    return 0;
}
