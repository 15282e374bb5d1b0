#include <foundation/containers/sllist.h>

#include <foundation/containers/itemmoves.h>
#include <foundation/system/checkfailed.h>

namespace {

constexpr CheckSite NodeNotInList{"SLLIST", 40};
constexpr CheckSite InsertBeyondEnd{"SLLIST", 78};
constexpr CheckSite IndexBeyondEnd{"SLLIST", 149};
constexpr CheckSite WalkEndedEarly{"SLLIST", 153};

} // namespace

int sllist::indexof(const sllink* node) const {
  int index = 0;
  for (const sllink* at = head_; at; at = at->next, ++index)
    if (at == node)
      return index;
  CheckFailed(NodeNotInList, 0);
  return -1;
}

sllink* sllist::at(int index) const {
  if (!CheckFailed(IndexBeyondEnd, index >= 0 && index < count_))
    return nullptr;
  sllink* node = head_;
  for (int i = 0; i < index && node; ++i)
    node = node->next;
  CheckFailed(WalkEndedEarly, node != nullptr);
  return node;
}

void sllist::insertafter(sllink* after, sllink* node) {
  sllink*& slot = after ? after->next : head_;
  node->next = slot;
  slot = node;
  ++count_;
}

void sllist::append(sllink* node) { insertafter(count_ ? last() : nullptr, node); }

int sllist::insertat(int index, sllink* node) {
  if (!CheckFailed(InsertBeyondEnd, index >= 0 && index <= count_))
    return 0;
  insertafter(index == 0 ? nullptr : at(index - 1), node);
  return 1;
}

sllink* sllist::removeafter(sllink* after) {
  sllink*& slot = after ? after->next : head_;
  sllink* node = slot;
  if (!node)
    return nullptr;
  slot = node->next;
  node->next = nullptr;
  --count_;
  return node;
}

sllink* sllist::removeat(int index) {
  if (index == 0)
    return removeafter(nullptr);
  sllink* before = at(index - 1);
  return before ? removeafter(before) : nullptr;
}

void sllist::move(int from, int to) {
  if (to == from || to == from + 1)
    return;
  // Both ends are checked before the node is unlinked, so that a bad target loses nothing.
  if (!CheckFailed(IndexBeyondEnd, from >= 0 && from < count_) ||
      !CheckFailed(InsertBeyondEnd, to >= 0 && to <= count_))
    return;
  sllink* node = removeat(from);
  if (!node)
    return;
  insertat(from < to ? to - 1 : to, node);
}

int sllist::foreach (slvisitor& visitor) const {
  for (sllink* node = head_; node;) {
    sllink* next = node->next;
    if (!visitor.visit(node))
      return 0;
    node = next;
  }
  return 1;
}

void sllist::swap(sllist& other) {
  sllink* head = head_;
  int count = count_;
  head_ = other.head_;
  count_ = other.count_;
  other.head_ = head;
  other.count_ = count;
}

int sllist::moveitems(int* indices, int to) {
  struct Mover : indexop {
    explicit Mover(sllist& list) : list(list) {}
    int apply(int index, int to) override {
      list.move(index, to);
      return 1;
    }
    sllist& list;
  } mover(*this);
  return MoveItems(mover, indices, to);
}
