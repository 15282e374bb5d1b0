#include <lookup/TWinPlace.h>

#include <formlib/TApplication.h>
#include <formlib/TForm.h>

#include <tests/support/MessagePump.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <memory>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

struct WinPlaceTest : ::testing::Test {
  WinPlaceTest() {
    form->SetName("frmArea");
    place = new TWinPlace(form.get());
    place->SetIniFileName(dir.file("pellawin.ini"));
    place->SetSection("frmArea");
  }
  ~WinPlaceTest() override {
    form.reset();
    pumpMessages();
  }
  RECT normalRect() const {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(form->Handle(), &wp);
    return wp.rcNormalPosition;
  }
  void store(const std::string& value) {
    writeFile(dir.file("pellawin.ini"), "[frmArea]\r\nfrmArea=" + value + "\r\n");
  }

  TempDir dir;
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TWinPlace* place;
};

TEST_F(WinPlaceTest, DefaultsNameTheProgramAndTheOwner) {
  TWinPlace fresh(form.get());
  EXPECT_EQ(fresh.IniFileName(), "WinPlace.INI");
  EXPECT_EQ(fresh.Section(), Application->ExeName());
  EXPECT_EQ(fresh.Identifier(), "frmArea");
  EXPECT_EQ(fresh.Delimiter(), " ");
}

TEST_F(WinPlaceTest, SavesTenNumbersEachFollowedByTheDelimiter) {
  form->SetBounds(199, 94, 540, 374);
  form->Show();
  place->SavePlacement();
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(form->Handle(), &wp);
  char expected[200];
  wsprintfA(expected, "[frmArea]\r\nfrmArea=%d 1 %d %d %d %d 199 94 739 468 \r\n", wp.flags,
            wp.ptMinPosition.x, wp.ptMinPosition.y, wp.ptMaxPosition.x, wp.ptMaxPosition.y);
  EXPECT_EQ(readFile(dir.file("pellawin.ini")), expected);
}

TEST_F(WinPlaceTest, RestoresWhatItReadsAndIgnoresWhatItCannotUse) {
  form->SetBounds(10, 20, 300, 200);
  struct Case {
    const char* stored;
    RECT expected;
  } cases[] = {
      {"0 1 -1 -1 -1 -1 199 94 739 468 ", {199, 94, 739, 468}},
      {"", {10, 20, 310, 220}},                                // nothing stored
      {"0 1 -1 -1 -1 -1 500 94 400 468 ", {10, 20, 310, 220}}, // right not beyond left
      {"0 1 -1 -1 -1 -1 100 x 400 300 ", {100, 0, 400, 300}},  // a bad number is its field's default
      {"0,1,-1,-1", {10, 20, 310, 220}},                       // no delimiter: every field reads "0,1,-1,-1"
  };
  for (const Case& c : cases) {
    store(c.stored);
    place->RestorePlacement();
    RECT got = normalRect();
    EXPECT_TRUE(EqualRect(&got, &c.expected)) << "stored \"" << c.stored << "\" gave " << got.left << ","
                                              << got.top << "," << got.right << "," << got.bottom;
    form->SetBounds(10, 20, 300, 200);
  }
}

TEST_F(WinPlaceTest, HiddenShowCommandShowsTheWindowNormally) {
  store("0 0 -1 -1 -1 -1 100 100 400 300 ");
  place->RestorePlacement();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

} // namespace
