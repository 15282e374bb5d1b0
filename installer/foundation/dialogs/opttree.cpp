#include <foundation/dialogs/opttree.h>

#include <foundation/windows/dlgbox.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr char ClassName[] = "wndclassopttree";
constexpr DWORD TreeStyle = 0x50B00000; // WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL
constexpr int IndentPerLevel = 25;
constexpr int BoxSize = 13;
constexpr int ExpanderSize = 10;
constexpr int Gap = 3;
// Text starts this far right of the row's left edge: gap, box, gap, expander, gap.
constexpr int TextIndent = Gap + BoxSize + Gap + ExpanderSize + Gap;
// A walk to a row this long shows the wait cursor.
constexpr int LongWalk = 500;
constexpr COLORREF Grey = 0x808080;
constexpr COLORREF Black = 0x000000;
constexpr COLORREF ExpanderFill = 0xFFFF00;

// The expander's drawings, as points relative to its top-left corner.
constexpr POINT PlusOutline[] = {{0, 3}, {3, 3}, {3, 0}, {6, 0}, {6, 3}, {9, 3}, {9, 6},
                                 {6, 6}, {6, 9}, {3, 9}, {3, 6}, {0, 6}, {0, 3}};
constexpr POINT PlusFill[][2] = {{{1, 4}, {9, 4}}, {{1, 5}, {9, 5}}, {{4, 1}, {4, 9}}, {{5, 1}, {5, 9}}};
constexpr POINT BarOutline[] = {{0, 3}, {9, 3}, {9, 6}, {0, 6}, {0, 3}};
constexpr POINT BarFill[][2] = {{{1, 4}, {9, 4}}, {{1, 5}, {9, 5}}};
constexpr POINT LeafOutline[] = {{3, 3}, {6, 3}, {6, 6}, {3, 6}, {3, 3}};
constexpr POINT LeafPixels[] = {{4, 4}, {5, 5}};

const userwndclass& treeClass() {
  static userwndclass description = [] {
    userwndclass c;
    c.name = ClassName;
    c.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.cursor = LoadCursorA(nullptr, IDC_ARROW);
    c.registerclass();
    return c;
  }();
  return description;
}

int inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// Lines in one pen; the pen is given back and deleted at the end.
class pen {
public:
  pen(HDC hdc, COLORREF colour) : hdc_(hdc), pen_(CreatePen(PS_SOLID, 1, colour)) {
    previous_ = SelectObject(hdc, pen_);
  }
  ~pen() {
    SelectObject(hdc_, previous_);
    DeleteObject(pen_);
  }
  pen(const pen&) = delete;
  pen& operator=(const pen&) = delete;

  template <size_t N> void polyline(const POINT (&points)[N], int x, int y) {
    POINT moved[N];
    for (size_t i = 0; i < N; ++i)
      moved[i] = POINT{points[i].x + x, points[i].y + y};
    Polyline(hdc_, moved, static_cast<int>(N));
  }
  template <size_t N> void lines(const POINT (&pairs)[N][2], int x, int y) {
    for (const auto& pair : pairs) {
      MoveToEx(hdc_, pair[0].x + x, pair[0].y + y, nullptr);
      LineTo(hdc_, pair[1].x + x, pair[1].y + y);
    }
  }

private:
  HDC hdc_;
  HPEN pen_;
  HGDIOBJ previous_;
};

void fill(HDC hdc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(hdc, &r, brush);
  DeleteObject(brush);
}

SIZE measure(HFONT font, const char* text) {
  SIZE size{0, 0};
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font ? font : GetStockObject(SYSTEM_FONT));
  GetTextExtentPoint32A(screen, text, lstrlenA(text), &size);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return size;
}

void clearFlags(optnode* node) {
  for (; node; node = node->next) {
    node->row = -1;
    clearFlags(node->children.first());
  }
}

// Every node of the tree, collapsed branches included: a node, its children, then its next sibling.
optnode* nextInTree(const optnode* node) {
  if (node->children.first())
    return node->children.first();
  for (const optnode* n = node; n; n = n->parent)
    if (n->next)
      return n->next;
  return nullptr;
}

} // namespace

opttree::opttree(int rowrepaint, int expanderalways)
    : rowheight_(DlgUnitsY(9)), rowrepaint_(rowrepaint), expanderalways_(expanderalways) {}

