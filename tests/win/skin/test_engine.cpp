// Stand-ins for the skin engine library, built several ways from this one
// file (all named SkinH_EL.dll, each in a folder of its own):
//  - recording: SkinH_AttachRes records what it was given and removes its
//    arguments as it must;
//  - unbalanced: SkinH_AttachRes returns with the stack off by 24 bytes;
//  - no entry: a library without SkinH_AttachRes.
// Every kind tells which build it is through TestEngine_Identity.
#include <windows.h>

#include <cstdint>

#include "tests/win/skin/test_engine_record.h"

namespace {
test_engine_record last_call;
}

extern "C" __declspec(dllexport) const wchar_t* TestEngine_Identity() { return TEST_ENGINE_ID; }
extern "C" __declspec(dllexport) const test_engine_record* TestEngine_LastCall() { return &last_call; }

#if defined(TEST_ENGINE_RECORDING)

extern "C" __declspec(dllexport) int __stdcall SkinH_AttachRes(unsigned char* data, int size, const char* text,
                                                                 int a, int b, int c)
{
    ++last_call.calls;
    last_call.data = data;
    last_call.size = size;
    last_call.text = text;
    last_call.text_first = text ? text[0] : '?';
    last_call.zeros[0] = a;
    last_call.zeros[1] = b;
    last_call.zeros[2] = c;
    std::uint32_t hash = 2166136261u;  // FNV-1a of the skin bytes
    for (int i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    last_call.hash = hash;
    // The buffer must be the caller's writable copy: write to it.
    if (size > 0) data[0] ^= 0xFF;
    return 1;
}

#elif defined(TEST_ENGINE_UNBALANCED)

#if defined(__i386__)
// cdecl: returns leaving its 24 bytes of arguments on the stack.
extern "C" __declspec(dllexport) int __cdecl SkinH_AttachRes(void*, int, const char*, int, int, int)
{
    ++last_call.calls;
    return 1;
}
#else
// Returns with the stack pointer 24 bytes above where the call left it.
asm(R"(
    .text
    .globl SkinH_AttachRes
SkinH_AttachRes:
    popq %r11
    addq $24, %rsp
    jmpq *%r11
    .section .drectve
    .ascii " -export:SkinH_AttachRes"
    .text
)");
#endif

#endif
