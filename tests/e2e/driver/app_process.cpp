#include "app_process.h"

#include <atomic>
#include <thread>
#include <vector>

namespace e2e {
namespace {

std::wstring widen(const char* s)
{
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s, -1, out.data(), n);
    return out;
}

// The program's environment: ours plus the extras, sorted as Windows wants.
std::wstring environment_block(const std::map<std::wstring, std::wstring>& extra)
{
    std::map<std::wstring, std::wstring, bool (*)(const std::wstring&, const std::wstring&)> vars(
        [](const std::wstring& a, const std::wstring& b) { return ::_wcsicmp(a.c_str(), b.c_str()) < 0; });
    if (wchar_t* block = ::GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
            const std::wstring entry(p);
            const auto eq = entry.find(L'=', 1);
            if (eq != std::wstring::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
        }
        ::FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : extra) vars[name] = value;
    std::wstring out;
    for (const auto& [name, value] : vars) out += name + L"=" + value + L'\0';
    out += L'\0';
    return out;
}

}  // namespace

std::wstring built_exe_path() { return widen(SPACEVISIT_E2E_EXE); }
std::wstring built_engine_path() { return widen(SPACEVISIT_E2E_ENGINE); }

std::wstring fresh_directory(const std::wstring& tag)
{
    static std::atomic<int> counter{0};
    std::wstring root = widen(SPACEVISIT_E2E_WORK);
    ::CreateDirectoryW(root.c_str(), nullptr);
    for (;;) {
        std::wstring dir = root + L"\\" + tag + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                           std::to_wstring(counter++);
        if (::CreateDirectoryW(dir.c_str(), nullptr)) return dir;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

app_process::app_process(launch_options options)
{
    directory_ = options.directory.empty() ? fresh_directory(L"run") : options.directory;
    const std::wstring program = options.program.empty() ? built_exe_path() : options.program;
    exe_path_ = directory_ + program.substr(program.rfind(L'\\'));
    caption_ = options.caption;
    ::CopyFileW(program.c_str(), exe_path_.c_str(), FALSE);
    std::wstring env = environment_block(options.environment);
    std::wstring command = L"\"" + exe_path() + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    launched_at_ = std::chrono::steady_clock::now();
    if (::CreateProcessW(exe_path().c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                         env.data(), directory_.c_str(), &si, &pi)) {
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        thread_id_ = pi.dwThreadId;
        ::CloseHandle(pi.hThread);
    }
    if (process_ && options.wait_for_window) wait_for_main_window();
}

app_process::~app_process()
{
    kill();
    if (process_) ::CloseHandle(process_);
}

HWND app_process::wait_for_main_window(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        for (HWND hwnd : top_level_windows(pid_)) {
            wchar_t title[128] = {};
            ::GetWindowTextW(hwnd, title, 128);
            if (title == caption_ && ::IsWindowVisible(hwnd)) return main_ = hwnd;
        }
        if (!running()) return nullptr;
        pump_for(20ms);
    }
    return nullptr;
}

std::optional<DWORD> app_process::wait_for_exit(std::chrono::milliseconds timeout) const
{
    if (!process_) return std::nullopt;
    if (::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(process_, &code);
    return code;
}

bool app_process::running() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void app_process::kill()
{
    if (running()) {
        ::TerminateProcess(process_, 99);
        ::WaitForSingleObject(process_, 10000);
    }
}

namespace {
struct window_search {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<window_search*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->pid) search->found.push_back(hwnd);
    return TRUE;
}
}  // namespace

std::vector<HWND> top_level_windows(DWORD pid)
{
    window_search search{pid, {}};
    ::EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void pump_for(std::chrono::milliseconds duration)
{
    const auto deadline = std::chrono::steady_clock::now() + duration;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        std::this_thread::sleep_for(5ms);
    } while (std::chrono::steady_clock::now() < deadline);
}

}  // namespace e2e
