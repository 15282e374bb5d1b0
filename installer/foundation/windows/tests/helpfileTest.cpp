#include <foundation/tests/resourcelibrary.h>

#include <foundation/dialogs/msgbox.h>
#include <foundation/windows/helpfile.h>

#include <gtest/gtest.h>
#include <tests/support/ModalAnswerer.h>

using testsupport::ModalAnswerer;

namespace {

// A modeless box with a help topic, active while a test sends it keys.
class ActiveBox {
public:
  ActiveBox() {
    box.settextf("Active box");
    box.setbuttons(MB_OK);
    box.sethelp(21);
    answerer.act("Active box", [this](HWND window) { shown = window; });
    CreateModelessDialog(box, nullptr, "dlgmsgbox2");
    ShowWindow(box.hwnd(), SW_SHOW);
    SetActiveWindow(box.hwnd());
  }
  ~ActiveBox() { DestroyWindow(box.hwnd()); }

  ResourceLibrary english{"kxenu.dll"};
  ModalAnswerer answerer;
  msgbox box;
  HWND shown = nullptr;
};

MSG keyUp(HWND window, WPARAM key, int repeat) {
  MSG message = {};
  message.hwnd = window;
  message.message = WM_KEYUP;
  message.wParam = key;
  message.lParam = static_cast<LPARAM>(repeat) | (1u << 30) | (1u << 31);
  return message;
}

} // namespace

TEST(HelpfileTest, F1ReleasedOnceInAnEngineWindowShowsItsHelp) {
  EngineHelp().set(nullptr, "c:\\no\\such\\help.hlp", 200, 8);
  ActiveBox active;
  ASSERT_EQ(active.box.hwnd(), GetActiveWindow());
  EXPECT_EQ(21, HelpIdOfWindow(active.box.hwnd()));

  struct Row {
    const char* name;
    WPARAM key;
    int repeat;
    int taken;
  };
  const Row rows[] = {
      {"F1 once", VK_F1, 1, 1},
      {"F1 held", VK_F1, 2, 0},
      {"another key", VK_F2, 1, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    size_t seen = active.answerer.seen().size();
    if (row.taken)
      active.answerer.answer("No help is available", IDOK);
    MSG message = keyUp(active.box.hwnd(), row.key, row.repeat);
    EXPECT_EQ(row.taken, helpfilter().handle(message));
    EXPECT_EQ(seen + row.taken, active.answerer.seen().size());
  }
  EngineHelp().set(nullptr, "", 0, 0);
}

TEST(HelpfileTest, F1InAWindowOfAnotherProgramIsLeftAlone) {
  HWND foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA("user32.dll"), nullptr);
  SetActiveWindow(foreign);
  ASSERT_EQ(foreign, GetActiveWindow());
  MSG message = keyUp(foreign, VK_F1, 1);
  EXPECT_EQ(0, EngineHelp().filterf1(message));
  DestroyWindow(foreign);
}

TEST(HelpfileTest, TopicMinusOneAndMissingFileShowTheNoHelpBox) {
  ResourceLibrary english("kxenu.dll");
  EngineHelp().set(nullptr, "c:\\no\\such\\help.hlp", 200, 8);
  ModalAnswerer answerer;
  answerer.answer("No help is available", IDOK).answer("No help is available", IDOK);
  EngineHelp().context(-1);
  EngineHelp().showfor(nullptr);
  ASSERT_EQ(2u, answerer.seen().size());
  EXPECT_EQ("Help", answerer.seen()[0].caption);
  EngineHelp().set(nullptr, "", 0, 0);
}
