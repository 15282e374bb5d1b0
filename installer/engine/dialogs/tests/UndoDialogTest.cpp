#include <engine/tests/TestFolders.h>

#include <engine/controllers/UninstallController.h>
#include <engine/dialogs/UndoDialog.h>
#include <engine/script/LanguageSet.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/MetafileText.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <kxlang/kxlangids.h>

#include <gtest/gtest.h>

#include <cstring>

using testsupport::MemoryDib;
using testsupport::TempDir;

namespace {

TEST(AlignDetailTest, ValuesStartInOneColumn) {
  struct Case {
    const char* name;
    const char* text;
    const char* aligned;
  } cases[] = {
      {"one line", "File: a", "File: a"},
      {"shorter label padded", "File: a\nOld size: 12", "File:     a\r\nOld size: 12"},
      {"split at the first colon", "Key: HKLM\\X: y\nValue: v", "Key:   HKLM\\X: y\r\nValue: v"},
      {"line without a label", "no label\nA: b", "no label\r\nA: b"},
      {"empty value", "Folder: \nNumber: 7", "Folder: \r\nNumber: 7"},
      {"empty", "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.aligned, AlignDetail(c.text)) << c.name;
}

// The real language library's dialogs and texts over a controller with records of its own.
struct UndoDialogFixture : ::testing::Test {
  TempDir dir;
  LanguageLibrary language;
  UninstallController controller;

  void SetUp() override {
    ASSERT_EQ(1, language.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll"));
    controller.header.product = "Demo";
    controller.tick = [this] { return now; };
  }

  void add(int type, const std::string& path, long number = 0) {
    auto record = CreateLogRecord(type);
    record->fields[0].text = path;
    if (record->fields.size() > 1)
      record->fields[1].number = number;
    controller.records.push_back(std::move(record));
  }

  // Presses OK on the dialog: the records' statuses and what the button then says.
  std::string ok(UndoDialog& dialog) {
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    char text[64] = "";
    GetDlgItemTextA(dialog.hwnd(), IDOK, text, sizeof text);
    std::string statuses;
    for (const auto& record : controller.records)
      statuses += std::to_string(record->status);
    return statuses + " " + text;
  }

  DWORD now = 0;
};

// The first and last columns of a row, between `from` and `to`, that hold anything but the background.
std::pair<int, int> Ink(const MemoryDib& dib, int top, int bottom, int from, int to, COLORREF background) {
  int first = -1, last = -1;
  for (int x = from; x < to; ++x)
    for (int y = top; y < bottom; ++y)
      if (dib.pixel(x, y) != background) {
        first = first < 0 ? x : first;
        last = x;
        break;
      }
  return {first, last};
}

TEST_F(UndoDialogFixture, TheAdvancedListDrawsSummaryAndStatusInTwoColumns) {
  add(LogFileCreated, "C:\\a.txt");
  add(LogFileExtended, "C:\\some\\much\\longer\\folder\\autoexec.bat", 12);
  controller.records[1]->status = Kept;
  UndoDialog dialog(controller, UndoDialog::Advanced);
  ASSERT_EQ(1, CreateModelessDialog(dialog, nullptr, "DLGUNDOMAINADV"));
  HWND list = GetDlgItem(dialog.hwnd(), IDC_UNDO_LIST);
  EXPECT_EQ(dialog.summaryColumn() + dialog.statusColumn(), SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0));

  // Rows far taller than the text, drawn as the list box would: its font in the DC.
  const int rowHeight = 40, width = dialog.summaryColumn() + dialog.statusColumn() + 20;
  MemoryDib dib(width, 2 * rowHeight);
  HGDIOBJ old = SelectObject(dib.dc(), reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
  for (UINT row = 0; row < 2; ++row) {
    DRAWITEMSTRUCT item = {
        ODT_LISTBOX,
        IDC_UNDO_LIST,
        row,
        ODA_DRAWENTIRE,
        row == 0 ? ODS_SELECTED : 0U,
        list,
        dib.dc(),
        {0, static_cast<LONG>(row) * rowHeight, width, static_cast<LONG>(row + 1) * rowHeight},
        0};
    SendMessageA(dialog.hwnd(), WM_DRAWITEM, IDC_UNDO_LIST, reinterpret_cast<LPARAM>(&item));
  }
  SelectObject(dib.dc(), old);
  COLORREF selected = GetSysColor(COLOR_WINDOWTEXT), plain = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(selected, dib.pixel(width - 1, 1));
  EXPECT_EQ(plain, dib.pixel(width - 1, rowHeight + 1));

  // The status words start in one column, right of the longest summary, inside the extent.
  int column = dialog.summaryColumn(), extent = column + dialog.statusColumn();
  auto shortSummary = Ink(dib, 0, rowHeight, 0, column - 2, selected);
  auto longSummary = Ink(dib, rowHeight, 2 * rowHeight, 0, column - 2, plain);
  auto firstStatus = Ink(dib, 0, rowHeight, column - 2, width, selected);
  auto secondStatus = Ink(dib, rowHeight, 2 * rowHeight, column - 2, width, plain);
  EXPECT_LT(shortSummary.second + 100, longSummary.second);
  EXPECT_LT(longSummary.second + 6, column);
  EXPECT_NEAR(column, firstStatus.first, 2);
  EXPECT_NEAR(column, secondStatus.first, 2);
  EXPECT_LT(firstStatus.second, extent);
  EXPECT_LT(secondStatus.second, extent);

  // The text sits in the middle of its row.
  int top = -1, bottom = -1;
  for (int y = rowHeight; y < 2 * rowHeight; ++y)
    for (int x = 0; x < width; ++x)
      if (dib.pixel(x, y) != plain) {
        top = top < 0 ? y : top;
        bottom = y;
        break;
      }
  EXPECT_NEAR(rowHeight + rowHeight / 2, (top + bottom + 1) / 2, 3);
  DestroyWindow(dialog.hwnd());
}

TEST_F(UndoDialogFixture, TheSelectedRecordShowsItsAlignedDetailAndItsChoice) {
  add(LogFileCreated, "C:\\a.txt");
  add(LogFileExtended, "C:\\autoexec.bat", 12);
  add(LogFileDeleted, "C:\\gone.txt");
  controller.records[1]->status = Kept;
  controller.records[2]->status = CannotUndo;
  UndoDialog dialog(controller, UndoDialog::Advanced);
  ASSERT_EQ(1, CreateModelessDialog(dialog, nullptr, "DLGUNDOMAINADV"));
  HWND window = dialog.hwnd();
  HWND detail = GetDlgItem(window, IDC_UNDO_DETAIL);
  LOGFONTA face = {};
  GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(detail, WM_GETFONT, 0, 0)), sizeof face, &face);
  EXPECT_STREQ("Courier New", face.lfFaceName);

  auto select = [&](int row) {
    SendDlgItemMessageA(window, IDC_UNDO_LIST, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_UNDO_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_UNDO_LIST)));
  };
  auto checked = [&](int id) { return SendDlgItemMessageA(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED; };
  auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(window, id)) != 0; };
  select(1);
  char text[256] = "";
  GetWindowTextA(detail, text, sizeof text);
  EXPECT_STREQ("File:     C:\\autoexec.bat\r\nOld size: 12", text);
  EXPECT_TRUE(checked(IDC_UNDO_KEEP));
  EXPECT_TRUE(enabled(IDC_UNDO_UNDO));
  EXPECT_FALSE(enabled(IDC_UNDO_CANNOT));

  // Back to undo; a record that cannot be undone offers no choice.
  SendMessageA(window, WM_COMMAND, IDC_UNDO_UNDO, 0);
  EXPECT_EQ(ToUndo, controller.records[1]->status);
  EXPECT_TRUE(checked(IDC_UNDO_UNDO));
  select(2);
  EXPECT_TRUE(checked(IDC_UNDO_CANNOT));
  EXPECT_FALSE(enabled(IDC_UNDO_UNDO));
  EXPECT_FALSE(enabled(IDC_UNDO_KEEP));
  SendMessageA(window, WM_COMMAND, IDC_UNDO_UNDO, 0);
  EXPECT_EQ(CannotUndo, controller.records[2]->status);
  DestroyWindow(window);
}

