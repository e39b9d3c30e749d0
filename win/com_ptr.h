// Owning smart pointer for COM interfaces: releases once, copies AddRef.
#pragma once

#include <unknwn.h>

#include <utility>

namespace win {

template <typename T>
class com_ptr {
public:
    com_ptr() noexcept = default;
    com_ptr(std::nullptr_t) noexcept {}
    // Adopts a reference the caller already holds.
    static com_ptr attach(T* p) noexcept
    {
        com_ptr r;
        r.p_ = p;
        return r;
    }
    com_ptr(const com_ptr& o) noexcept : p_(o.p_)
    {
        if (p_) p_->AddRef();
    }
    com_ptr(com_ptr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    com_ptr& operator=(com_ptr o) noexcept
    {
        std::swap(p_, o.p_);
        return *this;
    }
    ~com_ptr() { reset(); }

    void reset() noexcept
    {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // For out-parameters: releases what is held, then exposes the slot.
    T** put() noexcept
    {
        reset();
        return &p_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    template <typename U>
    com_ptr<U> query() const noexcept
    {
        com_ptr<U> r;
        if (p_) p_->QueryInterface(__uuidof(U), r.put_void());
        return r;
    }

private:
    T* p_ = nullptr;
};

}  // namespace win
