// Loads a SkinH_EL.dll by path and binds its entries by name, typed from
// the public header.
#pragma once

#include "engine/skinh.h"

#include <windows.h>

#include <string>
#include <vector>

namespace engine_test {

struct engine_library {
    HMODULE module = nullptr;
#define SKINH_ENTRY(name) decltype(&::name) name = nullptr;
#include "tests/win/engine/entries.inc"
#undef SKINH_ENTRY

    explicit engine_library(const std::wstring& path);
    ~engine_library();
    engine_library(const engine_library&) = delete;
    engine_library& operator=(const engine_library&) = delete;

    bool complete() const;
};

std::vector<unsigned char> read_file(const std::wstring& path);

// Where the build put things (set by CMake as Windows paths).
std::wstring engine_path();
std::wstring unbalanced_engine_path();
std::wstring skin_path(int number);

}  // namespace engine_test