opttree::~opttree() {
  // The dialog may end after its tree object: the window goes with the object.
  if (hwnd() && IsWindow(hwnd()))
    DestroyWindow(hwnd());
}

int opttree::create(HWND dialog, int id, int placeholder) {
  HWND item = GetDlgItem(dialog, placeholder);
  if (!item)
    return 0;
  ShowWindow(item, SW_HIDE);
  font_ = reinterpret_cast<HFONT>(SendMessageA(item, WM_GETFONT, 0, 0));
  RECT place;
  GetWindowRect(item, &place);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  wndcreate parameters;
  parameters.x = place.left;
  parameters.y = place.top;
  parameters.width = place.right - place.left;
  parameters.height = place.bottom - place.top;
  parameters.parent = dialog;
  parameters.style = TreeStyle;
  parameters.menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  if (!userwnd::create(treeClass(), parameters))
    return 0;
  RECT client;
  GetClientRect(hwnd(), &client);
  clientwidth_ = client.right;
  clientheight_ = client.bottom;
  setscrollranges();
  return 1;
}

void opttree::clear() {
  roots_.reset();
  selected_ = firstvisible_ = nullptr;
  rowcount_ = toprow_ = 0;
}

void opttree::freenodes() {
  roots_.freeall();
  clear();
}

void opttree::refresh() {
  selected_ = roots_.first();
  renumber();
}

optnode* opttree::nextvisible(const optnode* node) {
  if (node->expanded && node->children.first())
    return node->children.first();
  for (const optnode* n = node; n; n = n->parent)
    if (n->next)
      return n->next;
  return nullptr;
}

optnode* opttree::prevvisible(const optnode* node) {
  if (!node->prev)
    return node->parent;
  optnode* last = node->prev;
  while (last->expanded && last->children.last())
    last = last->children.last();
  return last;
}

