#include <foundation/tests/resourcelibrary.h>

#include <foundation/dialogs/filedlg.h>

#include <gtest/gtest.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::ModalAnswerer;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// Records whether each hooked message found this object, and chooses a file when the dialog starts.
class choosingdlg : public filedlg {
public:
  UINT_PTR hook(HWND window, UINT message, WPARAM, LPARAM) override {
    messages.push_back(message);
    if (message == WM_INITDIALOG) {
      SetDlgItemTextA(window, edt1, choice.c_str());
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return 0;
  }

  std::string choice;
  std::vector<UINT> messages;
};

// Types a name on its first opening and cancels the next.
class choosingoncedlg : public filedlg {
public:
  UINT_PTR hook(HWND window, UINT message, WPARAM, LPARAM) override {
    if (message != WM_INITDIALOG)
      return 0;
    if (++openings == 1) {
      SetDlgItemTextA(window, edt1, choice.c_str());
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    } else {
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
  }

  std::string choice;
  int openings = 0;
};

} // namespace

TEST(FiledlgTest, HookSeesItsObjectFromInitDialogOnAndTheNameComesBack) {
  TempDir dir;
  std::string chosen = dir.file("chosen.txt");
  ASSERT_TRUE(writeFile(chosen, "x"));
  ModalAnswerer answerer;
  choosingdlg dialog;
  dialog.hookflag = 1;
  dialog.title = "Pick a file";
  dialog.choice = chosen;
  fpathbuf out;
  EXPECT_EQ(1, dialog.run(nullptr, out));
  EXPECT_STREQ(chosen.c_str(), out.str());
  ASSERT_FALSE(dialog.messages.empty());
  EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.messages.front());
  EXPECT_GT(dialog.messages.size(), 3u);
  // The dialog's lists go after its WM_DESTROY and tell it so: the hook hears the dialog to its end.
  auto destroy = std::find(dialog.messages.begin(), dialog.messages.end(), static_cast<UINT>(WM_DESTROY));
  ASSERT_NE(dialog.messages.end(), destroy);
  EXPECT_NE(dialog.messages.end(), destroy + 1) << "no message after WM_DESTROY reached the hook";
}

TEST(FiledlgTest, CancelAnswersZero) {
  ModalAnswerer answerer;
  answerer.act("Save as", [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); });
  filedlg dialog;
  dialog.openflag = 0;
  dialog.title = "Save as";
  fpathbuf out("unchanged");
  EXPECT_EQ(0, dialog.run(nullptr, out));
  EXPECT_STREQ("unchanged", out.str());
}

TEST(FiledlgTest, ANameTooLongIsSaidAndTheDialogOpensAgain) {
  ResourceLibrary english("kxenu.dll");
  TempDir dir;
  std::string longName = dir.file(std::string(150, 'n') + ".txt");
  ModalAnswerer answerer;
  answerer.answer("The name is too long", IDOK);
  choosingoncedlg dialog;
  dialog.hookflag = 1;
  dialog.openflag = 0;
  dialog.choice = longName;
  fpathbuf out("unchanged");
  EXPECT_EQ(0, dialog.run(nullptr, out)) << "the second opening was cancelled";
  EXPECT_EQ(2, dialog.openings);
  EXPECT_STREQ("unchanged", out.str());
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}
