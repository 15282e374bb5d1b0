#include <foundation/containers/intarray.h>

#include <climits>
#include <cstdlib>

intarray::~intarray() { std::free(data_); }

void intarray::clear() {
  std::free(data_);
  data_ = nullptr;
  count_ = 0;
}

int intarray::resize(int n) {
  if (n <= 0) {
    clear();
    return 1;
  }
  if (static_cast<size_t>(n) > SIZE_MAX / sizeof(int))
    return 0;
  int* block = static_cast<int*>(std::malloc(static_cast<size_t>(n) * sizeof(int)));
  if (!block)
    return 0;
  std::free(data_);
  data_ = block;
  count_ = n;
  return 1;
}

int* intarray::detach() {
  int* block = data_;
  data_ = nullptr;
  count_ = 0;
  return block;
}
