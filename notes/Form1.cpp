#include <notes/Form1.h>

#include <notes/Form6.h>
#include <notes/GenUtils.h>
#include <notes/NoteFile.h>

#include <formsrt/Application.h>
#include <formsrt/DateTime.h>
#include <formsrt/FileSystem.h>
#include <formsrt/HelpLauncher.h>
#include <formsrt/RecycleBin.h>
#include <formsrt/Settings.h>
#include <formsrt/ShellLink.h>

#include <commdlg.h>

#include <algorithm>

namespace notaris {

using namespace formsrt;

namespace {

const char kTitle[] = "Notaris";
const char kSubjectBlank[] = "You cannot leave the \"Subject\" field blank.";
const char kMessageBlank[] = "You cannot leave the message field blank.";
const char kChangedQuestion[] = "The text in the file has changed.\r\n\r\nDo you wish to save the changes?";

enum FileItem { fileNew, fileOpen, fileSave, fileSaveAs, fileExit = 5 };
enum EditItem { editUndo, editCut = 2, editCopy, editPaste, editDelete, editSelectAll = 7 };
enum HelpItem { helpTopics, helpWhatsThis, helpAbout = 3 };

// Layout, in twips.
const int kFormWidth = 6600;
const int kFormHeight = 4680;
const int kButtonTop = 4140;
const int kButtonWidth = 900;
const int kButtonHeight = 375;
int buttonLeft(int number) { return 720 + (number - 1) * (kButtonWidth + 60); }

bool fileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

LRESULT textLength(TextBox& box) { return SendMessageA(box.hwnd(), WM_GETTEXTLENGTH, 0, 0); }

} // namespace

Form1::Form1(std::string notesFolder, std::string startupArgument)
    : Form("Form1", kFormWidth, kFormHeight), Text2(*this, "Text2", 1080, 90, 3300, 315),
      Text1(*this, "Text1", 120, 480, 4260, 2900, TextBox::multiLine),
      Label2(*this, "Label2", "Subject:", 120, 120, 900, 255),
      Label1(*this, "Label1", "", 120, 3480, 6360, 255), Label3(*this, "Label3", "", 120, 3760, 6360, 255),
      File1(*this, "File1", 4500, 90, 1980, 3290, "*.XVQ"),
      Image1(*this, "Image1", 120, kButtonTop, 480, 480),
      Command1(*this, "Command1", "&Post", buttonLeft(1), kButtonTop, kButtonWidth, kButtonHeight),
      Command2(*this, "Command2", "E&xit", buttonLeft(2), kButtonTop, kButtonWidth, kButtonHeight),
      Command3(*this, "Command3", "&Delete", buttonLeft(3), kButtonTop, kButtonWidth, kButtonHeight),
      Command4(*this, "Command4", "&Reply", buttonLeft(4), kButtonTop, kButtonWidth, kButtonHeight),
      Command5(*this, "Command5", "P&urge", buttonLeft(5), kButtonTop, kButtonWidth, kButtonHeight),
      Command6(*this, "Command6", "&Clear", buttonLeft(6), kButtonTop, kButtonWidth, kButtonHeight),
      mnuFile(*this, "mnuFile", "&File"), mnuEdit(*this, "mnuEdit", "&Edit"),
      mnuHelp(*this, "mnuHelp", "&Help"), notesFolder_(withBackslash(notesFolder)),
      startupNote_(unquoteArgument(startupArgument)) {
  setCaption(kTitle);
  Text2.setFont("Arial", 10);
  Text1.setFont("MS Sans Serif", 8);
  File1.setPath(notesFolder_);

  // The shortcuts of the edit commands are the text boxes' own keys; they are only shown here, so that
  // they work whatever state the menu was last left in.
  addItems(mnuFile, mnuFileItem, {"&New", "&Open", "&Save", "Save &As", "-", "E&xit"}, &Form1::fileItemClick);
  addItems(mnuEdit, mnuEditItem,
           {"&Undo", "-", "Cu&t", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "&Delete\tDel", "-", "Select &All"},
           &Form1::editItemClick);
  addItems(mnuHelp, mnuHelpItem, {"&Help Topics", "&Whats This?", "-", "&About Notaris"},
           &Form1::helpItemClick);

  Text1.Change = [this] { changed_ = true; };
  Command1.Click = [this] { post(); };
  Command2.Click = [this] { Unload(); };
  Command3.Click = [this] { deleteNote(); };
  Command4.Click = [this] { reply(); };
  Command5.Click = [this] { purge(); };
  Command6.Click = [this] { clear(); };
  mnuEdit.Click = [this] { editMenuOpens(); };
  File1.DblClick = [this] {
    if (!File1.FileName().empty() && askToSaveChanges())
      LoadNote(notesFolder_ + File1.FileName());
  };
}

void Form1::addItems(MenuItem& menu, std::vector<std::unique_ptr<MenuItem>>& items,
                     const std::vector<std::string>& captions, void (Form1::*handler)(int)) {
  for (std::size_t i = 0; i < captions.size(); ++i) {
    int index = static_cast<int>(i);
    items.push_back(std::make_unique<MenuItem>(menu, menu.Name + "Item", captions[i], 0, index));
    items.back()->Click = [this, handler, index] { (this->*handler)(index); };
  }
}

void Form1::Form_Load() {
  helpFile_ = notesFolder_ + "notaris.hlp";
  // F1 opens the program's help file, known from here on.
  formsrt::App.HelpFile = helpFile_;
  startupFolder_ = startupFolder();
  SendMessageA(Text1.hwnd(), EM_SETLIMITTEXT, kMaxNoteBytes, 0);
  Image1.setPicture(LoadIcon(nullptr, IDI_INFORMATION));
  Label1.setCaption("Notes are kept in " + notesFolder_);
  Label3.setCaption(startupFolder_.empty() ? "No start-up folder was found: notes cannot be posted."
                                           : "Posted notes open when Windows next starts.");
  if (startupNote_.empty())
    return;
  // A posted note opens once: the shortcut that opened it goes once it is on screen.
  if (LoadNote(startupNote_)) {
    if (std::string shortcut = postedShortcutOf(startupNote_); !shortcut.empty())
      DeleteFileA(shortcut.c_str());
  }
}

void Form1::Form_Unload(int& cancel) {
  if (!notePath_.empty() && fileExists(notePath_)) {
    // Yes deletes the note: one Enter must not do that.
    int answer =
        MsgBox("Do you want to delete the Notaris?", mbYesNoCancel | mbQuestion | mbDefaultButton2, kTitle);
    if (answer == answerCancel) {
      cancel = 1;
      return;
    }
    if (answer == answerYes)
      deleteNote();
  }
  if (changed_ && textLength(Text1) != 0) {
    int answer = MsgBox("Do you want to save the Notaris?", mbYesNoCancel | mbQuestion, kTitle);
    if (answer == answerCancel || (answer == answerYes && !saveNote()))
      cancel = 1;
  }
}

// The start-up shortcut named after the note, when there is one and it points at this very note: a note
// of the same name elsewhere leaves another note's shortcut alone.
std::string Form1::postedShortcutOf(const std::string& notePath) const {
  if (startupFolder_.empty())
    return std::string();
  std::string shortcut = startupFolder_ + "\\" + subjectOf(notePath) + ".lnk";
  char full[MAX_PATH] = "";
  if (!fileExists(shortcut) || !GetFullPathNameA(notePath.c_str(), MAX_PATH, full, nullptr) ||
      lstrcmpiA(shellLinkTarget(shortcut).c_str(), full) != 0)
    return std::string();
  return shortcut;
}

bool Form1::LoadNote(const std::string& path) {
  std::string message;
  ReadResult result = readNote(path, message);
  if (result != ReadResult::ok) {
    MsgBox(result == ReadResult::tooLarge ? "File is too large for Notaris to load."
                                          : "Error encountered while trying to open file, please retry.",
           mbOKOnly | mbExclamation, kTitle);
    return false;
  }
  ShownNote shown = showNote(message);
  if (shown.zeroBytes > 0)
    MsgBox(
        "\"" + NoteNameOf(path) + "\" is not plain text: it holds " + std::to_string(shown.zeroBytes) +
            " zero byte(s), which Notaris shows as blanks.\n\nSaving the note writes blanks in their place.",
        mbOKOnly | mbExclamation, kTitle);
  Date written = FileDateTime(path);
  Text1.setText(shown.text);
  lineEnds_ = shown.lineEnds;
  lineEnd_ = shown.lineEnd;
  zeroBytes_ = shown.zeroBytes;
  Text2.setText(subjectOf(path));
  setCaption(std::string("Notaris: ") + Format(written, "dddd, mmmm d, yyyy") + "  " +
             Format(written, "h:mm AMPM"));
  notePath_ = path;
  changed_ = false;
  return true;
}

bool Form1::writeNote(const std::string& path) {
  if (zeroBytes_ > 0 &&
      MsgBox("The note held zero bytes when it was opened; they are shown as blanks.\n\nSave the note with "
             "blanks in their place?",
             mbYesNo | mbExclamation | mbDefaultButton2, kTitle) != answerYes)
    return false;
  if (!notaris::writeNote(path, noteBytes(Text1.Text(), lineEnds_, lineEnd_))) {
    MsgBox("Error occurred trying to close file, please retry.", mbOKOnly | mbExclamation, kTitle);
    return false;
  }
  notePath_ = path;
  changed_ = false;
  zeroBytes_ = 0;
  File1.Refresh();
  return true;
}

bool Form1::checkSubject() {
  std::string subject = Text2.Text();
  std::string problem = subject.find_first_not_of(' ') == std::string::npos
                            ? kSubjectBlank
                            : subjectProblem(notesFolder_, subject);
  if (problem.empty())
    return true;
  MsgBox(problem, mbOKOnly | mbExclamation, kTitle);
  Text2.SetFocus();
  return false;
}

bool Form1::checkMessage() {
  if (textLength(Text1) != 0)
    return true;
  MsgBox(kMessageBlank, mbOKOnly | mbExclamation, kTitle);
  Text1.SetFocus();
  return false;
}

bool Form1::saveNote() {
  return checkSubject() && checkMessage() && writeNote(notesFolder_ + Text2.Text() + kNoteExtension);
}

bool Form1::askToSaveChanges() {
  if (textLength(Text1) == 0)
    changed_ = false;
  if (!changed_)
    return true;
  int answer = MsgBox(kChangedQuestion, mbYesNoCancel | mbExclamation, kTitle);
  if (answer == answerCancel)
    return false;
  return answer == answerNo || saveNote();
}

void Form1::emptyNote() {
  Text2.setText("");
  Text1.setText("");
  setCaption(kTitle);
  notePath_.clear();
  changed_ = false;
  lineEnds_.clear();
  lineEnd_ = "\r\n";
  zeroBytes_ = 0;
}

void Form1::post() {
  if (!saveNote())
    return;
  if (!fCreateShellLink("\\startup", Text2.Text(), notePath_, ""))
    MsgBox("The note was saved, but it could not be posted: no shortcut could be made in the start-up group.",
           mbOKOnly | mbExclamation, kTitle);
}

void Form1::deleteNote() {
  if (notePath_.empty() || !fileExists(notePath_)) {
    MsgBox("This note has not been saved, so there is no note file to delete.", mbOKOnly | mbInformation,
           kTitle);
    return;
  }
  std::vector<std::string> files{notePath_};
  startupFolder_ = startupFolder();
  if (std::string shortcut = postedShortcutOf(notePath_); !shortcut.empty())
    files.push_back(shortcut);
  sendToRecycleBin(files);
  if (fileExists(notePath_))
    return;
  emptyNote();
  File1.Refresh();
}

void Form1::reply() {
  Text2.setText("RE " + Text2.Text());
  std::string selected = Text1.SelText();
  Text1.setText(selected.empty() ? std::string() : "You wrote.....\r\n\r\n<< " + selected + " >>\r\n\r\n");
  // The reply is a new note: it has no file yet.
  notePath_.clear();
  lineEnds_.clear();
  lineEnd_ = "\r\n";
  zeroBytes_ = 0;
  Text1.SetFocus();
  Text1.setSelStart(static_cast<int>(textLength(Text1)));
}

void Form1::purge() {
  if (File1.ListCount() == 0) {
    MsgBox("There are no \"Notariss\" to purge.", mbOKOnly | mbInformation, kTitle);
    return;
  }
  // A purged note takes its start-up shortcut with it, so that no shortcut is left pointing at nothing.
  // The list may be older than the folder: a note gone since is skipped, since the shell refuses a whole
  // batch that names one missing file.
  std::vector<std::string> notes;
  std::vector<std::string> shortcuts;
  for (int i = 0; i < File1.ListCount(); ++i) {
    std::string path = notesFolder_ + File1.List(i);
    if (!fileExists(path))
      continue;
    notes.push_back(path);
    if (std::string shortcut = postedShortcutOf(path); !shortcut.empty())
      shortcuts.push_back(shortcut);
  }
  std::vector<std::string> files = notes;
  files.insert(files.end(), shortcuts.begin(), shortcuts.end());
  if (!files.empty() && !sendToRecycleBin(files)) {
    auto left =
        std::count_if(notes.begin(), notes.end(), [](const std::string& path) { return fileExists(path); });
    if (left > 0)
      MsgBox(std::to_string(left) + " of the notes could not be deleted.", mbOKOnly | mbExclamation, kTitle);
  }
  emptyNote();
  File1.Refresh();
}

void Form1::clear() {
  emptyNote();
  Text1.SetFocus();
}

void Form1::fileItemClick(int index) {
  switch (index) {
  case fileNew:
    if (askToSaveChanges())
      emptyNote();
    break;
  case fileOpen:
    if (askToSaveChanges())
      OpenNow();
    break;
  case fileSave:
    saveNote();
    break;
  case fileSaveAs:
    if (checkMessage())
      SaveNow();
    break;
  case fileExit:
    Unload();
    break;
  }
}

void Form1::OpenNow() {
  char file[MAX_PATH] = "";
  std::string folder = GetSetting(kTitle, "FileOpen", "Path", notesFolder_);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = "Notaris Files (*.xvq)\0*.xvq\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = "Notaris: Open File";
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog))
    return;
  SaveSetting(kTitle, "FileOpen", "Path", folderOf(file));
  LoadNote(file);
  File1.Refresh();
}

