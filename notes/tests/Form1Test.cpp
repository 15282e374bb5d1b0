#include <notes/tests/NotarisFixture.h>

#include <notes/Form6.h>

#include <formsrt/Application.h>
#include <formsrt/HelpLauncher.h>
#include <formsrt/Settings.h>
#include <wincore/MessageLoop.h>

#include <tests/support/MessagePump.h>
#include <tests/support/RealInput.h>
#include <tests/support/SentInput.h>
#include <tests/support/TempDir.h>

#include <gmock/gmock.h>

#include <windows.h>

using namespace testsupport;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char kSubjectBlank[] = "You cannot leave the \"Subject\" field blank.";
const char kMessageBlank[] = "You cannot leave the message field blank.";

// Fills in a common file dialog's name and presses its OK button.
ModalAnswerer::Action chooseFile(const std::string& path) {
  return [path](HWND dialog) {
    for (int id : {0x47c, 0x480}) // the explorer dialog's name box, a combo box or an edit
      SetDlgItemTextA(dialog, id, path.c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

// Gives a file a last-written time in local time.
void setWriteTime(const std::string& path, SYSTEMTIME local) {
  FILETIME localTime, universal;
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &universal);
  HANDLE file =
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &universal);
  CloseHandle(file);
}

} // namespace

TEST_F(NotarisTest, PostingWritesTheNoteAndAStartUpShortcutToIt) {
  auto& form = start();
  post("Lunch", "Meet at noon\rBring cake");

  EXPECT_THAT(filesIn(notes_), ElementsAre("Lunch.XVQ"));
  EXPECT_EQ(readFile(note("Lunch.XVQ")), "Meet at noon\r\nBring cake");
  EXPECT_THAT(filesIn(startup_.path()), ElementsAre("Lunch.lnk"));
  EXPECT_EQ(targetOf(shortcut("Lunch")), note("Lunch.XVQ"));
  ASSERT_EQ(form.File1.ListCount(), 1);
  EXPECT_EQ(form.File1.List(0), "Lunch.XVQ");
  EXPECT_FALSE(form.changed());
  EXPECT_THAT(answers_.seen(), IsEmpty()) << answers_.describeSeen();

  // Saving again writes the same bytes: nothing is added at each save.
  press(form.Command1);
  EXPECT_EQ(readFile(note("Lunch.XVQ")), "Meet at noon\r\nBring cake");
}

TEST_F(NotarisTest, PostingOrSavingWithABlankFieldWritesNothing) {
  auto& form = start();
  struct Case {
    const char* name;
    const char* subject;
    const char* message;
    const char* expected;
    HWND focus;
  } cases[] = {
      {"no subject", "", "text", kSubjectBlank, form.Text2.hwnd()},
      {"blank subject", "   ", "text", kSubjectBlank, form.Text2.hwnd()},
      {"no message", "Lunch", "", kMessageBlank, form.Text1.hwnd()},
  };
  for (const Case& c : cases) {
    for (formsrt::MenuItem* save : {static_cast<formsrt::MenuItem*>(nullptr), form.mnuFileItem[2].get()}) {
      type(form.Text2, c.subject);
      type(form.Text1, c.message);
      answers_.answer(c.expected, IDOK);
      if (save)
        choose(*save);
      else
        press(form.Command1);
      EXPECT_EQ(answers_.pending(), 0u) << c.name << "\n" << answers_.describeSeen();
      EXPECT_EQ(GetFocus(), c.focus) << c.name;
    }
  }
  EXPECT_THAT(filesIn(notes_), IsEmpty());
  EXPECT_THAT(filesIn(startup_.path()), IsEmpty());
}

