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
    {"DLGGAUGE", {IDC_GAUGE_FIRST, IDC_GAUGE_SECOND}},
    {"DLGSELCOMPS",
     {IDOK, IDCANCEL, IDC_SELCOMPS_TREE, IDC_SELCOMPS_TREEFRAME, IDC_SELCOMPS_TEXT, IDC_SELCOMPS_ENABLED,
      IDC_SELCOMPS_GAUGE, IDC_SELCOMPS_TOTAL, IDC_SELCOMPS_DRIVES, IDC_SELCOMPS_HELP}},
    {"DLGINSTSF", {IDOK, IDCANCEL, IDC_INSTSF_GROUPS, IDC_INSTSF_HELP}},
    {"DLGPROMPTSTR",
     {IDOK, IDCANCEL, IDC_PROMPT_TEXT, IDC_PROMPT_ANSWER, IDC_PROMPT_HELP, IDC_PROMPT_BROWSE,
      IDC_PROMPT_GROUPS}},
    {"DLGASKUI", {IDOK, IDCANCEL, IDC_ASKUI_TEXT, IDC_ASKUI_NAME, IDC_ASKUI_COMPANY, IDC_ASKUI_HELP}},
    {"DLGDOSINFORM",
     {IDOK, IDCANCEL, IDC_DOSINFORM_CURRENT, IDC_DOSINFORM_MERGED, IDC_DOSINFORM_SCROLL, IDC_DOSINFORM_BACKUP,
      IDC_DOSINFORM_HELP}},
    {"DLGAOW", {IDOK, IDCANCEL, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, IDC_AOW_HELP}},
    {"DLGUNDOMAINSIM", {IDOK, IDCANCEL, IDC_UNDOSIM_TEXT, IDC_UNDO_SWITCH}},
    {"DLGUNDOMAINADV",
     {IDOK, IDCANCEL, IDC_UNDO_LIST, IDC_UNDO_UNDO, IDC_UNDO_KEEP, IDC_UNDO_CANNOT, IDC_UNDO_UNDONE,
      IDC_UNDO_FAILED, IDC_UNDO_DETAIL, IDC_UNDO_SWITCH}},
    {"DLGUNDOMAINSLT", {IDC_UNDOSLT_GAUGE, IDC_UNDOSLT_TEXT}},
    {"DLGUNDOASKQUIT", {IDOK, IDCANCEL, IDC_UNDOASKQUIT_FINISH, IDC_UNDOASKQUIT_TEXT}},
};

