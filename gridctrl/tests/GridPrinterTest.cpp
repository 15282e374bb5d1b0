#include <gridctrl/tests/RecordingGrid.h>

#include <gridctrl/GridPrinter.h>
#include <tests/support/MetafileText.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using testsupport::ModalAnswerer;
using Bands = std::vector<CGridPrinter::Band>;

namespace {

TEST(GridPrinterBandsTest, BandsFitThePrintableSize) {
  struct {
    const char* name;
    std::vector<int> sizes;
    int printable;
    Bands expected;
  } const cases[] = {
      {"all fit", {10, 10, 10}, 100, {{0, 2}}},
      {"an overflow starts the next band", {40, 40, 40}, 100, {{0, 1}, {2, 2}}},
      {"exactly full", {50, 50, 50}, 100, {{0, 1}, {2, 2}}},
      {"a wide column has a band of its own", {40, 150, 40}, 100, {{0, 0}, {1, 1}, {2, 2}}},
      {"a wide first column too", {150, 40}, 100, {{0, 0}, {1, 1}}},
      {"empty ones take no room and make no band", {60, 0, 0, 60, 0}, 100, {{0, 2}, {3, 4}}},
  };
  for (const auto& c : cases) {
    const Bands bands = CGridPrinter::Bands([&](int i) { return c.sizes[static_cast<size_t>(i)]; }, 0,
                                            static_cast<int>(c.sizes.size()) - 1, c.printable);
    ASSERT_EQ(bands.size(), c.expected.size()) << c.name;
    for (size_t i = 0; i < bands.size(); ++i)
      EXPECT_TRUE(bands[i] == c.expected[i])
          << c.name << ": band " << i << " is " << bands[i].first << ".." << bands[i].last;
  }
}

TEST(GridPrinterBandsTest, PagesRunAcrossFirst) {
  const Bands cols{{0, 1}, {2, 3}, {4, 4}}, rows{{0, 9}, {10, 12}};
  const auto pages = CGridPrinter::Paginate(cols, rows);
  ASSERT_EQ(pages.size(), 6u);
  EXPECT_TRUE(pages[3].cols == cols[0]); // page 4: the first column band of the second row band
  EXPECT_TRUE(pages[3].rows == rows[1]);
  EXPECT_TRUE(pages[2].cols == cols[2]);
  EXPECT_TRUE(pages[2].rows == rows[0]);
}

// A grid of named cells and headers, printed into metafile pages.
struct GridPrinterTest : ::testing::Test {
  GridHost<RecordingGrid> host;
  RecordingGrid& grid = host.grid;
  CGridMetafilePages* pages = new CGridMetafilePages;
  CPrintDialog dialog{FALSE};
  int printableX = 0, printableY = 0; // screen pixels for cells on a page with both headers

