#include <foundation/tests/checkrecorder.h>

#include <foundation/strings/dynstr.h>
#include <foundation/windows/awndobj.h>
#include <foundation/windows/threedhook.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using testing::ElementsAre;

namespace {

HWND popup(int width, int height, DWORD style = WS_POPUP) {
  return CreateWindowExA(0, "STATIC", "", style, 0, 0, width, height, nullptr, nullptr, nullptr, nullptr);
}

class Window : public hwndref {
public:
  explicit Window(HWND window) : hwndref(window) {}
  ~Window() { DestroyWindow(hwnd()); }
};

std::vector<HWND> threeDControls;
void recordThreeD(HWND control) { threeDControls.push_back(control); }

std::map<HWND, DWORD> createdStyles;
LRESULT CALLBACK recordCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND)
    createdStyles[reinterpret_cast<HWND>(wParam)] = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST(AwndobjTest, NumbersReadFromTheWindowText) {
  struct Row {
    const char* text;
    int intOk, intValue;
    int uintOk;
    unsigned uintValue;
    int longOk;
    long longValue;
  };
  const Row rows[] = {
      {"42", 1, 42, 1, 42, 1, 42},
      {"  7  ", 1, 7, 1, 7, 1, 7},
      {"+3", 1, 3, 1, 3, 1, 3},
      {"-1", 1, -1, 0, 0, 1, -1},
      {"-2147483648", 1, INT_MIN, 0, 0, 1, LONG_MIN},
      {"2147483648", 0, 0, 1, 2147483648u, 0, 0},
      {"4294967295", 0, 0, 1, 4294967295u, 0, 0},
      {"4294967296", 0, 0, 0, 0, 0, 0},
      {"99999999999999999999", 0, 0, 0, 0, 0, 0},
      {"5x", 0, 0, 0, 0, 0, 0},
      {"5 x", 0, 0, 0, 0, 0, 0},
      {"", 0, 0, 0, 0, 0, 0},
      {"   ", 0, 0, 0, 0, 0, 0},
  };
  Window field(popup(50, 20));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    SetWindowTextA(field.hwnd(), row.text);
    int i = -99;
    unsigned u = 99;
    long l = -99;
    EXPECT_EQ(row.intOk, field.getint(i));
    EXPECT_EQ(row.intOk ? row.intValue : -99, i);
    EXPECT_EQ(row.uintOk, field.getuint(u));
    EXPECT_EQ(row.uintOk ? row.uintValue : 99u, u);
    EXPECT_EQ(row.longOk, field.getlong(l));
    EXPECT_EQ(row.longOk ? row.longValue : -99, l);
  }
}

TEST(AwndobjTest, CentringKeepsTheWindowOnTheScreen) {
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  Window big(popup(screenWidth + 200, screenHeight + 200));
  big.centerat(screenWidth / 2, screenHeight / 2);
  RECT rect;
  big.getrect(rect);
  EXPECT_EQ(0, rect.left);
  EXPECT_EQ(0, rect.top);

  Window small(popup(100, 50));
  small.centerat(300, 200);
  small.getrect(rect);
  EXPECT_EQ(250, rect.left);
  EXPECT_EQ(175, rect.top);
  small.centerat(screenWidth, screenHeight);
  small.getrect(rect);
  EXPECT_EQ(screenWidth - 1, rect.right);
  EXPECT_EQ(screenHeight - 1, rect.bottom);
}

TEST(AwndobjTest, CentresOverAWindowAndResizesAroundTheCentre) {
  Window owner(popup(400, 300));
  MoveWindow(owner.hwnd(), 100, 100, 400, 300, FALSE);
  Window box(
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 60, owner.hwnd(), nullptr, nullptr, nullptr));
  box.center();
  RECT rect;
  box.getrect(rect);
  EXPECT_EQ(250, rect.left);
  EXPECT_EQ(220, rect.top);

  box.resizecentered(200, 100, FALSE);
  box.getrect(rect);
  EXPECT_EQ(RECT({200, 200, 400, 300}).left, rect.left);
  EXPECT_EQ(200, rect.top);
  EXPECT_EQ(200, box.width());
  EXPECT_EQ(100, box.height());
  box.resizecentered(0, 50, FALSE);
  EXPECT_EQ(200, box.width());

  Window framed(popup(300, 300, WS_OVERLAPPEDWINDOW));
  framed.setclientsize(200, 100, 0);
  EXPECT_EQ(200, framed.clientwidth());
  EXPECT_EQ(100, framed.clientheight());
  EXPECT_EQ(MakeLong(framed.width(), framed.height()), framed.extent());
}

