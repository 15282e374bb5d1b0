#include <calendar2/tests/PloveraFixture.h>

#include <calendar2/EventGridLayout.h>
#include <calendar2/EventTypes.h>

#include <formsrt/Colour.h>
#include <formsrt/Settings.h>
#include <formsrt/Window.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/SentInput.h>

#include <commctrl.h>

#include <functional>
#include <map>

using namespace plovera;
using namespace testsupport;

namespace {

const std::vector<std::string> kEvents = {"12/25|Christmas||04", "01/01|New Year||04", "02/14|Valentine||01",
                                          "03/20|Spring||99"};
const int kNewYearRow = 2;   // a Holiday row
const int kValentineRow = 4; // an Anniversary row

const char* const kWrittenKeys[] = {"Confirm", "FontBold", "FontItalic", "FontName", "FontSize", "Grid",
                                    "CB01",    "CF01",     "CB02",       "CF02",     "CB03",     "CF03",
                                    "CB04",    "CF04",     "CB05",       "CF05",     "CB99",     "CF99",
                                    "WDate",   "WEvent",   "WYear",      "WType"};
const char kMissing[] = "<missing>";

std::string stored(const char* key) { return formsrt::GetSetting("Harnfield", "Plovera", key, kMissing); }

std::map<std::string, std::string> storedSettings() {
  std::map<std::string, std::string> values;
  for (const char* key : kWrittenKeys)
    if (stored(key) != kMissing)
      values[key] = stored(key);
  if (stored("WSeq") != kMissing)
    values["WSeq"] = stored("WSeq");
  return values;
}

// Chooses a tab the way a user's click on it does.
void clickTab(formsrt::TabStrip& tabs, int index) {
  RECT item;
  SendMessageA(tabs.hwnd(), TCM_GETITEMRECT, index - 1, reinterpret_cast<LPARAM>(&item));
  click(tabs.hwnd(), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

// What a user does on the settings form, run once it is active: the answerer acts as the form is being
// activated, before the form has filled its controls from the settings.
std::function<void()> t_onceActive;

void CALLBACK runOnceActive(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto use = std::move(t_onceActive);
  t_onceActive = nullptr;
  if (use)
    use();
}

class SettingsFormTest : public PloveraTest {
protected:
  // Opens the settings form through the Settings command; `use` plays the user on the shown form and
  // must post whatever closes it.
  void useSettings(std::function<void(Form9&)> use) {
    answers_.act("Settings", [this, use](HWND) {
      t_onceActive = [this, use] { use(form_->settingsForm()); };
      SetTimer(nullptr, 0, 10, runOnceActive);
    });
    form_->mnuSettings.Click();
  }
  // The settings form is answered once per window: a fresh one for the next use.
  void freshSettingsForm() { form_->settingsForm().Unload(); }
};

TEST_F(SettingsFormTest, OkWritesTheEditedSettingsAndRestylesTheGrid) {
  auto& form = start(kEvents);
  ASSERT_TRUE(form.mnuSettings.Enabled());
  form.Grid0.setRow(kValentineRow);
  useSettings([](Form9& dialog) {
    EXPECT_EQ(dialog.cmbFontName.Text(), "MS Sans Serif") << "filled from the settings";
    EXPECT_EQ(dialog.txtWEvent.Text(), "2800");
    EXPECT_EQ(dialog.cmbCB04.ListIndex(), 16);
    EXPECT_EQ(dialog.cmbCB04.List(5), "Magent");
    EXPECT_EQ(dialog.cmbCB04.ListCount(), 17);
    dialog.rbConfirm_No.setValue(true);
    dialog.rbGrid_No.setValue(true);
    dialog.chkFontBold.setValue(1);
    dialog.chkFontItalic.setValue(2); // greyed is not checked
    dialog.cmbFontName.setText("Arial");
    dialog.txtFontSize.setText(" 1 0abc");
    dialog.txtWDate.setText("900");
    dialog.txtWEvent.setText("2500.5");
    dialog.txtWYear.setText("abc");
    dialog.txtWType.setText("700");
    clickTab(dialog.TabStrip1, 2);
    dialog.cmbCB04.setListIndex(4);
    dialog.cmbCF04.setListIndex(15);
    dialog.cmbCB01.setListIndex(0);
    PostMessageA(dialog.bOk.hwnd(), BM_CLICK, 0, 0);
  });

  const std::map<std::string, std::string> expected = {
      {"Confirm", "N"}, {"FontBold", "Y"}, {"FontItalic", "N"}, {"FontName", "Arial"}, {"FontSize", "10"},
      {"Grid", "N"},    {"CB01", "0"},     {"CF01", "16"},      {"CB02", "16"},        {"CF02", "16"},
      {"CB03", "16"},   {"CF03", "16"},    {"CB04", "4"},       {"CF04", "15"},        {"CB05", "16"},
      {"CF05", "16"},   {"CB99", "16"},    {"CF99", "16"},      {"WDate", "900"},      {"WEvent", "2500"},
      {"WYear", "0"},   {"WType", "700"}};
  EXPECT_EQ(storedSettings(), expected) << "22 values, never WSeq";
  EXPECT_FALSE(form.settingsForm().Visible());
  EXPECT_EQ(form.Settings.Confirm, 'N');

  EXPECT_EQ(form.Grid0.GridLines, 0);
  EXPECT_EQ(form.Grid0.FontName, "Arial");
  EXPECT_TRUE(form.Grid0.FontBold);
  EXPECT_FALSE(form.Grid0.FontItalic);
  EXPECT_EQ(form.Grid0.ColWidth(colDate), 900);
  EXPECT_EQ(form.Grid0.ColWidth(colEvent), 2500);
  EXPECT_EQ(form.Grid0.cellBack(kNewYearRow, colEvent), formsrt::QBColor(4));
  EXPECT_EQ(form.Grid0.cellFore(kNewYearRow, colSeq), formsrt::QBColor(15));
  EXPECT_EQ(form.Grid0.cellBack(kValentineRow, colDate), colourValue(0)) << "black is not the grid's own";
  EXPECT_EQ(form.Grid0.Row(), kValentineRow) << "recolouring keeps the user's row";
}

TEST_F(SettingsFormTest, FontSizeIsTheNumberTheTextBeginsWithRoundedToEven) {
  const std::pair<const char*, const char*> cases[] = {
      {"12abc", "12"}, {"abc", "0"}, {"8.5", "8"}, {"9.5", "10"}};
  start(kEvents);
  for (auto [typed, expected] : cases) {
    freshSettingsForm();
    useSettings([typed](Form9& dialog) {
      dialog.txtFontSize.setText(typed);
      PostMessageA(dialog.bOk.hwnd(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(stored("FontSize"), expected) << typed;
  }
}

// Cancel in every way a user can: the button, the close box, Escape, and Enter (Cancel is the default
// button). The stored values come back into the settings and the grid is styled from them.
TEST_F(SettingsFormTest, CancelAndTheCloseBoxWriteNothing) {
  const std::pair<const char*, std::function<void(Form9&)>> ways[] = {
      {"Cancel", [](Form9& d) { PostMessageA(d.bCancel.hwnd(), BM_CLICK, 0, 0); }},
      {"close box", [](Form9& d) { PostMessageA(d.hwnd(), WM_CLOSE, 0, 0); }},
      {"Escape", [](Form9& d) { PostMessageA(d.txtWDate.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"Enter", [](Form9& d) { PostMessageA(d.txtWDate.hwnd(), WM_KEYDOWN, VK_RETURN, 0); }}};
  formsrt::SaveSetting("Harnfield", "Plovera", "CB04", "2");
  formsrt::SaveSetting("Harnfield", "Plovera", "WDate", "700");
  auto& form = start(kEvents);
  for (const auto& [way, close] : ways) {
    freshSettingsForm();
    useSettings([&close](Form9& dialog) {
      dialog.txtWDate.setText("900");
      dialog.rbGrid_No.setValue(true);
      dialog.cmbCB04.setListIndex(6);
      dialog.txtFontSize.SetFocus();
      close(dialog);
    });
    // A change the dialog did not make is undone too: Cancel reads the store back.
    const std::map<std::string, std::string> expected = {{"CB04", "2"}, {"WDate", "700"}};
    EXPECT_EQ(storedSettings(), expected) << way;
    EXPECT_FALSE(form.settingsForm().Visible()) << way;
    EXPECT_EQ(form.Settings.WDate, 700) << way;
    EXPECT_EQ(form.Settings.Grid, 'Y') << way;
    EXPECT_EQ(form.Grid0.ColWidth(colDate), 700) << way;
    EXPECT_EQ(form.Grid0.cellBack(kNewYearRow, colDate), formsrt::QBColor(2)) << way;
  }
}

TEST_F(SettingsFormTest, AWidthTooLargeIsReportedAndNothingChanges) {
  auto& form = start(kEvents);
  answers_.act("Overflow", [this](HWND box) {
    EXPECT_TRUE(form_->settingsForm().Visible()) << "the form stays open to mend the value";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    // Once the box has gone and the form is active again, the user's edits are still there to mend.
    t_onceActive = [this] {
      Form9& dialog = form_->settingsForm();
      EXPECT_EQ(GetActiveWindow(), dialog.hwnd());
      EXPECT_EQ(dialog.txtWEvent.Text(), "40000");
      EXPECT_TRUE(dialog.rbConfirm_No.Value());
      PostMessageA(dialog.bCancel.hwnd(), BM_CLICK, 0, 0);
    };
    SetTimer(nullptr, 0, 10, runOnceActive);
  });
  useSettings([](Form9& dialog) {
    dialog.rbConfirm_No.setValue(true);
    dialog.txtWEvent.setText("40000");
    PostMessageA(dialog.bOk.hwnd(), BM_CLICK, 0, 0);
  });
  EXPECT_TRUE(storedSettings().empty());
  EXPECT_EQ(form.Settings.Confirm, 'Y');
  EXPECT_EQ(form.Settings.WEvent, 2800);
  EXPECT_EQ(answers_.describeSeen().find("6 - Overflow") != std::string::npos, true)
      << answers_.describeSeen();
}

TEST_F(SettingsFormTest, EachTabShowsItsPageAndTheFormKeepsItsPage) {
  auto& form = start(kEvents);
  useSettings([](Form9& dialog) {
    EXPECT_EQ(dialog.TabStrip1.TabCaption(1), "General");
    EXPECT_EQ(dialog.TabStrip1.ToolTipText(2), "Grid Colors");
    EXPECT_TRUE(dialog.Frame1(1).Visible());
    EXPECT_FALSE(dialog.Frame1(2).Visible());
    clickTab(dialog.TabStrip1, 2);
    EXPECT_FALSE(dialog.Frame1(1).Visible());
    EXPECT_TRUE(dialog.Frame1(2).Visible());
    clickTab(dialog.TabStrip1, 2);
    EXPECT_TRUE(dialog.Frame1(2).Visible()) << "choosing the shown tab changes nothing";
    EXPECT_EQ(dialog.PageShown(), 2);
    PostMessageA(dialog.bCancel.hwnd(), BM_CLICK, 0, 0);
  });
  Form9& dialog = form.settingsForm();
  EXPECT_EQ(dialog.PageShown(), 2) << "hidden, not unloaded";
  clickTab(dialog.TabStrip1, 1);
  EXPECT_TRUE(dialog.Frame1(1).Visible());
  EXPECT_FALSE(dialog.Frame1(2).Visible());
}

TEST_F(SettingsFormTest, TheFormPaintsItsEtchedFrame) {
  start(kEvents);
  Form9& dialog = form_->settingsForm();
  RECT client;
  GetClientRect(dialog.hwnd(), &client);
  MemoryDib dib(client.right, client.bottom, RGB(1, 2, 3));
  paintClient(dialog.hwnd(), dib, false);
  auto band = [](int left, int top, int right, int bottom) {
    return RECT{formsrt::twipsToPixelsX(left) - 1, formsrt::twipsToPixelsY(top) - 1,
                formsrt::twipsToPixelsX(right) + 2, formsrt::twipsToPixelsY(bottom) + 2};
  };
  const COLORREF grey = RGB(128, 128, 128), white = RGB(255, 255, 255);
  EXPECT_GT(dib.count(grey, band(300, 40, 5000, 40)), 200) << "top";
  EXPECT_GT(dib.count(grey, band(40, 300, 40, 4000)), 150) << "left";
  EXPECT_GT(dib.count(white, band(300, 4960, 5000, 4960)), 200) << "bottom";
  EXPECT_GT(dib.count(white, band(5750, 300, 5750, 4000)), 150) << "right";
}

} // namespace
