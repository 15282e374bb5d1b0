#include "UninstallController.h"

#include "ByteStreams.h"
#include "EngineBox.h"
#include "Installer.h"
#include "LogUndo.h"

#include <ctl3d.h>
#include <dlgbox.h>
#include <textresource.h>

#include <kxlang/kxlangids.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr char Section[] = "KXMAIN";
constexpr UINT StartUndo = WM_APP + 1;

// The list text of each record type.
const UINT summaryTexts[LogTypeCount] = {
    TEXT_LOG_DIR_CREATED,   TEXT_LOG_DIR_REMOVED,    TEXT_LOG_FILE_RENAMED,    TEXT_LOG_FILE_DELETED,
    TEXT_LOG_FILE_CREATED,  TEXT_LOG_FILE_EXTENDED,  TEXT_LOG_FILE_ATTRIBUTES, TEXT_LOG_INI_CREATED,
    TEXT_LOG_INI_DELETED,   TEXT_LOG_INI_CHANGED,    TEXT_LOG_SECTION_ADDED,   TEXT_LOG_SECTION_DELETED,
    TEXT_LOG_GROUP_CREATED, TEXT_LOG_ITEM_CREATED,   TEXT_LOG_GROUP_DELETED,   TEXT_LOG_ITEM_DELETED,
    TEXT_LOG_KEY_CREATED,   TEXT_LOG_KEY_DELETED,    TEXT_LOG_VALUE_CREATED,   TEXT_LOG_VALUE_OVERWRITTEN,
    TEXT_LOG_VALUE_DELETED, TEXT_LOG_FONT_INSTALLED, TEXT_LOG_DATA_BLOCK};

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty())
    return name;
  return folder + (folder.back() == '\\' ? "" : "\\") + name;
}

int Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// Folders no undo may remove, whatever the log says: a drive's root, the Windows and system folders.
int Protected(const std::string& path) {
  std::string text = path;
  while (text.size() > 2 && text.back() == '\\')
    text.pop_back();
  if (text.size() <= 2)
    return 1;
  char windows[MAX_PATH], system[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  GetSystemDirectoryA(system, sizeof system);
  return lstrcmpiA(text.c_str(), windows) == 0 || lstrcmpiA(text.c_str(), system) == 0;
}

std::string Text(UINT id) {
  char text[TextSize];
  LoadText(text, id);
  return text;
}

// The three main dialogs in one: the simple one has no list, the gauge one starts on its own.
class UndoDialog : public dlgbox {
public:
  UndoDialog(UninstallController& controller, int mode) : controller_(controller), mode_(mode) {}

  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
    case WM_INITDIALOG:
      init();
      return TRUE;
    case StartUndo:
      runundo();
      if (mode_ == 2)
        EndDialog(hwnd(), controller_.state == UninstallController::Finished ? 0 : 1);
      return TRUE;
    case WM_DRAWITEM:
      drawitem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CLOSE:
      close();
      return TRUE;
    case WM_COMMAND:
      command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    default:
      return FALSE;
    }
  }