  GridPrinterTest() {
    grid.GetPrinter().SetTarget(std::unique_ptr<CGridPrintTarget>(pages));
    grid.SetPrintDialog(&dialog);
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    printableX = MulDiv(GetDeviceCaps(screen, HORZSIZE) - 50, GetDeviceCaps(screen, HORZRES),
                        GetDeviceCaps(screen, HORZSIZE)) -
                 50;
    printableY = MulDiv(GetDeviceCaps(screen, VERTSIZE) - 50, GetDeviceCaps(screen, VERTRES),
                        GetDeviceCaps(screen, VERTSIZE)) -
                 20;
    DeleteDC(screen);
  }
  void Fill(int cols, int rows) {
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    for (int c = 0; c < cols; ++c) {
      grid.SetCellText(c, -1, ("H" + std::to_string(c)).c_str());
      for (int r = 0; r < rows; ++r)
        grid.SetCellText(c, r, ("c" + std::to_string(c) + "r" + std::to_string(r)).c_str());
    }
    for (int r = 0; r < rows; ++r)
      grid.SetCellText(-1, r, ("R" + std::to_string(r)).c_str());
  }
  // The texts of a printed page, fills left out.
  std::vector<std::string> Texts(size_t page) {
    std::vector<std::string> texts;
    for (const auto& drawn : testsupport::metafileTexts(pages->m_pages.at(page)))
      if (!drawn.text.empty())
        texts.push_back(drawn.text);
    return texts;
  }
  static bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
};

TEST_F(GridPrinterTest, AGridThatFitsPrintsOnOnePageWithItsHeaders) {
  Fill(3, 4);
  EXPECT_EQ(grid.Print(CGridPrinter::kColHeaders | CGridPrinter::kRowHeaders, 0, 0, 2, 3), 0);
  ASSERT_EQ(pages->m_pages.size(), 1u);
  const auto texts = Texts(0);
  for (const char* text : {"H0", "H2", "R0", "R3", "c0r0", "c2r3"})
    EXPECT_TRUE(Has(texts, text)) << text;
  EXPECT_EQ(pages->m_nDocsStarted, 1);
  EXPECT_EQ(pages->m_nDocsEnded, 1);
  EXPECT_EQ(dialog.m_pd.hDC, nullptr); // the printer's context is gone with the job

  EXPECT_EQ(grid.Print(0, 1, 1, 1, 2), 0); // without headers, a part of the grid
  const auto part = Texts(1);
  EXPECT_FALSE(Has(part, "H1"));
  EXPECT_FALSE(Has(part, "R1"));
  EXPECT_TRUE(Has(part, "c1r1"));
  EXPECT_FALSE(Has(part, "c0r1"));
}

TEST_F(GridPrinterTest, EveryPageRepeatsTheHeadersOfItsBands) {
  Fill(3, 4);
  for (int c = 0; c < 3; ++c)
    grid.SetColWidth(c, printableX * 2 / 3); // one column a page across
  for (int r = 0; r < 4; ++r)
    grid.SetRowHeight(r, printableY * 2 / 5); // two rows a page down
  EXPECT_EQ(grid.Print(CGridPrinter::kColHeaders | CGridPrinter::kRowHeaders, 0, 0, 2, 3), 0);
  ASSERT_EQ(pages->m_pages.size(), 6u);
  for (size_t page = 0; page < 6; ++page) {
    SCOPED_TRACE(page + 1);
    const int col = static_cast<int>(page % 3), firstRow = static_cast<int>(page / 3) * 2;
    const auto texts = Texts(page);
    const std::string c = std::to_string(col);
    for (int r = firstRow; r < firstRow + 2; ++r) {
      EXPECT_TRUE(Has(texts, "R" + std::to_string(r)));
      EXPECT_TRUE(Has(texts, "c" + c + "r" + std::to_string(r)));
    }
    EXPECT_TRUE(Has(texts, "H" + c));
    EXPECT_EQ(texts.size(), 1u + 2u + 2u); // one column header, two row headers, two cells
  }
}

TEST_F(GridPrinterTest, APageRangeIsCutToThePageCount) {
  Fill(3, 2);
  for (int c = 0; c < 3; ++c)
    grid.SetColWidth(c, printableX * 2 / 3);
  dialog.m_pd.Flags |= PD_PAGENUMS;
  dialog.m_pd.nFromPage = 2;
  dialog.m_pd.nToPage = 99;
  EXPECT_EQ(grid.Print(0, 0, 0, 2, 1), 0);
  ASSERT_EQ(pages->m_pages.size(), 2u);
  EXPECT_TRUE(Has(Texts(0), "c1r0"));
  EXPECT_TRUE(Has(Texts(1), "c2r0"));
}

TEST_F(GridPrinterTest, CopiesComeCollatedOrPageByPage) {
  Fill(2, 1);
  grid.SetColWidth(0, printableX * 2 / 3);
  grid.SetColWidth(1, printableX * 2 / 3);
  dialog.m_pd.nCopies = 2;
  struct {
    bool collate;
    std::vector<std::string> order;
  } const cases[] = {{true, {"c0r0", "c1r0", "c0r0", "c1r0"}}, {false, {"c0r0", "c0r0", "c1r0", "c1r0"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.collate);
    dialog.m_pd.Flags = c.collate ? (dialog.m_pd.Flags | PD_COLLATE) : (dialog.m_pd.Flags & ~PD_COLLATE);
    const size_t before = pages->m_pages.size();
    EXPECT_EQ(grid.Print(0, 0, 0, 1, 0), 0);
    ASSERT_EQ(pages->m_pages.size(), before + 4);
    for (size_t i = 0; i < 4; ++i)
      EXPECT_TRUE(Has(Texts(before + i), c.order[i])) << i;
  }
}

TEST_F(GridPrinterTest, ErrorsAreReportedAndThePrinterContextIsAlwaysDeleted) {
  Fill(2, 2);
  struct {
    const char* name;
    bool noPrinter, failStart, failEnd;
    int margin;
    const char* message;
  } const cases[] = {
      {"no printer", true, false, false, 25, "Print Error"},
      {"no room inside the margins", false, false, false, 2000, "Print Error"},
      {"the document cannot start", false, true, false, 25, "Print Error"},
      {"the document cannot end", false, false, true, 25, "Print Error2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    pages->m_bNoPrinter = c.noPrinter;
    pages->m_bFailStart = c.failStart;
    pages->m_bFailEnd = c.failEnd;
    CGridPrinter& printer = grid.GetPrinter();
    printer.m_nLeftMargin = printer.m_nRightMargin = printer.m_nTopMargin = printer.m_nBottomMargin =
        c.margin;
    ModalAnswerer answerer;
    answerer.answer(c.message, IDOK);
    EXPECT_EQ(grid.Print(0, 0, 0, 1, 1), 1);
    ASSERT_EQ(answerer.seen().size(), 1u) << answerer.describeSeen();
    EXPECT_EQ(answerer.seen()[0].caption, "Error");
    EXPECT_EQ(answerer.seen()[0].text, c.message);
    EXPECT_EQ(dialog.m_pd.hDC, nullptr);
  }
  EXPECT_EQ(pages->m_nDocsEnded, 0);
}

TEST_F(GridPrinterTest, RangesOutsideTheGridAreRefusedAndAnEmptyGridPrintsNothing) {
  Fill(2, 2);
  EXPECT_EQ(grid.Print(0, 0, 0, 2, 1), 1);
  EXPECT_EQ(grid.Print(0, 0, 0, 1, 2), 1);
  EXPECT_EQ(grid.Print(0, -1, 0, 1, 1), 1);
  EXPECT_EQ(grid.Print(0, 1, 0, 0, 1), 1);
  grid.SetRowCount(0);
  EXPECT_EQ(grid.Print(0, 0, 0, 1, 1), 0);
  EXPECT_EQ(pages->m_nDocsStarted, 0);
  EXPECT_TRUE(pages->m_pages.empty());
}

// A print dialog that chose a printer (here the display, the one device there is) with copies and
// collation in its device mode, as the common dialog leaves them with PD_USEDEVMODECOPIES.
struct DeviceModeDialog : CPrintDialog {
  DeviceModeDialog(short copies, bool collate) : CPrintDialog(FALSE) {
    const char driver[] = "DISPLAY";
    const size_t size = sizeof(DEVNAMES) + 2 * sizeof driver + 1;
    m_pd.hDevNames = GlobalAlloc(GHND, size);
    auto* names = static_cast<DEVNAMES*>(GlobalLock(m_pd.hDevNames));
    char* base = reinterpret_cast<char*>(names);
    names->wDriverOffset = sizeof(DEVNAMES);
    names->wDeviceOffset = static_cast<WORD>(sizeof(DEVNAMES) + sizeof driver);
    names->wOutputOffset = static_cast<WORD>(sizeof(DEVNAMES) + 2 * sizeof driver);
    lstrcpyA(base + names->wDriverOffset, driver);
    lstrcpyA(base + names->wDeviceOffset, driver);
    GlobalUnlock(m_pd.hDevNames);
    m_pd.hDevMode = GlobalAlloc(GHND, sizeof(DEVMODEA));
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(m_pd.hDevMode));
    mode->dmSize = sizeof(DEVMODEA);
    mode->dmFields = DM_COPIES | DM_COLLATE;
    mode->dmCopies = copies;
    mode->dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    GlobalUnlock(m_pd.hDevMode);
  }
  short Copies() {
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(m_pd.hDevMode));
    const short copies = mode->dmCopies;
    GlobalUnlock(m_pd.hDevMode);
    return copies;
  }
};

// The device printer's own context, with pages recorded instead of printed.
struct DevicePages : CGridMetafilePages {
  HDC CreatePrinterDC(CPrintDialog& dialog) override { return CGridDevicePrinter().CreatePrinterDC(dialog); }
};

TEST_F(GridPrinterTest, EveryJobOnTheDialogTakesCopiesAndCollationFromItsDeviceMode) {
  Fill(2, 1);
  grid.SetColWidth(0, printableX * 2 / 3);
  grid.SetColWidth(1, printableX * 2 / 3);
  auto* device = new DevicePages;
  grid.GetPrinter().SetTarget(std::unique_ptr<CGridPrintTarget>(device));
  struct {
    bool collate;
    std::vector<std::string> order;
  } const cases[] = {{true, {"c0r0", "c1r0", "c0r0", "c1r0"}}, {false, {"c0r0", "c0r0", "c1r0", "c1r0"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.collate);
    DeviceModeDialog chosen(2, c.collate);
    grid.SetPrintDialog(&chosen);
    for (int job = 1; job <= 2; ++job) { // the same dialog, printed twice
      SCOPED_TRACE(job);
      const size_t before = device->m_pages.size();
      ASSERT_EQ(grid.Print(0, 0, 0, 1, 0), 0);
      ASSERT_EQ(device->m_pages.size(), before + 4);
      for (size_t i = 0; i < 4; ++i) {
        const auto texts = testsupport::metafileTexts(device->m_pages[before + i]);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const auto& t) {
          return t.text == c.order[i];
        })) << i;
      }
      EXPECT_EQ(chosen.Copies(), 2); // as the user chose them, for the dialog shown next
      EXPECT_EQ(chosen.m_pd.hDC, nullptr);
    }
    grid.SetPrintDialog(&dialog);
  }
}