void Form1::SaveNow() {
  char file[MAX_PATH] = "";
  lstrcpynA(file, Text2.Text().c_str(), MAX_PATH);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = "Notaris Files (*.xvq)\0*.xvq\0All Files (*.*)\0*.*\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = notesFolder_.c_str();
  dialog.lpstrTitle = "Notaris: Save File";
  dialog.lpstrDefExt = "XVQ";
  // The system's own replace question takes Yes as its default; this one takes No.
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&dialog))
    return;
  if (fileExists(file) && MsgBox(std::string(file) + " already exists.\n\nDo you want to replace it?",
                                 mbYesNo | mbExclamation | mbDefaultButton2, kTitle) != answerYes)
    return;
  writeNote(file);
}

TextBox& Form1::editTarget() { return GetFocus() == Text2.hwnd() ? Text2 : Text1; }

void Form1::editMenuOpens() {
  TextBox& box = editTarget();
  bool selected = box.SelLength() > 0;
  mnuEditItem[editUndo]->setEnabled(SendMessageA(box.hwnd(), EM_CANUNDO, 0, 0) != 0);
  mnuEditItem[editCut]->setEnabled(selected);
  mnuEditItem[editCopy]->setEnabled(selected);
  mnuEditItem[editDelete]->setEnabled(selected);
  mnuEditItem[editPaste]->setEnabled(IsClipboardFormatAvailable(CF_TEXT) != FALSE);
  mnuEditItem[editSelectAll]->setEnabled(textLength(box) != 0);
}

