#include <lookup/TfrmTimeZones.h>

#include <clock/Clock.h>
#include <formlib/TApplication.h>
#include <lookup/CityTable.h>
#include <wincore/MessageLoop.h>

#include <lookup/tests/HelpPanels.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RealInput.h>
#include <tests/support/SentInput.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

constexpr int kBahamas = 83;
constexpr int kBahrain = 84;
constexpr int kBangladesh = 85;
constexpr int kBurundi = 161;
constexpr int kIceland = 651;

// The window of a program living in a temporary folder, on 15 July 2026 at 12:00 (Washington on summer
// time).
struct TimeZonesTest : ::testing::Test {
  TimeZonesTest() {
    Application->Initialize();
    Application->SetExeName(dir.file("pellawin.exe"));
  }
  ~TimeZonesTest() override {
    Application->SetExeName(exeName);
    form.reset();
    pumpMessages();
  }
  TfrmTimeZones& open() {
    form = std::make_unique<TfrmTimeZones>(nullptr);
    form->Show();
    pumpMessages();
    return *form;
  }
  std::string ini() const { return readFile(dir.file("pellawin.ini")); }
  // What a time cell shows for 15 July 2026, a Wednesday, at the hour given, in the user's locale.
  static std::string july15At(int hour) {
    SYSTEMTIME time{2026, 7, 3, 15, static_cast<WORD>(hour), 0, 0, 0};
    char day[16] = "", clock[32] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "ddd", day, sizeof day);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, sizeof clock);
    return std::string(day) + " " + clock;
  }

  std::string exeName = Application->ExeName();
  platform::ClockOverride clock{2026, 7, 15, 12, 0};
  TempDir dir;
  std::unique_ptr<TfrmTimeZones> form;
};

TEST_F(TimeZonesTest, FirstShowListsTheDefaultLocalCityAndFillsOnlyTheRowsOnScreen) {
  TfrmTimeZones& w = open();
  EXPECT_EQ(w.grid->TopRow(), kDefaultLocalRow);
  EXPECT_EQ(w.grid->Row(), kDefaultLocalRow);
  EXPECT_EQ(w.grid->Cell(0, 0), "Country");
  EXPECT_EQ(w.grid->Cell(4, 0), "City code");
  EXPECT_EQ(w.grid->Cell(0, 1529), "United States*");
  EXPECT_EQ(w.grid->Cell(1, 1529), "Washington EASTERN");
  EXPECT_EQ(w.grid->Cell(2, 1529), july15At(12) + "**");
  EXPECT_EQ(w.grid->Cell(3, 1529), "1");
  int last = 1529 + w.grid->VisibleRowCount();
  EXPECT_EQ(w.grid->Cell(0, last), City(last).Country) << "one row beyond the visible ones";
  EXPECT_EQ(w.grid->Cell(0, last + 1), "");
  EXPECT_EQ(w.grid->Cell(0, 1528), "");
  EXPECT_EQ(w.bar->SimpleText(), "Local time : United States* Washington EASTERN Time: " + july15At(12));
  EXPECT_EQ(w.ActiveControl(), w.grid);
}

TEST_F(TimeZonesTest, VisibleRowsArePaintedWithTheirTimes) {
  TfrmTimeZones& w = open();
  w.grid->SetTopRow(kIceland);
  MemoryDib dib(w.grid->ClientWidth(), w.grid->ClientHeight());
  paintClient(w.grid->Handle(), dib);
  // Each filled row put dark text into the time column; the selected row is highlighted.
  for (int i = 0; i < w.grid->VisibleRowCount(); ++i) {
    int y = (1 + i) * 22;
    RECT timeCell{167 + 118 + 2 + 2, y + 2, 167 + 118 + 84, y + 21};
    EXPECT_GT(dib.count(RGB(0, 0, 0), timeCell), 5) << "row " << kIceland + i;
  }
  EXPECT_EQ(w.grid->Cell(2, kIceland), july15At(16)) << "Washington's summer noon is 16:00 in Iceland";
}

TEST_F(TimeZonesTest, LetterKeysJumpToTheNextCountryOfThatLetterAndWrap) {
  TfrmTimeZones& w = open();
  w.grid->SetRow(kBahamas);
  typeText(w.grid->Handle(), "b");
  EXPECT_EQ(w.grid->Row(), kBahrain);
  EXPECT_EQ(w.TabSet1->TabIndex(), 1);
  typeText(w.grid->Handle(), "B");
  EXPECT_EQ(w.grid->Row(), kBangladesh);
  EXPECT_EQ(w.grid->TopRow(), kBangladesh);
  w.grid->SetRow(kBurundi);
  typeText(w.grid->Handle(), "b");
  EXPECT_EQ(w.grid->Row(), kBahamas) << "after the last B country comes the first";
  typeText(w.grid->Handle(), "x");
  EXPECT_EQ(w.TabSet1->TabIndex(), 23);
  EXPECT_EQ(w.grid->Row(), kBahamas) << "no country begins with X";
  typeText(w.grid->Handle(), "1");
  EXPECT_EQ(w.TabSet1->TabIndex(), 23);
  // Clicking a tab jumps too.
  RECT tabC = w.TabSet1->TabRect(2);
  click(w.TabSet1->Handle(), (tabC.left + tabC.right) / 2, 10);
  EXPECT_STREQ(City(w.grid->Row()).Country, "Cambodia");
  EXPECT_EQ(w.grid->Cell(0, w.grid->Row()), "Cambodia") << "the jump redrew the rows";
}

