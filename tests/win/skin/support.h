// Shared pieces of the skin tests under Win32: the stand-in application frame
// (fatal error report as an exception, recorded exit steps, a settable run
// directory), fresh temporary directories and small file helpers.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace skin_test {

// What app::report_fatal_error was called with; thrown instead of ending the process.
struct fatal_report {
    std::wstring message;
    int code;
};

void set_run_directory(std::wstring directory);
std::size_t exit_step_count();
void run_exit_steps();

// A new empty directory under the temporary folder, removed with everything
// in it (attributes cleared first) when the object goes.
class temp_dir {
public:
    temp_dir();
    ~temp_dir();
    temp_dir(const temp_dir&) = delete;
    temp_dir& operator=(const temp_dir&) = delete;

    const std::wstring& path() const noexcept { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + L'\\' + std::wstring(name); }

private:
    std::wstring path_;
};

// A path of the build tree as Win32 sees it (under Wine, / is drive Z:).
std::wstring build_path(const char* path);

std::vector<std::byte> read_file(const std::wstring& path);
void write_file(const std::wstring& path, std::span<const std::byte> bytes);
std::vector<std::byte> bytes_of(std::string_view text);
// Names in a directory, sorted, without . and ..
std::vector<std::wstring> entries(const std::wstring& directory);
// Removes a directory tree, clearing attributes on the way.
void remove_tree(const std::wstring& path);

// The full path of the loaded module named SkinH_EL.dll, or "" when none is loaded.
std::wstring loaded_engine_path();
// The identity of the loaded stand-in engine, or "" when none is loaded.
std::wstring loaded_engine_identity();

std::uint32_t fnv1a(std::span<const std::byte> bytes);
bool same_path(const std::wstring& a, const std::wstring& b);

}  // namespace skin_test
