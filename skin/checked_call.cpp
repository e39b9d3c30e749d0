#include "skin/checked_call.h"

// The stub is written in assembly: only there is the stack pointer around the
// call ours to see. It keeps the pointer it noted in a callee-saved register,
// compares after the call and restores from it, so even an entry that left
// the stack off lets the stub return normally.
extern "C" std::intptr_t spacevisit_call_checked6(const void* entry, const std::uintptr_t* args)
    asm("spacevisit_call_checked6");

#if defined(__i386__)
// cdecl: [esp+4] entry, [esp+8] args.
asm(R"(
    .text
    .globl spacevisit_call_checked6
    .def spacevisit_call_checked6; .scl 2; .type 32; .endef
spacevisit_call_checked6:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    movl 8(%ebp), %eax
    movl 12(%ebp), %ecx
    movl %esp, %esi
    pushl 20(%ecx)
    pushl 16(%ecx)
    pushl 12(%ecx)
    pushl 8(%ecx)
    pushl 4(%ecx)
    pushl 0(%ecx)
    call *%eax
    movl %esp, %eax
    subl %esi, %eax
    movl %esi, %esp
    popl %esi
    popl %ebp
    ret
)");
#elif defined(__x86_64__)
// Win64: rcx entry, rdx args. Frame: rbx and rsi saved, then 56 bytes: the
// home area (32), arguments 5 and 6 at 32 and 40, and 8 to keep rsp 16-byte
// aligned at the call.
asm(R"(
    .text
    .globl spacevisit_call_checked6
    .def spacevisit_call_checked6; .scl 2; .type 32; .endef
    .seh_proc spacevisit_call_checked6
spacevisit_call_checked6:
    pushq %rbx
    .seh_pushreg %rbx
    pushq %rsi
    .seh_pushreg %rsi
    subq $56, %rsp
    .seh_stackalloc 56
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rsi
    movq 32(%rsi), %r10
    movq %r10, 32(%rsp)
    movq 40(%rsi), %r10
    movq %r10, 40(%rsp)
    movq 0(%rsi), %rcx
    movq 8(%rsi), %rdx
    movq 16(%rsi), %r8
    movq 24(%rsi), %r9
    movq %rsp, %rbx
    call *%rax
    movq %rsp, %rax
    subq %rbx, %rax
    movq %rbx, %rsp
    addq $56, %rsp
    popq %rsi
    popq %rbx
    ret
    .seh_endproc
)");
#else
#error "the checked call exists for i686 and x86_64"
#endif

namespace skin {

std::ptrdiff_t call_with_stack_check(const void* entry, const std::array<std::uintptr_t, 6>& args) noexcept
{
    return spacevisit_call_checked6(entry, args.data());
}

}  // namespace skin