// What a page's lines and clipping look like, read back from its metafile.
struct PageDrawing {
  struct Line {
    POINT from, to;
    COLORREF colour;
  };
  std::vector<Line> lines;
  std::vector<RECT> clips;

  static PageDrawing Of(HENHMETAFILE page) {
    PageDrawing drawing;
    EnumEnhMetaFile(nullptr, page, Record, &drawing, nullptr);
    return drawing;
  }
  // Horizontal lines at `y` in `colour` that cover x0..x1.
  bool HasRow(int y, int x0, int x1, COLORREF colour = RGB(0, 0, 0)) const {
    return std::any_of(lines.begin(), lines.end(), [&](const Line& l) {
      return l.from.y == y && l.to.y == y && l.colour == colour && std::min(l.from.x, l.to.x) <= x0 &&
             std::max(l.from.x, l.to.x) >= x1;
    });
  }
  bool HasColumn(int x, int y0, int y1, COLORREF colour = RGB(0, 0, 0)) const {
    return std::any_of(lines.begin(), lines.end(), [&](const Line& l) {
      return l.from.x == x && l.to.x == x && l.colour == colour && std::min(l.from.y, l.to.y) <= y0 &&
             std::max(l.from.y, l.to.y) >= y1;
    });
  }
  int Count(COLORREF colour) const {
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&](const Line& l) { return l.colour == colour; }));
  }

