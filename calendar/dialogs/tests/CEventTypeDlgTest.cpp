#include <calendar/dialogs/CEventTypeDlg.h>

#include <calendar/resource.h>
#include <calendar/tests/CalendarFixture.h>

namespace {

class CEventTypeDlgTest : public CalendarFixture {
protected:
  CEventTypeDlgTest() { AppSettings().defaultType = 2; } // Birthday

  // Runs the dialog with `steps` done on it, then the button `end`.
  INT_PTR run(std::function<void(HWND)> steps, int end) {
    answerer.act("Event Type Setup", [steps, end](HWND dialog) {
      steps(dialog);
      PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(end), 0);
    });
    CEventTypeDlg dialog;
    return dialog.DoModal();
  }
  static void add(HWND dialog, const char* text) {
    SetDlgItemTextA(dialog, IDC_ET_TEXT, text);
    SendMessageA(dialog, WM_COMMAND, IDC_ET_ADD, 0);
  }
  static void select(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, IDC_ET_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ET_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ET_LIST)));
  }
  static std::string text(HWND dialog, int id) {
    char buffer[64] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
  }
};

TEST_F(CEventTypeDlgTest, OkWritesTheListInItsOrderWithTheDefault) {
  std::string shownDefault;
  bool addEnabledAfterSelect = true;
  EXPECT_EQ(run(
                [&](HWND d) {
                  add(d, "Zoo");
                  add(d, "Apple");
                  select(d, 3); // Birthday
                  addEnabledAfterSelect = IsWindowEnabled(GetDlgItem(d, IDC_ET_ADD));
                  SetDlgItemTextA(d, IDC_ET_TEXT, "Wedding");
                  SendMessageA(d, WM_COMMAND, IDC_ET_MODIFY, 0);
                  shownDefault = text(d, IDC_ET_DEFAULT);
                  select(d, 0);
                  SendMessageA(d, WM_COMMAND, IDC_ET_DELETE, 0);
                },
                IDOK),
            IDOK);
  EXPECT_FALSE(addEnabledAfterSelect);
  EXPECT_EQ(shownDefault, "Wedding");
  const std::vector<std::string> expected{"Anniversary", "Apple", "Holiday", "Meeting",
                                          "Wedding",     "Work",  "Zoo"};
  EXPECT_EQ(AppSettings().eventTypes, expected);
  EXPECT_EQ(AppSettings().defaultType, 4);
  CAppSettings reread;
  reread.LoadSettings();
  EXPECT_EQ(reread.eventTypes, expected);
  EXPECT_EQ(reread.defaultType, 4);
}

TEST_F(CEventTypeDlgTest, DeletingTheDefaultClearsItAndCancelWritesNothing) {
  std::string shownDefault = "?";
  EXPECT_EQ(run(
                [&](HWND d) {
                  select(d, 2);
                  SendMessageA(d, WM_COMMAND, IDC_ET_DELETE, 0);
                  shownDefault = text(d, IDC_ET_DEFAULT);
                },
                IDCANCEL),
            IDCANCEL);
  EXPECT_EQ(shownDefault, "");
  EXPECT_EQ(AppSettings().eventTypes, CAppSettings::DefaultEventTypes());
  EXPECT_EQ(AppSettings().defaultType, 2);
  EXPECT_FALSE(testsupport::fileExists(file("calvorne.ini")));
}

TEST_F(CEventTypeDlgTest, TheHundredthAddIsRefused) {
  answerer.answer("Cannot Add More Than 99 Event Types!", IDOK);
  int count = 0;
  run(
      [&](HWND d) {
        for (int i = 6; i < 100; ++i)
          add(d, ("Type " + std::to_string(i)).c_str());
        count = static_cast<int>(SendDlgItemMessageA(d, IDC_ET_LIST, LB_GETCOUNT, 0, 0));
      },
      IDOK);
  EXPECT_EQ(count, 99);
  EXPECT_EQ(AppSettings().eventTypes.size(), 99u);
  EXPECT_EQ(answerer.pending(), 0u);
}

} // namespace
