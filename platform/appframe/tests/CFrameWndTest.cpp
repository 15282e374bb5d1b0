#include <appframe/AfxIds.h>
#include <appframe/CCmdUI.h>
#include <appframe/CDocument.h>
#include <appframe/CFileDialog.h>
#include <appframe/CFrameWnd.h>
#include <appframe/CSingleDocTemplate.h>
#include <appframe/CSplitterWnd.h>
#include <appframe/CStatusBar.h>
#include <appframe/CView.h>
#include <appframe/CWinApp.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/SentInput.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

class PaperView : public CView {
  DECLARE_MESSAGE_MAP()

public:
  void OnInitialUpdate() override { calls.push_back("initial update"); }
  void OnUpdate(CView*, LPARAM hint, CObject*) override { calls.push_back("update " + std::to_string(hint)); }
  void OnDraw(CDC*) override {}
  void OnViewCommand() { calls.push_back("view 306"); }
  void OnUpdateViewCommand(CCmdUI* ui) { ui->Enable(false); }
};

BEGIN_MESSAGE_MAP(PaperView, CView)
ON_COMMAND(306, OnViewCommand)
ON_UPDATE_COMMAND_UI(306, OnUpdateViewCommand)
END_MESSAGE_MAP()

class PaperFrame : public CFrameWnd {
  DECLARE_MESSAGE_MAP()

public:
  void OnEnabled() { calls.push_back("frame 301"); }
  void OnViewCommandToo() { calls.push_back("frame 306"); }
  void OnThrow() { throw std::runtime_error("The paper tore."); }
  void OnUpdateEnabled(CCmdUI* ui) { ui->Enable(true); }
  void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(false); }
  void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
  void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(true); }
  void OnUpdateText(CCmdUI* ui) { ui->SetText("New text"); }
};

BEGIN_MESSAGE_MAP(PaperFrame, CFrameWnd)
ON_COMMAND(301, OnEnabled)
ON_COMMAND(306, OnViewCommandToo)
ON_COMMAND(307, OnThrow)
ON_UPDATE_COMMAND_UI(301, OnUpdateEnabled)
ON_UPDATE_COMMAND_UI(302, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(303, OnUpdateChecked)
ON_UPDATE_COMMAND_UI(304, OnUpdateRadio)
ON_UPDATE_COMMAND_UI(305, OnUpdateText)
END_MESSAGE_MAP()

class PaperApp : public CWinApp {
public:
  PaperApp() : CWinApp("Paper") {}
  bool OnCommand(UINT id) override {
    calls.push_back("app " + std::to_string(id));
    return id == 400 || CWinApp::OnCommand(id);
  }
};

class CFrameWndTest : public ::testing::Test {
protected:
  CFrameWndTest() {
    calls.clear();
    app.m_pszProfileName = folder.file("paper.ini");
    app.LoadStdProfileSettings(4);
    app.AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        300, [] { return new CDocument; }, [] { return new PaperFrame; }, [] { return new PaperView; }));
  }
  ~CFrameWndTest() override {
    if (app.m_pMainWnd)
      app.m_pMainWnd->DestroyWindow();
    testsupport::pumpMessages();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  CFrameWnd* frame() const { return static_cast<CFrameWnd*>(app.m_pMainWnd); }
  std::string caption() const { return frame()->GetWindowText().str(); }

  testsupport::TempDir folder;
  PaperApp app;
};