private:
  static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto* drawing = reinterpret_cast<PageDrawing*>(data);
    switch (record->iType) {
    case EMR_CREATEPEN: {
      const auto* pen = reinterpret_cast<const EMRCREATEPEN*>(record);
      drawing->pens_[pen->ihPen] = pen->lopn.lopnColor;
      break;
    }
    case EMR_SELECTOBJECT: {
      const DWORD object = reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject;
      if (object == (0x80000000u | BLACK_PEN))
        drawing->pen_ = RGB(0, 0, 0);
      else if (object == (0x80000000u | WHITE_PEN))
        drawing->pen_ = RGB(255, 255, 255);
      else if (drawing->pens_.count(object))
        drawing->pen_ = drawing->pens_[object];
      break;
    }
    case EMR_MOVETOEX: {
      const POINTL at = reinterpret_cast<const EMRMOVETOEX*>(record)->ptl;
      drawing->at_ = {at.x, at.y};
      break;
    }
    case EMR_LINETO: {
      const POINTL to = reinterpret_cast<const EMRLINETO*>(record)->ptl;
      drawing->lines.push_back({drawing->at_, {to.x, to.y}, drawing->pen_});
      drawing->at_ = {to.x, to.y};
      break;
    }
    case EMR_DELETEOBJECT: // the slot may hold a brush or a font next
      drawing->pens_.erase(reinterpret_cast<const EMRDELETEOBJECT*>(record)->ihObject);
      break;
    case EMR_INTERSECTCLIPRECT: {
      const RECTL clip = reinterpret_cast<const EMRINTERSECTCLIPRECT*>(record)->rclClip;
      drawing->clips.push_back({clip.left, clip.top, clip.right, clip.bottom});
      break;
    }
    default:
      break;
    }
    return 1;
  }
  std::map<DWORD, COLORREF> pens_;
  COLORREF pen_ = RGB(0, 0, 0);
  POINT at_{};
};

