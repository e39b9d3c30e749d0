// Every allocation of the program that cannot be met ends through the fatal
// error report, naming the number of bytes asked for.
#include "app/fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void out_of_memory(std::size_t bytes)
{
    wchar_t message[96];
    std::swprintf(message, std::size(message), L"内存不足：无法分配 %llu 字节。",
                  static_cast<unsigned long long>(bytes));
    app::report_fatal_error(message);
}

void* allocate(std::size_t bytes)
{
    if (void* p = std::malloc(bytes ? bytes : 1)) return p;
    out_of_memory(bytes);
}

}  // namespace

void* operator new(std::size_t bytes) { return allocate(bytes); }
void* operator new[](std::size_t bytes) { return allocate(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return allocate(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return allocate(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
