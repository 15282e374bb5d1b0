#pragma once

// An intrusive singly linked list: every node begins with (or embeds) its link, and a node is known
// by the address of that link. The list owns no node and allocates nothing.

struct sllink {
  sllink* next = nullptr;
};

class slvisitor {
public:
  // 0 stops the walk.
  virtual int visit(sllink* node) = 0;

protected:
  ~slvisitor() = default;
};

class sllist {
public:
  sllist() = default;
  sllist(const sllist&) = delete;
  sllist& operator=(const sllist&) = delete;

  int count() const { return count_; }
  sllink* head() const { return head_; }
  // The node's position, -1 (after a failed check) when it is not in the list.
  int indexof(const sllink* node) const;
  // The node at the index, none (after a failed check) when there is none.
  sllink* at(int index) const;
  sllink* last() const { return at(count_ - 1); }

  // After `after`, or at the head when after is none.
  void insertafter(sllink* after, sllink* node);
  void append(sllink* node);
  // 0 (after a failed check) when the index lies beyond the end; nothing is inserted then.
  int insertat(int index, sllink* node);
  // Unlinks the node after `after` (the head when none) and answers it; none when there is none.
  sllink* removeafter(sllink* after);
  sllink* removeat(int index);
  // Moves the node at `from` so that it ends before the node that was at `to`.
  void move(int from, int to);
  int foreach (slvisitor& visitor) const;
  void swap(sllist& other);
  // Moves the listed nodes (an ascending list ended by -1, adjusted as the moves go) before `to`.
  int moveitems(int* indices, int to);

private:
  int count_ = 0;
  sllink* head_ = nullptr;
};