TEST_F(NotarisTest, SubjectsThatAreNoPlainFileNameAreRefusedBeforeAnyFileIsTouched) {
  // Files a bad subject could reach: beside the notes folder, in it, and the start-up folder's.
  writeFile(root_.file("outside.XVQ"), "outside");
  writeFile(note("kept.XVQ"), "kept");
  writeFile(shortcut("kept"), "link");
  auto& form = start();

  const char* subjects[] = {
      "..\\outside", "sub\\note", "a/b", "C:\\Windows\\x", "..",  "Lunch.",  "Lunch ", "what?",
      "a*",          "<b>",       "a|b", "say \"hi\"",     "CON", "nul.txt", "LPT1"};
  auto refuse = [&](const char* subject, formsrt::MenuItem* command) {
    type(form.Text2, subject);
    type(form.Text1, "message");
    if (command == form.mnuFileItem[0].get())
      answers_.answer("Do you wish to save the changes?", IDYES);
    answers_.answer("subject", IDOK);
    if (command)
      choose(*command);
    else
      press(form.Command1);
    EXPECT_EQ(answers_.pending(), 0u) << subject << "\n" << answers_.describeSeen();
    EXPECT_EQ(form.Text2.Text(), subject) << "a refused command keeps the note on screen";
  };
  for (const char* subject : subjects)
    refuse(subject, nullptr);
  // Save and New write through the same check as Post.
  for (const char* subject : {"..\\outside", "CON"}) {
    refuse(subject, form.mnuFileItem[2].get());
    refuse(subject, form.mnuFileItem[0].get());
  }
  EXPECT_THAT(filesIn(root_.path()), ElementsAre("outside.XVQ"));
  EXPECT_EQ(readFile(root_.file("outside.XVQ")), "outside");
  EXPECT_THAT(filesIn(notes_), ElementsAre("kept.XVQ"));
  EXPECT_THAT(filesIn(startup_.path()), ElementsAre("kept.lnk"));
}

TEST_F(NotarisTest, StartingWithAPostedNoteShowsItOnceAndRemovesItsShortcut) {
  start();
  post("Lunch", "Meet at noon");
  form_.reset();

  setWriteTime(note("Lunch.XVQ"), SYSTEMTIME{2024, 3, 2, 5, 15, 7, 0, 0});

  auto& form = start("\"" + note("Lunch.XVQ") + "\"");
  EXPECT_EQ(form.Text2.Text(), "Lunch");
  EXPECT_EQ(form.Text1.Text(), "Meet at noon");
  EXPECT_EQ(form.Caption(), "Notaris: Tuesday, March 5, 2024  3:07 PM");
  EXPECT_FALSE(form.changed());
  EXPECT_THAT(filesIn(startup_.path()), IsEmpty());
  EXPECT_THAT(filesIn(notes_), ElementsAre("Lunch.XVQ"));
}

TEST_F(NotarisTest, ANoteThatCannotBeLoadedIsReportedAndLeavesTheFormAsItWas) {
  writeFile(note("Big.XVQ"), std::string(70000, 'b'));
  struct Case {
    std::string argument;
    const char* expected;
  } cases[] = {
      {note("Big.XVQ"), "File is too large for Notaris to load."},
      {note("Absent.XVQ"), "Error encountered while trying to open file, please retry."},
  };
  for (const Case& c : cases) {
    answers_.answer(c.expected, IDOK);
    auto& form = start(c.argument);
    EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
    EXPECT_EQ(form.Text1.Text(), "");
    EXPECT_EQ(form.Caption(), "Notaris");
    EXPECT_EQ(form.notePath(), "");
  }
}

