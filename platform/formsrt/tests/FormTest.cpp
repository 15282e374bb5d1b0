#include <formsrt/Application.h>
#include <formsrt/Colour.h>
#include <formsrt/Controls.h>
#include <formsrt/Form.h>
#include <formsrt/RuntimeError.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

using namespace formsrt;
using testsupport::ModalAnswerer;
using testsupport::pumpMessages;

namespace {

// A small event form of the kind the programs build: labels, a text box, a frame of option buttons, a
// check box, a combo box, accept and cancel buttons, a menu.
struct EventForm : Form {
  Label lblDate{*this, "lblDate", "Date", 200, 325, 600, 300};
  TextBox txtDate{*this, "txtDate", 900, 300, 1000, 288};
  TextBox txtEvent{*this, "txtEvent", 900, 700, 3000, 288};
  Frame frmGrid{*this, "frmGridLines", "Grid Lines", 200, 1100, 2100, 700};
  OptionButton rbYes{frmGrid, "rbGrid_Yes", "Yes", 150, 300, 800, 300};
  OptionButton rbNo{frmGrid, "rbGrid_No", "No", 1100, 300, 800, 300};
  CheckBox chkBold{*this, "chkFontBold", "Bold", 2500, 1200, 1000, 300};
  ComboBox cmbType{*this, "cmbType", 2500, 1500, 1116, 315, ComboBox::dropDownList};
  CommandButton bUpdate{*this, "bUpdate", "&Add", 612, 2200, 1200, 400};
  CommandButton bCancel{*this, "bCancel", "&Cancel", 2500, 2200, 1200, 400};
  MenuItem mnuFile{*this, "mnuFile", "&File"};
  MenuItem mnuSettings{mnuFile, "mnuSettings", "Se&ttings...", 'T' | MenuItem::ctrl};
  MenuItem mnuSep{mnuFile, "mnuSep1", "-"};
  MenuItem mnuSave{mnuFile, "mnuSave", "&Save", 'S' | MenuItem::ctrl};

  std::vector<std::string> events;
  int unloadAnswer = 0;

  EventForm() : Form("Form2", 4300, 2800) {
    bUpdate.setDefault(true);
    bCancel.setCancel(true);
    bUpdate.Click = [this] { events.push_back("bUpdate_Click"); };
    bCancel.Click = [this] { events.push_back("bCancel_Click"); };
    txtDate.LostFocus = [this] { events.push_back("txtDate_LostFocus " + txtDate.Text()); };
    txtEvent.Change = [this] { events.push_back("txtEvent_Change"); };
    mnuSettings.Click = [this] { events.push_back("mnuSettings_Click"); };
    mnuSave.Click = [this] { events.push_back("mnuSave_Click"); };
    mnuFile.Click = [this] { events.push_back("mnuFile_Click"); };
  }
  void Form_Load() override {
    for (const char* word : {"Anniv", "Appt", "Birth"})
      cmbType.AddItem(word);
    cmbType.setListIndex(2);
    events.push_back("Form_Load");
  }
  void Form_Unload(int& cancel) override {
    events.push_back("Form_Unload");
    cancel = unloadAnswer;
  }
  void Form_Paint() override {
    Line(75, 75, 4130, 75, QBColor(8));
    Line(75, 2035, 4145, 2035, QBColor(15));
  }
};

// Sends a key through the program's message loop path, as a real key press arrives there.
void pressThroughLoop(HWND focus, int key) {
  MSG down{focus, WM_KEYDOWN, static_cast<WPARAM>(key), 1, 0, {}};
  processMessage(down);
  pumpMessages();
}

struct FormTest : ::testing::Test {
  EventForm form;
  FormTest() { form.Show(); }
  ~FormTest() override { pumpMessages(); }
};

TEST_F(FormTest, ControlsArePlacedInTwipsAndFramesHoldTheirControls) {
  EXPECT_EQ(form.events.front(), "Form_Load");
  RECT client;
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, twipsToPixelsX(4300));
  EXPECT_EQ(client.bottom, twipsToPixelsY(2800));
  RECT r;
  GetWindowRect(form.txtDate.hwnd(), &r);
  MapWindowPoints(nullptr, form.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, twipsToPixelsX(900));
  EXPECT_EQ(r.right - r.left, twipsToPixelsX(1900) - twipsToPixelsX(900));
  EXPECT_EQ(GetParent(form.rbNo.hwnd()), form.frmGrid.hwnd());
  GetWindowRect(form.rbNo.hwnd(), &r);
  MapWindowPoints(nullptr, form.frmGrid.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, twipsToPixelsX(1100)) << "placed inside the frame";
  form.frmGrid.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(form.rbNo.hwnd())) << "a hidden frame hides what it holds";
  form.setClientSize(5000, 3000);
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, twipsToPixelsX(5000));
  EXPECT_EQ(client.bottom, twipsToPixelsY(3000));
}

