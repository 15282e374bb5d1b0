#include <engine/script/LanguageSet.h>

#include <engine/script/ScriptSchema.h>

#include <foundation/paths/pathparts.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/checkfailed.h>

#include <cstdio>
#include <cstring>

namespace {

const CheckSite badLanguage{"LANGSET", 57};

struct Language {
  const char* code;
  const char* name;
};

const Language languages[LanguageCount] = {
    {"dan", "Danish"},   {"deu", "German"},  {"eng", "UK English"}, {"enu", "US English"}, {"esn", "Spanish"},
    {"fra", "French"},   {"ita", "Italian"}, {"nld", "Dutch"},      {"nor", "Norwegian"},  {"sve", "Swedish"},
    {"jpn", "Japanese"}, {"fin", "Finish"},  {"plk", "Polish"},     {"rus", "Russian"},
};

struct Region {
  const char* code;
  int language;
};

// Compared in this order; ends with the marker "xxx".
const Region regions[] = {
    {"ena", 2}, {"enc", 3}, {"eni", 2}, {"enz", 2}, {"ens", 2}, {"frb", 5}, {"frc", 5},  {"frl", 5},
    {"frs", 5}, {"dea", 1}, {"dec", 1}, {"del", 1}, {"des", 1}, {"its", 6}, {"non", 8},  {"nlb", 7},
    {"ess", 4}, {"esl", 4}, {"eso", 4}, {"esc", 4}, {"esd", 4}, {"esf", 4}, {"esg", 4},  {"esm", 4},
    {"esa", 4}, {"esz", 4}, {"esr", 4}, {"esp", 4}, {"esy", 4}, {"esv", 4}, {"xxx", -1},
};

int validIndex(int index) { return CheckFailed(badLanguage, index >= 0 && index < LanguageCount); }

} // namespace

const char* LanguageCode(int index) { return validIndex(index) ? languages[index].code : ""; }
const char* LanguageName(int index) { return validIndex(index) ? languages[index].name : ""; }

int LanguageIndexOfCode(const char* code) {
  for (int i = 0; i < LanguageCount; ++i)
    if (lstrcmpiA(languages[i].code, code) == 0)
      return i;
  return -1;
}

int LanguageIndexOfName(const char* name) {
  for (int i = 0; i < LanguageCount; ++i)
    if (lstrcmpiA(languages[i].name, name) == 0)
      return i;
  return -1;
}

int MapLanguageCode(const char* code) {
  int index = LanguageIndexOfCode(code);
  if (index >= 0)
    return index;
  for (const Region* region = regions; region->language >= 0; ++region)
    if (lstrcmpiA(region->code, code) == 0)
      return region->language;
  return LanguageUsEnglish;
}

int ReadSystemLanguage() {
  char code[20];
  GetProfileStringA("Intl", "sLanguage", "enu", code, sizeof code);
  return MapLanguageCode(code);
}

int LanguageSet::read(ScriptReader& reader) {
  if (!reader.integer(defaultLanguage) || defaultLanguage < 0 || defaultLanguage >= LanguageCount)
    return 0;
  int entries = StoredLanguageEntries(reader.version());
  for (int i = 0; i < entries - 1; ++i) {
    int flag;
    if (!reader.integer(flag))
      return 0;
    if (i < LanguageCount)
      offered[i] = flag;
  }
  return 1;
}

int LanguageSet::choose(int systemLanguage) const {
  if (systemLanguage >= 0 && systemLanguage < LanguageCount && offered[systemLanguage])
    return systemLanguage;
  return defaultLanguage;
}

int LanguageLibrary::LoadResourceDll(const char* folder, int language, const char* pattern) {
  free();
  char name[32];
  std::snprintf(name, sizeof name, pattern, LanguageCode(language));
  char path[PathSize];
  size_t length = std::strlen(folder);
  const char* separator = length && folder[length - 1] != '\\' ? "\\" : "";
  if (!CopyText(path, PathSize, folder) || !AppendText(path, PathSize, separator) ||
      !AppendText(path, PathSize, name))
    return 0;
  module_ = LoadLibraryA(path);
  if (!module_)
    return 0;
  SetResourceModule(module_);
  return 1;
}

int LanguageLibrary::loaded() const { return ResourceModule() != EngineModule(); }

void LanguageLibrary::free() {
  if (!module_)
    return;
  SetResourceModule(nullptr);
  FreeLibrary(module_);
  module_ = nullptr;
}
