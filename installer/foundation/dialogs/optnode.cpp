#include <foundation/dialogs/optnode.h>

#include <windows.h>

optnode* nodelist::at(int index) const {
  optnode* node = index >= 0 ? first_ : nullptr;
  for (int i = 0; node && i < index; ++i)
    node = node->next;
  return node;
}

void nodelist::append(optnode* node) {
  node->prev = last_;
  node->next = nullptr;
  if (last_)
    last_->next = node;
  else
    first_ = node;
  last_ = node;
  ++count_;
}

void nodelist::reset() {
  count_ = 0;
  first_ = last_ = nullptr;
}

void nodelist::freeall() {
  for (optnode* node = first_; node;) {
    optnode* following = node->next;
    node->children.freeall();
    delete node;
    node = following;
  }
  reset();
}

void optnode::init(const char* text, int isexclusive, int isexpanded) {
  lstrcpynA(name, text ? text : "", NameSize);
  exclusive = isexclusive;
  expanded = isexpanded;
  state = off;
  check = 0;
  parent = nullptr;
  children.reset();
}

void optnode::initoption(const char* text, int isexclusive, int ischecked, int kind) {
  init(text, isexclusive, 0);
  state = ischecked;
  check = ischecked;
  boxkind = kind;
}

void optnode::addchild(optnode* child) {
  child->parent = this;
  children.append(child);
}

int optnode::derivedstate() const {
  if (!children.first())
    return check;
  int ons = 0, offs = 0;
  for (optnode* child = children.first(); child; child = child->next) {
    if (child->state == mixed)
      return mixed;
    child->state == on ? ++ons : ++offs;
  }
  return offs == 0 ? on : ons == 0 ? off : mixed;
}

void optnode::updatestate() {
  state = derivedstate();
  check = state != off;
  if (!children.first())
    return;
  boxkind = children.first()->boxkind;
  for (optnode* child = children.first(); child; child = child->next)
    if (child->boxkind == normalbox)
      boxkind = normalbox;
}

int optnode::depth() const {
  int d = 0;
  for (const optnode* p = parent; p; p = p->parent)
    ++d;
  return d;
}
