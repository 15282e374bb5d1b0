#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/resourcelibrary.h>

#include <foundation/windows/dactrl.h>
#include <foundation/windows/dlgbox.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tests/support/ModalAnswerer.h>

#include <functional>
#include <string>

using testing::ElementsAre;
using testsupport::ModalAnswerer;

namespace {

// The test dialog shown modeless, its commands going to its control list the way every engine dialog
// dispatches them.
class BoundDialog : public dlgbox {
public:
  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND)
      return DispatchToControls(&list, message, wParam, lParam);
    return message == WM_INITDIALOG;
  }
  controllist list;
};

class DactrlTest : public testing::Test {
protected:
  DactrlTest() {
    // The dialog itself is activated again whenever an error box closes; it is answered once, here.
    answerer.act("Test dialog", [](HWND) {});
    CreateModelessDialog(dialog, nullptr, "TESTDLG");
    ShowWindow(dialog.hwnd(), SW_SHOW);
    edit.attach(dialog.hwnd(), 101, new davalid);
    combo.attach(dialog.hwnd(), 102, new davalid);
    button.attach(dialog.hwnd(), 103, new davalid);
    SendMessageA(item(102), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("zero"));
    SendMessageA(item(102), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SendMessageA(item(102), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
    for (dactrl* control :
         {static_cast<dactrl*>(&edit), static_cast<dactrl*>(&combo), static_cast<dactrl*>(&button)})
      AddControl(dialog.list, control);
  }
  ~DactrlTest() override { DestroyWindow(dialog.hwnd()); }

  HWND item(int id) const { return GetDlgItem(dialog.hwnd(), id); }
  int widthOf(int id) const { return hwndref(item(id)).width(); }

  ResourceLibrary library;
  ModalAnswerer answerer;
  BoundDialog dialog;
  daedit edit;
  dacombo combo;
  dabutton button;
};

struct Variables {
  int i = -5;
  unsigned u = 5;
  unsigned long ul = 5;
  dynstr text{"old"};
  char chars[8] = "old";
  fpathbuf path{"old"};
};

std::string repeat(char c, int n) { return std::string(static_cast<size_t>(n), c); }

} // namespace

TEST_F(DactrlTest, ValidationByControlKindDataKindAndText) {
  struct Row {
    const char* name;
    int control; // 0 edit, 1 combo, 2 button
    std::function<void(dactrl&, Variables&)> bind;
    std::function<void(davalid&)> limits;
    std::string input; // edit text, combo selection or button check
    int ok;
    std::function<std::string(Variables&)> stored;
    const char* message; // the error box's text on failure
  };
  auto none = [](davalid&) {};
  auto intRange = [](davalid& v) { v.setint("", 1, 10); };
  auto bindInt = [](dactrl& c, Variables& v) { c.bindint(&v.i); };
  auto bindUint = [](dactrl& c, Variables& v) { c.binduint(&v.u); };
  auto bindUlong = [](dactrl& c, Variables& v) { c.bindulong(&v.ul); };
  auto bindText = [](dactrl& c, Variables& v) { c.binddynstr(&v.text); };
  auto bindChars = [](dactrl& c, Variables& v) { c.bindchars(v.chars); };
  auto bindPath = [](dactrl& c, Variables& v) { c.bindpath(&v.path); };
  auto intValue = [](Variables& v) { return std::to_string(v.i); };
  auto uintValue = [](Variables& v) { return std::to_string(v.u); };
  auto ulongValue = [](Variables& v) { return std::to_string(v.ul); };
  auto textValue = [](Variables& v) { return std::string(v.text.str()); };
  auto charsValue = [](Variables& v) { return std::string(v.chars); };
  auto pathValue = [](Variables& v) { return std::string(v.path.str()); };
  const char* standard = "Language library's own words";
  const Row rows[] = {
      {"int 7 with blanks", 0, bindInt, intRange, " 7 ", 1, intValue, nullptr},
      {"int 0 below", 0, bindInt, intRange, "0", 0, intValue, standard},
      {"int 11 above", 0, bindInt, intRange, "11", 0, intValue, standard},
      {"int 5x", 0, bindInt, intRange, "5x", 0, intValue, standard},
      {"int empty", 0, bindInt, intRange, "", 0, intValue, standard},
      {"int own message", 0, bindInt, [](davalid& v) { v.setint("From 1 to 10", 1, 10); }, "12", 0, intValue,
       "From 1 to 10"},
      {"uint -1", 0, bindUint, none, "-1", 0, uintValue, standard},
      {"uint top", 0, bindUint, none, "4294967295", 1, uintValue, nullptr},
      {"ulong in range", 0, bindUlong, [](davalid& v) { v.setulong("", 0, 100); }, "100", 1, ulongValue,
       nullptr},
      {"ulong above", 0, bindUlong, [](davalid& v) { v.setulong("", 0, 100); }, "101", 0, ulongValue,
       standard},
      {"text empty", 0, bindText, none, "", 1, textValue, nullptr},
      {"text 512", 0, bindText, none, repeat('t', 512), 1, textValue, nullptr},
      {"text 513", 0, bindText, none, repeat('t', 513), 0, textValue, standard},
      {"text too short", 0, bindText, [](davalid& v) { v.settextlen("Two at least", 2, 20); }, "a", 0,
       textValue, "Two at least"},
      {"chars fit", 0, bindChars, none, "1234567", 1, charsValue, nullptr},
      {"chars one too many", 0, bindChars, none, "12345678", 0, charsValue, standard},
      {"path 127", 0, bindPath, none, repeat('p', 127), 1, pathValue, nullptr},
      {"path 128", 0, bindPath, none, repeat('p', 128), 0, pathValue, standard},
      {"combo selection", 1, bindInt, none, "2", 1, intValue, nullptr},
      {"combo without selection", 1, bindInt, none, "-1", 0, intValue, standard},
      {"combo into text", 1, bindText, none, "1", 0, textValue, standard},
      {"button checked", 2, bindUint, none, "1", 1, uintValue, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    dactrl& control = row.control == 0   ? static_cast<dactrl&>(edit)
                      : row.control == 1 ? static_cast<dactrl&>(combo)
                                         : static_cast<dactrl&>(button);
    davalid* constraint = new davalid;
    row.limits(*constraint);
    control.attach(dialog.hwnd(), control.item(), constraint);
    Variables variables;
    row.bind(control, variables);
    std::string before = row.stored(variables);
    HWND window = control.window().hwnd();
    if (row.control == 0)
      SetWindowTextA(window, row.input.c_str());
    else if (row.control == 1)
      SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(std::stoi(row.input)), 0);
    else
      SendMessageA(window, BM_SETCHECK, static_cast<WPARAM>(std::stoi(row.input)), 0);
    SetFocus(item(IDOK));

    size_t seenBefore = answerer.seen().size();
    if (row.message)
      answerer.answer(row.message, IDOK);
    EXPECT_EQ(row.ok, control.transfer());
    if (row.ok) {
      std::string expected = row.control == 0 ? row.input : row.input;
      if (row.name == std::string("int 7 with blanks"))
        expected = "7";
      EXPECT_EQ(expected, row.stored(variables));
      EXPECT_EQ(seenBefore, answerer.seen().size()) << answerer.describeSeen();
    } else {
      EXPECT_EQ(before, row.stored(variables)) << "the variable keeps its value";
      ASSERT_EQ(seenBefore + 1, answerer.seen().size()) << answerer.describeSeen();
      EXPECT_EQ(row.message, answerer.seen().back().text);
      EXPECT_EQ(window, GetFocus()) << "focus goes back to the control";
    }
  }
}

TEST_F(DactrlTest, LoadsTheVariableIntoTheControl) {
  edit.attach(dialog.hwnd(), 101, new davalid);
  unsigned long value = 4000000000ul;
  edit.bindulong(&value);
  char text[32];
  GetWindowTextA(item(101), text, sizeof text);
  EXPECT_STREQ("4000000000", text);
  int index = 1;
  combo.bindint(&index);
  EXPECT_EQ(1, SendMessageA(item(102), CB_GETCURSEL, 0, 0));
  int checked = 1;
  button.bindint(&checked);
  EXPECT_EQ(BST_CHECKED, SendMessageA(item(103), BM_GETCHECK, 0, 0));
  EXPECT_EQ(0, edit.changed()) << "loading is not a change";
}

TEST_F(DactrlTest, OptionalHolderAddsAndRemovesItsBox) {
  int width = widthOf(101);
  Variables variables;
  daint holder;
  holder.variable = &variables.i;
  holder.optional = 1;
  edit.bind(&holder);
  HWND box = item(edit.checkboxid());
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(3101, edit.checkboxid());
  EXPECT_EQ(width - DlgUnitsY(9) - 2, widthOf(101));
  EXPECT_EQ(box, GetWindow(item(101), GW_HWNDNEXT));
  EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));

  // Another window slipped in between the control and its box must survive the box's removal.
  SetWindowPos(item(104), item(101), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  edit.bindint(&variables.i);
  EXPECT_EQ(nullptr, item(3101));
  EXPECT_NE(nullptr, item(104));
  EXPECT_EQ(width, widthOf(101));

  edit.bind(nullptr);
  EXPECT_FALSE(IsWindowEnabled(item(101)));
  EXPECT_EQ(0, GetWindowTextLengthA(item(101)));
}