TEST_F(NotarisTest, ANoteWithZeroBytesIsShownWholeAndOverwrittenOnlyWhenTheUserAgrees) {
  const std::string bytes("ab\0cd", 5);
  writeFile(note("Odd.XVQ"), bytes);
  answers_.answer("is not plain text", IDOK);
  auto& form = start(note("Odd.XVQ"));
  EXPECT_EQ(form.Text1.Text(), "ab cd");

  answers_.answer("Save the note with blanks in their place?", IDNO);
  choose(*form.mnuFileItem[2]);
  EXPECT_EQ(readFile(note("Odd.XVQ")), bytes);

  answers_.answer("Save the note with blanks in their place?", IDYES);
  choose(*form.mnuFileItem[2]);
  EXPECT_EQ(readFile(note("Odd.XVQ")), "ab cd");
  choose(*form.mnuFileItem[2]);
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

TEST_F(NotarisTest, ANoteWithLoneCrLineEndsOpensAsLinesAndIsSavedWithItsOwnLineEnds) {
  std::string bytes;
  for (int i = 0; i < 2000; ++i)
    bytes += "line " + std::to_string(i) + "\r";
  writeFile(note("Mac.XVQ"), bytes);
  auto& form = start(note("Mac.XVQ"));
  EXPECT_EQ(SendMessageA(form.Text1.hwnd(), EM_GETLINECOUNT, 0, 0), 2001);
  choose(*form.mnuFileItem[2]);
  EXPECT_EQ(readFile(note("Mac.XVQ")), bytes);
}

TEST_F(NotarisTest, OpenLoadsTheChosenNoteAndRemembersItsFolder) {
  TempDir elsewhere;
  writeFile(elsewhere.file("Memo.XVQ"), "From elsewhere");
  auto& form = start();
  type(form.Text2, "Draft");
  type(form.Text1, "unsaved words");

  answers_.answer("Do you wish to save the changes?", IDNO);
  answers_.act("Notaris: Open File", chooseFile(elsewhere.file("Memo.XVQ")));
  choose(*form.mnuFileItem[1]);

  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
  EXPECT_EQ(form.Text2.Text(), "Memo");
  EXPECT_EQ(form.Text1.Text(), "From elsewhere");
  EXPECT_EQ(form.notePath(), elsewhere.file("Memo.XVQ"));
  EXPECT_EQ(formsrt::GetSetting("Notaris", "FileOpen", "Path"), elsewhere.path());
  EXPECT_THAT(filesIn(notes_), IsEmpty()) << "the unsaved draft was not to be saved";
}

TEST_F(NotarisTest, SaveAndSaveAsWriteTheMessageWhereTheUserSaid) {
  TempDir elsewhere;
  auto& form = start();
  type(form.Text2, "Plan");
  type(form.Text1, "first");
  choose(*form.mnuFileItem[2]);
  EXPECT_EQ(readFile(note("Plan.XVQ")), "first");

  type(form.Text1, "second");
  answers_.act("Notaris: Save File", chooseFile(elsewhere.file("Copy.XVQ")));
  choose(*form.mnuFileItem[3]);
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
  EXPECT_EQ(readFile(elsewhere.file("Copy.XVQ")), "second");
  EXPECT_EQ(readFile(note("Plan.XVQ")), "first");
  EXPECT_FALSE(form.changed());
}

TEST_F(NotarisTest, NewAsksToSaveAChangedNoteAndSavesItOnYes) {
  auto& form = start();
  type(form.Text2, "Plan");
  type(form.Text1, "words");

  answers_.answer("Do you wish to save the changes?", IDCANCEL);
  choose(*form.mnuFileItem[0]);
  EXPECT_EQ(form.Text1.Text(), "words");

  answers_.answer("Do you wish to save the changes?", IDYES);
  choose(*form.mnuFileItem[0]);
  EXPECT_EQ(readFile(note("Plan.XVQ")), "words");
  EXPECT_EQ(form.Text2.Text(), "");
  EXPECT_EQ(form.Text1.Text(), "");
  EXPECT_EQ(form.Caption(), "Notaris");
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

TEST_F(NotarisTest, ReplyQuotesTheSelectionOrStartsAnEmptyMessage) {
  auto& form = start();
  type(form.Text2, "Lunch");
  type(form.Text1, "Meet at noon today");
  SendMessageA(form.Text1.hwnd(), EM_SETSEL, 8, 12);
  press(form.Command4);
  EXPECT_EQ(form.Text2.Text(), "RE Lunch");
  EXPECT_EQ(form.Text1.Text(), "You wrote.....\r\n\r\n<< noon >>\r\n\r\n");
  EXPECT_EQ(GetFocus(), form.Text1.hwnd());
  EXPECT_EQ(form.Text1.SelStart(), static_cast<int>(form.Text1.Text().size()));

  SendMessageA(form.Text1.hwnd(), EM_SETSEL, 0, 0);
  press(form.Command4);
  EXPECT_EQ(form.Text2.Text(), "RE RE Lunch");
  EXPECT_EQ(form.Text1.Text(), "");
}

TEST_F(NotarisTest, DeleteRemovesTheNoteOnScreenAndItsShortcutNotTheStartUpNote) {
  start();
  post("First", "one");
  post("Second", "two");
  form_.reset();
  auto& form = start(note("First.XVQ")); // the start-up note; its shortcut goes at start
  answers_.act("Notaris: Open File", chooseFile(note("Second.XVQ")));
  choose(*form.mnuFileItem[1]);
  ASSERT_EQ(form.Text2.Text(), "Second");

  answers_.answerAlways("", IDYES); // the shell's confirmation
  press(form.Command3);

  EXPECT_THAT(filesIn(notes_), ElementsAre("First.XVQ"));
  EXPECT_THAT(filesIn(startup_.path()), IsEmpty());
  EXPECT_EQ(form.Text2.Text(), "");
  EXPECT_EQ(form.Text1.Text(), "");
  EXPECT_EQ(form.Caption(), "Notaris");
  EXPECT_EQ(form.File1.ListCount(), 1);
}

TEST_F(NotarisTest, DeleteWithoutASavedNoteSaysSoAndDeletesNothing) {
  writeFile(note("Other.XVQ"), "other");
  auto& form = start();
  type(form.Text2, "Other");
  type(form.Text1, "typed, never saved");
  answers_.answer("no note file to delete", IDOK);
  press(form.Command3);
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
  EXPECT_THAT(filesIn(notes_), ElementsAre("Other.XVQ"));
  EXPECT_EQ(form.Text1.Text(), "typed, never saved");
}

TEST_F(NotarisTest, PurgeRemovesEveryListedNoteAndTheirShortcuts) {
  writeFile(note("keep.txt"), "not a note");
  writeFile(note("keep.XVQX"), "not a note either");
  auto& form = start();
  answers_.answer("There are no \"Notariss\" to purge.", IDOK);
  press(form.Command5);
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
  EXPECT_THAT(filesIn(notes_), ElementsAre("keep.XVQX", "keep.txt"));

  post("One", "1");
  post("Two", "2");
  answers_.answerAlways("", IDYES); // the shell's confirmation
  press(form.Command5);
  EXPECT_THAT(filesIn(notes_), ElementsAre("keep.XVQX", "keep.txt"));
  EXPECT_THAT(filesIn(startup_.path()), IsEmpty());
  EXPECT_EQ(form.File1.ListCount(), 0);
  EXPECT_EQ(form.Text2.Text(), "");
  EXPECT_EQ(form.Text1.Text(), "");
}

// The file list is not refreshed behind the program's back: Purge meets names that are gone.
TEST_F(NotarisTest, PurgeSkipsNotesGoneSinceTheListWasMadeAndReportsNotesItCouldNotDelete) {
  auto& form = start();
  post("One", "1");
  post("Two", "2");
  post("Three", "3");
  DeleteFileA(note("Two.XVQ").c_str());
  answers_.answerAlways("Confirm", IDYES); // the shell's confirmation
  press(form.Command5);
  EXPECT_THAT(filesIn(notes_), IsEmpty());
  EXPECT_THAT(filesIn(startup_.path()), ElementsAre("Two.lnk")) << "its note was gone before the purge";

  post("Four", "4");
  HANDLE held = CreateFileA(note("Four.XVQ").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  answers_.answer("1 of the notes could not be deleted.", IDOK);
  press(form.Command5);
  CloseHandle(held);
  EXPECT_THAT(filesIn(notes_), ElementsAre("Four.XVQ"));
}

TEST_F(NotarisTest, ClearEmptiesBothBoxesAndLeavesTheFilesAlone) {
  auto& form = start();
  post("Lunch", "noon");
  press(form.Command6);
  EXPECT_EQ(form.Text2.Text(), "");
  EXPECT_EQ(form.Text1.Text(), "");
  EXPECT_EQ(GetFocus(), form.Text1.hwnd());
  EXPECT_THAT(filesIn(notes_), ElementsAre("Lunch.XVQ"));
  EXPECT_THAT(filesIn(startup_.path()), ElementsAre("Lunch.lnk"));
}

TEST_F(NotarisTest, ClosingOffersToDeleteAndToSaveAndCanBeCancelled) {
  auto& form = start();
  post("Lunch", "noon");
  type(form.Text1, "noon, changed");

  answers_.answer("Do you want to delete the Notaris?", IDCANCEL);
  close();
  ASSERT_TRUE(form.isLoaded());

  answers_.answer("Do you want to delete the Notaris?", IDNO);
  answers_.answer("Do you want to save the Notaris?", IDCANCEL);
  close();
  ASSERT_TRUE(form.isLoaded());

  answers_.answer("Do you want to delete the Notaris?", IDNO);
  answers_.answer("Do you want to save the Notaris?", IDNO);
  close();
  EXPECT_FALSE(form.isLoaded());
  EXPECT_EQ(readFile(note("Lunch.XVQ")), "noon");
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

TEST_F(NotarisTest, ClosingWithYesSavesTheChangedNote) {
  auto& form = start();
  type(form.Text2, "Plan");
  type(form.Text1, "unsaved");
  answers_.answer("Do you want to save the Notaris?", IDYES);
  press(form.Command2);
  EXPECT_FALSE(form.isLoaded());
  EXPECT_EQ(readFile(note("Plan.XVQ")), "unsaved");
}

TEST_F(NotarisTest, HelpTopicsOpensTheHelpFileFinderThroughTheHelpProgram) {
  struct Call {
    std::string file;
    UINT command;
  };
  std::vector<Call> calls;
  formsrt::HelpOverride help([&](HWND, const std::string& file, UINT command, ULONG_PTR) {
    calls.push_back({file, command});
    return true;
  });
  auto& form = start();

  answers_.answer("cannot be found", IDOK);
  choose(*form.mnuHelpItem[0]);
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
  EXPECT_TRUE(calls.empty());

  writeFile(note("notaris.hlp"), "help");
  choose(*form.mnuHelpItem[0]);
  choose(*form.mnuHelpItem[1]);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].file, note("notaris.hlp"));
  EXPECT_EQ(calls[0].command, static_cast<UINT>(HELP_FINDER));
  EXPECT_EQ(calls[1].command, static_cast<UINT>(HELP_COMMAND));
}

TEST_F(NotarisTest, F1OpensTheProgramsHelpFile) {
  std::vector<std::string> opened;
  formsrt::setHelpLauncher([&](const std::string& file) { opened.push_back(file); });
  auto& form = start();
  MSG f1{form.Text1.hwnd(), WM_KEYDOWN, VK_F1, 1, 0, {}};
  formsrt::processMessage(f1);
  formsrt::setHelpLauncher(nullptr);
  EXPECT_THAT(opened, ElementsAre(note("notaris.hlp")));
}

TEST_F(NotarisTest, EditMenuFollowsTheMessageBox) {
  auto& form = start();
  type(form.Text1, "hello world");
  SendMessageA(form.Text1.hwnd(), EM_SETSEL, 0, 0);
  open(form.mnuEdit);
  EXPECT_FALSE(form.mnuEditItem[2]->Enabled()) << "Cut without a selection";
  EXPECT_TRUE(form.mnuEditItem[7]->Enabled()) << "Select All";

  choose(*form.mnuEditItem[7]);
  EXPECT_EQ(form.Text1.SelLength(), 11);
  open(form.mnuEdit);
  EXPECT_TRUE(form.mnuEditItem[2]->Enabled());
  choose(*form.mnuEditItem[2]);
  EXPECT_EQ(form.Text1.Text(), "");
  open(form.mnuEdit);
  EXPECT_TRUE(form.mnuEditItem[4]->Enabled()) << "Paste with text on the clipboard";
  choose(*form.mnuEditItem[4]);
  choose(*form.mnuEditItem[4]);
  EXPECT_EQ(form.Text1.Text(), "hello worldhello world");
}

TEST_F(NotarisTest, DoubleClickingANoteInTheListOpensIt) {
  writeFile(note("Alpha.XVQ"), "first note");
  writeFile(note("Beta.XVQ"), "second note");
  auto& form = start();
  ASSERT_EQ(form.File1.ListCount(), 2);
  RECT item;
  SendMessageA(form.File1.hwnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  click(form.File1.hwnd(), item.left + 2, item.top + 2);
  doubleClick(form.File1.hwnd(), item.left + 2, item.top + 2);
  pumpMessages();
  EXPECT_EQ(form.Text2.Text(), "Beta");
  EXPECT_EQ(form.Text1.Text(), "second note");
  EXPECT_EQ(form.notePath(), note("Beta.XVQ"));
}

TEST_F(NotarisTest, ANoteOfTheSameNameElsewhereLeavesThePostedNotesShortcutAlone) {
  TempDir elsewhere;
  writeFile(elsewhere.file("Lunch.XVQ"), "another lunch");
  start();
  post("Lunch", "noon");
  form_.reset();

  auto& form = start(elsewhere.file("Lunch.XVQ"));
  EXPECT_THAT(filesIn(startup_.path()), ElementsAre("Lunch.lnk"));
  answers_.answerAlways("", IDYES); // the shell's confirmation
  press(form.Command3);
  EXPECT_FALSE(fileExists(elsewhere.file("Lunch.XVQ")));
  EXPECT_THAT(filesIn(notes_), ElementsAre("Lunch.XVQ"));
  EXPECT_EQ(targetOf(shortcut("Lunch")), note("Lunch.XVQ"));
}

TEST_F(NotarisTest, AProfileWithoutTheStartUpValueStillLoadsTheStartUpNote) {
  writeFile(note("Lunch.XVQ"), "noon");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                          KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  RegDeleteValueA(key, "StartUp");
  RegCloseKey(key);

  auto& form = start(note("Lunch.XVQ"));
  EXPECT_EQ(form.Text1.Text(), "noon");
  EXPECT_EQ(form.Label3.Caption(), "Posted notes open when Windows next starts.");
  EXPECT_THAT(filesIn(notes_), ElementsAre("Lunch.XVQ"));
}

namespace {

TEST_F(NotarisTest, TheAboutFormOpensCentredOnTheMainForm) {
  auto& form = start();
  SetWindowPos(form.hwnd(), nullptr, 240, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT main, about{};
  GetWindowRect(form.hwnd(), &main);
  answers_.act("About Notaris", [&](HWND shown) {
    GetWindowRect(shown, &about);
    PostMessageA(dynamic_cast<notaris::Form6*>(formsrt::Form::fromWindow(shown))->Command1.hwnd(), BM_CLICK,
                 0, 0);
  });
  choose(*form.mnuHelpItem[3]);
  EXPECT_NEAR((about.left + about.right) / 2, (main.left + main.right) / 2, 1);
  EXPECT_NEAR((about.top + about.bottom) / 2, (main.top + main.bottom) / 2, 1);
}

struct NotarisByUser : NotarisTest {
  // Alt+F and the entry's letter, typed at once: the menu's own loop reads the letter.
  void chooseFromFileMenu(char letter) {
    realinput::bringToFront(form_->hwnd());
    using realinput::keyStroke;
    realinput::sendAtOnce({keyStroke(VK_MENU, false), keyStroke('F', false), keyStroke('F', true),
                           keyStroke(VK_MENU, true), keyStroke(letter, false), keyStroke(letter, true)});
    realinput::settle();
  }

  // Keys typed at the main form while the program's own loop handles them (its dialog keys reach the
  // buttons' underlined letters, the menu bar its letters), until `done`.
  bool typedAtTheForm(std::vector<INPUT> keys, const std::function<bool()>& done) {
    realinput::bringToFront(form_->hwnd());
    return realinput::sendThroughLoop(std::move(keys), wincore::runModalLoop, done);
  }
  // Alt and a menu's letter on the menu bar, then the letter of one of its entries.
  bool chooseFromMenu(char menu, char entry, const std::function<bool()>& done) {
    using realinput::keyStroke;
    return typedAtTheForm({keyStroke(VK_MENU, false), keyStroke(menu, false), keyStroke(menu, true),
                           keyStroke(VK_MENU, true), keyStroke(entry, false), keyStroke(entry, true)},
                          done);
  }
  // Alt and a button's underlined letter.
  bool pressWithAlt(char letter, const std::function<bool()>& done) {
    using realinput::keyStroke;
    return typedAtTheForm({keyStroke(VK_MENU, false), keyStroke(letter, false), keyStroke(letter, true),
                           keyStroke(VK_MENU, true)},
                          done);
  }
  // A click into the box, its text selected from the keyboard and typed over.
  void typeOver(formsrt::TextBox& box, const std::string& text) {
    realinput::click(form_->hwnd(), realinput::centreOf(box.hwnd()));
    realinput::pressKey(VK_END, {VK_CONTROL});
    realinput::pressKey(VK_HOME, {VK_CONTROL, VK_SHIFT});
    realinput::typeText(text);
  }
};

TEST_F(NotarisByUser, SaveFromTheFileMenuWritesTheNoteTheUserTyped) {
  auto& form = start();
  typeOver(form.Text2, "Plan");
  typeOver(form.Text1, "first draft");
  ASSERT_TRUE(chooseFromMenu('F', 'S', [&] { return !readFile(note("Plan.XVQ")).empty(); }))
      << answers_.describeSeen();
  EXPECT_EQ(readFile(note("Plan.XVQ")), "first draft");
  EXPECT_FALSE(form.changed());
  EXPECT_THAT(filesIn(startup_.path()), IsEmpty()) << "saving posts nothing";
  EXPECT_THAT(answers_.seen(), IsEmpty()) << answers_.describeSeen();
}

TEST_F(NotarisByUser, PostWithItsUnderlinedLetterSavesTheNoteAndPutsItsShortcutInTheStartUpFolder) {
  auto& form = start();
  typeOver(form.Text2, "Lunch");
  typeOver(form.Text1, "Meet at noon");
  ASSERT_TRUE(pressWithAlt('P', [&] { return !filesIn(startup_.path()).empty(); }))
      << answers_.describeSeen();
  EXPECT_EQ(readFile(note("Lunch.XVQ")), "Meet at noon");
  EXPECT_THAT(filesIn(startup_.path()), ElementsAre("Lunch.lnk"));
  EXPECT_EQ(targetOf(shortcut("Lunch")), note("Lunch.XVQ"));
  EXPECT_EQ(GetFocus(), form.Command1.hwnd()) << "the letter pressed the button, as a click does";
  EXPECT_THAT(answers_.seen(), IsEmpty()) << answers_.describeSeen();
}

TEST_F(NotarisByUser, OpenFromTheFileMenuShowsTheChosenNote) {
  TempDir elsewhere;
  writeFile(elsewhere.file("Memo.XVQ"), "From elsewhere");
  auto& form = start();
  answers_.act("Notaris: Open File", chooseFile(elsewhere.file("Memo.XVQ")));
  ASSERT_TRUE(chooseFromMenu('F', 'O', [&] { return form.Text1.Text() == "From elsewhere"; }))
      << answers_.describeSeen();
  EXPECT_EQ(form.Text2.Text(), "Memo");
  EXPECT_EQ(form.notePath(), elsewhere.file("Memo.XVQ"));
  EXPECT_FALSE(form.changed());
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

TEST_F(NotarisByUser, ReplyWithItsUnderlinedLetterQuotesWhatTheUserSelected) {
  writeFile(note("Lunch.XVQ"), "Meet at noon today");
  auto& form = start(note("Lunch.XVQ"));
  realinput::click(form.hwnd(), realinput::centreOf(form.Text1.hwnd()));
  realinput::pressKey(VK_HOME, {VK_CONTROL});
  for (int i = 0; i < 8; ++i)
    realinput::pressKey(VK_RIGHT);
  for (int i = 0; i < 4; ++i)
    realinput::pressKey(VK_RIGHT, {VK_SHIFT});
  ASSERT_TRUE(pressWithAlt('R', [&] { return form.Text2.Text() == "RE Lunch"; })) << form.Text2.Text();
  EXPECT_EQ(form.Text1.Text(), "You wrote.....\r\n\r\n<< noon >>\r\n\r\n");
  EXPECT_EQ(GetFocus(), form.Text1.hwnd());

  // The reply is a note of its own: saved from the menu, it leaves the note it answers as it was.
  ASSERT_TRUE(chooseFromMenu('F', 'S', [&] { return !readFile(note("RE Lunch.XVQ")).empty(); }))
      << answers_.describeSeen();
  EXPECT_EQ(readFile(note("RE Lunch.XVQ")), "You wrote.....\r\n\r\n<< noon >>\r\n\r\n");
  EXPECT_EQ(readFile(note("Lunch.XVQ")), "Meet at noon today");
}

TEST_F(NotarisByUser, EnterOnTheExitQuestionKeepsTheNote) {
  auto& form = start();
  post("Lunch", "noon");
  answers_.enterOn("Do you want to delete the Notaris?");
  realinput::click(form.hwnd(), realinput::centreOf(form.Command2.hwnd()));
  EXPECT_FALSE(form.isLoaded());
  EXPECT_EQ(readFile(note("Lunch.XVQ")), "noon");
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

TEST_F(NotarisByUser, EnterOnTheBlanksQuestionKeepsTheZeroBytes) {
  const std::string bytes("ab\0cd", 5);
  writeFile(note("Odd.XVQ"), bytes);
  answers_.answer("is not plain text", IDOK);
  start(note("Odd.XVQ"));
  answers_.enterOn("Save the note with blanks in their place?");
  chooseFromFileMenu('S');
  EXPECT_EQ(readFile(note("Odd.XVQ")), bytes);
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

TEST_F(NotarisByUser, EnterOnTheReplaceQuestionOfSaveAsKeepsTheOtherNote) {
  writeFile(note("Other.XVQ"), "other");
  auto& form = start();
  type(form.Text2, "Draft");
  type(form.Text1, "mine");
  answers_.act("Notaris: Save File", chooseFile(note("Other.XVQ")));
  answers_.enterOn("already exists");
  chooseFromFileMenu('A');
  EXPECT_EQ(readFile(note("Other.XVQ")), "other");
  EXPECT_TRUE(form.changed());
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

// Opened and saved unchanged, a note keeps its bytes whatever its line ends; lines the user adds end as
// the note's lines do, or in CR LF when the note mixes its line ends.
TEST_F(NotarisByUser, ANoteIsSavedWithTheLineEndsItWasOpenedWith) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string added; // the bytes after the user adds a line "new" at the end
  } cases[] = {
      {"lone CRs", "one\rtwo\r\rthree", "one\rtwo\r\rthree\rnew"},
      {"lone LFs", "one\ntwo\n", "one\ntwo\n\nnew"},
      {"mixed", "one\rtwo\r\nthree\nfour\n\r", "one\rtwo\r\nthree\nfour\n\r\r\nnew"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(note("Ends.XVQ"), c.bytes);
    auto& form = start(note("Ends.XVQ"));
    choose(*form.mnuFileItem[2]);
    EXPECT_EQ(readFile(note("Ends.XVQ")), c.bytes) << "saved unchanged";
    realinput::click(form.hwnd(), realinput::centreOf(form.Text1.hwnd()));
    realinput::pressKey(VK_END, {VK_CONTROL});
    realinput::pressKey(VK_RETURN);
    realinput::typeText("new");
    choose(*form.mnuFileItem[2]);
    EXPECT_EQ(readFile(note("Ends.XVQ")), c.added) << "saved with a line added";
    form_.reset();
  }
}

} // namespace