const int textsUsed[] = {TEXT_INVALID_VALUE,
                         TEXT_NO_HELP,
                         TEXT_HELP,
                         TEXT_BUTTON_OK,
                         TEXT_BUTTON_CANCEL,
                         TEXT_BUTTON_YES,
                         TEXT_BUTTON_NO,
                         TEXT_BUTTON_RETRY,
                         TEXT_ERROR,
                         TEXT_BUTTON_HELP,
                         TEXT_SELCOMPS_HINT,
                         TEXT_SHARED_FILE_QUESTION,
                         TEXT_NO_BACKUP,
                         TEXT_USERINFO_SHOWN,
                         TEXT_USERINFO_ASK,
                         TEXT_USERINFO_NAME_LENGTH,
                         TEXT_FILETYPE_APP,
                         TEXT_FILETYPE_DLL,
                         TEXT_FILETYPE_DRIVER,
                         TEXT_FILETYPE_FONT,
                         TEXT_FILETYPE_VXD,
                         TEXT_FILETYPE_STATIC_LIB,
                         TEXT_FILETYPE_UNKNOWN,
                         TEXT_PERCENT_CAPTION,
                         TEXT_ICON_CAPTION,
                         TEXT_BUSY_SECOND,
                         TEXT_BUSY_THIRD,
                         TEXT_BUSY_FIRST,
                         TEXT_CONTINUE_FIRST,
                         TEXT_CONTINUE_SECOND,
                         TEXT_CONTINUE_CAPTION,
                         TEXT_THREE_FIRST,
                         TEXT_THREE_SECOND,
                         TEXT_THREE_THIRD,
                         TEXT_THREE_CAPTION,
                         TEXT_ABORT_QUESTION,
                         TEXT_ABORT_CAPTION,
                         TEXT_SEARCHING,
                         TEXT_INSERT_DISK,
                         TEXT_INSERT_DISK_CAPTION,
                         TEXT_NOT_ENOUGH_SPACE,
                         TEXT_IN_USE,
                         TEXT_IN_USE_CLOSE,
                         TEXT_IN_USE_RETRY,
                         TEXT_IN_USE_LATER,
                         TEXT_COPY_FAILED,
                         TEXT_FOLDER_CONFIRM,
                         TEXT_FOLDER_CONFIRM_CAPTION,
                         TEXT_FOLDER_FILTER,
                         TEXT_CONTINUE_THIRD,
                         TEXT_CONTINUE_THIRD_QUESTION,
                         TEXT_UNDO_DIR_NOT_EMPTY,
                         TEXT_UNDO_DIR_CAPTION,
                         TEXT_UNDO_SECTION_NOT_EMPTY,
                         TEXT_UNDO_SECTION_CAPTION,
                         TEXT_UNDO_GROUP_NOT_EMPTY,
                         TEXT_UNDO_GROUP_CAPTION,
                         TEXT_UNDO_KEY_NOT_EMPTY,
                         TEXT_UNDO_KEY_CAPTION,
                         TEXT_UNDO_RUNNING,
                         TEXT_UNDO_CANCELLED,
                         TEXT_UNDO_FINISHED,
                         TEXT_UNDO_CONFIRM,
                         TEXT_UNDO_CONFIRM_CAPTION,
                         TEXT_STATUS_UNDO,
                         TEXT_STATUS_KEEP,
                         TEXT_STATUS_CANNOT,
                         TEXT_STATUS_UNDONE,
                         TEXT_STATUS_FAILED,
                         TEXT_LOG_DIR_CREATED,
                         TEXT_LOG_DIR_DETAIL,
                         TEXT_LOG_DIR_REMOVED,
                         TEXT_LOG_FILE_RENAMED,
                         TEXT_LOG_FILE_RENAMED_DETAIL,
                         TEXT_LOG_FILE_DELETED,
                         TEXT_LOG_FILE_DETAIL,
                         TEXT_LOG_FILE_CREATED,
                         TEXT_LOG_FILE_EXTENDED,
                         TEXT_LOG_FILE_EXTENDED_DETAIL,
                         TEXT_LOG_FILE_ATTRIBUTES,
                         TEXT_LOG_INI_CREATED,
                         TEXT_LOG_INI_CREATED_DETAIL,
                         TEXT_LOG_INI_DELETED,
                         TEXT_LOG_INI_CHANGED,
                         TEXT_LOG_INI_OLD_DETAIL,
                         TEXT_LOG_SECTION_ADDED,
                         TEXT_LOG_SECTION_DELETED,
                         TEXT_LOG_SECTION_DETAIL,
                         TEXT_LOG_GROUP_DETAIL,
                         TEXT_LOG_GROUP_CREATED,
                         TEXT_LOG_GROUP_DELETED,
                         TEXT_LOG_ITEM_CREATED,
                         TEXT_LOG_ITEM_DETAIL,
                         TEXT_LOG_ITEM_DELETED,
                         TEXT_LOG_ITEM_DELETED_DETAIL,
                         TEXT_LOG_KEY_CREATED,
                         TEXT_LOG_KEY_DETAIL,
                         TEXT_LOG_KEY_DELETED,
                         TEXT_LOG_VALUE_CREATED,
                         TEXT_LOG_VALUE_DETAIL,
                         TEXT_LOG_VALUE_DELETED,
                         TEXT_LOG_VALUE_OVERWRITTEN,
                         TEXT_LOG_FONT_INSTALLED,
                         TEXT_LOG_DATA_BLOCK,
                         TEXT_LOG_DATA_DETAIL,
                         TEXT_UNINSTALL_ITEM,
                         TEXT_BUSY_UNINSTALLER,
                         TEXT_NAME_TOO_LONG,
                         TEXT_STATUS_LEFT};

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
      {"enu", TEXT_ABORT_QUESTION,
       "Installation is incomplete\nAre you sure you want to abort the installation?"},
      {"enu", TEXT_INSERT_DISK, "Please insert disk: %s"},
      {"deu", TEXT_STATUS_UNDO,
       "R\xfc"
       "ckg\xe4ngig"},
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

TEST(LanguageLibraryTexts, GermanDialogsKeepTheirUmlauts) {
  HMODULE module = LoadLibraryA(libraryPath("deu").c_str());
  ASSERT_NE(nullptr, module);
  HWND dialog = CreateDialogParamA(module, "DLGSELCOMPS", nullptr, noHandling, 0);
  ASSERT_NE(nullptr, dialog);
  char caption[64] = "";
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ("Komponenten w\xe4hlen", caption);
  DestroyWindow(dialog);
  FreeLibrary(module);
}
