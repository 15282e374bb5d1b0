#include <calendar/dialogs/CAlarmDlg.h>
#include <calendar/resource.h>
#include <calendar/tests/DialogSteps.h>
#include <calendar/tests/DorvixAppFixture.h>
#include <calendar/views/CGridView.h>

using platform::Clock;

namespace {

class DorvixRunTest : public DorvixAppFixture {
protected:
  std::vector<std::string> listNames() {
    auto* list = dynamic_cast<CGridView*>(frame->m_wndSplitter.GetPane(0, 0));
    std::vector<std::string> names;
    for (int row = 0; list && row < list->Grid().GetRowCount(); ++row) {
      CGridCell cell;
      list->Grid().GetCell(0, row, &cell);
      names.push_back(static_cast<const char*>(cell.m_strText));
    }
    return names;
  }
};

TEST_F(DorvixRunTest, AddAlarmSnoozeDeleteAndRestart) {
  AppSettings().timeFormat = 1;
  ASSERT_TRUE(start());
  addEvent("Existing", 2);
  stop();

  Clock::set(2026, 12, 10, 9, 30);
  ASSERT_TRUE(start());
  EXPECT_EQ(listNames(), (std::vector<std::string>{"Existing"}));

  answerer.act("Event Edit", [](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_EV_NAME, "Standup");
    SetDlgItemTextA(dialog, IDC_EV_HOUR, "10");
    SetDlgItemTextA(dialog, IDC_EV_MINUTE, "00");
    SendMessageA(GetDlgItem(dialog, IDC_EV_ALARM), BM_CLICK, 0, 0);
    SetDlgItemTextA(dialog, IDC_EV_LEAD, "15");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessageA(frame->m_hWnd, WM_COMMAND, ID_ADD, 0);
  EXPECT_EQ(listNames(), (std::vector<std::string>{"Standup", "Existing"}));

  Clock::set(2026, 12, 10, 9, 44);
  frame->Tick();
  EXPECT_EQ(CAlarmDlg::OpenCount(), 0u);
  Clock::set(2026, 12, 10, 9, 45);
  frame->Tick();
  ASSERT_EQ(CAlarmDlg::OpenCount(), 1u);

  ASSERT_TRUE(snoozeAlarm(5));
  EXPECT_EQ(CAlarmDlg::OpenCount(), 0u);
  Clock::set(2026, 12, 10, 9, 50);
  frame->Tick();
  ASSERT_EQ(CAlarmDlg::OpenCount(), 1u);

  answerer.answer("Delete Current Event?", IDYES);
  HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !");
  SendMessageA(alarm, WM_COMMAND, IDC_DELETEEVENT, 0);
  testsupport::pumpMessages();
  EXPECT_EQ(listNames(), (std::vector<std::string>{"Existing"}));
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
  stop();

  ASSERT_TRUE(start());
  ASSERT_EQ(doc->GetEventCount(), 1);
  EXPECT_EQ(doc->GetEvent(0)->name, "Existing");
  EXPECT_EQ(listNames(), (std::vector<std::string>{"Existing"}));
  EXPECT_EQ(testsupport::readFile(file("events20.dat")).size(), 24u + 458u);
}

} // namespace
