#include "app/run_directory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct directory_case {
    const wchar_t* path;
    const wchar_t* directory;
};

class DirectoryOf : public testing::TestWithParam<directory_case> {};

TEST_P(DirectoryOf, IsEverythingBeforeTheLastBackslash)
{
    EXPECT_EQ(app::directory_of(GetParam().path), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(Paths, DirectoryOf,
                         testing::Values(directory_case{L"C:\\Tools\\app.exe", L"C:\\Tools"},
                                         directory_case{L"D:\\app.exe", L"D:"},
                                         directory_case{L"app.exe", L""},
                                         directory_case{L"", L""},
                                         directory_case{L"C:\\a\\b\\c\\app.exe", L"C:\\a\\b\\c"},
                                         directory_case{L"\\\\server\\share\\app.exe", L"\\\\server\\share"},
                                         // A character whose second GBK byte is 0x5C stays whole.
                                         directory_case{L"C:\\软件\\表\\app.exe", L"C:\\软件\\表"},
                                         directory_case{L"C:\\dir\\", L"C:\\dir"}));

TEST(DirectoryOf, HasNoLengthLimit)
{
    std::wstring deep = L"\\\\?\\C:";
    for (int i = 0; i < 80; ++i) deep += L"\\directory";
    EXPECT_GT(deep.size(), 260u);
    EXPECT_EQ(app::directory_of(deep + L"\\app.exe"), deep);
}

}  // namespace