TEST_F(DactrlTest, OptionalValueSwitchedOffAndOnThroughItsBox) {
  int value = 4;
  daint holder;
  holder.variable = &value;
  holder.optional = 1;
  holder.off = 1;
  edit.bind(&holder);
  HWND box = item(edit.checkboxid());
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
  EXPECT_EQ(0, GetWindowTextLengthA(item(101)));

  // Ticking the box loads the value; the click counts as a change.
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(3101, BN_CLICKED), reinterpret_cast<LPARAM>(box));
  char text[8];
  GetWindowTextA(item(101), text, sizeof text);
  EXPECT_STREQ("4", text);
  EXPECT_EQ(1, edit.changed());
  SetWindowTextA(item(101), "6");
  EXPECT_EQ(1, edit.validate());
  EXPECT_EQ(6, value);
  EXPECT_EQ(0, holder.off);

  // Clearing it empties the control; validation then only switches the value off.
  SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(3101, BN_CLICKED), reinterpret_cast<LPARAM>(box));
  EXPECT_EQ(0, GetWindowTextLengthA(item(101)));
  EXPECT_EQ(1, edit.validate());
  EXPECT_EQ(1, holder.off);
  EXPECT_EQ(6, value);

  // Focus on the control ticks the box again.
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(101, EN_SETFOCUS), reinterpret_cast<LPARAM>(item(101)));
  EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
}

