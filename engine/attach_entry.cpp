// The entry SkinH_AttachRes. The shipped library exports it with the
// Windows calling convention: it removes its six arguments (24 bytes on
// 32-bit x86) before returning.
//
// With SKINH_UNBALANCED_ATTACH the same entry deliberately leaves the stack
// pointer wrong after the call, for the tests of callers that must notice
// an engine with the wrong calling convention: on 32-bit x86 it is cdecl
// (the caller's 24 bytes stay pushed); on x86-64 it returns with `ret $24`,
// so the caller's stack pointer moves up by 24 bytes.
#include "engine/attach_res.h"

#include <windows.h>

#if !defined(SKINH_UNBALANCED_ATTACH)

#include "engine/skinh.h"

extern "C" int WINAPI SkinH_AttachRes(const void* skin, int size, const char* key, int hue, int saturation,
                                      int brightness)
{
    return engine::attach_res(skin, size, key, hue, saturation, brightness);
}

#elif defined(__i386__)

extern "C" int __cdecl SkinH_AttachRes(const void* skin, int size, const char* key, int hue, int saturation,
                                       int brightness)
{
    return engine::attach_res(skin, size, key, hue, saturation, brightness);
}

#elif defined(__x86_64__)

extern "C" int skinh_attach_res_body(const void* skin, int size, const char* key, int hue, int saturation,
                                     int brightness)
{
    return engine::attach_res(skin, size, key, hue, saturation, brightness);
}

// Arguments 5 and 6 are copied from the caller's frame into ours; the body
// runs as a normal function; then `ret $24` pops 24 bytes too many.
asm(R"(
    .text
    .globl SkinH_AttachRes
    .def SkinH_AttachRes; .scl 2; .type 32; .endef
SkinH_AttachRes:
    subq $56, %rsp
    movq 96(%rsp), %rax
    movq %rax, 32(%rsp)
    movq 104(%rsp), %rax
    movq %rax, 40(%rsp)
    call skinh_attach_res_body
    addq $56, %rsp
    ret $24
)");

#else
#error "SKINH_UNBALANCED_ATTACH is defined for x86 and x86-64 only"
#endif
