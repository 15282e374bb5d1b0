#pragma once

#include <functional>
#include <string>

namespace formsrt {

// The application object: its title (the caption of every message box that names none), its help file
// and the folder of the program.
struct Application {
  std::string Title;
  std::string HelpFile;
  // The program's folder, without a trailing backslash.
  std::string Path() const;
  // The program's start-up argument.
  std::string Command() const;
};

extern Application App;

// Message box styles and answers, with the numbers the programs use.
enum MsgBoxStyle : int {
  mbOKOnly = 0,
  mbOKCancel = 1,
  mbYesNoCancel = 3,
  mbYesNo = 4,
  mbCritical = 16,
  mbQuestion = 32,
  mbExclamation = 48,
  mbInformation = 64,
  mbDefaultButton2 = 256,
  mbDefaultButton3 = 512,
};
enum MsgBoxAnswer : int { answerOK = 1, answerCancel = 2, answerYes = 6, answerNo = 7 };

// The system message box, owned by the active window of the program, titled with App.Title when no
// title is given.
int MsgBox(const std::string& prompt, int style = mbOKOnly, const std::string& title = std::string());

// The screen's mouse pointer: 0 default, 11 hourglass.
enum MousePointer : int { pointerDefault = 0, pointerHourglass = 11 };
struct ScreenObject {
  int MousePointer() const;
  void setMousePointer(int pointer);
  // The screen fonts' names, in the system's order.
  int FontCount() const;
  std::string Fonts(int index) const;
};
extern ScreenObject Screen;

// Opens the help file App.HelpFile at its contents; F1 on any form does the same. Both go through the
// one help seam (HelpLauncher.h), which tests replace with a HelpOverride; setHelpLauncher puts a
// launcher that sees only the file into that seam, and an empty one restores the system's help.
using HelpLauncher = std::function<void(const std::string& helpFile)>;
void setHelpLauncher(HelpLauncher launcher);
void showHelp();

// Sends keys to the window with the focus as though typed, without waiting for them: characters, and
// "{F1}" for the help key. Any other key name raises Invalid procedure call.
void SendKeys(const std::string& keys);

// The system clipboard's text.
struct ClipboardObject {
  std::string GetText() const;
  void SetText(const std::string& text);
  void Clear();
  bool hasText() const;
};
extern ClipboardObject Clipboard;

// Runs an event handler. A runtime error (or any other failure) that the handler did not trap is
// reported in a message box and the program goes on; nothing escapes into the window procedure.
void runHandler(const std::function<void()>& handler);

} // namespace formsrt
