// The engine's allocations come from the process heap and never throw: the
// library is built without exceptions, and every allocation it makes uses
// the nothrow form and checks the result.
#include <windows.h>

#include <cstddef>
#include <new>

namespace {
void* allocate(std::size_t size) noexcept { return ::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1); }
void release(void* p) noexcept
{
    if (p) ::HeapFree(::GetProcessHeap(), 0, p);
}
void* allocate_or_stop(std::size_t size) noexcept
{
    void* p = allocate(size);
    if (!p) ::RaiseException(static_cast<DWORD>(STATUS_NO_MEMORY), EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return p;
}
}  // namespace

void* operator new(std::size_t size) { return allocate_or_stop(size); }
void* operator new[](std::size_t size) { return allocate_or_stop(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