TEST_F(CFrameWndTest, NewMakesDocumentFrameAndViewOnceThenOnlyRetitles) {
  app.OnFileNew();
  ASSERT_NE(frame(), nullptr);
  CDocument* doc = app.GetDocTemplate()->GetDocument();
  ASSERT_EQ(doc->GetViews().size(), 1u);
  EXPECT_EQ(calls, (std::vector<std::string>{"initial update"}));
  EXPECT_EQ(caption(), "Paper - Frame Title");
  EXPECT_EQ(frame()->GetActiveView(), doc->GetViews()[0]);

  CWnd* first = frame();
  app.OpenDocumentFile("C:\\letters\\march.txt");
  EXPECT_EQ(frame(), first);
  EXPECT_EQ(caption(), "march.txt - Frame Title");
  app.OnFileNew();
  EXPECT_EQ(caption(), "Paper - Frame Title");
  EXPECT_EQ(app.GetDocTemplate()->GetDocument(), doc);

  doc->UpdateAllViews(nullptr, 5);
  EXPECT_EQ(calls.back(), "update 5");
  HWND hwnd = frame()->m_hWnd;
  DestroyWindow(hwnd);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_TRUE(doc->GetViews().empty());
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // the loop ends with the main window
}

TEST_F(CFrameWndTest, RecentFilesAreKeptInTheProfileNewestFirst) {
  app.OnFileNew();
  for (const char* path : {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\A.TXT", "C:\\d.txt", "C:\\e.txt"})
    app.OpenDocumentFile(path);
  std::vector<std::string> expected = {"C:\\e.txt", "C:\\d.txt", "C:\\A.TXT", "C:\\c.txt"};
  EXPECT_EQ(app.GetRecentFiles(), expected);
  PaperApp second;
  second.m_pszProfileName = app.m_pszProfileName;
  second.LoadStdProfileSettings(4);
  EXPECT_EQ(second.GetRecentFiles(), expected);
}

TEST_F(CFrameWndTest, TheFileMenuListsTheRecentFilesAndOpensThem) {
  app.OnFileNew();
  HMENU menu = GetSubMenu(GetMenu(frame()->m_hWnd), 0);
  auto items = [menu] {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[64] = "";
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      texts.push_back(text);
    }
    return texts;
  };
  SendMessageA(frame()->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_EQ(items()[7], "Recent File");
  EXPECT_TRUE(GetMenuState(menu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

  app.OpenDocumentFile("C:\\a.txt");
  app.OpenDocumentFile("C:\\R&D.txt");
  SendMessageA(frame()->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  std::vector<std::string> texts = items();
  ASSERT_EQ(texts.size(), 11u);
  EXPECT_EQ(texts[7], "&1 C:\\R&&D.txt");
  EXPECT_EQ(texts[8], "&2 C:\\a.txt");
  EXPECT_EQ(texts[10], "Exit");
  SendMessageA(frame()->m_hWnd, WM_COMMAND, ID_FILE_MRU_FILE1 + 1, 0);
  EXPECT_EQ(caption(), "a.txt - Frame Title");
}

TEST_F(CFrameWndTest, MenuItemsTakeTheirStateWhenTheMenuOpens) {
  app.OnFileNew();
  HMENU menu = GetSubMenu(GetMenu(frame()->m_hWnd), 0);
  EnableMenuItem(menu, 301, MF_GRAYED);
  SendMessageA(frame()->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_FALSE(GetMenuState(menu, 301, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(menu, 302, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(menu, 303, MF_BYCOMMAND) & MF_CHECKED);
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  GetMenuItemInfoA(menu, 304, FALSE, &info);
  EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
  EXPECT_TRUE(info.fState & MFS_CHECKED);
  char text[32] = "";
  GetMenuStringA(menu, 305, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "New text");
  // The view answers before the frame.
  EXPECT_TRUE(GetMenuState(menu, 306, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(CFrameWndTest, CommandsGoToTheViewThenTheFrameThenTheApplication) {
  app.OnFileNew();
  calls.clear();
  for (WPARAM id : {306, 301, 400, 401})
    SendMessageA(frame()->m_hWnd, WM_COMMAND, id, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"view 306", "frame 301", "app 400", "app 401"}));
}

TEST_F(CFrameWndTest, AnErrorNoHandlerDealtWithIsShownUnderTheProgramsName) {
  app.OnFileNew();
  testsupport::ModalAnswerer answerer;
  answerer.answer("The paper tore.", IDOK);
  SendMessageA(frame()->m_hWnd, WM_COMMAND, 307, 0);
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].caption, "Paper");
  EXPECT_TRUE(IsWindow(frame()->m_hWnd));
}

class PlainView : public CView {
public:
  void OnDraw(CDC*) override {}
};

TEST_F(CFrameWndTest, StaticSplitterSharesTheHeightBetweenItsRows) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 400), nullptr, 0));
  CSplitterWnd splitter;
  ASSERT_TRUE(splitter.CreateStatic(&parent, 2));
  ASSERT_TRUE(splitter.CreateView(
      0, 0, [] { return new PlainView; }, SIZE{0, 100}, nullptr));
  ASSERT_TRUE(splitter.CreateView(
      1, 0, [] { return new PlainView; }, SIZE{0, 130}, nullptr));
  splitter.SetRowInfo(0, 100, 40);
  splitter.SetRowInfo(1, 130, 80);
  auto heights = [&] {
    int top, bottom, minimum;
    splitter.GetRowInfo(0, top, minimum);
    splitter.GetRowInfo(1, bottom, minimum);
    return std::make_pair(top, bottom);
  };
  splitter.MoveWindow(0, 0, 300, 306);
  EXPECT_EQ(heights(), std::make_pair(100, 200));
  RECT pane;
  GetWindowRect(splitter.GetPane(1, 0)->m_hWnd, &pane);
  EXPECT_EQ(pane.bottom - pane.top, 200);

  testsupport::drag(splitter.m_hWnd, POINT{50, 102}, POINT{50, 152});
  EXPECT_EQ(heights(), std::make_pair(150, 150));

  splitter.SetRowInfo(0, 400, 40);
  splitter.RecalcLayout();
  EXPECT_EQ(heights(), std::make_pair(300, 0)); // the lower row fell below its minimum
  EXPECT_FALSE(IsWindowVisible(splitter.GetPane(1, 0)->m_hWnd));
  parent.DestroyWindow();
}

TEST_F(CFrameWndTest, StatusBarPanesTakeTheWidthOfTheirPrototypeText) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 300), nullptr, 0));
  CStatusBar bar;
  ASSERT_TRUE(bar.Create(&parent));
  const UINT ids[] = {ID_SEPARATOR, 310, 311};
  bar.SetIndicators(ids, 3);
  bar.MoveWindow(0, 250, 600, 20);
  UINT id, style;
  int narrow, wide, stretched;
  bar.GetPaneInfo(1, id, style, narrow);
  bar.GetPaneInfo(2, id, style, wide);
  bar.GetPaneInfo(0, id, style, stretched);
  EXPECT_GT(narrow, 0);
  EXPECT_GT(wide, narrow);
  EXPECT_TRUE(style & SBPS_STRETCH);
  int edges[3] = {};
  bar.SendMessage(SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  EXPECT_GT(edges[0], 600 / 2);
  EXPECT_EQ(bar.CommandToIndex(311), 2);

  bar.SetPaneText(1, "12:34");
  EXPECT_EQ(bar.GetShownText(1), "12:34");
  CCmdUI ui(310, &bar, 1);
  ui.Enable(false);
  EXPECT_EQ(bar.GetShownText(1), "");
  ui.SetText("12:35");
  ui.Enable(true);
  EXPECT_EQ(bar.GetShownText(1), "12:35");
  parent.DestroyWindow();
}

TEST(CFileDialogTest, CancelLeavesThePathAndTheCurrentFolderAlone) {
  char before[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, before);
  testsupport::ModalAnswerer answerer;
  answerer.answer("Open", IDCANCEL);
  CFileDialog dialog(true, "txt", nullptr, OFN_FILEMUSTEXIST, "Text (*.txt)|*.txt|All (*.*)|*.*||");
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.GetPathName(), "");
  char after[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_STREQ(before, after);
}

} // namespace
