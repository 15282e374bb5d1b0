#pragma once

#include <foundation/dialogs/optnode.h>
#include <foundation/windows/userwnd.h>

#include <windows.h>

// A tree of options with tri-state check boxes (window class "wndclassopttree"), put in a dialog in
// place of a placeholder item. One node per row, indented by its depth; checking a node checks its
// children and recomputes its parents, exclusive siblings stay exclusive, and the owner hears of
// every node that changed.
//
// Rows are numbered in display order: a node, then its children when it is expanded, then its next
// sibling. The top row never passes max(0, row count - 1), and the vertical scroll range is that.
// Rectangles answered here are Win32 rectangles in client coordinates.
class opttree : public userwnd {
public:
  opttree(int rowrepaint = 0, int expanderalways = 0);
  ~opttree() override;

  // Hides the placeholder item and takes its place, font and size with a window of the given id.
  int create(HWND dialog, int id, int placeholder);
  void addroot(optnode* node) { roots_.append(node); }
  // Forgets the roots without freeing them.
  void clear();
  void freenodes();
  // Selects the first root and numbers the rows again.
  void refresh();
  // Requests a check; with `propagate` the parents are recomputed too.
  void setstate(optnode* node, int check, int propagate);

  virtual void onselect(optnode*) {}
  virtual void onchange(optnode*) {}
  virtual void onchangesdone() {}

  LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) override;

  const nodelist& roots() const { return roots_; }
  int rowheight() const { return rowheight_; }
  int toprow() const { return toprow_; }
  int hoffset() const { return hoffset_; }
  int rowcount() const { return rowcount_; }
  int widest() const { return widest_; }
  optnode* selected() const { return selected_; }
  optnode* nodeofrow(int row);
  RECT boxrect(const optnode* node) const;
  RECT expanderrect(const optnode* node) const;
  RECT textrect(const optnode* node) const;

  // The node after or before a node in display order; none at either end.
  static optnode* nextvisible(const optnode* node);
  static optnode* prevvisible(const optnode* node);

private:
  void renumber();
  void setscrollranges();
  void settop(int row);
  void select(optnode* node);
  void invalidaterow(const optnode* node);
  void reportchanges();
  void click(int x, int y);
  void showchange();
  void toggle(optnode* node);
  void vscroll(int code, int position);
  void hscroll(int code, int position);
  void paint(HDC hdc);
  void paintrow(HDC hdc, const optnode* node);
  int textwidth(const optnode* node) const;
  int textheight(const optnode* node) const;
  int rowtop(const optnode* node) const { return (node->row - toprow_) * rowheight_; }

  int rowheight_;
  int toprow_ = 0;
  int hoffset_ = 0;
  int widest_ = 0;
  int clientwidth_ = 0;
  int clientheight_ = 0;
  int rowcount_ = 0;
  optnode* selected_ = nullptr;
  optnode* firstvisible_ = nullptr;
  nodelist roots_;
  HFONT font_ = nullptr;
  int rowrepaint_;
  int expanderalways_;
};