TEST(AwndobjTest, LockUpdateNestsForOneWindowOnly) {
  CheckRecorder checks;
  Window a(popup(10, 10)), b(popup(10, 10));
  EXPECT_EQ(1, a.lockupdate(1));
  EXPECT_EQ(1, a.lockupdate(1));
  EXPECT_EQ(0, b.lockupdate(1));
  EXPECT_THAT(checks.seen, ElementsAre(CheckRecorder::Pair("AWNDOBJ", 69)));
  EXPECT_EQ(1, a.lockupdate(0));
  EXPECT_EQ(0, b.lockupdate(0));
  EXPECT_EQ(1, a.lockupdate(0));
  EXPECT_EQ(1, b.lockupdate(1));
  EXPECT_EQ(1, b.lockupdate(0));
  EXPECT_EQ(0, b.lockupdate(0));
  EXPECT_EQ(2u, checks.seen.size());
}

TEST(AwndobjTest, ClonesATemplatesControlsBesideTheAnchor) {
  Window host(popup(400, 300));
  HWND anchor = CreateWindowExA(0, "STATIC", "", WS_CHILD, 100, 80, 10, 10, host.hwnd(),
                                reinterpret_cast<HMENU>(50), nullptr, nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  SendMessageA(anchor, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  threeDControls.clear();
  SetThreeDHook(recordThreeD);
  createdStyles.clear();
  HHOOK hook = SetWindowsHookExA(WH_CBT, recordCreation, nullptr, GetCurrentThreadId());
  int made = host.clonecontrols("CLONESOURCE", 50, 1);
  UnhookWindowsHookEx(hook);
  SetThreeDHook(nullptr);
  ASSERT_EQ(3, made);

  hwndref label(GetDlgItem(host.hwnd(), 201)), edit(GetDlgItem(host.hwnd(), 202)),
      combo(GetDlgItem(host.hwnd(), 203));
  EXPECT_THAT(threeDControls, ElementsAre(label.hwnd(), edit.hwnd(), combo.hwnd()));
  EXPECT_TRUE(label.isclass("Static"));
  EXPECT_TRUE(edit.isclass("Edit"));
  EXPECT_TRUE(combo.isclass("ComboBox"));
  char text[16];
  GetWindowTextA(label.hwnd(), text, sizeof text);
  EXPECT_STREQ("Label", text);
  RECT labelRect, editRect;
  label.getrect(labelRect);
  edit.getrect(editRect);
  EXPECT_EQ(100, labelRect.left) << "the label stands below the template's first control";
  EXPECT_GT(labelRect.top, 80);
  EXPECT_EQ(labelRect.top, editRect.top);
  // Edits and combo boxes move these bits elsewhere once created: read what creation asked for.
  EXPECT_TRUE(createdStyles[edit.hwnd()] & WS_BORDER);
  EXPECT_TRUE(createdStyles[combo.hwnd()] & WS_VSCROLL);
  EXPECT_TRUE(GetWindowLongPtrA(combo.hwnd(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(reinterpret_cast<LRESULT>(font), SendMessageA(edit.hwnd(), WM_GETFONT, 0, 0));
  hwndref anchorRef(anchor);
  EXPECT_EQ(label.hwnd(), anchorRef.sibling(1));
  EXPECT_EQ(combo.hwnd(), anchorRef.sibling(3));
  EXPECT_EQ(anchor, combo.sibling(-3));

  host.destroycontrols(50, 3);
  EXPECT_EQ(nullptr, GetDlgItem(host.hwnd(), 201));
  EXPECT_EQ(nullptr, GetDlgItem(host.hwnd(), 203));
  EXPECT_EQ(anchor, GetDlgItem(host.hwnd(), 50));
}

TEST(AwndobjTest, ClonesHiddenAndAnswersZeroForAMissingTemplate) {
  Window host(popup(400, 300));
  CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, host.hwnd(), reinterpret_cast<HMENU>(50), nullptr,
                  nullptr);
  EXPECT_EQ(3, host.clonecontrols("CLONESOURCE", 50, 0));
  EXPECT_FALSE(GetWindowLongPtrA(GetDlgItem(host.hwnd(), 202), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(0, host.clonecontrols("NOSUCHTEMPLATE", 50, 1));
}

TEST(AwndobjTest, WordHelpers) {
  EXPECT_EQ(0x1234, LoWord(0xABCD1234));
  EXPECT_EQ(0xABCD, HiWord(0xABCD1234));
  EXPECT_EQ(0xABCD1234u, MakeLong(0x1234, 0xABCD));
  EXPECT_EQ(0xFFFF0001u, MakeLong(1, -1));
}

namespace {

HWND child(HWND parent, int id, int x, int y, DWORD style = WS_VISIBLE) {
  return CreateWindowExA(0, "STATIC", "", WS_CHILD | style, x, y, 20, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

POINT where(HWND window) {
  RECT rect;
  hwndref(window).getrect(rect);
  return POINT{rect.left, rect.top};
}

} // namespace

TEST(AwndobjTest, MovesARunOfControlsFromOneAnchorToAnother) {
  Window host(popup(400, 300));
  HWND b = child(host.hwnd(), 20, 0, 0);
  HWND first = child(host.hwnd(), 21, 0, 30, 0), second = child(host.hwnd(), 22, 50, 30, 0);
  HWND a = child(host.hwnd(), 10, 200, 100);

  host.moveitems(10, 2, 20, 1, 0, 1);
  EXPECT_EQ(200, where(first).x);
  EXPECT_EQ(130, where(first).y);
  EXPECT_EQ(250, where(second).x);
  EXPECT_TRUE(GetWindowLongPtrA(second, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(first, GetWindow(a, GW_HWNDNEXT));
  EXPECT_EQ(second, GetWindow(first, GW_HWNDNEXT));

  host.moveitems(20, 2, 10, 0, 0, 1);
  EXPECT_EQ(0, where(first).x);
  EXPECT_EQ(30, where(first).y);
  EXPECT_EQ(50, where(second).x);
  EXPECT_FALSE(GetWindowLongPtrA(first, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(first, GetWindow(b, GW_HWNDNEXT));
}

TEST(AwndobjTest, FitsAChildAndMapsThousandthsToTheScreen) {
  Window host(popup(300, 200, WS_OVERLAPPEDWINDOW));
  MoveWindow(host.hwnd(), 40, 50, 300, 200, FALSE);
  HWND inner = child(host.hwnd(), 5, 10, 10);
  MoveWindow(inner, 10, 10, 120, 80, FALSE);
  host.fitto(inner, 0);
  EXPECT_EQ(0, where(inner).x);
  EXPECT_EQ(120, host.clientwidth());
  EXPECT_EQ(80, host.clientheight());

  POINT origin{0, 0};
  ClientToScreen(host.hwnd(), &origin);
  POINT middle = host.permilletoscreen(POINT{500, 250});
  EXPECT_EQ(origin.x + 60, middle.x);
  EXPECT_EQ(origin.y + 20, middle.y);
  EXPECT_EQ(origin.x + 120, host.permillex(1000));
  EXPECT_EQ(origin.y + 80, host.permilley(1000));
}

TEST(AwndobjTest, FormattedTextIsCutAtItsBuffer) {
  Window field(popup(50, 20));
  field.settextf("%s-%d", std::string(600, 'x').c_str(), 7);
  char text[1024];
  EXPECT_EQ(511, GetWindowTextA(field.hwnd(), text, sizeof text));
}

TEST(AwndobjTest, RequiredTextReportsOnTheParentDialog) {
  Window host(popup(200, 100));
  HWND edit = CreateWindowExA(0, "EDIT", "   ", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host.hwnd(),
                              reinterpret_cast<HMENU>(7), nullptr, nullptr);
  std::vector<std::string> reported;
  static std::vector<std::string>* sink = nullptr;
  sink = &reported;
  ErrorBoxSink engineBox = SetErrorBoxSink([](HWND, const char* text) { sink->push_back(text); });
  dynstr out;
  EXPECT_EQ(0, hwndref(edit).gettext(out, "A name is needed"));
  SetWindowTextA(edit, "Ann");
  EXPECT_EQ(1, hwndref(edit).gettext(out, "A name is needed"));
  SetErrorBoxSink(engineBox);
  EXPECT_THAT(reported, ElementsAre("A name is needed"));
  EXPECT_STREQ("Ann", out.str());
  EXPECT_EQ(edit, GetFocus());
}
