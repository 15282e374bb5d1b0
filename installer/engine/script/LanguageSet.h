#pragma once

#include <engine/script/ScriptReader.h>

#include <windows.h>

#include <string>

// The languages the engine knows, the language set an installation offers, and the choice of the
// run's language.

constexpr int LanguageUsEnglish = 3;

// Code and name of a language index 0..13; out of range is a failed check and answers "".
const char* LanguageCode(int index);
const char* LanguageName(int index);
// Position in the table compared without case, -1 when absent.
int LanguageIndexOfCode(const char* code);
int LanguageIndexOfName(const char* name);
// A code through the language table, then the regional table; US English when in neither.
int MapLanguageCode(const char* code);
// win.ini section "Intl" key "sLanguage", mapped.
int ReadSystemLanguage();

struct LanguageSet {
  int defaultLanguage = LanguageUsEnglish;
  int offered[14] = {};
  std::string paths[2];

  // The default index, then the flags: 11 entries before version 302, 20 from it; flags past the
  // 14 languages are read and dropped. A default outside 0..13 fails.
  int read(ScriptReader& reader);
  // The system's language when offered, else the default.
  int choose(int systemLanguage) const;
};

// Loads the chosen language's library and makes it the resource module for dialogs and texts.
class LanguageLibrary {
public:
  LanguageLibrary() = default;
  ~LanguageLibrary() { free(); }
  LanguageLibrary(const LanguageLibrary&) = delete;
  LanguageLibrary& operator=(const LanguageLibrary&) = delete;

  // The pattern ("kx%s.dll") formatted with the language's code, in the folder; answers 1 when it
  // loaded.
  int LoadResourceDll(const char* folder, int language, const char* pattern);
  int loaded() const;
  void free();

private:
  HMODULE module_ = nullptr;
};