// Pages of a printer at 300 dots an inch on A4 paper (210 x 297 mm): 2480 x 3508 pixels, so that what
// the screen shows is scaled by about three. The default margins of 25 mm are 295 pixels on each side.
struct GridPrinterGeometryTest : GridPrinterTest {
  const int left = 295, top = 295, right = 2480 - 295, bottom = 3508 - 295;
  double screenMmX = 0, screenMmY = 0; // millimetres per screen pixel

  GridPrinterGeometryTest() {
    pages->SetPage(2480, 3508, 210, 297);
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    screenMmX = static_cast<double>(GetDeviceCaps(screen, HORZSIZE)) / GetDeviceCaps(screen, HORZRES);
    screenMmY = static_cast<double>(GetDeviceCaps(screen, VERTSIZE)) / GetDeviceCaps(screen, VERTRES);
    DeleteDC(screen);
  }
  // Where a distance in screen pixels from the page's top left lands on paper, in printer pixels: the
  // same length in millimetres, after the margin.
  double PaperX(int screenPixels) const { return (25 + screenPixels * screenMmX) * 2480 / 210; }
  double PaperY(int screenPixels) const { return (25 + screenPixels * screenMmY) * 3508 / 297; }
  // The horizontal line nearest to `y` that covers x0..x1.
  static int NearestRow(const PageDrawing& page, double y, int x0, int x1) {
    int best = -1000000;
    for (const auto& l : page.lines)
      if (l.from.y == l.to.y && std::min(l.from.x, l.to.x) <= x0 && std::max(l.from.x, l.to.x) >= x1 &&
          std::abs(l.from.y - y) < std::abs(best - y))
        best = l.from.y;
    return best;
  }
};

