#pragma once

class optnode;

// The children of a node (or the roots of a tree), linked through the nodes' sibling links.
class nodelist {
public:
  int count() const { return count_; }
  optnode* first() const { return first_; }
  optnode* last() const { return last_; }
  // None past the end.
  optnode* at(int index) const;
  void append(optnode* node);
  // Forgets the nodes without freeing them.
  void reset();
  // Deletes every node with its children, and empties the list.
  void freeall();

private:
  int count_ = 0;
  optnode* first_ = nullptr;
  optnode* last_ = nullptr;
};

// One row of the option tree: a branch (init) or an option with a check box (initoption). Owners may
// derive nodes that carry data of their own; the tree deletes them through this class.
class optnode {
public:
  static constexpr int NameSize = 40;
  enum boxkinds { greybox = 0, normalbox = 1, nobox = 2 };
  enum states { off = 0, on = 1, mixed = 2 };

  optnode() = default;
  optnode(const optnode&) = delete;
  optnode& operator=(const optnode&) = delete;
  virtual ~optnode() = default;

  // The name is cut to fit 39 characters.
  void init(const char* text, int isexclusive, int isexpanded);
  void initoption(const char* text, int isexclusive, int ischecked, int kind);
  void addchild(optnode* child);
  void resetchildren() { children.reset(); }
  // Display state, requested check and box kind from the children.
  void updatestate();
  // The display state the children give (the requested check for a node without children).
  int derivedstate() const;
  int depth() const;

  int row = -1;
  int exclusive = 0;
  int expanded = 0;
  int state = off;
  int check = 0;
  int boxkind = normalbox;
  int changed = 0;
  char name[NameSize] = "";
  optnode* parent = nullptr;
  optnode* prev = nullptr;
  optnode* next = nullptr;
  nodelist children;
};
