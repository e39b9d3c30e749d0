// Starts the real spacevisit.exe from a fresh directory of its own and
// watches it from outside: its main window, its exit code.
#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// The exact caption of the main window.
inline constexpr wchar_t main_caption[] = L"   Varnel  Zoverin     QQ402718563          群:5180462";

struct launch_options {
    // Extra environment variables for the program (e.g. http_proxy).
    std::map<std::wstring, std::wstring> environment;
    // Directory to run from; a fresh one under the test area when empty.
    std::wstring directory;
    // The program to copy there and start; the built spacevisit.exe when empty.
    std::wstring program;
    // The exact caption of the window to wait for.
    std::wstring caption = main_caption;
    // Wait for the main window to be visible before the constructor returns.
    bool wait_for_window = true;
};

class app_process {
public:
    explicit app_process(launch_options options = {});
    ~app_process();
    app_process(const app_process&) = delete;
    app_process& operator=(const app_process&) = delete;

    bool started() const noexcept { return process_ != nullptr; }
    DWORD pid() const noexcept { return pid_; }
    DWORD thread_id() const noexcept { return thread_id_; }
    HANDLE handle() const noexcept { return process_; }
    const std::wstring& directory() const noexcept { return directory_; }
    std::wstring exe_path() const { return exe_path_; }
    std::chrono::steady_clock::time_point launched_at() const noexcept { return launched_at_; }

    // The main window once it is visible, or null after the timeout.
    HWND wait_for_main_window(std::chrono::milliseconds timeout = 30s);
    HWND main_window() const noexcept { return main_; }

    // The exit code once the process has ended, or nothing after the timeout.
    std::optional<DWORD> wait_for_exit(std::chrono::milliseconds timeout = 30s) const;
    bool running() const;
    void kill();

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    DWORD thread_id_ = 0;
    HWND main_ = nullptr;
    std::wstring directory_;
    std::wstring exe_path_;
    std::wstring caption_;
    std::chrono::steady_clock::time_point launched_at_;
};

// The built program and engine (Windows paths into the build tree).
std::wstring built_exe_path();
std::wstring built_engine_path();
// A new empty directory for one test.
std::wstring fresh_directory(const std::wstring& tag);
// Top-level windows of a process, visible or not.
std::vector<HWND> top_level_windows(DWORD pid);
// Pumps this thread's messages for a while (the tests own no windows, but
// Wine delivers cross-process sends through the queue).
void pump_for(std::chrono::milliseconds duration);

}  // namespace e2e