TEST_F(UndoDialogFixture, OkStartsResumesAfterACancelAndLeavesWhenNothingIsLeft) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    testsupport::writeFile(dir.file(name), name);
    add(LogFileCreated, dir.file(name));
  }
  controller.header.mintime = 10;
  // The user stops the run while it waits after its first record.
  controller.wait = [this](int milliseconds) {
    controller.cancelRequested = 1;
    now += static_cast<DWORD>(milliseconds);
  };
  UndoDialog dialog(controller, UndoDialog::Advanced);
  ASSERT_EQ(1, CreateModelessDialog(dialog, nullptr, "DLGUNDOMAINADV"));
  ShowWindow(dialog.hwnd(), SW_SHOW);
  testsupport::ModalAnswerer answerer;
  answerer.answer("Confirm Uninstall", IDYES);
  EXPECT_EQ("033 &Resume", ok(dialog));
  controller.wait = [this](int milliseconds) { now += static_cast<DWORD>(milliseconds); };
  EXPECT_EQ("333 &Done", ok(dialog)) << "resumed without asking again";
  EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
  ok(dialog);
  EXPECT_FALSE(IsWindowVisible(dialog.hwnd())) << "done: the dialog ends";
  EXPECT_EQ(1u, answerer.seen().size()) << answerer.describeSeen();
  DestroyWindow(dialog.hwnd());
}