TEST_F(TimeZonesTest, ScrollingToTheEndFillsRowsUpToTheLastCity) {
  TfrmTimeZones& w = open();
  SendMessageA(w.grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(w.grid->TopRow(), kCityCount + 1 - w.grid->VisibleRowCount());
  EXPECT_EQ(w.grid->Cell(0, kCityCount), "Zimbabwe");
  EXPECT_EQ(w.grid->Cell(4, kCityCount), "20");
  EXPECT_EQ(w.grid->Cell(2, kCityCount), july15At(18)) << "UTC+2, no summer time";
}

TEST_F(TimeZonesTest, TimerRefreshesTheRowsWithTheClock) {
  TfrmTimeZones& w = open();
  std::string before = w.grid->Cell(2, 1529);
  platform::Clock::advanceSeconds(3600);
  EXPECT_EQ(w.grid->Cell(2, 1529), before);
  SendMessageA(w.Timer1->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(w.grid->Cell(2, 1529), july15At(13) + "**");
  EXPECT_NE(w.grid->Cell(2, 1529), before);
  EXPECT_EQ(w.Timer1->Interval(), 30000u);
}

TEST_F(TimeZonesTest, ShowingAgainRedrawsAtOnce) {
  TfrmTimeZones& w = open();
  w.Close();
  platform::Clock::advanceSeconds(2 * 3600);
  w.Show();
  EXPECT_EQ(w.grid->Cell(2, 1529), july15At(14) + "**");
}

TEST_F(TimeZonesTest, SetLocalAreaAsksThenStoresTheRow) {
  TfrmTimeZones& w = open();
  w.grid->SetRow(kIceland);
  ModalAnswerer answerer;
  answerer.answer("Really change your area to \"Iceland Akureyri\"?", IDNO);
  click(w.sbSet->Handle(), 5, 5);
  EXPECT_EQ(w.LocalRow(), kDefaultLocalRow);
  EXPECT_EQ(ini(), "");

  answerer.answer("Really change your area to \"Iceland Akureyri\"?", IDYES);
  click(w.sbSet->Handle(), 5, 5);
  EXPECT_EQ(w.LocalRow(), kIceland);
  EXPECT_EQ(ini(), "[timezone]\r\nLocal=651\r\n");
  EXPECT_EQ(w.bar->SimpleText(), "Local time : Iceland Akureyri Time: " + july15At(12));
  // The computer's clock is now Iceland's, no longer Washington's summer time four hours behind it.
  EXPECT_EQ(w.grid->Cell(2, kIceland), july15At(12));
  // The row that is already local asks nothing (an unexpected box would fail the test).
  click(w.sbSet->Handle(), 5, 5);
  EXPECT_EQ(answerer.seen().size(), 2u);
}

TEST_F(TimeZonesTest, StoredRowsOutsideTheTableAreKeptInside) {
  struct Case {
    const char* local;
    const char* lastIndex;
    int localRow;
    int topRow; // 0: the last screenful
  } cases[] = {
      {"651", "700", 651, 700}, {"0", "0", 1529, 1},      {"1585", "99999", 1529, 0},
      {"abc", "-5", 1529, 1},   {"0x10", "0x10", 16, 16}, {"-1", "1584", 1529, 0},
  };
  for (const Case& c : cases) {
    writeFile(dir.file("pellawin.ini"),
              std::string("[timezone]\r\nLocal=") + c.local + "\r\nLastIndex=" + c.lastIndex + "\r\n");
    TfrmTimeZones& w = open();
    int expectedTop = c.topRow ? c.topRow : kCityCount + 1 - w.grid->VisibleRowCount();
    EXPECT_EQ(w.LocalRow(), c.localRow) << c.local;
    EXPECT_EQ(w.grid->TopRow(), expectedTop) << c.lastIndex;
    EXPECT_EQ(w.grid->Row(), expectedTop) << c.lastIndex;
    EXPECT_EQ(w.grid->Cell(1, expectedTop), City(expectedTop).City);
  }
}

TEST_F(TimeZonesTest, CloseSavesPlacementUnderTheProgramPathAndTheTopRow) {
  TfrmTimeZones& w = open();
  w.grid->SetTopRow(1000);
  click(w.btClose->Handle(), 5, 5);
  EXPECT_FALSE(w.Visible());
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(w.Handle(), &wp);
  // The profile writer drops the value's final blank when it rewrites the file for the second key.
  char placement[128];
  wsprintfA(placement, "%u %u %d %d %d %d %d %d %d %d", wp.flags, wp.showCmd, wp.ptMinPosition.x,
            wp.ptMinPosition.y, wp.ptMaxPosition.x, wp.ptMaxPosition.y, wp.rcNormalPosition.left,
            wp.rcNormalPosition.top, wp.rcNormalPosition.right, wp.rcNormalPosition.bottom);
  EXPECT_EQ(ini(), "[" + dir.file("pellawin.exe") + "]\r\nfrmTimeZones=" + placement +
                       "\r\n[timezone]\r\nLastIndex=1000\r\n");

  // Shown again, it comes back where it was.
  w.Show();
  EXPECT_EQ(w.grid->TopRow(), 1000);
}

TEST_F(TimeZonesTest, FailedSettingsWriteOnCloseIsReportedOnceAndTheWindowCloses) {
  Application->SetExeName(dir.file("gone\\pellawin.exe"));
  TfrmTimeZones& w = open();
  ModalAnswerer answerer;
  answerer.answer("Unable to write to " + dir.file("gone\\pellawin.ini"), IDOK);
  click(w.btClose->Handle(), 5, 5);
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(answerer.seen().size(), 1u) << answerer.describeSeen();

  // A local area that cannot be stored stays as it was.
  w.Show();
  w.grid->SetRow(kIceland);
  answerer.answer("Really change your area to", IDYES);
  answerer.answer("Unable to write to " + dir.file("gone\\pellawin.ini"), IDOK);
  click(w.sbSet->Handle(), 5, 5);
  EXPECT_EQ(w.LocalRow(), kDefaultLocalRow);
  EXPECT_EQ(answerer.seen().size(), 3u) << answerer.describeSeen();
}

TEST_F(TimeZonesTest, HelpShowsTheWorldTimePanel) {
  TfrmTimeZones& w = open();
  EXPECT_EQ(pellawintest::HelpPanelsShownBy(w.btHelp->Handle()), "100");
  EXPECT_TRUE(w.Visible());
}

TEST_F(TimeZonesTest, ANarrowWindowScrollsItsColumnsAcross) {
  TfrmTimeZones& w = open();
  w.SetWidth(300);
  SendMessageA(w.grid->Handle(), WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(w.grid->LeftCol(), 2) << "the time and both code columns fit in the narrow window";
  SendMessageA(w.grid->Handle(), WM_HSCROLL, SB_LEFT, 0);
  EXPECT_EQ(w.grid->LeftCol(), 0);
}

TEST_F(TimeZonesTest, ButtonsStayRightAlignedWhenResized) {
  TfrmTimeZones& w = open();
  w.SetWidth(700);
  EXPECT_EQ(w.btClose->Left(), w.Panel2->Width() - 75 - 5);
  EXPECT_EQ(w.btHelp->Left(), w.btClose->Left() - 75 - 5);
  EXPECT_EQ(w.sbSet->Left(), w.btHelp->Left() - 97 - 5);
  EXPECT_EQ(w.Panel2->Height(), 79);
}

// A user at the world-time window who clicks its letter tabs and types letters, with the program's own
// loop running.
struct TimeZonesByUser : TimeZonesTest {
  void clickTab(char letter) {
    RECT tab = form->TabSet1->TabRect(letter - 'A');
    realinput::click(form->TabSet1->Handle(), POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
  }
  // The letters typed until the selected row is `row`.
  bool typeUntilRow(const std::string& letters, int row) {
    return realinput::sendThroughLoop(realinput::keysOf(letters), wincore::runModalLoop,
                                      [&] { return form->grid->Row() == row; });
  }
};

TEST_F(TimeZonesByUser, LetterTabsAndTypedLettersJumpToTheNextCountryOfTheLetter) {
  TfrmTimeZones& w = open();
  clickTab('C');
  EXPECT_EQ(w.grid->Cell(0, w.grid->Row()), "Cambodia") << "the jump redrew the rows";
  EXPECT_EQ(w.grid->TopRow(), w.grid->Row());
  struct Step {
    const char* typed;
    int row;
    int tab;
  } steps[] = {{"b", kBahamas, 1}, {"b", kBahrain, 1}, {"B", kBangladesh, 1}, {"i", kIceland, 8}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.typed);
    EXPECT_TRUE(typeUntilRow(step.typed, step.row)) << "row " << w.grid->Row();
    EXPECT_EQ(w.TabSet1->TabIndex(), step.tab);
  }
  clickTab('B');
  EXPECT_EQ(w.grid->Row(), kBahamas) << "from Iceland the B tab wraps round to the first B country";
}

// The question's default button is Yes: changing the local area loses nothing that cannot be set again.
TEST_F(TimeZonesByUser, EnterOnTheSetLocalAreaQuestionMakesTheSelectedCityLocal) {
  TfrmTimeZones& w = open();
  clickTab('I');
  ASSERT_EQ(w.grid->Row(), kIceland);
  ModalAnswerer answerer;
  answerer.enterOn("Really change your area to \"Iceland Akureyri\"?");
  realinput::click(GetParent(w.sbSet->Handle()), realinput::centreOf(w.sbSet->Handle()));
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
  EXPECT_EQ(w.LocalRow(), kIceland);
  EXPECT_EQ(ini(), "[timezone]\r\nLocal=651\r\n");
  EXPECT_EQ(w.bar->SimpleText(), "Local time : Iceland Akureyri Time: " + july15At(12));
}

} // namespace
