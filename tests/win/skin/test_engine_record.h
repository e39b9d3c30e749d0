// What the recording stand-in engine saw at its last call.
#pragma once

#include <cstdint>

struct test_engine_record {
    int calls = 0;
    const void* data = nullptr;
    int size = 0;
    const char* text = nullptr;
    char text_first = 0;
    int zeros[3] = {-1, -1, -1};
    std::uint32_t hash = 0;
};