// A No to "Remove ... from this computer?" undoes nothing, and the button still offers the uninstall;
// with nothing to undo, the first press finishes the run and "Done" then leaves.
TEST_F(UndoDialogFixture, TheButtonSaysWhatTheRunDid) {
  struct Row {
    const char* name;
    int status;         // of the one record
    int confirm;        // the answer to the confirmation; 0: none is asked
    const char* first;  // statuses and button after the first press
    int secondLeaves;   // whether a second press (Yes to any question) ends the dialog
    const char* second; // statuses and button after it, when the dialog stays
  } rows[] = {
      {"No to the confirmation", ToUndo, IDNO, "0 &Uninstall", 0, "3 &Done"},
      {"nothing to undo", Kept, 0, "1 &Done", 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    controller.records.clear();
    controller.state = UninstallController::NotStarted;
    testsupport::writeFile(dir.file("a.txt"), "a");
    add(LogFileCreated, dir.file("a.txt"));
    controller.records.back()->status = row.status;
    UndoDialog dialog(controller, UndoDialog::Advanced);
    ASSERT_EQ(1, CreateModelessDialog(dialog, nullptr, "DLGUNDOMAINADV"));
    ShowWindow(dialog.hwnd(), SW_SHOW);
    {
      testsupport::ModalAnswerer answerer;
      if (row.confirm)
        answerer.answer("Confirm Uninstall", row.confirm);
      EXPECT_EQ(row.first, ok(dialog));
      EXPECT_EQ(row.confirm ? 1u : 0u, answerer.seen().size()) << answerer.describeSeen();
    }
    EXPECT_TRUE(testsupport::fileExists(dir.file("a.txt")));
    testsupport::ModalAnswerer answerer;
    answerer.answerAlways("Confirm Uninstall", IDYES);
    std::string second = ok(dialog);
    EXPECT_EQ(row.secondLeaves, !IsWindowVisible(dialog.hwnd()));
    if (!row.secondLeaves) {
      EXPECT_EQ(row.second, second);
    }
    DestroyWindow(dialog.hwnd());
  }
}

// The gauge dialog is modeless: the undo runs while it stands, with the windows served between the
// records, and it goes when the undo ends.
TEST_F(UndoDialogFixture, TheGaugeDialogRunsTheUndoModelessAndEndsOnItsOwn) {
  struct Row {
    const char* name;
    int confirm;
    int stop; // Escape after the first record
    int keep; // every record kept: nothing to undo
    int answer;
    std::vector<int> percents;
    int left;
  } rows[] = {
      {"undone", IDYES, 0, 0, 1, {33, 67, 100}, 0},
      {"stopped", IDYES, 1, 0, 0, {33}, 1},
      {"not confirmed", IDNO, 0, 0, 0, {}, 3},
      {"nothing to undo", 0, 0, 1, 1, {}, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    controller.records.clear();
    controller.state = UninstallController::NotStarted;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
      testsupport::writeFile(dir.file(name), name);
      add(LogFileCreated, dir.file(name));
      controller.records.back()->status = row.keep ? Kept : ToUndo;
    }
    controller.header.mintime = 10;
    std::vector<int> percents;
    HWND shown = nullptr;
    controller.wait = [&](int milliseconds) {
      shown = FindWindowA("#32770", "Uninstall");
      auto* bar = dynamic_cast<gauge*>(GetSubclassObject(GetDlgItem(shown, IDC_UNDOSLT_GAUGE)));
      percents.push_back(bar ? bar->percent : -1);
      EXPECT_TRUE(IsWindowVisible(shown));
      if (row.stop)
        PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
      testsupport::pumpMessages();
      now += static_cast<DWORD>(milliseconds);
    };
    testsupport::ModalAnswerer answerer;
    if (row.confirm)
      answerer.answer("Confirm Uninstall", row.confirm);
    answerer.leaveOpen("Uninstall");
    EXPECT_EQ(row.answer, RunGaugeUndo(controller));
    EXPECT_EQ(row.percents, percents);
    EXPECT_FALSE(FindWindowA("#32770", "Uninstall"));
    EXPECT_FALSE(shown && IsWindow(shown));
    int left = 0;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
      left += testsupport::fileExists(dir.file(name));
    EXPECT_EQ(row.left, left);
  }
}

// The texts the advanced list draws, line by line: summary and status word.
std::vector<std::string> DrawnLines(HWND dialog, size_t rows) {
  HDC page = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  for (UINT row = 0; row < rows; ++row) {
    DRAWITEMSTRUCT item = {ODT_LISTBOX,
                           IDC_UNDO_LIST,
                           row,
                           ODA_DRAWENTIRE,
                           0,
                           GetDlgItem(dialog, IDC_UNDO_LIST),
                           page,
                           {0, static_cast<LONG>(row) * 20, 600, static_cast<LONG>(row + 1) * 20},
                           0};
    SendMessageA(dialog, WM_DRAWITEM, IDC_UNDO_LIST, reinterpret_cast<LPARAM>(&item));
  }
  HENHMETAFILE drawn = CloseEnhMetaFile(page);
  std::vector<std::string> lines(rows);
  for (const testsupport::DrawnText& text : testsupport::metafileTexts(drawn))
    if (!text.text.empty() && text.y >= 0 && static_cast<size_t>(text.y / 20) < rows)
      lines[static_cast<size_t>(text.y / 20)] +=
          (lines[static_cast<size_t>(text.y / 20)].empty() ? "" : " | ") + text.text;
  DeleteEnhMetaFile(drawn);
  return lines;
}

// The simple dialog runs the undo; its "Details >>" then shows what was undone and what was left, as
// the engine's dialog loop does on the switch.
TEST_F(UndoDialogFixture, AfterTheRunTheDetailsSayWhatWasUndoneAndWhatWasLeft) {
  std::string folder = dir.file("KxDemo");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  testsupport::writeFile(dir.file("kept.txt"), "k");
  add(LogDirCreated, folder);
  add(LogFileCreated, dir.file("kept.txt"));
  controller.records[1]->status = Kept;
  controller.wait = [this](int milliseconds) { now += static_cast<DWORD>(milliseconds); };

  std::vector<std::string> before, after;
  std::string okText;
  testsupport::ModalAnswerer answerer;
  answerer.act("Uninstall", [&](HWND simple) {
    PostMessageA(simple, WM_COMMAND, IDOK, 0);
    PostMessageA(simple, WM_COMMAND, IDC_UNDO_SWITCH, 0);
    // Without a way to the details after the run, the dialog just ends.
    PostMessageA(simple, WM_COMMAND, IDCANCEL, 0);
  });
  answerer.act("Uninstall", [&](HWND advanced) {
    after = DrawnLines(advanced, 2);
    char text[64] = "";
    GetDlgItemTextA(advanced, IDOK, text, sizeof text);
    okText = text;
    PostMessageA(advanced, WM_COMMAND, IDOK, 0);
  });
  {
    UndoDialog dialog(controller, UndoDialog::Advanced);
    ASSERT_EQ(1, CreateModelessDialog(dialog, nullptr, "DLGUNDOMAINADV"));
    before = DrawnLines(dialog.hwnd(), 2);
    DestroyWindow(dialog.hwnd());
  }
  UndoDialog simple(controller, UndoDialog::Simple);
  EXPECT_EQ(2, RunDialog(simple, nullptr, "DLGUNDOMAINSIM")) << "the details asked for";
  UndoDialog advanced(controller, UndoDialog::Advanced);
  EXPECT_EQ(0, RunDialog(advanced, nullptr, "DLGUNDOMAINADV"));
  EXPECT_EQ((std::vector<std::string>{"Remove folder: " + folder + " | Undo",
                                      "Delete copied file: " + dir.file("kept.txt") + " | Keep"}),
            before);
  EXPECT_EQ((std::vector<std::string>{"Remove folder: " + folder + " | Undone",
                                      "Delete copied file: " + dir.file("kept.txt") + " | Left"}),
            after);
  EXPECT_EQ("&Done", okText);
  EXPECT_FALSE(testsupport::fileExists(folder));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

} // namespace
