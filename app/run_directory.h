// The directory of the running executable, without a trailing backslash.
#pragma once

#include <string>
#include <string_view>

namespace app {

// Everything before the last backslash of `path`: C:\Tools\app.exe gives
// C:\Tools, D:\app.exe gives D:, a path without a backslash gives "".
// UTF-16 has no multi-byte trail units that could equal a backslash.
std::wstring directory_of(std::wstring_view path);

// The run directory of this process, computed once at start-up from the
// module path (any length, not limited to MAX_PATH).
std::wstring run_directory();

}  // namespace app
