#include <foundation/containers/varray.h>

#include <foundation/system/checkfailed.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr CheckSite IndexOutsideBlock{"VARRAY", 59};

char* allocateElements(int count, int elementSize) {
  if (count <= 0 || elementSize <= 0 || count > INT_MAX / elementSize)
    return nullptr;
  return static_cast<char*>(std::malloc(static_cast<size_t>(count) * static_cast<size_t>(elementSize)));
}

} // namespace

varray::varray(void* external, int externalCapacity, int growthPercent, int elementSize)
    : external_(static_cast<char*>(external)), elementSize_(elementSize),
      externalCapacity_(external && externalCapacity > 0 ? externalCapacity : 0),
      growthPercent_(growthPercent) {}

varray::~varray() { std::free(own_); }

int varray::insertgap(int position, int n) {
  if (n == 0)
    return 1;
  if (position < 0 || position > count_ || n < 0 || n > INT_MAX - count_)
    return 0;
  int needed = count_ + n;
  if (capacity() < needed) {
    int target = growtarget();
    if (!reserve(needed > target ? needed : target))
      return 0;
  }
  if (position < count_) {
    char* from = static_cast<char*>(at(position));
    char* to = static_cast<char*>(at(position + n));
    if (!from || !to)
      return 0;
    std::memmove(to, from, static_cast<size_t>(count_ - position) * elementSize_);
  }
  count_ = needed;
  return 1;
}

int varray::removegap(int position, int n) {
  if (n == 0)
    return 1;
  if (position < 0 || n < 0 || n > count_ - position)
    return 0;
  char* base = block();
  std::memmove(base + static_cast<size_t>(position) * elementSize_,
               base + static_cast<size_t>(position + n) * elementSize_,
               static_cast<size_t>(count_ - position - n) * elementSize_);
  count_ -= n;
  return 1;
}

void varray::clear(int freeBlock) {
  count_ = 0;
  if (!freeBlock)
    return;
  std::free(own_);
  own_ = nullptr;
  ownCapacity_ = 0;
  ownFlag_ = 0;
}

int varray::growtarget() const {
  long long target = (static_cast<long long>(growthPercent_) + 100) * count_ / 100;
  return target > INT_MAX ? INT_MAX : static_cast<int>(target);
}

// A new own block of `wanted` elements holding the count elements found at `from`.
int varray::growOwn(int wanted, const char* from) {
  char* grown = allocateElements(wanted, elementSize_);
  if (!grown)
    return 0;
  if (count_)
    std::memcpy(grown, from, static_cast<size_t>(count_) * elementSize_);
  std::free(own_);
  own_ = grown;
  ownCapacity_ = wanted;
  return 1;
}

// Leaving the owner's block copies the elements from that block: an own block left from earlier may
// be empty or smaller than the count.
int varray::reserve(int wanted) {
  if (count_ >= wanted || wanted == capacity())
    return 1;
  if (capacity() < wanted) {
    if (ownFlag_)
      return growOwn(wanted, own_);
    if (own_ && ownCapacity_ == wanted) {
      if (count_)
        std::memcpy(own_, external_, static_cast<size_t>(count_) * elementSize_);
    } else if (!growOwn(wanted, external_)) {
      return 0;
    }
    ownFlag_ = 1;
    return 1;
  }
  if (!ownFlag_)
    return 1;
  if (externalCapacity_ >= wanted) {
    if (count_)
      std::memcpy(external_, own_, static_cast<size_t>(count_) * elementSize_);
    ownFlag_ = 0;
    return 1;
  }
  growOwn(wanted, own_);
  return 1;
}

void* varray::at(int index) {
  if (!CheckFailed(IndexOutsideBlock, index >= 0 && index < capacity()))
    return nullptr;
  return block() + static_cast<size_t>(index) * elementSize_;
}
