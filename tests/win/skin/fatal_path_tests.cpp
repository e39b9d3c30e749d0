// The fatal path seen from outside: a probe program in a prepared directory
// shows the application's error box with the exact text, and once the box is
// dismissed ends with exit code -1.
#include "app/fatal_error.h"
#include "tests/win/skin/skin_test_paths.h"
#include "tests/win/skin/support.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace skin_test;

struct box_search {
    DWORD process;
    HWND box;
};

BOOL CALLBACK find_box(HWND hwnd, LPARAM lparam)
{
    auto* search = reinterpret_cast<box_search*>(lparam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64];
    if (pid == search->process && ::GetClassNameW(hwnd, cls, 64) && std::wstring(cls) == L"#32770") {
        search->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring window_text(HWND hwnd)
{
    wchar_t text[4096];
    const LRESULT n = ::SendMessageW(hwnd, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return std::wstring(text, static_cast<std::size_t>(n));
}

// The longest static text of the box: its message.
BOOL CALLBACK longest_static(HWND hwnd, LPARAM lparam)
{
    auto* best = reinterpret_cast<std::wstring*>(lparam);
    wchar_t cls[64];
    if (::GetClassNameW(hwnd, cls, 64) && ::CompareStringOrdinal(cls, -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
        const std::wstring text = window_text(hwnd);
        if (text.size() > best->size()) *best = text;
    }
    return TRUE;
}

struct probe_result {
    std::optional<std::wstring> box_text;  // the box's message, when a box came
    DWORD exit_code = 0;
};

// Runs the probe copied into `directory`; dismisses an error box with OK.
probe_result run_probe(const std::wstring& directory)
{
    probe_result result;
    const std::wstring exe = directory + L"\\probe.exe";
    EXPECT_TRUE(::CopyFileW(build_path(SKIN_TEST_PROBE).c_str(), exe.c_str(), TRUE));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &si,
                          &pi)) {
        ADD_FAILURE() << "cannot start the probe: " << ::GetLastError();
        return result;
    }
    const DWORD deadline = ::GetTickCount() + 30000;
    while (::WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
        box_search search{pi.dwProcessId, nullptr};
        ::EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
        if (search.box && ::IsWindowVisible(search.box)) {
            std::wstring text;
            ::EnumChildWindows(search.box, longest_static, reinterpret_cast<LPARAM>(&text));
            if (!result.box_text) result.box_text = text;
            ::PostMessageW(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(search.box, IDOK)));
        }
        if (static_cast<LONG>(::GetTickCount() - deadline) > 0) {
            ADD_FAILURE() << "the probe did not end";
            ::TerminateProcess(pi.hProcess, 99);
            break;
        }
    }
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::GetExitCodeProcess(pi.hProcess, &result.exit_code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return result;
}

TEST(FatalPath, UnbalancedEngineShowsTheBoxWithCode6AndExitsMinusOne)
{
    temp_dir dir;
    ASSERT_TRUE(::CopyFileW(build_path(SKIN_TEST_UNBALANCED_ENGINE).c_str(), (dir / L"SkinH_EL.dll").c_str(), TRUE));
    const probe_result r = run_probe(dir.path());
    ASSERT_TRUE(r.box_text) << "no error box";
    EXPECT_EQ(*r.box_text, app::fatal_error_text(L"调用外部动态链接库入口后发现堆栈不平衡。", 6));
    EXPECT_EQ(r.exit_code, 0xFFFFFFFFu);
}

TEST(FatalPath, DirectoryNamedLikeTheLibraryShowsTheBindingFailure)
{
    temp_dir dir;
    ASSERT_TRUE(::CreateDirectoryW((dir / L"SkinH_EL.dll").c_str(), nullptr));
    const probe_result r = run_probe(dir.path());
    ASSERT_TRUE(r.box_text) << "no error box";
    EXPECT_EQ(*r.box_text, app::fatal_error_text(L"找不到动态链接库 SkinH_EL.dll 或其中的入口 SkinH_AttachRes。", 0));
    EXPECT_EQ(r.exit_code, 0xFFFFFFFFu);
}

TEST(FatalPath, GoodEngineRunsThroughAndExitProcessingReleasesIt)
{
    temp_dir dir;
    const probe_result r = run_probe(dir.path());
    EXPECT_FALSE(r.box_text) << "unexpected box: " << testing::PrintToString(r.box_text.value_or(L""));
    EXPECT_EQ(r.exit_code, 0u) << "3: the engine was still loaded after exit processing";
    const DWORD attributes = ::GetFileAttributesW((dir / L"SkinH_EL.dll").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
}

}  // namespace
