#include "visit/numeric_text.h"
#include "visit/page_address.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace visit {
namespace {

struct conversion_case {
    const wchar_t* text;
    std::int32_t integer;
    const wchar_t* advanced;
};

// The texts a user can leave in the boxes, with what they read as and what
// advance-by-one turns them into.
const conversion_case conversion_cases[] = {
    {L"", 0, L"1"},
    {L"3000", 3000, L"3001"},
    {L" 3000ms", 3000, L"3001"},
    {L"3,000", 3, L"4"},
    {L"3000.9", 3000, L"3001"},
    {L"1e3", 1, L"2"},
    {L"0x10", 0, L"1"},
    {L"abc", 0, L"1"},
    {L"12abc", 12, L"13"},
    {L"-5", -5, L"-4"},
    {L"+7", 7, L"8"},
    {L"--5", 0, L"1"},
    {L"- 5", 0, L"1"},
    {L"-1", -1, L"0"},
    {L"\uFF12\uFF15", 25, L"26"},          // full-width 25
    {L"\uFF0D12", -12, L"-11"},            // full-width minus
    {L"\u300012", 12, L"13"},              // ideographic space
    {L"2147483647", 2147483647, L"2147483648"},
    {L"2147483648", std::numeric_limits<std::int32_t>::min(), L"-2147483647"},
    {L"4294967296", 0, L"1"},
    {L"4294967297", 1, L"2"},
    {L"99999999999", 1215752191, L"1215752192"},
    {L"-2147483649", 2147483647, L"2147483648"},
    {L"30 00", 30, L"31"},                 // a blank inside the digits ends the number
    // Beyond the typical texts: every blank, full-width sign and digits,
    // characters without an ASCII form, unpaired surrogates.
    {L"\t\n\v\f\r 42", 42, L"43"},
    {L"\uFF0B\uFF17", 7, L"8"},            // full-width plus, full-width 7
    {L"\u3000\uFF0D\uFF13\uFF10\uFF10\uFF10", -3000, L"-2999"},
    {L"12\u4E0734", 12, L"13"},            // a Chinese character ends the number
    {L"\u00A012", 0, L"1"},                // a no-break space is no blank
    {L"12\xD800", 12, L"13"},              // a lone lead surrogate at the end
    {L"\xDC00" L"12", 0, L"1"},                // a lone trail surrogate first
    {L"\uFF10\uFF19\uFF1A", 9, L"10"},     // full-width colon ends it
    {L"-0", 0, L"1"},
    {L"-2147483648", std::numeric_limits<std::int32_t>::min(), L"-2147483647"},
};

TEST(NumericText, ReadsAndAdvancesEveryTypedText)
{
    for (const auto& c : conversion_cases) {
        SCOPED_TRACE(testing::Message() << "text index " << (&c - conversion_cases));
        EXPECT_EQ(text_to_integer(c.text), c.integer);
        EXPECT_EQ(advance_by_one(c.text), c.advanced);
    }
}

TEST(NumericText, StopsAtAnEmbeddedZero)
{
    // Texts of the window are zero-terminated; a zero is never a digit.
    const std::wstring text(L"12\0" L"34", 5);
    EXPECT_EQ(text_to_integer(text), 12);
}

TEST(NumericText, NumberToTextGivesPlainIntegersOverTheProgramsRange)
{
    const struct {
        double number;
        const wchar_t* text;
    } cases[] = {
        {0.0, L"0"},
        {-0.0, L"-0"},  // "%.13g" keeps the sign of a negative zero; the program never produces one
        {1.0, L"1"},
        {-1.0, L"-1"},
        {10.0, L"10"},
        {1000000.0, L"1000000"},
        {2147483647.0, L"2147483647"},
        {2147483648.0, L"2147483648"},
        {-2147483647.0, L"-2147483647"},
        {-2147483648.0, L"-2147483648"},
        {4294967296.0, L"4294967296"},
        {9999999999999.0, L"9999999999999"},
        // Beyond 13 digits "%.13g" switches to an exponent.
        {10000000000000.0, L"1e+13"},
        {0.5, L"0.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "number " << c.number);
        EXPECT_EQ(number_to_text(c.number), c.text);
    }
}

TEST(NumericText, AdvanceNeverWrapsAndNeverShowsAFractionOrExponent)
{
    for (std::int64_t n : {std::int64_t{-2147483648}, std::int64_t{-2147483647}, std::int64_t{-1}, std::int64_t{0},
                           std::int64_t{999999}, std::int64_t{2147483646}, std::int64_t{2147483647}}) {
        const std::wstring text = std::to_wstring(n);
        const std::wstring advanced = advance_by_one(text);
        EXPECT_EQ(advanced, std::to_wstring(n + 1)) << "from " << n;
        EXPECT_EQ(advanced.find_first_of(L".e+"), std::wstring::npos);
    }
}

TEST(PageAddress, PutsTheAccountTextBetweenBaseAndSuffixUnchanged)
{
    const std::wstring base = L"http://user.example.com/";
    const struct {
        const wchar_t* account;
        const wchar_t* address;
    } cases[] = {
        {L"402718563", L"http://user.example.com/402718563/main"},
        {L"", L"http://user.example.com//main"},
        {L" 123", L"http://user.example.com/ 123/main"},
        {L"\uFF11\uFF12\uFF13", L"http://user.example.com/\uFF11\uFF12\uFF13/main"},
        {L"-5", L"http://user.example.com/-5/main"},
        {L"a b?c=d#e%20/..", L"http://user.example.com/a b?c=d#e%20/../main"},
        {L"2147483648", L"http://user.example.com/2147483648/main"},
    };
    for (const auto& c : cases) EXPECT_EQ(page_address(base, c.account), c.address);
    EXPECT_EQ(page_address(L"", L"7"), L"7/main");
}

}  // namespace
}  // namespace visit