// Numbers the visible rows, measures the widest, keeps the top row inside and finds its node again.
void opttree::renumber() {
  clearFlags(roots_.first());
  rowcount_ = 0;
  widest_ = 0;
  for (optnode* node = roots_.first(); node; node = nextvisible(node)) {
    node->row = rowcount_++;
    widest_ = std::max(widest_, node->depth() * IndentPerLevel + TextIndent + textwidth(node));
  }
  toprow_ = std::clamp(toprow_, 0, std::max(0, rowcount_ - 1));
  hoffset_ = std::clamp(hoffset_, 0, widest_);
  firstvisible_ = nullptr;
  firstvisible_ = nodeofrow(toprow_);
  setscrollranges();
  if (hwnd())
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void opttree::setscrollranges() {
  if (!hwnd())
    return;
  SetScrollRange(hwnd(), SB_VERT, 0, std::max(0, rowcount_ - 1), FALSE);
  SetScrollPos(hwnd(), SB_VERT, toprow_, TRUE);
  SetScrollRange(hwnd(), SB_HORZ, 0, widest_, FALSE);
  SetScrollPos(hwnd(), SB_HORZ, hoffset_, TRUE);
}

optnode* opttree::nodeofrow(int row) {
  if (row < 0 || row >= rowcount_)
    return nullptr;
  bool fromTop = firstvisible_ && std::abs(row - toprow_) < row;
  int distance = fromTop ? std::abs(row - toprow_) : row;
  HCURSOR previousCursor = distance >= LongWalk ? SetCursor(LoadCursorA(nullptr, IDC_WAIT)) : nullptr;
  optnode* node = fromTop ? firstvisible_ : roots_.first();
  int at = fromTop ? toprow_ : 0;
  for (; node && at < row; ++at)
    node = nextvisible(node);
  for (; node && at > row; --at)
    node = prevvisible(node);
  if (previousCursor)
    SetCursor(previousCursor);
  return node;
}

void opttree::setstate(optnode* node, int check, int propagate) {
  // A grey box or no box cannot change, nor be asked to.
  if (node->boxkind != optnode::normalbox)
    return;
  node->check = check;
  if (check == node->state)
    return;
  for (optnode* child = node->children.first(); child; child = child->next)
    setstate(child, check, 0);
  for (optnode* n = node; n; n = propagate ? n->parent : nullptr) {
    int state = n->derivedstate();
    if (n->exclusive && state != optnode::off) {
      for (optnode* sibling = n->prev; sibling; sibling = sibling->prev)
        setstate(sibling, 0, 1);
      for (optnode* sibling = n->next; sibling; sibling = sibling->next)
        setstate(sibling, 0, 1);
    }
    if (state == n->state)
      break;
    n->state = state;
    // What a group's box shows is also what it asks for, so that a click on it toggles what it shows.
    n->check = state != optnode::off;
    n->changed = 1;
    if (rowrepaint_)
      invalidaterow(n);
  }
}

void opttree::select(optnode* node) {
  invalidaterow(selected_);
  invalidaterow(node);
  selected_ = node;
  onselect(node);
}

void opttree::invalidaterow(const optnode* node) {
  if (!node || node->row < 0 || !hwnd())
    return;
  RECT row{0, rowtop(node), clientwidth_, rowtop(node) + rowheight_};
  InvalidateRect(hwnd(), &row, TRUE);
}

// Children of a collapsed branch that the click changed are reported with it too.
void opttree::reportchanges() {
  for (optnode* node = roots_.first(); node; node = nextInTree(node))
    if (node->changed)
      onchange(node);
  onchangesdone();
  for (optnode* node = roots_.first(); node; node = nextInTree(node))
    node->changed = 0;
}

int opttree::textwidth(const optnode* node) const { return measure(font_, node->name).cx; }

int opttree::textheight(const optnode* node) const { return measure(font_, node->name).cy; }

RECT opttree::boxrect(const optnode* node) const {
  int left = node->depth() * IndentPerLevel - hoffset_ + Gap;
  int centre = rowtop(node) + rowheight_ / 2;
  if (node->boxkind == optnode::nobox)
    return RECT{left, centre, left, centre};
  return RECT{left, centre - 6, left + BoxSize, centre + 7};
}

RECT opttree::expanderrect(const optnode* node) const {
  int left = node->depth() * IndentPerLevel - hoffset_ + Gap + BoxSize + Gap;
  int centre = rowtop(node) + rowheight_ / 2;
  if (!node->children.first() && !expanderalways_)
    return RECT{left, centre, left, centre};
  return RECT{left, centre - 5, left + ExpanderSize, centre + 5};
}

RECT opttree::textrect(const optnode* node) const {
  int left = node->depth() * IndentPerLevel - hoffset_ + TextIndent;
  int height = textheight(node);
  int top = rowtop(node) + (rowheight_ - height) / 2;
  return RECT{left, top, left + textwidth(node), top + height};
}

void opttree::click(int x, int y) {
  SetFocus(hwnd());
  if (x < 0 || y < 0 || x >= clientwidth_ || y >= clientheight_)
    return;
  optnode* node = nodeofrow(y / rowheight_ + toprow_);
  if (!node)
    return;
  if (inside(textrect(node), x, y)) {
    select(node);
    return;
  }
  // A grey box is hit too: it selects its node, but it cannot be changed.
  if (node->boxkind != optnode::nobox && inside(boxrect(node), x, y)) {
    select(node);
    if (node->boxkind != optnode::normalbox)
      return;
    toggle(node);
    reportchanges();
    if (!rowrepaint_)
      InvalidateRect(hwnd(), nullptr, TRUE);
    showchange();
    return;
  }
  if (node->children.first() && inside(expanderrect(node), x, y)) {
    select(node);
    node->expanded = !node->expanded;
    renumber();
    showchange();
  }
}

// Each click is painted before the next press is handled: the two presses of a double click are two
// clicks, and the user sees both, not only where they end.
void opttree::showchange() {
  if (hwnd())
    UpdateWindow(hwnd());
}

// A mixed group first tries to clear; when grey boxes below keep it mixed, it is checked instead, so
// that every click changes what the box shows.
void opttree::toggle(optnode* node) {
  int shown = node->state;
  int check = node->check ? 0 : 1;
  setstate(node, check, 1);
  if (node->state == shown)
    setstate(node, !check, 1);
}

void opttree::settop(int row) {
  int top = std::clamp(row, 0, std::max(0, rowcount_ - 1));
  int moved = top - toprow_;
  if (moved == 0)
    return;
  firstvisible_ = nodeofrow(top);
  toprow_ = top;
  SetScrollPos(hwnd(), SB_VERT, toprow_, TRUE);
  // One row: the rest moves with the window and only the row uncovered is painted.
  if (moved == 1 || moved == -1)
    ScrollWindowEx(hwnd(), 0, -moved * rowheight_, nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE);
  else
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void opttree::vscroll(int code, int position) {
  int page = std::max(1, clientheight_ / rowheight_);
  switch (code) {
  case SB_LINEUP:
    return settop(toprow_ - 1);
  case SB_LINEDOWN:
    return settop(toprow_ + 1);
  case SB_PAGEUP:
    return settop(toprow_ - page);
  case SB_PAGEDOWN:
    return settop(toprow_ + page);
  case SB_THUMBPOSITION:
    return settop(position);
  case SB_TOP:
    return settop(0);
  case SB_BOTTOM:
    return settop(rowcount_);
  }
}

void opttree::hscroll(int code, int position) {
  int offset = hoffset_;
  switch (code) {
  case SB_LINELEFT:
    offset -= rowheight_;
    break;
  case SB_LINERIGHT:
    offset += rowheight_;
    break;
  case SB_PAGELEFT:
    offset -= clientwidth_;
    break;
  case SB_PAGERIGHT:
    offset += clientwidth_;
    break;
  case SB_THUMBPOSITION:
    offset = position;
    break;
  case SB_LEFT:
    offset = 0;
    break;
  case SB_RIGHT:
    offset = widest_;
    break;
  default:
    return;
  }
  hoffset_ = std::clamp(offset, 0, widest_);
  SetScrollPos(hwnd(), SB_HORZ, hoffset_, TRUE);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void opttree::paintrow(HDC hdc, const optnode* node) {
  RECT row{0, rowtop(node), clientwidth_, rowtop(node) + rowheight_};
  FillRect(hdc, &row, GetSysColorBrush(COLOR_WINDOW));

  RECT box = boxrect(node);
  if (node->boxkind != optnode::nobox) {
    pen outline(hdc, node->boxkind == optnode::greybox ? Grey : Black);
    HGDIOBJ previousBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Rectangle(hdc, box.left, box.top, box.right, box.bottom);
    SelectObject(hdc, previousBrush);
    if (node->state == optnode::on) {
      MoveToEx(hdc, box.left, box.top, nullptr);
      LineTo(hdc, box.right, box.bottom);
      MoveToEx(hdc, box.left, box.bottom - 1, nullptr);
      LineTo(hdc, box.right, box.top - 1);
    } else if (node->state == optnode::mixed) {
      fill(hdc, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, Grey);
    }
  }

  RECT expander = expanderrect(node);
  if (expander.right > expander.left) {
    int x = expander.left, y = expander.top;
    if (!node->children.first()) {
      pen(hdc, Black).polyline(LeafOutline, x, y);
      for (const POINT& p : LeafPixels)
        SetPixel(hdc, x + p.x, y + p.y, Black);
    } else if (node->expanded) {
      pen outline(hdc, Black);
      outline.polyline(BarOutline, x, y);
      outline.lines(BarFill, x, y);
    } else {
      pen(hdc, Black).polyline(PlusOutline, x, y);
      pen(hdc, ExpanderFill).lines(PlusFill, x, y);
    }
  }

  bool chosen = node == selected_;
  RECT text = textrect(node);
  FillRect(hdc, &text, GetSysColorBrush(chosen ? COLOR_WINDOWTEXT : COLOR_WINDOW));
  HGDIOBJ previousFont = SelectObject(hdc, font_ ? font_ : GetStockObject(SYSTEM_FONT));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(chosen ? COLOR_WINDOW : COLOR_WINDOWTEXT));
  TextOutA(hdc, text.left, text.top, node->name, lstrlenA(node->name));
  SelectObject(hdc, previousFont);
}

void opttree::paint(HDC hdc) {
  int rows = clientheight_ / rowheight_ + 1;
  optnode* node = nodeofrow(toprow_);
  for (int i = 0; node && i < rows; ++i, node = nextvisible(node))
    paintrow(hdc, node);
}

LRESULT opttree::wndproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd(), &ps);
    paint(hdc);
    EndPaint(hwnd(), &ps);
    return 0;
  }
  case WM_PRINTCLIENT:
    paint(reinterpret_cast<HDC>(wParam));
    return 0;
  case WM_SIZE:
    clientwidth_ = LOWORD(lParam);
    clientheight_ = HIWORD(lParam);
    return 0;
  case WM_LBUTTONDOWN:
    click(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return 0;
  case WM_VSCROLL:
    vscroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
    return 0;
  case WM_HSCROLL:
    hscroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
    return 0;
  }
  return DefWindowProcA(hwnd(), message, wParam, lParam);
}