TEST_F(DactrlTest, ValidateControlsOnlyWhenSomethingChanged) {
  int value = 3;
  davalid* constraint = new davalid;
  constraint->setint("Out of range", 1, 5);
  edit.attach(dialog.hwnd(), 101, constraint);
  edit.bindint(&value);
  SetWindowTextA(item(101), "9"); // sends EN_CHANGE through the dialog to the list
  EXPECT_EQ(1, edit.changed());
  answerer.answer("Out of range", IDOK);
  EXPECT_EQ(0, ValidateControls(dialog.list));
  ClearChangedAll(dialog.list);
  EXPECT_EQ(0, AnyChanged(dialog.list));
  EXPECT_EQ(1, ValidateControls(dialog.list));
  EXPECT_EQ(3, value);
  edit.settext("4");
  EXPECT_EQ(1, ValidateAll(dialog.list));
  EXPECT_EQ(4, value);
  UnbindAllControls(dialog.list);
  EXPECT_EQ(nullptr, edit.holder());
}

TEST(DactrlListTest, HoldsFiftyNineControls) {
  CheckRecorder checks;
  controllist list;
  daedit controls[60];
  for (int i = 0; i < 59; ++i)
    EXPECT_EQ(1, AddControl(list, &controls[i]));
  EXPECT_TRUE(checks.seen.empty());
  EXPECT_EQ(0, AddControl(list, &controls[59]));
  EXPECT_THAT(checks.seen, ElementsAre(CheckRecorder::Pair("DACTRLS", 782)));
  EXPECT_EQ(&controls[58], list.items[58]);
  EXPECT_EQ(nullptr, list.items[59]);

  ClearControlList(list);
  checks.seen.clear();
  AddControl(list, &controls[0]);
  AddControl(list, &controls[0]);
  EXPECT_THAT(checks.seen, ElementsAre(CheckRecorder::Pair("DACTRLS", 780)));
  EXPECT_EQ(&controls[0], list.items[1]);
  EXPECT_EQ(0, DispatchToControls(nullptr, WM_COMMAND, 0, 0));
}

