#include "tests/win/skin/support.h"

#include "app/fatal_error.h"
#include "app/run_directory.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <utility>

// The stand-in application frame the skin code links against in these tests.
namespace {
std::wstring g_run_directory;
std::vector<std::function<void()>> g_exit_steps;
}  // namespace

namespace app {

[[noreturn]] void report_fatal_error(std::wstring_view message, int code)
{
    throw skin_test::fatal_report{std::wstring(message), code};
}

void add_exit_step(std::function<void()> step) { g_exit_steps.push_back(std::move(step)); }

void run_exit_processing()
{
    while (!g_exit_steps.empty()) {
        auto step = std::move(g_exit_steps.back());
        g_exit_steps.pop_back();
        step();
    }
}

std::wstring run_directory() { return g_run_directory; }

}  // namespace app

namespace skin_test {

void set_run_directory(std::wstring directory) { g_run_directory = std::move(directory); }
std::size_t exit_step_count() { return g_exit_steps.size(); }
void run_exit_steps() { app::run_exit_processing(); }

temp_dir::temp_dir()
{
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, base);
    if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
    path_ = std::wstring(base, n) + L"skin-test-" + std::to_wstring(::GetCurrentProcessId()) + L'-' +
            std::to_wstring(++counter);
    remove_tree(path_);
    if (!::CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot create a temporary directory");
}

temp_dir::~temp_dir() { remove_tree(path_); }

std::wstring build_path(const char* path)
{
    std::wstring out;
    if (path[0] == '/') out = L"Z:";
    for (const char* p = path; *p; ++p) out += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return out;
}

std::vector<std::byte> read_file(const std::wstring& path)
{
    std::vector<std::byte> bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open a file to read");
    std::byte buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    ::CloseHandle(file);
    return bytes;
}

void write_file(const std::wstring& path, std::span<const std::byte> bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a file");
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot write a file");
}

std::vector<std::byte> bytes_of(std::string_view text)
{
    std::vector<std::byte> out;
    for (char c : text) out.push_back(static_cast<std::byte>(c));
    return out;
}

std::vector<std::wstring> entries(const std::wstring& directory)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void remove_tree(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        for (const auto& name : entries(path)) remove_tree(path + L'\\' + name);
        ::RemoveDirectoryW(path.c_str());
    } else {
        ::DeleteFileW(path.c_str());
    }
}

std::wstring loaded_engine_path()
{
    HMODULE module = ::GetModuleHandleW(L"SkinH_EL.dll");
    if (!module) return {};
    wchar_t path[MAX_PATH * 2];
    const DWORD n = ::GetModuleFileNameW(module, path, static_cast<DWORD>(std::size(path)));
    return std::wstring(path, n);
}

std::wstring loaded_engine_identity()
{
    HMODULE module = ::GetModuleHandleW(L"SkinH_EL.dll");
    if (!module) return {};
    using identity_fn = const wchar_t* (*)();
    const auto identity = reinterpret_cast<identity_fn>(reinterpret_cast<void*>(::GetProcAddress(module, "TestEngine_Identity")));
    return identity ? identity() : L"(not a stand-in)";
}

std::uint32_t fnv1a(std::span<const std::byte> bytes)
{
    std::uint32_t hash = 2166136261u;
    for (std::byte b : bytes) hash = (hash ^ std::to_integer<std::uint32_t>(b)) * 16777619u;
    return hash;
}

bool same_path(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

}  // namespace skin_test
