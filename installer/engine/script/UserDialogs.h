#pragma once

#include <engine/script/ScriptReader.h>

#include <string>
#include <vector>

// Script-defined user dialogs and their control records.

// A picture file, by colour depth: mode 0..2 and the file's path.
struct PictureSource {
  int mode = 0;
  std::string path = "c:\\pict.bmp";

  int read(ScriptReader& reader);
};

enum ControlKind {
  ControlText = 0,
  ControlStringVariable = 2,
  ControlIntegerVariable = 3,
  ControlText2 = 5,
  ControlFixedText = 6,
};

struct ControlRecord {
  int kind = 0;
  int layout[5] = {};
  // The end code the control gives its dialog, or for an edit control its read-only flag.
  int id = 0;
  PictureSource appearance;
  std::string fixedText;
  std::string text; // or a variable's name
  std::string secondText;

  int read(ScriptReader& reader);
};

struct UserDialog {
  int layout[5] = {};
  int inSequence = 0;
  std::vector<ControlRecord> controls;
  std::string name;
  std::string caption;

  int read(ScriptReader& reader);
};

struct UserDialogList {
  std::vector<ControlRecord> controls; // version 302 only; kept
  std::vector<UserDialog> dialogs;

  int read(ScriptReader& reader);
  void clear();
  // The dialog of that name in any letter case; none when there is none.
  const UserDialog* find(const char* name) const;
};
