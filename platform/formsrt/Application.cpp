#include "Application.h"

#include "RuntimeError.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace formsrt {

Application App;
ScreenObject Screen;

namespace {

int currentPointer = pointerDefault;

int CALLBACK collectFont(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) {
  auto* names = reinterpret_cast<std::vector<std::string>*>(param);
  if (font->lfFaceName[0] != '@')
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

void runHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const RuntimeError& e) {
    MsgBox("Run-time error " + std::to_string(e.number()) + ":\n\n" + e.what(), mbOKOnly | mbCritical);
  } catch (const std::exception& e) {
    MsgBox(std::string("Run-time error:\n\n") + e.what(), mbOKOnly | mbCritical);
  }
}

} // namespace formsrt