namespace {

// A control that keeps its 32-bit value itself.
class HeldControl : public dactrl {
public:
  int kind() const override { return ControlHeld; }
  void clear() override {}
  DWORD heldvalue() override { return held; }
  void setheldvalue(DWORD value) override { held = value; }
  DWORD held = 77;
};

} // namespace

TEST(DactrlHeldTest, HeldValueGoesOnlyToAndFromAUlong) {
  CheckRecorder checks;
  HeldControl held;
  unsigned long value = 0;
  held.bindulong(&value);
  EXPECT_EQ(1, held.getheld());
  EXPECT_EQ(77ul, value);
  value = 5;
  EXPECT_EQ(1, held.setheld());
  EXPECT_EQ(5u, held.held);
  int other = 0;
  held.bindint(&other);
  EXPECT_EQ(0, held.getheld());
  EXPECT_EQ(0, held.setheld());
  daedit edit;
  EXPECT_EQ(0, edit.getheld());
  EXPECT_EQ(0, edit.setheld());
  EXPECT_THAT(checks.seen,
              ElementsAre(CheckRecorder::Pair("DACTRLS", 724), CheckRecorder::Pair("DACTRLS", 732),
                          CheckRecorder::Pair("DACTRLS", 723), CheckRecorder::Pair("DACTRLS", 731)));
}

TEST_F(DactrlTest, ComboLinesAndButtonStates) {
  SendMessageA(item(102), CB_RESETCONTENT, 0, 0);
  combo.addstringf("Drive %c: %d MB", 'c', 40);
  combo.addstringf("%s", std::string(300, 'l').c_str());
  char line[512] = "";
  SendMessageA(item(102), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ("Drive c: 40 MB", line);
  EXPECT_EQ(255, SendMessageA(item(102), CB_GETLBTEXTLEN, 1, 0));
  combo.selectfirst();
  EXPECT_EQ(0, SendMessageA(item(102), CB_GETCURSEL, 0, 0));
  EXPECT_EQ(1, combo.changed()) << "the notice reached the control through the dialog";

  button.setthreestate();
  EXPECT_EQ(BS_AUTO3STATE, GetWindowLongPtrA(item(103), GWL_STYLE) & BS_TYPEMASK);
  button.settwostate();
  EXPECT_EQ(BS_AUTOCHECKBOX, GetWindowLongPtrA(item(103), GWL_STYLE) & BS_TYPEMASK);
  EXPECT_TRUE(button.isclicked(WM_COMMAND, MAKEWPARAM(103, BN_CLICKED), 0));
  EXPECT_FALSE(button.isclicked(WM_COMMAND, MAKEWPARAM(103, BN_SETFOCUS), 0));
}

TEST_F(DactrlTest, OptionalEditCountsFocusAndItsBoxButNotTyping) {
  daoptedit optional;
  optional.attach(dialog.hwnd(), 101, new davalid);
  char value[16] = "kept";
  dachars chars;
  chars.variable = value;
  chars.size = sizeof value;
  chars.optional = 1;
  daholder* holder = &chars;
  optional.bind(holder);
  HWND box = item(optional.checkboxid());
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));

  auto notify = [&](int id, int code) { return optional.oncommand(WM_COMMAND, MAKEWPARAM(id, code), 0); };
  EXPECT_EQ(0, notify(101, EN_CHANGE)) << "typing alone is not taken";
  EXPECT_EQ(0, optional.changed());

  // Clearing the box empties the field and switches the value off; ticking it again leaves the field.
  SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(1, notify(optional.checkboxid(), BN_CLICKED));
  EXPECT_EQ(0, GetWindowTextLengthA(item(101)));
  EXPECT_EQ(1, optional.validate());
  EXPECT_EQ(1, holder->off);
  EXPECT_STREQ("kept", value);
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(1, notify(optional.checkboxid(), BN_CLICKED));
  EXPECT_EQ(0, GetWindowTextLengthA(item(101)));

  // Entering the field ticks the box; what was typed is then taken.
  SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(1, notify(101, EN_SETFOCUS));
  EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
  SetWindowTextA(item(101), "typed");
  EXPECT_EQ(1, optional.validate());
  EXPECT_EQ(0, holder->off);
  EXPECT_STREQ("typed", value);
  optional.bind(nullptr);
}