TEST_F(FormTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  form.txtDate.SetFocus();
  pressThroughLoop(form.txtDate.hwnd(), VK_RETURN);
  pressThroughLoop(form.txtDate.hwnd(), VK_ESCAPE);
  form.bUpdate.setEnabled(false);
  pressThroughLoop(form.txtDate.hwnd(), VK_RETURN);
  EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "bUpdate_Click"), 1);
  EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "bCancel_Click"), 1);
  EXPECT_EQ(GetWindowLongPtrA(form.bUpdate.hwnd(), GWL_STYLE) & BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON);
  form.bCancel.setDefault(true);
  EXPECT_EQ(GetWindowLongPtrA(form.bUpdate.hwnd(), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
}

// Alt and the underlined letter, arriving through the program's loop, presses the button; the plain letter
// does too on a button, but stays a letter in a text box.
TEST_F(FormTest, MnemonicsPressTheirButtons) {
  struct Case {
    const char* name;
    HWND to;
    UINT message;
    char key;
    std::vector<std::string> events;
  } cases[] = {
      {"Alt in a text box", form.txtEvent.hwnd(), WM_SYSCHAR, 'a', {"bUpdate_Click"}},
      {"plain letter on a button", form.bUpdate.hwnd(), WM_CHAR, 'c', {"bCancel_Click"}},
      {"plain letter in a text box", form.txtEvent.hwnd(), WM_CHAR, 'c', {"txtEvent_Change"}},
  };
  for (const Case& c : cases) {
    form.events.clear();
    SetFocus(c.to);
    MSG typed{c.to, c.message, static_cast<WPARAM>(c.key), 1, 0, {}};
    processMessage(typed);
    pumpMessages();
    EXPECT_EQ(form.events, c.events) << c.name;
  }
}

TEST_F(FormTest, TextBoxEventsAndSelection) {
  form.txtDate.SetFocus();
  form.txtDate.setText("7/4");
  form.txtEvent.SetFocus();
  form.txtEvent.setText("Hello world");
  form.txtEvent.setSelStart(6);
  form.txtEvent.setSelLength(5);
  EXPECT_EQ(form.txtEvent.SelText(), "world");
  form.txtEvent.setSelText("there");
  EXPECT_EQ(form.txtEvent.Text(), "Hello there");
  EXPECT_NE(std::find(form.events.begin(), form.events.end(), "txtDate_LostFocus 7/4"), form.events.end());
  EXPECT_GE(std::count(form.events.begin(), form.events.end(), "txtEvent_Change"), 2);
}

TEST_F(FormTest, OptionButtonsExcludeEachOtherAndCheckBoxesToggle) {
  SendMessageA(form.rbYes.hwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.rbYes.Value());
  SendMessageA(form.rbNo.hwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.rbNo.Value());
  EXPECT_FALSE(form.rbYes.Value());
  form.rbYes.setValue(true);
  EXPECT_FALSE(form.rbNo.Value());
  SendMessageA(form.chkBold.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.chkBold.Value(), 1);
  SendMessageA(form.chkBold.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.chkBold.Value(), 0) << "a click never greys the box";
  form.chkBold.setValue(2);
  EXPECT_EQ(SendMessageA(form.chkBold.hwnd(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}

TEST_F(FormTest, ComboBoxListAndText) {
  EXPECT_EQ(form.cmbType.ListIndex(), 2);
  EXPECT_EQ(form.cmbType.Text(), "Birth");
  form.cmbType.setText("Appt");
  EXPECT_EQ(form.cmbType.ListIndex(), 1);
  EXPECT_EQ(form.cmbType.ListCount(), 3);
  try {
    form.cmbType.setListIndex(17);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), errInvalidPropertyValue);
  }
  EXPECT_EQ(form.cmbType.ListIndex(), 1);
}

// What Form_Load added is added again at the next load, to a list that starts as designed.
TEST_F(FormTest, AReloadedFormStartsFromItsDesignState) {
  form.cmbType.AddItem("Work");
  form.cmbType.setListIndex(3);
  ASSERT_TRUE(form.Unload());
  form.Show();
  EXPECT_EQ(form.cmbType.ListCount(), 3);
  EXPECT_EQ(SendMessageA(form.cmbType.hwnd(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(form.cmbType.ListIndex(), 2);
}

TEST_F(FormTest, MenuEntriesShowShortcutsAndRunTheirHandlers) {
  HMENU file = GetSubMenu(GetMenu(form.hwnd()), 0);
  char text[64] = "";
  GetMenuStringA(file, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Se&ttings...\tCtrl+T");
  EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  {
    testsupport::HeldKeys ctrl{VK_CONTROL};
    pressThroughLoop(form.txtDate.hwnd(), 'T');
  }
  form.mnuSave.setEnabled(false);
  EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  SendMessageA(form.hwnd(), WM_COMMAND, static_cast<WPARAM>(form.mnuSave.id()), 0);
  SendMessageA(form.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  // The shortcut opens its menu's state as choosing from the menu does, so the title's Click runs first.
  EXPECT_EQ(form.events,
            (std::vector<std::string>{"Form_Load", "mnuFile_Click", "mnuSettings_Click", "mnuFile_Click"}));
}

TEST_F(FormTest, UntrappedRuntimeErrorIsReportedAndTheProgramGoesOn) {
  App.Title = "Forms test";
  int clicks = 0;
  form.bUpdate.Click = [&] {
    ++clicks;
    raiseError(errFileNotFound);
  };
  ModalAnswerer answerer;
  answerer.answerAlways("Run-time error 53", IDOK);
  SendMessageA(form.bUpdate.hwnd(), BM_CLICK, 0, 0);
  SendMessageA(form.bUpdate.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[0].caption, "Forms test");
  EXPECT_EQ(answerer.seen()[0].text, "Run-time error 53:\n\nFile not found");
  EXPECT_TRUE(IsWindow(form.hwnd()));
}

TEST_F(FormTest, CloseBoxUnloadsUnlessCancelledOrCountsAsCancel) {
  form.unloadAnswer = 1;
  SendMessageA(form.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(form.isLoaded()) << "Form_Unload cancelled";
  form.closeBoxCancels = true;
  SendMessageA(form.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form.events.back(), "bCancel_Click");
  EXPECT_TRUE(form.isLoaded());
  form.closeBoxCancels = false;
  form.unloadAnswer = 0;
  SendMessageA(form.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.isLoaded());
  EXPECT_EQ(form.events.back(), "Form_Unload");
}

TEST_F(FormTest, ModalFormDisablesTheOthersUntilItHides) {
  EventForm dialog;
  dialog.bUpdate.Click = [&] { dialog.Hide(); };
  bool ownerEnabled = true;
  ModalAnswerer answerer;
  answerer.act("Event Add", [&](HWND) {
    ownerEnabled = IsWindowEnabled(form.hwnd());
    PostMessageA(dialog.bUpdate.hwnd(), BM_CLICK, 0, 0);
  });
  dialog.setCaption("Event Add");
  dialog.Show(true);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
  EXPECT_TRUE(dialog.isLoaded()) << "hidden, not unloaded";
  EXPECT_FALSE(dialog.Visible());
}

TEST_F(FormTest, PaintDrawsLinesInTwips) {
  testsupport::MemoryDib dib(twipsToPixelsX(4300), twipsToPixelsY(2800));
  testsupport::paintClient(form.hwnd(), dib);
  EXPECT_EQ(dib.pixel(twipsToPixelsX(2000), twipsToPixelsY(75)), RGB(128, 128, 128));
  EXPECT_EQ(dib.pixel(twipsToPixelsX(2000), twipsToPixelsY(2035)), RGB(255, 255, 255));
  EXPECT_EQ(dib.pixel(twipsToPixelsX(2000), twipsToPixelsY(1000)), GetSysColor(COLOR_BTNFACE));
}

TEST(MsgBoxTest, TitledWithTheApplicationTitleUnlessGivenOne) {
  App.Title = "Plovera v4.0";
  ModalAnswerer answerer;
  answerer.answer("Save?", IDYES).answer("Done", IDOK);
  EXPECT_EQ(MsgBox("Save?", mbYesNo | mbExclamation), answerYes);
  EXPECT_EQ(MsgBox("Done", mbOKOnly, "Plovera"), answerOK);
  EXPECT_EQ(answerer.seen()[0].caption, "Plovera v4.0");
  EXPECT_EQ(answerer.seen()[1].caption, "Plovera");
}

} // namespace
