#include "browser_launcher.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace e2e {
namespace {
std::wstring widen(const char* s)
{
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring out(n - 1, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s, -1, out.data(), n);
    return out;
}
}  // namespace

browser_launcher_log::browser_launcher_log() : log_path_(widen(SPACEVISIT_E2E_BROWSER_LOG))
{
    // The recorder is a Unix script; its path is a Unix path.
    const std::wstring recorder = widen(SPACEVISIT_E2E_BROWSER_RECORDER);
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExW(key, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(recorder.c_str()),
                         static_cast<DWORD>((recorder.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }
    ::DeleteFileW(log_path_.c_str());
}

std::vector<std::string> browser_launcher_log::addresses() const
{
    std::vector<std::string> out;
    std::ifstream in{std::filesystem::path(log_path_)};
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(line);
    return out;
}

}  // namespace e2e
