// Calls a six-argument engine entry and measures how far the stack pointer
// moved across the call: 0 when the entry cleans up as it should.
#pragma once

#include <cstdint>

namespace engine_test {

// Only the x86-64 build can run here; elsewhere it returns false.
bool stack_delta_of_call(void* entry, const std::intptr_t (&arguments)[6], std::intptr_t& delta, int& result);

}  // namespace engine_test
