#include "tests/win/engine/engine_library.h"

#include <cstdio>

namespace engine_test {

engine_library::engine_library(const std::wstring& path)
{
    module = ::LoadLibraryW(path.c_str());
    if (!module) return;
#define SKINH_ENTRY(name) name = reinterpret_cast<decltype(name)>(reinterpret_cast<void*>(::GetProcAddress(module, #name)));
#include "tests/win/engine/entries.inc"
#undef SKINH_ENTRY
}

engine_library::~engine_library()
{
    if (module) ::FreeLibrary(module);
}

bool engine_library::complete() const
{
    bool all = module != nullptr;
#define SKINH_ENTRY(name) all = all && name != nullptr;
#include "tests/win/engine/entries.inc"
#undef SKINH_ENTRY
    return all;
}

std::vector<unsigned char> read_file(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file, &size);
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && !::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
    ::CloseHandle(file);
    return bytes;
}

std::wstring engine_path() { return ENGINE_TEST_DLL; }
std::wstring unbalanced_engine_path() { return ENGINE_TEST_UNBALANCED_DLL; }

std::wstring skin_path(int number)
{
    wchar_t name[32];
    std::swprintf(name, 32, L"\\skin%02d.she", number);
    return std::wstring(ENGINE_TEST_SKIN_DIR) + name;
}

}  // namespace engine_test
