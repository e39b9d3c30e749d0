// The skin engine installation seen from outside the real program, each run
// from a fresh directory: the hidden library it writes, the existing entry
// it leaves alone, and the fatal error box when the engine cannot be bound
// or leaves the stack unbalanced.
#include "app_process.h"
#include "directory_lock.h"
#include "screenshot.h"
#include "ui.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <cstring>
#include <optional>

namespace e2e {
namespace {

std::vector<char> file_bytes(const std::wstring& path)
{
    std::vector<char> bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    ::CloseHandle(file);
    return bytes;
}

bool same_path(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Full paths of the modules named SkinH_EL.dll in a process.
std::vector<std::wstring> engine_modules(DWORD pid)
{
    std::vector<std::wstring> found;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = ::Module32FirstW(snapshot, &module); more; more = ::Module32NextW(snapshot, &module))
        if (same_path(module.szModule, L"SkinH_EL.dll")) found.push_back(module.szExePath);
    ::CloseHandle(snapshot);
    return found;
}

std::wstring widen_ascii(const char* text) { return std::wstring(text, text + std::strlen(text)); }

// <build>\engine\SkinH_EL.dll -> <build>
std::wstring build_directory()
{
    std::wstring p = built_engine_path();
    for (int i = 0; i < 2; ++i) p = p.substr(0, p.rfind(L'\\'));
    return p;
}
std::wstring unbalanced_engine_path() { return build_directory() + L"\\engine\\unbalanced\\SkinH_EL.dll"; }
// A stand-in engine of the skin tests whose entry does nothing: the window unskinned.
std::wstring inert_engine_path() { return build_directory() + L"\\tests\\win\\skin\\engines\\other\\SkinH_EL.dll"; }

struct fatal_box {
    std::wstring text;
    bool main_window_was_visible = false;
    std::optional<DWORD> exit_code;
};

// Waits for the fatal error box, reads it, presses OK and waits for the end.
std::optional<fatal_box> dismiss_fatal_box(app_process& app)
{
    fatal_box result;
    HWND box = nullptr;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!box && std::chrono::steady_clock::now() < deadline && app.running()) {
        for (HWND hwnd : top_level_windows(app.pid())) {
            if (window_text(hwnd) == L"致命错误" && ::IsWindowVisible(hwnd)) box = hwnd;
            if (window_text(hwnd) == main_caption && ::IsWindowVisible(hwnd)) result.main_window_was_visible = true;
        }
        pump_for(50ms);
    }
    if (!box) return std::nullopt;
    for (const auto& child : children_topmost_first(box)) result.text += child.text + L"\n";
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    result.exit_code = app.wait_for_exit(10s);
    return result;
}

// The caption strip of the main window as it shows on screen.
capture caption_of(HWND main)
{
    bring_to_front(main);
    pump_for(700ms);
    RECT strip = outer_rect(main);
    strip.bottom = strip.top + ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
    return capture_screen(strip);
}

TEST(SkinInstallation, FirstRunWritesTheHiddenEngineAndTheWindowShowsSkinned)
{
    app_process app;
    ASSERT_TRUE(app.started());
    const HWND main = app.main_window();
    ASSERT_NE(main, nullptr) << "the main window never became visible";

    const std::wstring library = app.directory() + L"\\SkinH_EL.dll";
    const DWORD attributes = ::GetFileAttributesW(library.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << "no library written next to the program";
    // Exactly hidden; Wine reports ARCHIVE on every read, so that bit is not judged.
    EXPECT_EQ(attributes & ~DWORD{FILE_ATTRIBUTE_ARCHIVE}, DWORD{FILE_ATTRIBUTE_HIDDEN}) << std::hex << attributes;
    EXPECT_EQ(file_bytes(library), file_bytes(built_engine_path())) << "not this build's engine";
    const auto modules = engine_modules(app.pid());
    ASSERT_EQ(modules.size(), 1u);
    EXPECT_TRUE(same_path(modules.front(), library));

    const capture skinned = caption_of(main);
    save_bmp(skinned, L"skin-caption-skinned");

    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.wait_for_exit(10s), std::optional<DWORD>(0));
    // Nothing is deleted at the end.
    EXPECT_EQ(::GetFileAttributesW(library.c_str()), attributes);

    // The same program with an engine that does nothing: an unskinned caption.
    if (::GetFileAttributesW(inert_engine_path().c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no stand-in engine to compare with: build the skin tests";
    launch_options options;
    options.directory = fresh_directory(L"skin-plain");
    ASSERT_TRUE(::CopyFileW(inert_engine_path().c_str(), (options.directory + L"\\SkinH_EL.dll").c_str(), TRUE));
    app_process plain(options);
    ASSERT_NE(plain.main_window(), nullptr);
    const capture unskinned = caption_of(plain.main_window());
    save_bmp(unskinned, L"skin-caption-plain");
    ASSERT_EQ(skinned.pixels.size(), unskinned.pixels.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < skinned.pixels.size(); ++i) differing += skinned.pixels[i] != unskinned.pixels[i];
    EXPECT_GT(differing, skinned.pixels.size() / 4) << "the caption looks the same skinned and unskinned";
}

TEST(SkinInstallation, ALaterRunUsesTheExistingFileUnchanged)
{
    launch_options options;
    options.directory = fresh_directory(L"skin-existing");
    const std::wstring library = options.directory + L"\\SkinH_EL.dll";
    ASSERT_TRUE(::CopyFileW(built_engine_path().c_str(), library.c_str(), TRUE));
    const DWORD attributes = ::GetFileAttributesW(library.c_str());  // visible
    ASSERT_FALSE(attributes & FILE_ATTRIBUTE_HIDDEN);
    FILETIME written_before{};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(library.c_str(), GetFileExInfoStandard, &data);
    written_before = data.ftLastWriteTime;

    app_process app(options);
    ASSERT_NE(app.main_window(), nullptr);
    const auto modules = engine_modules(app.pid());
    ASSERT_EQ(modules.size(), 1u);
    EXPECT_TRUE(same_path(modules.front(), library));
    ::PostMessageW(app.main_window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.wait_for_exit(10s), std::optional<DWORD>(0));

    EXPECT_EQ(::GetFileAttributesW(library.c_str()), attributes) << "a visible library stays visible";
    ::GetFileAttributesExW(library.c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(::CompareFileTime(&data.ftLastWriteTime, &written_before), 0) << "the library was rewritten";
    EXPECT_EQ(file_bytes(library), file_bytes(built_engine_path()));
}

TEST(SkinInstallation, ADirectoryNamedLikeTheLibraryEndsWithTheBindingFailure)
{
    launch_options options;
    options.directory = fresh_directory(L"skin-dir");
    ASSERT_TRUE(::CreateDirectoryW((options.directory + L"\\SkinH_EL.dll").c_str(), nullptr));
    options.wait_for_window = false;
    app_process app(options);
    ASSERT_TRUE(app.started());

    const auto box = dismiss_fatal_box(app);
    ASSERT_TRUE(box) << "no fatal error box appeared";
    EXPECT_NE(box->text.find(L"程序发生致命错误"), std::wstring::npos);
    EXPECT_NE(box->text.find(L"SkinH_EL.dll"), std::wstring::npos);
    EXPECT_NE(box->text.find(L"SkinH_AttachRes"), std::wstring::npos);
    EXPECT_EQ(box->text.find(L"错误码"), std::wstring::npos) << "the binding failure carries no code";
    EXPECT_FALSE(box->main_window_was_visible) << "the main window must never have been visible";
    EXPECT_EQ(box->exit_code, std::optional<DWORD>(0xFFFFFFFFu));
    // Still a directory, with nothing written into it.
    EXPECT_NE(::GetFileAttributesW((options.directory + L"\\SkinH_EL.dll").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(SkinInstallation, AnUnbalancedEngineEndsWithCode6)
{
    ASSERT_NE(::GetFileAttributesW(unbalanced_engine_path().c_str()), INVALID_FILE_ATTRIBUTES)
        << "the unbalanced test engine is not built";
    launch_options options;
    options.directory = fresh_directory(L"skin-unbalanced");
    ASSERT_TRUE(::CopyFileW(unbalanced_engine_path().c_str(), (options.directory + L"\\SkinH_EL.dll").c_str(), TRUE));
    options.wait_for_window = false;
    app_process app(options);
    ASSERT_TRUE(app.started());

    const auto box = dismiss_fatal_box(app);
    ASSERT_TRUE(box) << "no fatal error box appeared";
    EXPECT_NE(box->text.find(L"错误码：6"), std::wstring::npos) << "box text: " << testing::PrintToString(box->text);
    EXPECT_NE(box->text.find(L"堆栈不平衡"), std::wstring::npos);
    EXPECT_FALSE(box->main_window_was_visible);
    EXPECT_EQ(box->exit_code, std::optional<DWORD>(0xFFFFFFFFu));
}

// The read-only directory the test run prepared (a read-only mount holding
// the program), when there is one.
std::optional<std::wstring> prepared_read_only_directory()
{
    const std::wstring directory = widen_ascii(SPACEVISIT_E2E_READONLY_DIR);
    if (::GetFileAttributesW((directory + L"\\spacevisit.exe").c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    if (test_files::refuses_new_files(directory)) return directory;
    return std::nullopt;
}

TEST(SkinInstallation, AnUnwritableDirectoryWritesNothingAndEndsWithTheBindingFailure)
{
    launch_options options;
    bool locked_here = false;
    if (const auto read_only = prepared_read_only_directory()) {
        options.directory = *read_only;  // the program is already there
    } else {
        options.directory = fresh_directory(L"skin-locked");
        const std::wstring program = built_exe_path();
        ASSERT_TRUE(
            ::CopyFileW(program.c_str(), (options.directory + program.substr(program.rfind(L'\\'))).c_str(), TRUE));
        test_files::lock_directory(options.directory);
        if (!test_files::refuses_new_files(options.directory)) {
            test_files::unlock_directory(options.directory);
            GTEST_SKIP() << "cannot make a directory unwritable here (the run has rights that override the locks)";
        }
        locked_here = true;
    }
    options.wait_for_window = false;
    app_process app(options);
    ASSERT_TRUE(app.started());
    const auto box = dismiss_fatal_box(app);
    const DWORD library = ::GetFileAttributesW((options.directory + L"\\SkinH_EL.dll").c_str());
    if (locked_here) test_files::unlock_directory(options.directory);

    ASSERT_TRUE(box) << "no fatal error box appeared";
    EXPECT_NE(box->text.find(L"SkinH_AttachRes"), std::wstring::npos);
    EXPECT_EQ(box->exit_code, std::optional<DWORD>(0xFFFFFFFFu));
    EXPECT_EQ(library, INVALID_FILE_ATTRIBUTES) << "something was written";
}

}  // namespace
}  // namespace e2e
