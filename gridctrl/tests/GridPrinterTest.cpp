#include "RecordingGrid.h"

#include "GridPrinter.h"
#include "MetafileText.h"
#include "ModalAnswerer.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(GridPrinterOwnDialogTest, WithoutACallersDialogTheGridMakesItsOwn) {
  GridHost<RecordingGrid> host;
  auto* pages = new CGridMetafilePages;
  host.grid.GetPrinter().SetTarget(std::unique_ptr<CGridPrintTarget>(pages));
  host.grid.SetColCount(1);
  host.grid.SetRowCount(1);
  host.grid.SetCellText(0, 0, "alone");
  EXPECT_EQ(host.grid.Print(0, 0, 0, 0, 0), 0);
  EXPECT_EQ(pages->m_pages.size(), 1u);
}

} // namespace
