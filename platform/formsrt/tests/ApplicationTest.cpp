#include <formsrt/Application.h>
#include <formsrt/Controls.h>
#include <formsrt/Form.h>
#include <formsrt/tests/ErrorOf.h>

#include <tests/support/MessagePump.h>

#include <gtest/gtest.h>

#include <set>

using namespace formsrt;

namespace {

struct HelpForm : Form {
  TextBox txt{*this, "txt", 100, 100, 1000, 300};
  HelpForm() : Form("Form1", 2000, 1000) {}
};

struct HelpTest : ::testing::Test {
  std::vector<std::string> opened;
  HelpForm form;
  HelpTest() {
    App.HelpFile = "C:\\plovera\\PLOVERA.HLP";
    setHelpLauncher([this](const std::string& file) { opened.push_back(file); });
    form.Show();
    form.txt.SetFocus();
  }
  ~HelpTest() override { setHelpLauncher(nullptr); }
  void runLoop() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
      processMessage(message);
  }
};

TEST_F(HelpTest, F1AndSendKeysOpenTheHelpFile) {
  MSG f1{form.txt.hwnd(), WM_KEYDOWN, VK_F1, 1, 0, {}};
  processMessage(f1);
  SendKeys("{F1}");
  runLoop();
  EXPECT_EQ(opened, (std::vector<std::string>{App.HelpFile, App.HelpFile}));
}

TEST_F(HelpTest, SendKeysTypesCharactersAndRefusesUnknownKeys) {
  SendKeys("ab");
  runLoop();
  EXPECT_EQ(form.txt.Text(), "ab");
  EXPECT_EQ(errorOf([] { SendKeys("{F2}"); }), errInvalidCall);
}

// Each face is listed once, though the system names it once for every character set it has.
TEST(ScreenTest, FontsListEachFaceOnce) {
  std::set<std::string> faces;
  for (int i = 0; i < Screen.FontCount(); ++i)
    EXPECT_TRUE(faces.insert(Screen.Fonts(i)).second) << Screen.Fonts(i);
  EXPECT_FALSE(faces.empty());
}

TEST(ClipboardTest, TextGoesInAndComesBack) {
  Clipboard.SetText("You wrote");
  EXPECT_TRUE(Clipboard.hasText());
  EXPECT_EQ(Clipboard.GetText(), "You wrote");
  Clipboard.Clear();
  EXPECT_FALSE(Clipboard.hasText());
}

} // namespace
