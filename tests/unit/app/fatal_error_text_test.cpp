#include "app/fatal_error.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::wstring fatal_line = L"程序发生致命错误，即将退出。";

struct text_case {
    const wchar_t* message;
    int code;
    std::wstring expected;
};

class FatalErrorText : public testing::TestWithParam<text_case> {};

TEST_P(FatalErrorText, NamesTheCodeWhenNotZeroAndTheMessageWhenNotEmpty)
{
    EXPECT_EQ(app::fatal_error_text(GetParam().message, GetParam().code), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FatalErrorText,
    testing::Values(text_case{L"", 0, fatal_line},
                    text_case{L"载入启动窗口失败。", 0, fatal_line + L"\r\n载入启动窗口失败。"},
                    text_case{L"", 6, fatal_line + L"\r\n错误码：6"},
                    text_case{L"堆栈不平衡", 6, fatal_line + L"\r\n错误码：6\r\n堆栈不平衡"},
                    text_case{L"x", -1, fatal_line + L"\r\n错误码：-1\r\nx"},
                    text_case{L"", -2147483647 - 1, fatal_line + L"\r\n错误码：-2147483648"},
                    text_case{L"", 2147483647, fatal_line + L"\r\n错误码：2147483647"}));

TEST(FatalErrorText, FixedBufferIsCutAndAlwaysTerminated)
{
    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    app::format_fatal_error(buffer, std::size(buffer), L"message", 6);
    EXPECT_EQ(std::wstring(buffer), fatal_line.substr(0, 7));

    wchar_t exact[64];
    app::format_fatal_error(exact, std::size(exact), L"m", 0);
    EXPECT_EQ(std::wstring(exact), fatal_line + L"\r\nm");
}

}  // namespace
