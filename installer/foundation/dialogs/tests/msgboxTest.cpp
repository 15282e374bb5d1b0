#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/resourcelibrary.h>

#include <foundation/dialogs/msgbox.h>
#include <foundation/windows/helpfile.h>
#include <foundation/windows/msgloop.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/WindowText.h>

#include <string>
#include <vector>

using testing::ElementsAre;
using testsupport::ModalAnswerer;

using testsupport::windowText;

namespace {

// What a box showed: its caption and the captions of the buttons its template has.
struct Shown {
  std::string caption;
  std::vector<std::string> buttons;
  bool iconVisible = false;
};

Shown read(HWND box) {
  // The box is read while it is being activated, before it is visible itself.
  Shown shown{windowText(box), {}, (GetWindowLongPtrA(GetDlgItem(box, 101), GWL_STYLE) & WS_VISIBLE) != 0};
  for (int id = 103; id <= 106; ++id)
    if (HWND button = GetDlgItem(box, id))
      shown.buttons.push_back(windowText(button));
  return shown;
}

void post(HWND box, int id) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// Help bound to a file that does not exist: help shows the "no help" box, never the help program.
class NoHelpFile {
public:
  NoHelpFile() { EngineHelp().set(nullptr, "c:\\no\\such\\help.hlp", 200, 8); }
  ~NoHelpFile() { EngineHelp().set(nullptr, "", 0, 0); }

private:
  ResourceLibrary english_{"kxenu.dll"};
};

void CALLBACK endWithNine(HWND box, UINT, UINT_PTR timer, DWORD) {
  KillTimer(box, timer);
  EndDialog(box, 9);
}

} // namespace

