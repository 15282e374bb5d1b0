#include <formsrt/Application.h>

#include <formsrt/HelpLauncher.h>
#include <formsrt/RuntimeError.h>
#include <wincore/ErrorReporter.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace formsrt {

Application App;
ScreenObject Screen;
ClipboardObject Clipboard;

namespace {

int currentPointer = pointerDefault;

// The program's error reporter: an untrapped error is reported as the runtime reports it, and the
// program goes on.
void reportRuntimeError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const RuntimeError& e) {
    MsgBox("Run-time error " + std::to_string(e.number()) + ":\n\n" + e.what(), mbOKOnly | mbCritical);
  } catch (...) {
    MsgBox("Run-time error:\n\n" + wincore::errorText(error), mbOKOnly | mbCritical);
  }
}

[[maybe_unused]] const bool reporterInstalled = (wincore::setErrorReporter(reportRuntimeError), true);

HWND keyTarget() {
  HWND focus = GetFocus();
  return focus ? focus : GetActiveWindow();
}

int CALLBACK collectFont(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) {
  auto* names = reinterpret_cast<std::vector<std::string>*>(param);
  // A face comes once for each of its character sets; it is listed once, where it first came.
  if (font->lfFaceName[0] != '@' && std::find(names->begin(), names->end(), font->lfFaceName) == names->end())
    names->push_back(font->lfFaceName);
  return 1;
}

const std::vector<std::string>& screenFonts() {
  static std::vector<std::string> names;
  if (names.empty()) {
    HDC dc = GetDC(nullptr);
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &all, collectFont, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, dc);
  }
  return names;
}

} // namespace

std::string Application::Path() const {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

std::string Application::Command() const {
  const char* line = GetCommandLineA();
  // Skip the program's own name, quoted or not.
  if (*line == '"') {
    line = strchr(line + 1, '"');
    line = line ? line + 1 : "";
  } else {
    while (*line && *line != ' ')
      ++line;
  }
  while (*line == ' ')
    ++line;
  return line;
}

int MsgBox(const std::string& prompt, int style, const std::string& title) {
  HWND owner = GetActiveWindow();
  const std::string& caption = title.empty() ? App.Title : title;
  return MessageBoxA(owner, prompt.c_str(), caption.c_str(), static_cast<UINT>(style));
}

int ScreenObject::MousePointer() const { return currentPointer; }

void ScreenObject::setMousePointer(int pointer) {
  currentPointer = pointer;
  SetCursor(LoadCursor(nullptr, pointer == pointerHourglass ? IDC_WAIT : IDC_ARROW));
}

int ScreenObject::FontCount() const { return static_cast<int>(screenFonts().size()); }

std::string ScreenObject::Fonts(int index) const {
  if (index < 0 || index >= FontCount())
    raiseError(errSubscript);
  return screenFonts()[static_cast<std::size_t>(index)];
}

void setHelpLauncher(HelpLauncher launcher) {
  if (!launcher) {
    helpSeam().exchange(systemHelp);
    return;
  }
  helpSeam().exchange([launcher](HWND, const std::string& helpFile, UINT, ULONG_PTR) {
    launcher(helpFile);
    return true;
  });
}

void showHelp() { ShowHelp(GetActiveWindow(), App.HelpFile, HELP_FINDER); }

void SendKeys(const std::string& keys) {
  HWND target = keyTarget();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] != '{') {
      PostMessageA(target, WM_CHAR, static_cast<unsigned char>(keys[i]), 1);
      continue;
    }
    std::size_t close = keys.find('}', i);
    if (close == std::string::npos || keys.substr(i, close - i + 1) != "{F1}")
      raiseError(errInvalidCall);
    PostMessageA(target, WM_KEYDOWN, VK_F1, 1);
    PostMessageA(target, WM_KEYUP, VK_F1, 0xC0000001);
    i = close;
  }
}

std::string ClipboardObject::GetText() const {
  std::string text;
  if (!OpenClipboard(nullptr))
    return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void ClipboardObject::SetText(const std::string& text) {
  if (!OpenClipboard(nullptr))
    return;
  EmptyClipboard();
  if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    if (!SetClipboardData(CF_TEXT, data))
      GlobalFree(data);
  }
  CloseClipboard();
}

void ClipboardObject::Clear() {
  if (!OpenClipboard(nullptr))
    return;
  EmptyClipboard();
  CloseClipboard();
}

bool ClipboardObject::hasText() const { return IsClipboardFormatAvailable(CF_TEXT); }

void runHandler(const std::function<void()>& handler) { wincore::guarded(handler); }

} // namespace formsrt
