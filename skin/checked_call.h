// The call of the engine's entry with a check of the stack pointer around it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace skin {

// Calls `entry` with six arguments and returns how far the stack pointer
// moved across the call (after minus before); the stack pointer is put back
// either way, so the caller can go on and report.
//  - i686: the arguments are pushed last to first and the entry must remove
//    them itself (stdcall): 0 when it did, -24 when it left them (cdecl).
//  - x86_64: the arguments go in the Win64 convention (rcx, rdx, r8, r9, then
//    the stack above the 32-byte home area) and the entry must return with
//    the stack pointer where the call left it.
std::ptrdiff_t call_with_stack_check(const void* entry, const std::array<std::uintptr_t, 6>& args) noexcept;

}  // namespace skin
