#pragma once

#include <unknwn.h>

#include <utility>

namespace ombrel::win32 {

// Owns one reference to a COM interface.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    explicit ComPtr(T* adopted) : ptr_(adopted) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() {
        if (ptr_ != nullptr) std::exchange(ptr_, nullptr)->Release();
    }
    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // The address to receive a new reference; any held one is released first.
    T** Receive() {
        Reset();
        return &ptr_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

  private:
    T* ptr_ = nullptr;
};

}  // namespace ombrel::win32