TEST(MsgboxTest, TypeAndHelpChooseTheTemplateAndCaptions) {
  struct Row {
    const char* name;
    int type; // -1: no buttons, -3: three own captions
    int help;
    std::vector<std::string> buttons;
    int press; // button index pressed
  };
  const Row rows[] = {
      {"ok", MB_OK, 0, {"&OK"}, 0},
      {"ok cancel", MB_OKCANCEL, 0, {"&OK", "&Cancel"}, 1},
      {"yes no help", MB_YESNO, 5, {"&Yes", "&No", "&Help"}, 0},
      {"retry cancel", MB_RETRYCANCEL, 0, {"&Retry", "&Cancel"}, 1},
      {"three own and help", -3, 5, {"One", "Two", "Three", "&Help"}, 2},
      {"other type changes nothing", MB_ABORTRETRYIGNORE, 0, {}, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    msgbox box;
    box.settextf("Question %d", 1);
    if (row.type == -3)
      box.setbuttons3("One", "Two", "Three");
    else
      box.setbuttons(row.type);
    if (row.help)
      box.sethelp(row.help);
    Shown shown;
    ModalAnswerer answerer;
    answerer.act("Question 1", [&](HWND window) {
      shown = read(window);
      if (row.press >= 0)
        post(window, 103 + row.press);
      else
        SetTimer(window, 1, 50, endWithNine);
    });
    EXPECT_EQ(row.press >= 0 ? row.press : 9, box.show("Asking"));
    EXPECT_EQ("Asking", shown.caption);
    EXPECT_EQ(row.buttons, shown.buttons);
  }
}

TEST(MsgboxTest, WithoutButtonsNeitherOkNorEscapeCloses) {
  msgbox box;
  box.settextf("Working");
  ModalAnswerer answerer;
  answerer.act("Working", [](HWND window) {
    post(window, IDOK);
    post(window, IDCANCEL);
    SetTimer(window, 1, 100, endWithNine);
  });
  EXPECT_EQ(9, box.show("Busy"));
}

TEST(MsgboxTest, EscapeAnswersTheLastButtonAndHelpKeepsTheBoxOpen) {
  NoHelpFile noHelp;
  msgbox box;
  box.settextf("Go on?");
  box.setbuttons(MB_YESNO);
  box.sethelp(17);
  ModalAnswerer answerer;
  HWND shownBox = nullptr;
  answerer.act("Go on?", [&](HWND window) {
    shownBox = window;
    EXPECT_EQ(17, SendMessageA(window, WM_COMMAND, MAKEWPARAM(HelpIdCommand, 0), 0));
    post(window, 105); // help
  });
  answerer.act("No help is available", [&](HWND window) {
    post(window, IDOK);
    post(shownBox, IDCANCEL);
  });
  EXPECT_EQ(1, box.show("Question"));
  EXPECT_EQ(2u, answerer.seen().size()) << answerer.describeSeen();
}

TEST(MsgboxTest, ReturnPressesTheFirstButtonAndOwnEscapeButton) {
  msgbox box;
  box.settextf("Pick");
  box.setbuttons3("A", "B", "C");
  box.setcancel(1);
  ModalAnswerer answerer;
  answerer.act("Pick", [](HWND window) { post(window, IDCANCEL); });
  EXPECT_EQ(1, box.show("Choice"));
  answerer.act("Pick", [](HWND window) { post(window, IDOK); });
  EXPECT_EQ(0, box.show("Choice"));
}

TEST(MsgboxTest, LongCaptionsAreCutToTheirFields) {
  std::string caption(100, 'c'), button(30, 'b');
  msgbox box;
  box.settextf("%s", std::string(2000, 't').c_str());
  box.setbuttons2(button.c_str(), "Short");
  Shown shown;
  std::string text;
  ModalAnswerer answerer;
  answerer.act("ccc", [&](HWND window) {
    shown = read(window);
    post(window, 103);
  });
  EXPECT_EQ(0, box.show(caption.c_str()));
  EXPECT_EQ(caption.substr(0, MsgCaptionSize - 1), shown.caption);
  EXPECT_THAT(shown.buttons, ElementsAre(button.substr(0, MsgButtonSize - 1), "Short"));
  EXPECT_EQ(std::string(MsgTextSize - 1, 't'), box.text());
}

TEST(MsgboxTest, ModelessBoxRunsItsOwnLoopUntilAnswered) {
  msgbox box;
  box.settextf("Carry on?");
  box.setbuttons(MB_OKCANCEL);
  box.setstdicon(MB_ICONQUESTION);
  int before = MessageLoop().dialogcount();
  Shown shown;
  ModalAnswerer answerer;
  answerer.act("Carry on?", [&](HWND window) {
    shown = read(window);
    post(window, 104);
  });
  EXPECT_EQ(1, box.show("Modeless", 0));
  EXPECT_TRUE(shown.iconVisible);
  ASSERT_TRUE(IsWindow(box.hwnd()));
  EXPECT_EQ(before + 1, MessageLoop().dialogcount());
  box.close();
  EXPECT_EQ(before, MessageLoop().dialogcount());
  EXPECT_EQ(nullptr, box.hwnd());
}

TEST(MsgboxTest, ModelessLoopLeavesQuitForTheProgram) {
  msgbox box;
  box.settextf("Quit now");
  box.setbuttons(MB_OK);
  ModalAnswerer answerer;
  answerer.act("Quit now", [](HWND) { PostQuitMessage(4); });
  EXPECT_EQ(-1, box.show("Ending", 0));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(4u, message.wParam);
  box.close();
}

static void CALLBACK destroyOnTimer(HWND gone, UINT, UINT_PTR, DWORD) { DestroyWindow(gone); }

TEST(MsgboxTest, ModelessLoopEndsWhenItsWindowGoes) {
  msgbox box;
  box.settextf("Going away");
  box.setbuttons(MB_OK);
  ModalAnswerer answerer;
  answerer.act("Going away", [](HWND window) { SetTimer(window, 1, 10, destroyOnTimer); });
  int before = MessageLoop().dialogcount();
  EXPECT_EQ(-1, box.show("Vanishing", 0));
  EXPECT_EQ(nullptr, box.hwnd());
  EXPECT_EQ(before, MessageLoop().dialogcount());
  box.close();
}

TEST(MsgboxTest, LoopAndCloseAreForModelessBoxesOnly) {
  CheckRecorder checks;
  msgbox box;
  EXPECT_EQ(-1, box.runloop());
  box.close();
  EXPECT_THAT(checks.seen,
              ElementsAre(CheckRecorder::Pair("MSGBOX", 225), CheckRecorder::Pair("MSGBOX", 243)));
}

TEST(MsgboxTest, LanguageLibrarySpeaksForTheBox) {
  ResourceLibrary german("kxdeu.dll");
  ASSERT_NE(nullptr, german.module());
  msgbox box;
  box.settextf("Weiter?");
  box.setbuttons(MB_YESNO);
  Shown shown;
  ModalAnswerer answerer;
  answerer.act("Weiter?", [&](HWND window) {
    shown = read(window);
    post(window, 103);
  });
  EXPECT_EQ(0, box.show(""));
  EXPECT_EQ("Fehler", shown.caption);
  EXPECT_THAT(shown.buttons, ElementsAre("&Ja", "&Nein"));
}

TEST(MsgboxTest, WindowErrorsShowTheOwnErrorBox) {
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  Shown shown;
  ModalAnswerer answerer;
  answerer.act("Bad value 5", [&](HWND window) {
    shown = read(window);
    post(window, IDOK);
  });
  hwndref(owner).errorbox("Bad value %d", 5);
  EXPECT_EQ("Error", shown.caption);
  EXPECT_THAT(shown.buttons, ElementsAre("&OK"));
  EXPECT_TRUE(shown.iconVisible);
  DestroyWindow(owner);
}
