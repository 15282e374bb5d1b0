#include <appframe/CWnd.h>
#include <appframe/Controls.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kBaseOnly = WM_USER + 2;
constexpr UINT kUnhandled = WM_USER + 3;
constexpr UINT kThrow = WM_USER + 4;
constexpr UINT kDestroySelf = WM_USER + 5;

class BaseWindow : public CWnd {
public:
  std::vector<std::string> log;
  bool Make(CWnd* parent = nullptr) {
    DWORD style = parent ? WS_CHILD : WS_POPUP;
    return CreateEx(0, nullptr, "", style, CRect(0, 0, 100, 50), parent, 7);
  }
  LRESULT OnPing(WPARAM, LPARAM) { return 1; }
  LRESULT OnBaseOnly(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 10; }
  void OnSize(UINT, int cx, int cy) {
    log.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  void OnCommandOne() { log.push_back("command 1"); }
  void OnCommandRange(UINT id) { log.push_back("range " + std::to_string(id)); }
  LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
ON_MESSAGE(kPing, OnPing)
ON_MESSAGE(kBaseOnly, OnBaseOnly)
ON_MESSAGE(kThrow, OnThrow)
ON_WM(WM_SIZE, OnSize)
ON_COMMAND(1, OnCommandOne)
ON_COMMAND_RANGE(1000, 1999, OnCommandRange)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
public:
  LRESULT OnPing(WPARAM, LPARAM) { return 2; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
ON_MESSAGE(kPing, OnPing)
END_MESSAGE_MAP()

TEST(CWndTest, TablesChainToTheBaseAndUnhandledMessagesReachTheDefault) {
  DerivedWindow wnd;
  ASSERT_TRUE(wnd.Make());
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
  EXPECT_EQ(wnd.SendMessage(kPing), 2);         // the derived table wins
  EXPECT_EQ(wnd.SendMessage(kBaseOnly, 4), 40); // found in the base table
  EXPECT_EQ(wnd.SendMessage(kUnhandled), 0);    // DefWindowProc
  wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("title"));
  EXPECT_EQ(wnd.GetWindowText(), "title");

  wnd.log.clear();
  wnd.MoveWindow(0, 0, 120, 60);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1, 0));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1500, 0));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2000, 0));      // outside the range
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1, EN_CHANGE)); // a notification, not the menu command
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"size 120x60", "command 1", "range 1500"}));
}

TEST(CWndTest, AnExceptionInAHandlerStopsAtTheWindowProcedureAndIsReportedInAMessageBox) {
  ModalAnswerer answerer;
  answerer.answer("handler failed", IDOK);
  BaseWindow wnd;
  ASSERT_TRUE(wnd.Make());
  EXPECT_EQ(wnd.SendMessage(kThrow), 0);
  EXPECT_EQ(wnd.SendMessage(kPing), 1);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// Owned by its window: destroys itself from inside a handler and deletes itself when the window goes.
class SelfOwned : public CWnd {
public:
  SelfOwned(int* deleted, int* destroys) : deleted_(deleted), destroys_(destroys) {}
  ~SelfOwned() override { ++*deleted_; }
  void OnDestroy() {
    ++destroys;
    DestroyWindow(); // a second destruction from inside the first is harmless
  }
  LRESULT OnDestroySelf(WPARAM, LPARAM) {
    DestroyWindow(); // the object is gone once this returns
    return 7;
  }
  int destroys = 0;
  DECLARE_MESSAGE_MAP()

protected:
  void PostNcDestroy() override {
    *destroys_ = destroys;
    delete this;
  }

private:
  int* deleted_;
  int* destroys_;
};

BEGIN_MESSAGE_MAP(SelfOwned, CWnd)
ON_WM(WM_DESTROY, OnDestroy)
ON_MESSAGE(kDestroySelf, OnDestroySelf)
END_MESSAGE_MAP()

class SelfDestroying : public CWnd {
public:
  LRESULT OnDestroySelf(WPARAM, LPARAM) {
    DestroyWindow();
    return m_hWnd == nullptr ? 7 : 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfDestroying, CWnd)
ON_MESSAGE(kDestroySelf, OnDestroySelf)
END_MESSAGE_MAP()

TEST(CWndTest, AWindowMayBeDestroyedInsideItsOwnHandler) {
  SelfDestroying wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  HWND hwnd = wnd.m_hWnd;
  EXPECT_EQ(SendMessageA(hwnd, kDestroySelf, 0, 0), 7);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(wnd.m_hWnd, nullptr);

  // Destroyed from outside and from inside its own handler, as a window of the framework's class and as a
  // subclassed control.
  for (const char* className : {static_cast<const char*>(nullptr), "EDIT"}) {
    for (bool fromInside : {false, true}) {
      SCOPED_TRACE(std::string(className ? className : "framework class") + (fromInside ? ", inside" : ""));
      int deleted = 0;
      int destroys = 0;
      auto* owned = new SelfOwned(&deleted, &destroys);
      ASSERT_TRUE(owned->CreateEx(0, className, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
      hwnd = owned->m_hWnd;
      if (fromInside)
        EXPECT_EQ(SendMessageA(hwnd, kDestroySelf, 0, 0), 7);
      else
        DestroyWindow(hwnd);
      EXPECT_FALSE(IsWindow(hwnd));
      EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
      EXPECT_EQ(deleted, 1);
      EXPECT_EQ(destroys, 1);
    }
  }
}

// Takes over an existing edit control: swallows digits, leaves everything else to the control.
class NoDigitsEdit : public CEdit {
public:
  void OnChar(UINT ch, UINT, UINT) {
    if (ch < '0' || ch > '9')
      Default();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NoDigitsEdit, CEdit)
ON_WM(WM_CHAR, OnChar)
END_MESSAGE_MAP()

TEST(CWndTest, SubclassedControlKeepsItsOwnProcedureForTheRest) {
  BaseWindow parent;
  ASSERT_TRUE(parent.Make());
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent.m_hWnd,
                              reinterpret_cast<HMENU>(5), GetModuleHandleA(nullptr), nullptr);
  NoDigitsEdit wnd;
  ASSERT_TRUE(wnd.SubclassDlgItem(5, &parent));
  EXPECT_FALSE(NoDigitsEdit().SubclassWindow(edit)); // bound once only
  typeText(edit, "a1b2");
  EXPECT_EQ(wnd.GetWindowText(), "ab");
  EXPECT_EQ(wnd.UnsubclassWindow(), edit);
  typeText(edit, "3");
  char text[16] = "";
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "ab3");
}

TEST(CWndTest, CreatingASystemControlBindsItBySubclassing) {
  BaseWindow parent;
  ASSERT_TRUE(parent.Make());
  NoDigitsEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 9));
  EXPECT_EQ(GetDlgItem(parent.m_hWnd, 9), edit.m_hWnd);
  typeText(edit.m_hWnd, "x9y");
  EXPECT_EQ(edit.GetWindowText(), "xy");
  parent.DestroyWindow();
  EXPECT_EQ(edit.m_hWnd, nullptr); // the child let go when its parent took it down
}

} // namespace
