#include <engine/dialogs/EngineBox.h>

#include <foundation/strings/formattext.h>
#include <foundation/strings/textresource.h>

#include <cstdarg>

namespace {
constexpr UINT ErrorCaption = 81;

} // namespace

int EngineMessageBox(const char* text, const char* caption, UINT type) {
  return MessageBoxA(nullptr, text, caption, type | MB_TASKMODAL);
}

void EngineError(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = FormatText(format, arguments);
  va_end(arguments);
  char caption[TextSize];
  LoadText(caption, ErrorCaption);
  EngineMessageBox(text.c_str(), caption, MB_OK | MB_ICONSTOP);
}

void ReportEngineError(const char* text, int libraryLoaded) {
  if (libraryLoaded)
    EngineError("%s", text);
  else
    MessageBoxA(nullptr, text, nullptr, MB_OK | MB_TASKMODAL);
}

std::string EngineTextf(UINT id, ...) {
  char format[TextSize];
  LoadText(format, id);
  va_list arguments;
  va_start(arguments, id);
  std::string text = FormatText(format, arguments);
  va_end(arguments);
  return text;
}
