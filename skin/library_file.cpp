#include "skin/library_file.h"

#include "win/unique_any.h"

#include <algorithm>

namespace skin {
namespace {

constexpr std::size_t piece_size = 64 * 1024;

// A sibling of `path`, private to this process.
std::wstring temporary_sibling(const std::wstring& path)
{
    wchar_t pid[16];
    ::wsprintfW(pid, L"%lx", ::GetCurrentProcessId());
    return path + L'.' + pid + L".partial";
}

bool write_all(HANDLE file, std::span<const std::byte> bytes, piece_writer writer)
{
    while (!bytes.empty()) {
        const std::size_t n = std::min(bytes.size(), piece_size);
        if (!writer(file, bytes.first(n))) return false;
        bytes = bytes.subspan(n);
    }
    return true;
}

bool write_and_close(const std::wstring& path, std::span<const std::byte> bytes, piece_writer writer)
{
    // No sharing while it is written; created hidden, like the file it becomes.
    win::unique_file file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file) return false;
    if (!write_all(file.get(), bytes, writer)) return false;
    // On disk before the rename makes it visible under its real name.
    if (!::FlushFileBuffers(file.get())) return false;
    return ::CloseHandle(file.release()) != FALSE;
}

}  // namespace

bool entry_exists(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    win::unique_find search(::FindFirstFileW(path.c_str(), &found));
    return search.valid();
}

bool write_piece(HANDLE file, std::span<const std::byte> piece)
{
    DWORD written = 0;
    return ::WriteFile(file, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) &&
           written == piece.size();
}

bool write_new_file(const std::wstring& path, std::span<const std::byte> bytes, piece_writer writer)
{
    if (path.empty() || bytes.empty()) return false;
    const std::wstring temporary = temporary_sibling(path);
    // Without MOVEFILE_REPLACE_EXISTING: an entry of that name that appeared
    // since the caller looked (another copy of the program installing at the
    // same moment) wins, and ours is dropped.
    if (write_and_close(temporary, bytes, writer) &&
        ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileW(temporary.c_str());
    return false;
}

bool set_hidden_attribute(const std::wstring& path)
{
    return ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN) != FALSE;
}

}  // namespace skin
