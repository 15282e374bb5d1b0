#include <formlib/TApplication.h>
#include <formlib/TButton.h>
#include <formlib/TEdit.h>
#include <formlib/TForm.h>
#include <formlib/TLabel.h>
#include <formlib/TPanel.h>
#include <formlib/TStatusBar.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace formlib;
using namespace testsupport;

namespace {

struct FormTest : ::testing::Test {
  FormTest() { Application->Initialize(); }
  ~FormTest() override {
    form.reset();
    pumpMessages();
  }
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  std::vector<std::string> log;
};

TEST_F(FormTest, ChildNotificationsReachTheirObjectInAnyContainer) {
  auto* panel = new TPanel(form.get(), form.get());
  auto* bar = new TStatusBar(form.get(), form.get());
  struct Case {
    const char* name;
    TControl* container;
  } cases[] = {{"form", form.get()}, {"panel", panel}, {"status bar", bar}};
  for (const Case& c : cases) {
    auto* button = new TButton(form.get(), c.container);
    button->OnClick = [&](TObject*) { log.push_back(std::string("click on ") + c.name); };
    auto* edit = new TEdit(form.get(), c.container);
    edit->OnChange = [&](TObject*) { log.push_back(std::string("change on ") + c.name); };
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    edit->SetText("x");
  }
  std::vector<std::string> expected = {"click on form",   "change on form",      "click on panel",
                                       "change on panel", "click on status bar", "change on status bar"};
  EXPECT_EQ(log, expected);
}

TEST_F(FormTest, EscapeEnterAndTabActOnTheForm) {
  auto* edit = new TEdit(form.get(), form.get());
  auto* ok = new TButton(form.get(), form.get());
  auto* cancel = new TButton(form.get(), form.get());
  ok->SetDefault(true);
  cancel->SetCancel(true);
  ok->OnClick = [&](TObject*) { log.push_back("ok"); };
  cancel->OnClick = [&](TObject*) { log.push_back("cancel"); };
  form->Show();
  edit->SetFocus();
  pressKey(edit->Handle(), VK_RETURN);
  pressKey(edit->Handle(), VK_ESCAPE);
  pressKey(edit->Handle(), VK_TAB);
  EXPECT_TRUE(ok->Focused());
  // Enter on a focused button presses that button, not the default one.
  pressKey(cancel->Handle(), VK_RETURN);
  std::vector<std::string> expected = {"ok", "cancel", "cancel"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(edit->Text(), "") << "the dialog keys' characters never reach the edit";
}

TEST_F(FormTest, KeyPreviewSeesCharactersFirstAndMayConsumeThem) {
  auto* edit = new TEdit(form.get(), form.get());
  form->SetKeyPreview(true);
  form->OnKeyPress = [&](TObject*, char& key) {
    log.push_back(std::string("form ") + key);
    if (key == 'x')
      key = 0;
  };
  edit->OnKeyPress = [&](TObject*, char& key) { log.push_back(std::string("edit ") + key); };
  typeText(edit->Handle(), "ax");
  std::vector<std::string> expected = {"form a", "edit a", "form x"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(edit->Text(), "a");
}

TEST_F(FormTest, ModalFormDisablesItsOwnerAndEndsWithItsButtonsResult) {
  form->Show();
  auto* dialog = new TForm(form.get());
  dialog->SetCaption("Modal one");
  auto* ok = new TButton(dialog, dialog);
  ok->SetModalResult(mrOk);
  bool ownerEnabledWhileShown = true;
  ok->OnClick = [&](TObject*) { ownerEnabledWhileShown = IsWindowEnabled(form->Handle()); };
  ModalAnswerer answerer;
  answerer.act("Modal one", [&](HWND) { PostMessageA(ok->Handle(), BM_CLICK, 0, 0); });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(ownerEnabledWhileShown);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(dialog->Visible());

  // Closing ends it as cancelled.
  auto* another = new TForm(form.get());
  another->SetCaption("Modal two");
  answerer.act("Modal two", [&](HWND hwnd) { PostMessageA(hwnd, WM_CLOSE, 0, 0); });
  EXPECT_EQ(another->ShowModal(), mrCancel);
}

TEST_F(FormTest, ModalFormDisablesEveryOtherWindowOfTheProgramUntilItEnds) {
  form->Show();
  TForm other(nullptr); // shown, and neither owner nor owned
  other.Show();
  auto* dialog = new TForm(form.get());
  dialog->SetCaption("Modal three");
  bool mainEnabled = true, otherEnabled = true;
  ModalAnswerer answerer;
  answerer.act("Modal three", [&](HWND hwnd) {
    mainEnabled = IsWindowEnabled(form->Handle());
    otherEnabled = IsWindowEnabled(other.Handle());
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_FALSE(mainEnabled);
  EXPECT_FALSE(otherEnabled);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
}

// Alt and the underlined letter anywhere on the form, or the plain letter on a button, presses the
// button with that mnemonic; a plain letter typed into an edit stays a letter.
TEST_F(FormTest, MnemonicsPressTheirButtons) {
  auto* edit = new TEdit(form.get(), form.get());
  const char* captions[] = {"&Go", "A&bout", "Save && &Quit", "&Hidden"};
  std::vector<TButton*> buttons;
  for (const char* caption : captions) {
    auto* button = new TButton(form.get(), form.get());
    button->SetCaption(caption);
    button->OnClick = [this, caption](TObject*) { log.push_back(caption); };
    buttons.push_back(button);
  }
  buttons[3]->SetVisible(false);
  form->Show();
  struct Case {
    const char* name;
    HWND to;
    UINT message;
    char key;
    std::vector<std::string> pressed;
  } cases[] = {
      {"Alt in the edit", edit->Handle(), WM_SYSCHAR, 'g', {"&Go"}},
      {"Alt, upper case", edit->Handle(), WM_SYSCHAR, 'B', {"A&bout"}},
      {"Alt on the form itself", form->Handle(), WM_SYSCHAR, 'q', {"Save && &Quit"}},
      {"plain letter on a button", buttons[0]->Handle(), WM_CHAR, 'b', {"A&bout"}},
      {"plain letter in the edit", edit->Handle(), WM_CHAR, 'g', {}},
      {"a doubled ampersand is no mnemonic", edit->Handle(), WM_SYSCHAR, '&', {}},
      {"a hidden button", edit->Handle(), WM_SYSCHAR, 'h', {}},
  };
  for (const Case& c : cases) {
    log.clear();
    SendMessageA(c.to, c.message, static_cast<WPARAM>(c.key), 1);
    EXPECT_EQ(log, c.pressed) << c.name;
  }
  EXPECT_EQ(edit->Text(), "g");
}

TEST_F(FormTest, ErrorReachingTheLoopIsReportedAndTheProgramGoesOn) {
  auto* button = new TButton(form.get(), form.get());
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    throw Exception("Something broke");
  };
  ModalAnswerer answerer;
  answerer.answerAlways("Something broke", IDOK);
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[0].text, "Something broke");

  // A silent abort shows nothing.
  button->OnClick = [&](TObject*) { throw EAbort("quiet"); };
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(answerer.seen().size(), 2u);
}

TEST_F(FormTest, FormFreesItsComponentsAndTheirWindows) {
  auto* panel = new TPanel(form.get(), form.get());
  auto* button = new TButton(form.get(), panel);
  HWND buttonWindow = button->Handle();
  HWND formWindow = form->Handle();
  form.reset();
  EXPECT_FALSE(IsWindow(buttonWindow));
  EXPECT_FALSE(IsWindow(formWindow));
}

TEST_F(FormTest, AlignedChildrenShareTheClientArea) {
  form->SetClientSize(300, 200);
  auto* bottom = new TPanel(form.get(), form.get());
  bottom->SetHeight(50);
  bottom->SetAlign(TAlign::alBottom);
  auto* rest = new TPanel(form.get(), form.get());
  rest->SetAlign(TAlign::alClient);
  EXPECT_EQ(bottom->Top(), 150);
  EXPECT_EQ(bottom->Width(), 300);
  EXPECT_EQ(rest->Height(), 150);
  form->SetClientSize(300, 260);
  EXPECT_EQ(bottom->Top(), 210);
  EXPECT_EQ(rest->Height(), 210);
}

} // namespace

namespace {

TEST_F(FormTest, ControlsFollowTheirCreationOrderAndDrawnOnesLieBeneathAll) {
  auto* first = new TButton(form.get(), form.get());
  auto* second = new TButton(form.get(), form.get());
  auto* background = new TLabel(form.get(), form.get());
  std::vector<HWND> order;
  for (HWND child = GetWindow(form->Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    order.push_back(child);
  // The order of the windows is also the Tab order.
  std::vector<HWND> expected = {first->Handle(), second->Handle(), background->Handle()};
  EXPECT_EQ(order, expected);
}

} // namespace