private:
  void init() {
    HWND list = GetDlgItem(hwnd(), IDC_UNDO_LIST);
    for (const auto& record : controller_.records)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RecordSummary(*record).c_str()));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    if (HWND text = GetDlgItem(hwnd(), IDC_UNDOSIM_TEXT); text && mode_ == 0)
      SetWindowTextA(text, controller_.header.product.c_str());
    EnableWindow(GetDlgItem(hwnd(), IDOK), !controller_.records.empty());
    update();
    if (mode_ == 2)
      PostMessageA(hwnd(), StartUndo, 0, 0);
  }

  int selected() const {
    return static_cast<int>(SendDlgItemMessageA(hwnd(), IDC_UNDO_LIST, LB_GETCURSEL, 0, 0));
  }

  void update() {
    if (mode_ != 1)
      return;
    int index = selected();
    LogRecord* record = index >= 0 && index < static_cast<int>(controller_.records.size())
                            ? controller_.records[static_cast<size_t>(index)].get()
                            : nullptr;
    for (int k = 0; k < 5; ++k) {
      HWND button = GetDlgItem(hwnd(), IDC_UNDO_UNDO + k);
      int checked = record && record->status == k;
      SendMessageA(button, BM_SETCHECK, checked, 0);
      EnableWindow(button, record && controller_.state != UninstallController::Running &&
                               (checked || CanSwitchStatus(*record, k)));
    }
    SetDlgItemTextA(hwnd(), IDC_UNDO_DETAIL, record ? RecordDetail(*record).c_str() : "");
  }

  void drawitem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= controller_.records.size())
      return;
    const LogRecord& record = *controller_.records[item.itemID];
    int chosen = item.itemState & ODS_SELECTED;
    SetBkColor(item.hDC, GetSysColor(chosen ? COLOR_WINDOWTEXT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(chosen ? COLOR_WINDOW : COLOR_WINDOWTEXT));
    ExtTextOutA(item.hDC, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);
    RECT left = item.rcItem, right = item.rcItem;
    left.left += 2;
    right.left = item.rcItem.right - 90;
    std::string summary = RecordSummary(record);
    std::string status = Text(static_cast<UINT>(TEXT_STATUS_UNDO + record.status));
    DrawTextA(item.hDC, summary.c_str(), -1, &left, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    DrawTextA(item.hDC, status.c_str(), -1, &right, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }

  void runundo() {
    controller_.undo(mode_ != 0, [this](int index, int after) {
      SendDlgItemMessageA(hwnd(), IDC_UNDO_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
      if (mode_ != 1) {
        std::string summary = RecordSummary(*controller_.records[static_cast<size_t>(index)]);
        SetDlgItemTextA(hwnd(), mode_ == 2 ? IDC_UNDOSLT_TEXT : IDC_UNDOSIM_TEXT, summary.c_str());
      }
      if (after)
        InvalidateRect(GetDlgItem(hwnd(), IDC_UNDO_LIST), nullptr, FALSE);
      update();
    });
    UINT text =
        controller_.state == UninstallController::Cancelled ? TEXT_UNDO_CANCELLED : TEXT_UNDO_FINISHED;
    SetDlgItemTextA(hwnd(), IDOK, Text(text).c_str());
    update();
  }

  void close() {
    int result = 0;
    if (mode_ == 0 && controller_.state != UninstallController::NotStarted) {
      EndDialog(hwnd(), controller_.state == UninstallController::Finished ? 0 : 1);
      return;
    }
    if (controller_.quitcheck(result))
      EndDialog(hwnd(), result);
  }

  void command(int id, int code) {
    switch (id) {
    case IDOK:
      if (controller_.state == UninstallController::Running) {
        controller_.cancelRequested = 1;
      } else if (controller_.state == UninstallController::NotStarted) {
        SetDlgItemTextA(hwnd(), IDOK, Text(TEXT_UNDO_RUNNING).c_str());
        runundo();
      } else {
        close();
      }
      break;
    case IDCANCEL:
      if (controller_.state == UninstallController::Running)
        controller_.cancelRequested = 1;
      else
        close();
      break;
    case IDC_UNDO_SWITCH:
      if (controller_.state == UninstallController::NotStarted)
        EndDialog(hwnd(), 2);
      break;
    case IDC_UNDO_LIST:
      if (code == LBN_SELCHANGE)
        update();
      break;
    case IDC_UNDO_UNDO:
    case IDC_UNDO_KEEP: {
      int index = selected();
      if (index < 0 || controller_.state == UninstallController::Running)
        break;
      LogRecord& record = *controller_.records[static_cast<size_t>(index)];
      if (CanSwitchStatus(record, id - IDC_UNDO_UNDO))
        record.status = id - IDC_UNDO_UNDO;
      InvalidateRect(GetDlgItem(hwnd(), IDC_UNDO_LIST), nullptr, FALSE);
      update();
      break;
    }
    default:
      break;
    }
  }

  UninstallController& controller_;
  int mode_;
};

class AskQuitDialog : public dlgbox {
public:
  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_INITDIALOG)
      return TRUE;
    if (message != WM_COMMAND)
      return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
      EndDialog(hwnd(), 0);
      return TRUE;
    case IDCANCEL:
      EndDialog(hwnd(), 2);
      return TRUE;
    case IDC_UNDOASKQUIT_FINISH:
      EndDialog(hwnd(), 1);
      return TRUE;
    default:
      return FALSE;
    }
  }
};

} // namespace

std::string RecordSummary(const LogRecord& record) {
  const char* texts[3] = {"", "", ""};
  int n = 0;
  for (const LogField& field : record.fields)
    if (n < 3 && (field.kind == FieldPath || field.kind == FieldText || field.kind == FieldKey))
      texts[n++] = field.text.c_str();
  std::string format = Text(summaryTexts[record.type()]);
  char line[512];
  std::snprintf(line, sizeof line, format.c_str(), texts[0], texts[1], texts[2]);
  return line;
}

