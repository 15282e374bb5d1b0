#pragma once

// A plain heap array of ints with its count. Allocation never throws.
class intarray {
public:
  intarray() = default;
  ~intarray();
  intarray(const intarray&) = delete;
  intarray& operator=(const intarray&) = delete;

  int count() const { return count_; }
  int* data() { return data_; }
  void clear();
  // n uninitialised ints in place of the old block; 0 (nothing changed) when that cannot be had.
  int resize(int n);
  // The block (free it with std::free); the array is then empty.
  int* detach();

private:
  int* data_ = nullptr;
  int count_ = 0;
};
