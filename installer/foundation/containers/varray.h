#pragma once

#include <type_traits>

// A growable array of fixed-size elements kept as raw bytes. It starts in a block its owner supplies
// (which may be none) and moves to a heap block of its own only when it outgrows it, growing by a
// percentage; when it shrinks back to what the owner's block holds it returns there. Elements are
// moved as bytes, never constructed or destroyed. Allocation never throws: an operation that cannot
// allocate answers 0 and leaves the array as it was.
class varray {
public:
  varray(void* external, int externalCapacity, int growthPercent, int elementSize);
  ~varray();
  varray(const varray&) = delete;
  varray& operator=(const varray&) = delete;

  int count() const { return count_; }
  int capacity() const { return ownFlag_ ? ownCapacity_ : externalCapacity_; }
  int inownblock() const { return ownFlag_; }

  // Room for n elements before position (0..count); the gap's bytes are left as they were.
  int insertgap(int position, int n);
  // Takes n elements out at position, closing the gap.
  int removegap(int position, int n);
  void clear(int freeBlock);
  int growtarget() const;
  int reserve(int wanted);
  // The element's address; none after a failed check when the index lies outside the block.
  void* at(int index);

private:
  char* block() const { return ownFlag_ ? own_ : external_; }
  int growOwn(int wanted, const char* from);

  char* own_ = nullptr;
  char* external_;
  int count_ = 0;
  int elementSize_;
  int ownCapacity_ = 0;
  int externalCapacity_;
  int growthPercent_;
  int ownFlag_ = 0;
};

// The array for one element type, so that every element keeps its whole width (a pointer stays a
// pointer on a 64-bit build).
template <class T> class varrayof {
  static_assert(std::is_trivially_copyable_v<T>, "elements are moved as bytes");

public:
  explicit varrayof(int growthPercent = 25) : array_(nullptr, 0, growthPercent, sizeof(T)) {}
  template <int N>
  varrayof(T (&external)[N], int growthPercent) : array_(external, N, growthPercent, sizeof(T)) {}

  int count() const { return array_.count(); }
  int capacity() const { return array_.capacity(); }
  int inownblock() const { return array_.inownblock(); }
  T* at(int index) { return static_cast<T*>(array_.at(index)); }

  int insert(int position, const T& value) {
    // The value may be an element of this array, which the gap moves or frees.
    T copy = value;
    if (!array_.insertgap(position, 1))
      return 0;
    *at(position) = copy;
    return 1;
  }
  int append(const T& value) { return insert(count(), value); }
  int removeat(int position) { return array_.removegap(position, 1); }
  void clear(int freeBlock) { array_.clear(freeBlock); }
  int reserve(int wanted) { return array_.reserve(wanted); }

private:
  varray array_;
};
