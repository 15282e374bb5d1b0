#include <engine/dialogs/EngineBox.h>

#include <foundation/strings/textresource.h>

#include <cstdarg>
#include <cstdio>

namespace {
constexpr UINT ErrorCaption = 81;

std::string Formatv(const char* format, va_list arguments) {
  va_list copy;
  va_copy(copy, arguments);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n < 0)
    return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(&text[0], text.size(), format, arguments);
  text.resize(static_cast<size_t>(n));
  return text;
}
} // namespace

int EngineMessageBox(const char* text, const char* caption, UINT type) {
  return MessageBoxA(nullptr, text, caption, type | MB_TASKMODAL);
}

void EngineError(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = Formatv(format, arguments);
  va_end(arguments);
  char caption[TextSize];
  LoadText(caption, ErrorCaption);
  EngineMessageBox(text.c_str(), caption, MB_OK | MB_ICONSTOP);
}

std::string EngineTextf(UINT id, ...) {
  char format[TextSize];
  LoadText(format, id);
  va_list arguments;
  va_start(arguments, id);
  std::string text = Formatv(format, arguments);
  va_end(arguments);
  return text;
}
