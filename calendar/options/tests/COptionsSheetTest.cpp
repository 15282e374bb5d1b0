#include <calendar/options/COptionsSheet.h>

#include <calendar/frame/LocaleText.h>
#include <calendar/resource.h>
#include <calendar/tests/DorvixAppFixture.h>
#include <calendar/views/CCalView.h>

#include <commctrl.h>

#include <functional>

using testsupport::readFile;

namespace {

class COptionsSheetTest : public DorvixAppFixture {
protected:
  // Opens the Options command and runs `steps` on the sheet.
  void options(std::function<void(HWND)> steps) {
    answerer.act("Options", steps);
    SendMessageA(frame->m_hWnd, WM_COMMAND, ID_OPTIONS, 0);
  }
  static HWND page(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(sheet);
  }
  static void check(HWND page, int id, bool on) {
    if ((IsDlgButtonChecked(page, id) == BST_CHECKED) != on)
      SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0);
  }
  static void radio(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
  static void set(HWND page, int id, const char* text) { SetDlgItemTextA(page, id, text); }
};

TEST_F(COptionsSheetTest, EachPageStoresItsControlsInTheSettings) {
  AppSettings().timeFormat = 1;
  ASSERT_TRUE(start());
  options([](HWND sheet) {
    HWND startup = page(sheet, 0);
    radio(startup, IDC_OP_HIDDENIFNONE);
    check(startup, IDC_OP_SPLASH, true);
    set(startup, IDC_OP_SOUNDFILE, std::string(300, 'x').append(".wav").c_str());
    HWND alarm = page(sheet, 1);
    set(alarm, IDC_OP_ALARMLENGTH, "7");
    set(alarm, IDC_OP_SNOOZE, "12");
    set(alarm, IDC_OP_LEAD, "45");
    set(alarm, IDC_OP_HOUR, "18");
    set(alarm, IDC_OP_MINUTE, "15");
    HWND warnings = page(sheet, 2);
    check(warnings, IDC_OP_WARNEXIT, false);
    set(warnings, IDC_OP_BEGIN, "21");
    set(warnings, IDC_OP_END, "6");
    set(warnings, IDC_OP_BACKUPDAYS, "30");
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  const CAppSettings& settings = AppSettings();
  EXPECT_EQ(settings.startupMode, 3);
  EXPECT_EQ(settings.splashEnabled, 1);
  EXPECT_EQ(settings.soundFile.size(), 304u); // no fixed buffer cuts it
  EXPECT_EQ(settings.alarmLength, 7);
  EXPECT_EQ(settings.snoozeMinutes, 12);
  EXPECT_EQ(settings.defaultLeadTime, 45);
  EXPECT_EQ(settings.dailyAlertTime, 18 * 60 + 15);
  EXPECT_EQ(settings.warnExit, 0);
  EXPECT_EQ((std::vector<int>{settings.warnTimeBegin, settings.warnTimeEnd}), (std::vector<int>{21, 6}));
  EXPECT_EQ(settings.autoBackupDays, 30);
  CAppSettings reread;
  reread.LoadSettings();
  EXPECT_EQ(reread.startupMode, 3);
  EXPECT_EQ(reread.dailyAlertTime, 18 * 60 + 15);
}

TEST_F(COptionsSheetTest, MondayFirstRebuildsTheCalendarAtOnce) {
  ASSERT_TRUE(start());
  options([](HWND sheet) {
    radio(page(sheet, 3), IDC_OP_MONDAY);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(AppSettings().calendarStartDay, 1);
  auto* cal = dynamic_cast<CCalView*>(frame->m_wndSplitter.GetPane(1, 0));
  ASSERT_NE(cal, nullptr);
  CGridCell first;
  cal->Grid().GetCell(0, 1, &first);
  EXPECT_EQ(static_cast<const char*>(first.m_strText), localetext::Date(CDate(2, 6, 1997), "ddd"));
}

TEST_F(COptionsSheetTest, ATwelveHourDailyTimeOf13IsRefused) {
  AppSettings().timeFormat = 0;
  int dailyTime = AppSettings().dailyAlertTime;
  ASSERT_TRUE(start());
  answerer.act("Invalid Notaris Time Specified", [](HWND box) {
    HWND sheet = GetWindow(box, GW_OWNER);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  options([](HWND sheet) {
    HWND alarm = page(sheet, 1);
    set(alarm, IDC_OP_HOUR, "13");
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(AppSettings().dailyAlertTime, dailyTime);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(COptionsSheetTest, RestoreDefaultsActsEvenWhenTheSheetIsCancelled) {
  AppSettings().saveOnExit = 1;
  AppSettings().widthName = 333;
  ASSERT_TRUE(start());
  answerer.answer("Default settings have been restored", IDOK);
  options([](HWND sheet) {
    HWND startup = page(sheet, 0);
    SendMessageA(startup, WM_COMMAND, IDC_OP_RESTORE, 0);
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  CAppSettings reread;
  reread.LoadSettings();
  EXPECT_EQ(reread.saveOnExit, 0);
  EXPECT_EQ(reread.winCentered, 1);
  EXPECT_EQ(reread.widthName, CAppSettings().widthName);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(COptionsSheetTest, SaveCurrentSettingsWritesTheStateWithSaveOnExitOff) {
  AppSettings().saveOnExit = 1;
  ASSERT_TRUE(start());
  answerer.answer("The current state of the Calvorne main window has been saved.", IDOK);
  options([](HWND sheet) {
    SendMessageA(page(sheet, 0), WM_COMMAND, IDC_OP_SAVENOW, 0);
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  CAppSettings reread;
  reread.LoadSettings();
  EXPECT_EQ(reread.saveOnExit, 0);
  EXPECT_GT(reread.winSizeX, 0);
}

} // namespace
