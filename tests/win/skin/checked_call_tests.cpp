// The stub around the engine's entry: arguments arrive in order, a balanced
// entry reads as 0, an entry that leaves the stack off is measured, and the
// stub returns normally either way.
#include "skin/checked_call.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

std::array<std::uintptr_t, 6> seen{};
int balanced_calls = 0;

#if defined(__i386__)
#define ENTRY_CC __stdcall
#else
#define ENTRY_CC
#endif

extern "C" int ENTRY_CC balanced_entry(std::uintptr_t a, std::uintptr_t b, std::uintptr_t c, std::uintptr_t d,
                                       std::uintptr_t e, std::uintptr_t f)
{
    seen = {a, b, c, d, e, f};
    ++balanced_calls;
    return 7;
}

#if defined(__i386__)
// Leaves its 24 bytes of arguments on the stack.
extern "C" int __cdecl leaves_arguments(std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t,
                                        std::uintptr_t, std::uintptr_t)
{
    return 7;
}
constexpr std::ptrdiff_t expected_unbalance = -24;
#else
extern "C" void leaves_arguments() asm("skin_test_leaves_arguments");
// Returns with the stack pointer 24 bytes too high.
asm(R"(
    .text
skin_test_leaves_arguments:
    popq %r11
    addq $24, %rsp
    jmpq *%r11
)");
constexpr std::ptrdiff_t expected_unbalance = 24;
#endif

TEST(CheckedCall, PassesSixArgumentsInOrderAndSeesABalancedStack)
{
    // Values that fill the register width, so a truncated or swapped argument shows.
    const std::array<std::uintptr_t, 6> args = {
        static_cast<std::uintptr_t>(0x1122334455667788ull), 2, static_cast<std::uintptr_t>(0xA1B2C3D4E5F60718ull),
        4, 5, static_cast<std::uintptr_t>(0xFEDCBA9876543210ull)};
    balanced_calls = 0;
    EXPECT_EQ(skin::call_with_stack_check(reinterpret_cast<const void*>(&balanced_entry), args), 0);
    EXPECT_EQ(balanced_calls, 1);
    EXPECT_EQ(seen, args);
}

TEST(CheckedCall, MeasuresAnEntryThatLeavesTheStackOffAndRecovers)
{
    volatile int canary = 0x5EED;
    const std::array<std::uintptr_t, 6> args = {1, 2, 3, 4, 5, 6};
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(skin::call_with_stack_check(reinterpret_cast<const void*>(&leaves_arguments), args),
                  expected_unbalance);
    }
    // The caller's frame is intact after the stub put the stack back.
    EXPECT_EQ(canary, 0x5EED);
    balanced_calls = 0;
    EXPECT_EQ(skin::call_with_stack_check(reinterpret_cast<const void*>(&balanced_entry), args), 0);
    EXPECT_EQ(balanced_calls, 1);
}

}  // namespace