std::string RecordDetail(const LogRecord& record) {
  std::string detail;
  for (const LogField& field : record.fields) {
    if (field.kind == FieldPath || field.kind == FieldText || field.kind == FieldKey)
      detail += field.text + "\r\n";
    else if (field.kind == FieldNumber)
      detail += std::to_string(field.number) + "\r\n";
  }
  return detail;
}

int RewriteLog(const char* path, const LogHeader& header,
               const std::vector<std::unique_ptr<LogRecord>>& records) {
  StringOStream bytes;
  if (!header.write(bytes))
    return 0;
  for (const auto& record : records)
    if (record->status != Undone && !WriteLogRecord(*record, bytes))
      return 0;
  std::string temporary = std::string(path) + ".tmp";
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file)
    return 0;
  int written = std::fwrite(bytes.bytes.data(), 1, bytes.bytes.size(), file) == bytes.bytes.size();
  written = std::fclose(file) == 0 && written;
  if (!written || !MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temporary.c_str());
    return 0;
  }
  return 1;
}

UninstallController::UninstallController() {
  launchvaveza = [](const char* from, const char* to, int run) { return LaunchVaveza(from, to, run); };
  wait = [](int milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(static_cast<DWORD>(std::min(milliseconds, 20)));
  };
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  setengine(std::string(path, n).c_str());
}

UninstallController::~UninstallController() = default;

void UninstallController::setengine(const char* path) {
  enginePath_ = path;
  engineFolder_ = enginePath_.substr(0, enginePath_.find_last_of('\\'));
  root_ = enginePath_.substr(0, 2) + "\\";
  backupRun_ = engineFolder_.size() <= 3;
}

void UninstallController::report(const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (library_.loaded())
    EngineError("%s", text);
  else
    MessageBoxA(nullptr, text, nullptr, MB_OK | MB_TASKMODAL);
}

std::vector<std::string> UninstallController::companions() const {
  char language[32];
  std::snprintf(language, sizeof language, "kx%s.dll", LanguageCode(header.language));
  return {NameOf(logPath_), language, "kuuser.dll"};
}

int UninstallController::movecompanions(const std::string& from, const std::string& to, int refuseExisting) {
  std::vector<std::string> moved;
  auto moveback = [&] {
    for (const std::string& name : moved)
      MoveFileA(Join(to, name).c_str(), Join(from, name).c_str());
  };
  for (const std::string& name : companions()) {
    std::string source = Join(from, name);
    int optional = name == "kuuser.dll";
    if (optional && (!kuuserMoved_ && refuseExisting == 0))
      continue;
    if (!Exists(source)) {
      if (optional)
        continue;
      report("%s not found", source.c_str());
      moveback();
      return 0;
    }
    std::string target = Join(to, name);
    // Never over someone else's file in the root.
    if (refuseExisting && Exists(target)) {
      report("%s exists", target.c_str());
      moveback();
      return 0;
    }
    if (!MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED)) {
      report("Unable to move %s", source.c_str());
      moveback();
      return 0;
    }
    moved.push_back(name);
    if (optional)
      kuuserMoved_ = 1;
  }
  return 1;
}

int UninstallController::readlog() {
  std::string error;
  if (!ReadLog(logPath_.c_str(), header, records, error)) {
    report("%s", error.c_str());
    return 0;
  }
  if (header.language < 0 || header.language > 13) {
    report("Log file contains bad data");
    return 0;
  }
  mode_ = header.dialogmode >= 0 && header.dialogmode <= 2 ? header.dialogmode : 1;
  header.mintime = std::max(0L, std::min(header.mintime, 10000L));
  return 1;
}

int UninstallController::initialise() {
  Ctl3dStart();
  if (backupRun_) {
    char home[128] = "";
    GetProfileStringA(Section, "b", "", home, sizeof home);
    if (!home[0]) {
      report("Back dir is undefined");
      return 0;
    }
    home_ = home;
    kuuserMoved_ = GetProfileIntA(Section, "k", 0);
    logPath_ = Join(engineFolder_, "kxlog3.000");
    if (!readlog()) {
      backhome();
      return 0;
    }
    return 1;
  }
  logPath_ = FindNewestLog(engineFolder_.c_str());
  if (logPath_.empty()) {
    report("No log file");
    return 0;
  }
  if (!readlog())
    return 0;
  if (NameOf(logPath_) != "kxlog3.000")
    return 1;
  firstrun();
  return 0;
}

