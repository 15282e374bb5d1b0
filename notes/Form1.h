#pragma once

#include <formsrt/Controls.h>
#include <formsrt/FileListBox.h>
#include <formsrt/Form.h>
#include <formsrt/Image.h>

#include <memory>
#include <string>
#include <vector>

namespace notaris {

// The main form: a subject, a message and the notes folder's list of notes; posting saves the note and
// puts a shortcut to it into the user's start-up group. The note on screen is the file it was opened
// from or last saved to; Delete removes that file and its shortcut.
class Form1 : public formsrt::Form {
public:
  // `notesFolder` holds the notes and the help file; `startupArgument` is the note the program was
  // started with, quoted or not, or empty.
  Form1(std::string notesFolder, std::string startupArgument);

  formsrt::TextBox Text2;
  formsrt::TextBox Text1;
  formsrt::Label Label2;
  formsrt::Label Label1;
  formsrt::Label Label3;
  formsrt::FileListBox File1;
  formsrt::Image Image1;
  formsrt::CommandButton Command1;
  formsrt::CommandButton Command2;
  formsrt::CommandButton Command3;
  formsrt::CommandButton Command4;
  formsrt::CommandButton Command5;
  formsrt::CommandButton Command6;

  formsrt::MenuItem mnuFile;
  std::vector<std::unique_ptr<formsrt::MenuItem>> mnuFileItem;
  formsrt::MenuItem mnuEdit;
  std::vector<std::unique_ptr<formsrt::MenuItem>> mnuEditItem;
  formsrt::MenuItem mnuHelp;
  std::vector<std::unique_ptr<formsrt::MenuItem>> mnuHelpItem;

  void Form_Load() override;
  void Form_Unload(int& cancel) override;

  // The open and save-as commands.
  void OpenNow();
  void SaveNow();

  // Loads a note into the form; answers false after telling the user why it could not.
  bool LoadNote(const std::string& path);

  const std::string& notePath() const { return notePath_; }
  bool changed() const { return changed_; }
  const std::string& helpFile() const { return helpFile_; }

private:
  void addItems(formsrt::MenuItem& menu, std::vector<std::unique_ptr<formsrt::MenuItem>>& items,
                const std::vector<std::string>& captions, void (Form1::*handler)(int));

  void post();
  void deleteNote();
  void reply();
  void purge();
  void clear();
  void fileItemClick(int index);
  void editMenuOpens();
  void editItemClick(int index);
  void helpItemClick(int index);

  bool writeNote(const std::string& path);
  bool checkSubject();
  bool checkMessage();
  bool saveNote();
  // Asks whether to save a changed note; answers false when the user cancelled or the save failed.
  bool askToSaveChanges();
  void emptyNote();
  formsrt::TextBox& editTarget();
  std::string postedShortcutOf(const std::string& notePath) const;

  std::string notesFolder_;
  std::string startupNote_;
  std::string startupFolder_;
  std::string helpFile_;
  std::string notePath_;
  bool changed_ = false;
  // How the note's file ends its lines, each in order and the kind for lines added, so that a save
  // writes them back as they were.
  std::string lineEnds_;
  std::string lineEnd_ = "\r\n";
  // Zero bytes of the opened note, shown as blanks; a save asks before it writes blanks in their place.
  int zeroBytes_ = 0;
};

} // namespace notaris