TEST_F(GridPrinterGeometryTest, APageAtThreeHundredDotsKeepsTheScreensMillimetres) {
  const int rows = static_cast<int>((297 - 50) / screenMmY - 20) / 20; // as many as one page holds
  Fill(2, rows);
  ASSERT_EQ(grid.Print(CGridPrinter::kColHeaders, 0, 0, 1, rows - 1), 0);
  ASSERT_EQ(pages->m_pages.size(), 1u);
  const PageDrawing page = PageDrawing::Of(pages->m_pages[0]);
  ASSERT_EQ(page.clips.size(), 1u);
  EXPECT_EQ(CRect(page.clips[0]), CRect(left, top, right, bottom)); // nothing reaches into the margins
  // Each row's bottom line stands where its distance from the top puts it, down to the last row.
  const int x0 = left + 10, x1 = static_cast<int>(PaperX(100)) - 10; // inside the first column
  for (int row = 0; row < rows; ++row) {
    const double expected = PaperY(20 + 20 * (row + 1)) - 1;
    EXPECT_NEAR(NearestRow(page, expected, x0, x1), expected, 1.0) << "row " << row;
  }
  // The outer border round the cells, on the paper.
  const int borderBottom = NearestRow(page, PaperY(20 + 20 * rows), left, x1);
  EXPECT_NEAR(borderBottom, PaperY(20 + 20 * rows), 1.0);
  EXPECT_TRUE(page.HasColumn(left, top, borderBottom));
  // The header cells' raised edges print as single black lines: none white, a black line below them.
  EXPECT_EQ(page.Count(RGB(255, 255, 255)), 0);
  EXPECT_TRUE(page.HasRow(NearestRow(page, PaperY(20) - 1, x0, x1), x0, x1));
  EXPECT_NEAR(NearestRow(page, PaperY(20) - 1, x0, x1), PaperY(20) - 1, 1.0);
}

TEST_F(GridPrinterGeometryTest, AColumnWiderThanThePageIsCutAtTheMarginWithTheBorderOnThePaper) {
  Fill(2, 3);
  grid.SetColWidth(0, 5000);
  ASSERT_EQ(grid.Print(0, 0, 0, 1, 2), 0);
  ASSERT_EQ(pages->m_pages.size(), 2u); // the wide column has a page of its own
  const PageDrawing page = PageDrawing::Of(pages->m_pages[0]);
  ASSERT_EQ(page.clips.size(), 1u);
  EXPECT_EQ(CRect(page.clips[0]), CRect(left, top, right, bottom));
  const int borderBottom = NearestRow(page, PaperY(60), left, right);
  EXPECT_TRUE(page.HasColumn(right, top, borderBottom)); // the right border at the margin
  EXPECT_TRUE(page.HasRow(top, left, right));
  for (const auto& l : page.lines) {
    if (l.from.y == top && l.to.y == top) { // the border's top runs no further than the margin
      EXPECT_LE(std::max(l.from.x, l.to.x), right);
    }
  }
}

// Metafile pages that write down which dialog each job took its printer from.
struct DialogRecordingPages : CGridMetafilePages {
  std::vector<const CPrintDialog*> dialogs;
  HDC CreatePrinterDC(CPrintDialog& dialog) override {
    dialogs.push_back(&dialog);
    return CGridMetafilePages::CreatePrinterDC(dialog);
  }
};

TEST(GridPrinterOwnDialogTest, WithoutACallersDialogTheGridMakesItsOwn) {
  GridHost<RecordingGrid> host;
  auto* pages = new DialogRecordingPages;
  host.grid.GetPrinter().SetTarget(std::unique_ptr<CGridPrintTarget>(pages));
  host.grid.SetColCount(1);
  host.grid.SetRowCount(1);
  host.grid.SetCellText(0, 0, "alone");
  EXPECT_EQ(host.grid.Print(0, 0, 0, 0, 0), 0);
  EXPECT_EQ(host.grid.Print(0, 0, 0, 0, 0), 0);
  ASSERT_EQ(pages->dialogs.size(), 2u);
  ASSERT_NE(pages->dialogs[0], nullptr);
  EXPECT_EQ(pages->dialogs[1], pages->dialogs[0]) << "the grid keeps the dialog it made";
  EXPECT_EQ(pages->m_pages.size(), 2u);

  CPrintDialog callers{FALSE};
  host.grid.SetPrintDialog(&callers);
  EXPECT_EQ(host.grid.Print(0, 0, 0, 0, 0), 0);
  ASSERT_EQ(pages->dialogs.size(), 3u);
  EXPECT_EQ(pages->dialogs[2], &callers) << "a caller's dialog goes before the grid's own";
}

} // namespace
