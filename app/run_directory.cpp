#include "app/run_directory.h"

#include <windows.h>

namespace app {
namespace {

std::wstring module_path()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        // A full buffer means the path may have been cut: grow and ask again.
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::wstring run_directory()
{
    static const std::wstring directory = directory_of(module_path());
    return directory;
}

}  // namespace app
