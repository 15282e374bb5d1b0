#pragma once

#include <windows.h>

#include <cstdint>
#include <new>
#include <utility>

// An object placed above 4 GiB, where a pointer cut to 32 bits no longer finds it: the heap of a
// 64-bit program lies low, so a window slot that truncates pointers would pass unnoticed otherwise.
template <class T> class HighObject {
public:
  template <class... Args> explicit HighObject(Args&&... args) {
    block_ = VirtualAlloc(nullptr, sizeof(T), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
    object_ = new (block_) T(std::forward<Args>(args)...);
  }
  ~HighObject() {
    if (object_)
      object_->~T();
    VirtualFree(block_, 0, MEM_RELEASE);
  }
  HighObject(const HighObject&) = delete;
  HighObject& operator=(const HighObject&) = delete;

  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  T* get() const { return object_; }
  // Ends the object early, as a test of destruction does.
  void destroy() {
    object_->~T();
    object_ = nullptr;
  }
  bool aboveFourGiB() const {
    std::uint64_t address = reinterpret_cast<std::uintptr_t>(block_);
    return address >> 32 != 0;
  }

private:
  void* block_ = nullptr;
  T* object_ = nullptr;
};
