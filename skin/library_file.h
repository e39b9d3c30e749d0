// The file operations of the engine installation.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>

namespace skin {

// True when a find-first query for `path` finds any directory entry: a file
// or a directory, hidden or not. `path` holds no wildcard characters.
bool entry_exists(const std::wstring& path);

// Writes one piece of a file's bytes; false on failure. The default writes
// with WriteFile; tests pass one that fails part-way.
using piece_writer = bool (*)(HANDLE file, std::span<const std::byte> piece);
bool write_piece(HANDLE file, std::span<const std::byte> piece);

// Creates `path` holding `bytes`, hidden. The bytes go to a temporary sibling
// first, which is flushed and then renamed to `path` without replacing
// anything, so `path` either appears complete or not at all, and an entry
// that appeared meanwhile is never clobbered. On failure the temporary is
// removed. An empty path or empty bytes write nothing.
bool write_new_file(const std::wstring& path, std::span<const std::byte> bytes, piece_writer writer = write_piece);

// Sets the attributes of `path` to exactly FILE_ATTRIBUTE_HIDDEN.
bool set_hidden_attribute(const std::wstring& path);

}  // namespace skin
