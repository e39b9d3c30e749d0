// Directories that refuse new files, for the tests of what the program does
// where it may not write.
#pragma once

#include <string>

namespace test_files {

// True when creating a file in `directory` fails (a probe file is removed again).
bool refuses_new_files(const std::wstring& directory);
// A deny entry for adding files and the read-only mark (which some file
// systems map to permissions). Whether it binds depends on the rights of
// the run: check with refuses_new_files.
void lock_directory(const std::wstring& directory);
// Full access again, so the test can clean up.
void unlock_directory(const std::wstring& directory);

}  // namespace test_files