int UninstallController::firstrun() {
  std::string inRoot = Join(root_, NameOf(enginePath_));
  if (Exists(inRoot)) {
    report("%s exists", inRoot.c_str());
    return 0;
  }
  kuuserMoved_ = 0;
  if (!movecompanions(engineFolder_, root_, 1))
    return 0;
  WriteProfileStringA(Section, "b", engineFolder_.c_str());
  WriteProfileStringA(Section, "k", kuuserMoved_ ? "1" : "0");
  if (launchvaveza(enginePath_.c_str(), root_.substr(0, 2).c_str(), 1))
    return 1;
  report("Unable to launch vaveza");
  movecompanions(root_, engineFolder_, 0);
  WriteProfileStringA(Section, nullptr, nullptr);
  return 0;
}

void UninstallController::backhome() {
  movecompanions(engineFolder_, home_, 0);
  WriteProfileStringA(Section, nullptr, nullptr);
  launchvaveza(enginePath_.c_str(), home_.c_str(), 0);
}

int UninstallController::run() {
  if (!library_.load(engineFolder_.c_str(), header.language, "kx%s.dll")) {
    report("Unable to load language DLL");
    if (backupRun_)
      backhome();
    return 0;
  }
  int answer = showdialogs();
  library_.free();
  if (state != NotStarted && !(answer == 1 && !backupRun_))
    RewriteLog(logPath_.c_str(), header, records);
  if (answer == 1 && !backupRun_) {
    DeleteFileA(logPath_.c_str());
    return answer;
  }
  if (!backupRun_)
    return answer;
  if (answer != 1) {
    backhome();
    return answer;
  }
  std::string key = header.product;
  key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE,
                ("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + key).c_str());
  for (const std::string& name : companions())
    if (name != "kuuser.dll" || kuuserMoved_)
      DeleteFileA(Join(engineFolder_, name).c_str());
  WriteProfileStringA(Section, nullptr, nullptr);
  launchvaveza(enginePath_.c_str(), "", 0);
  return answer;
}

void UninstallController::finish() { records.clear(); }

int UninstallController::showdialogs() {
  static const char* const templates[3] = {"DLGUNDOMAINSIM", "DLGUNDOMAINADV", "DLGUNDOMAINSLT"};
  int mode = mode_;
  for (;;) {
    UndoDialog dialog(*this, mode);
    INT_PTR result = RunDialog(dialog, nullptr, templates[mode]);
    if (result == 2 && mode != 2) {
      mode = 1 - mode;
      continue;
    }
    return result == 0 ? 1 : 0;
  }
}

void UninstallController::undo(int confirm, const std::function<void(int, int)>& step) {
  int newest = -1;
  for (int i = static_cast<int>(records.size()) - 1; i >= 0 && newest < 0; --i)
    if (records[static_cast<size_t>(i)]->status == ToUndo)
      newest = i;
  if (newest < 0)
    return;
  if (state == NotStarted && confirm) {
    char text[512];
    std::snprintf(text, sizeof text, Text(TEXT_UNDO_CONFIRM).c_str(), header.product.c_str());
    if (EngineMessageBox(text, Text(TEXT_UNDO_CONFIRM_CAPTION).c_str(),
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
      return;
  }
  state = Running;
  cancelRequested = 0;
  Installer installer;
  for (int i = newest; i >= 0; --i) {
    LogRecord& record = *records[static_cast<size_t>(i)];
    if (record.status != ToUndo)
      continue;
    DWORD started = tick();
    step(i, 0);
    if (record.type() == LogDirCreated && Protected(record.text(0)))
      record.status = UndoFailed;
    else
      UndoLogRecord(record, installer);
    step(i, 1);
    if (cancelRequested)
      break;
    while (tick() - started < static_cast<DWORD>(header.mintime))
      wait(static_cast<int>(static_cast<DWORD>(header.mintime) - (tick() - started)));
  }
  state = cancelRequested ? Cancelled : Finished;
}

int UninstallController::quitcheck(int& result) {
  if (state == NotStarted) {
    result = 1;
    return 1;
  }
  int open = 0;
  for (const auto& record : records)
    open |= record->status == ToUndo || record->status == UndoFailed;
  if (!open) {
    result = 0;
    return 1;
  }
  AskQuitDialog ask;
  INT_PTR answer = RunDialog(ask, nullptr, "DLGUNDOASKQUIT");
  if (answer == 2)
    return 0;
  result = answer == 1 ? 0 : 1;
  return 1;
}