void Form1::editItemClick(int index) {
  HWND box = editTarget().hwnd();
  switch (index) {
  case editUndo:
    SendMessageA(box, EM_UNDO, 0, 0);
    break;
  case editCut:
    SendMessageA(box, WM_CUT, 0, 0);
    break;
  case editCopy:
    SendMessageA(box, WM_COPY, 0, 0);
    break;
  case editPaste:
    SendMessageA(box, WM_PASTE, 0, 0);
    break;
  case editDelete:
    SendMessageA(box, WM_CLEAR, 0, 0);
    break;
  case editSelectAll:
    SendMessageA(box, EM_SETSEL, 0, SendMessageA(box, WM_GETTEXTLENGTH, 0, 0));
    break;
  }
}

void Form1::helpItemClick(int index) {
  if (index == helpAbout) {
    Form6 about;
    about.Show(true);
    return;
  }
  if (!fileExists(helpFile_)) {
    MsgBox("The help file " + helpFile_ + " cannot be found.", mbOKOnly | mbExclamation, kTitle);
    return;
  }
  if (index == helpTopics)
    ShowHelp(hwnd(), helpFile_, HELP_FINDER);
  else if (index == helpWhatsThis)
    ShowHelp(hwnd(), helpFile_, HELP_COMMAND, reinterpret_cast<ULONG_PTR>("Search()"));
}

} // namespace notaris
