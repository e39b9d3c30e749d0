#include "tests/win/engine/stack_probe.h"

#if defined(__x86_64__)
// long long call6_measure(void* entry, const intptr_t* args, int* result)
// Saves the stack pointer in a callee-saved register, makes the call with
// the Windows x64 convention, and returns the stack pointer's change.
extern "C" long long engine_test_call6_measure(void* entry, const std::intptr_t* args, int* result);
asm(R"(
    .text
    .globl engine_test_call6_measure
    .def engine_test_call6_measure; .scl 2; .type 32; .endef
engine_test_call6_measure:
    pushq %rbx
    pushq %rsi
    pushq %rdi
    pushq %rbp
    subq $8, %rsp
    movq %rcx, %rax
    movq %rdx, %rsi
    movq %r8, %rdi
    movq %rsp, %rbx
    subq $48, %rsp
    movq 32(%rsi), %r10
    movq %r10, 32(%rsp)
    movq 40(%rsi), %r10
    movq %r10, 40(%rsp)
    movq 0(%rsi), %rcx
    movq 8(%rsi), %rdx
    movq 16(%rsi), %r8
    movq 24(%rsi), %r9
    call *%rax
    movl %eax, (%rdi)
    addq $48, %rsp
    movq %rsp, %rax
    subq %rbx, %rax
    movq %rbx, %rsp
    addq $8, %rsp
    popq %rbp
    popq %rdi
    popq %rsi
    popq %rbx
    ret
)");
#endif

namespace engine_test {

bool stack_delta_of_call(void* entry, const std::intptr_t (&arguments)[6], std::intptr_t& delta, int& result)
{
#if defined(__x86_64__)
    delta = static_cast<std::intptr_t>(engine_test_call6_measure(entry, arguments, &result));
    return true;
#else
    (void)entry;
    (void)arguments;
    (void)delta;
    (void)result;
    return false;
#endif
}

}  // namespace engine_test
