// Painting, paging and pointer cost of the grid: a grid of 1 000 000 uniform rows against one of 100 rows,
// in the same window. The work should follow what is visible, not the row count.
#include <gridctrl/GridBody.h>
#include <gridctrl/GridCtrl.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

// Every cell shows a text made when it is read, as a list fills its rows.
class BenchGrid : public CGridCtrl {
public:
  void OnCellRead(int col, int row, CGridCell* cell) override {
    char text[32];
    wsprintfA(text, "r%02d c%d", row % 100, col); // the same texts on every grid
    cell->SetText(text);
  }
};

double Milliseconds(int repeats, const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i)
    work();
  std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

struct Figures {
  double top, bottom, pages, borders;
};

Figures Measure(int rows) {
  CWnd parent;
  parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0);
  BenchGrid grid;
  grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 440), &parent, 1);
  grid.SetColCount(6);
  grid.SetUniformRowHeight(1);
  grid.SetRowCount(rows);
  CGridBody* body = grid.GetBody();
  const CRect client = body->GetClientRect();
  CClientDC screen(body);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(screen, client.Width(), client.Height());
  HGDIOBJ old = memory.SelectObject(&bitmap);
  const int paints = 200;

  Figures f{};
  f.top = Milliseconds(paints, [&] { body->PaintArea(&memory, client); }) / paints;
  grid.MoveRow(kMoveLast);
  f.bottom = Milliseconds(paints, [&] { body->PaintArea(&memory, client); }) / paints;
  grid.MoveRow(kMoveFirst);
  // Every press moves a page: the small grid starts again at its top when it reaches the end.
  f.pages = Milliseconds(1000, [&] {
    if (grid.GetCurRow() == grid.GetRowCount() - 1)
      grid.MoveRow(kMoveFirst);
    grid.MoveRow(kMovePageOn);
  });
  // The pointer moved over the row header: each move looks for a row border near it.
  HWND rowHeader = ::GetDlgItem(grid.m_hWnd, kGridRowHeaderId);
  grid.SetRowHeaderWidth(40);
  int move = 0;
  f.borders = Milliseconds(
      1000, [&] { ::SendMessageA(rowHeader, WM_MOUSEMOVE, 0, MAKELPARAM(10, 200 + move++ % 20)); });
  memory.SelectObject(old);
  return f;
}

Figures Best(const Figures& a, const Figures& b) {
  return {std::min(a.top, b.top), std::min(a.bottom, b.bottom), std::min(a.pages, b.pages),
          std::min(a.borders, b.borders)};
}

} // namespace

int main() {
  // The best of three alternating runs, so that other work on the machine weighs less.
  Figures big = Measure(1000000);
  Figures small = Measure(100);
  for (int run = 1; run < 3; ++run) {
    big = Best(big, Measure(1000000));
    small = Best(small, Measure(100));
  }
  std::printf("grid of 600 x 440 pixels, 6 columns, uniform rows of 20 pixels\n");
  std::printf("%-34s %12s %12s %8s\n", "", "1 000 000", "100 rows", "ratio");
  std::printf("%-34s %9.3f ms %9.3f ms %8.2f\n", "(a) one screen painted at the top", big.top, small.top,
              big.top / small.top);
  std::printf("%-34s %9.3f ms %9.3f ms %8.2f\n", "(b) one screen at the bottom", big.bottom, small.bottom,
              big.bottom / small.bottom);
  std::printf("%-34s %9.3f ms %9.3f ms %8.2f\n", "(c) 1000 Page Downs", big.pages, small.pages,
              big.pages / small.pages);
  std::printf("%-34s %9.3f ms %9.3f ms %8.2f\n", "(d) 1000 moves over the row header", big.borders,
              small.borders, big.borders / small.borders);
  const bool met = big.top <= 1.5 * small.top && big.bottom <= 1.5 * small.bottom &&
                   big.pages <= 1.5 * small.pages && big.borders <= 1.5 * small.borders;
  std::printf("goal (every ratio at most 1.5): %s\n", met ? "met" : "NOT met");
  return 0;
}
