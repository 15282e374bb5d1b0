#include <kxlang/kxlangids.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

// The templates the engine starts by name, each with the control ids its code addresses.
struct TemplateUse {
  const char* name;
  std::vector<int> controls;
};

const TemplateUse templatesUsed[] = {
    {"DLGMSGBOX0", {IDC_MSGBOX_ICON, IDC_MSGBOX_TEXT}},
    {"DLGMSGBOX1", {IDC_MSGBOX_ICON, IDC_MSGBOX_TEXT, 103}},
    {"DLGMSGBOX2", {IDC_MSGBOX_ICON, IDC_MSGBOX_TEXT, 103, 104}},
    {"DLGMSGBOX3", {IDC_MSGBOX_ICON, IDC_MSGBOX_TEXT, 103, 104, 105}},
    {"DLGMSGBOX4", {IDC_MSGBOX_ICON, IDC_MSGBOX_TEXT, 103, 104, 105, 106}},
    {"DLGMSGDLG", {IDC_MSGDLG_TEXT, IDC_MSGDLG_ICON, IDOK}},
    {"DLGPROG", {IDC_PROG_LINE1, IDC_PROG_LINE2, IDC_PROG_LINE3, IDC_PROG_GAUGE, IDC_PROG_ICON}},
    {"DLGUSRDLG", {}},
    {"DLGUSRDLGNOTITLE", {}},
};

const int textsUsed[] = {TEXT_INVALID_VALUE, TEXT_NO_HELP,    TEXT_HELP,      TEXT_BUTTON_OK,
                         TEXT_BUTTON_CANCEL, TEXT_BUTTON_YES, TEXT_BUTTON_NO, TEXT_BUTTON_RETRY,
                         TEXT_ERROR,         TEXT_BUTTON_HELP};

std::string libraryPath(const char* code) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path);
  // build/<arch>/platform/kxlang/tests/kxlang_tests.exe -> build/<arch>/bin
  for (int up = 0; up < 4; ++up)
    dir = dir.substr(0, dir.rfind('\\'));
  return dir + "\\" KXLANG_SUBDIR "\\kx" + code + ".dll";
}

INT_PTR CALLBACK noHandling(HWND, UINT, WPARAM, LPARAM) { return 0; }

class LanguageLibraryTest : public testing::TestWithParam<const char*> {
protected:
  void SetUp() override {
    module_ = LoadLibraryA(libraryPath(GetParam()).c_str());
    ASSERT_NE(nullptr, module_) << libraryPath(GetParam());
  }
  void TearDown() override {
    if (module_)
      FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

} // namespace

TEST_P(LanguageLibraryTest, HoldsEveryTemplateWithItsControlsAndEveryText) {
  for (const TemplateUse& use : templatesUsed) {
    HWND dialog = CreateDialogParamA(module_, use.name, nullptr, noHandling, 0);
    ASSERT_NE(nullptr, dialog) << use.name;
    for (int id : use.controls)
      EXPECT_NE(nullptr, GetDlgItem(dialog, id)) << use.name << " control " << id;
    DestroyWindow(dialog);
  }
  for (int id : textsUsed) {
    char text[256];
    EXPECT_GT(LoadStringA(module_, id, text, sizeof text), 0) << "text " << id;
  }
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, LanguageLibraryTest, testing::Values("enu", "deu"));

TEST(LanguageLibraryTexts, EachLibrarySpeaksItsOwnLanguage) {
  struct Row {
    const char* code;
    int id;
    const char* text;
  };
  const Row rows[] = {
      {"enu", TEXT_BUTTON_YES, "&Yes"},
      {"deu", TEXT_BUTTON_YES, "&Ja"},
      {"enu", TEXT_ERROR, "Error"},
      {"deu", TEXT_ERROR, "Fehler"},
      {"deu", TEXT_INVALID_VALUE, "Der eingegebene Wert ist ung\xfcltig."},
  };
  for (const Row& row : rows) {
    HMODULE module = LoadLibraryExA(libraryPath(row.code).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << row.code;
    char text[256] = "";
    LoadStringA(module, row.id, text, sizeof text);
    EXPECT_STREQ(row.text, text) << row.code << " " << row.id;
    FreeLibrary(module);
  }
}
