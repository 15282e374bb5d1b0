#include <engine/controllers/EventServices.h>

#include <foundation/paths/pathparts.h>
#include <foundation/strings/formattext.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

void EventServices::reportf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args);
  va_end(args);
  reporterror(text.c_str());
}

ScriptServices::ScriptServices(VariableStore& variables, ErrorReport& report, const char* engineFolder)
    : variables_(variables), report_(report) {
  CopyText(folder_, sizeof folder_, engineFolder);
}

int* ScriptServices::integervariable(const char* name) {
  int* value = variables_.integervariable(name, 1);
  if (!value)
    reportf("Unable to create variable %s", name);
  return value;
}

char* ScriptServices::stringvariable(const char* name) {
  char* value = variables_.stringvariable(name, 1);
  if (!value)
    reportf("Unable to create variable %s", name);
  return value;
}

int ScriptServices::evaluate(const char* text, int& result) {
  return EvaluateWithReport(variables_, text, result, report_);
}

int ScriptServices::expand(const char* text, char* out, int size) {
  return ExpandWithReport(variables_, text, out, size, report_);
}

int ScriptServices::writelines(const char* text, char* path) {
  size_t length = std::strlen(folder_);
  const char* name = length && folder_[length - 1] != '\\' ? "\\strs" : "strs";
  if (!CopyText(path, PathSize, folder_) || !AppendText(path, PathSize, name)) {
    reportf("Unable to open %s", "strs");
    return 0;
  }
  FILE* file = std::fopen(path, "w");
  if (!file) {
    reportf("Unable to open %s", path);
    return 0;
  }
  int ok = 1, written = 1;
  for (const char* line = text; ok && *line;) {
    const char* end = std::strpbrk(line, "\r\n");
    std::string one(line, end ? end : line + std::strlen(line));
    char expanded[256];
    ok = expand(one.c_str(), expanded, sizeof expanded);
    if (ok && std::fprintf(file, "%s\n", expanded) < 0)
      written = 0;
    if (!end)
      break;
    line = end + (end[0] == '\r' && end[1] == '\n' ? 2 : 1);
  }
  // The lines are merged into AUTOEXEC.BAT or CONFIG.SYS next: a short file must not pass for them.
  if (std::fclose(file) != 0)
    written = 0;
  if (ok && !written) {
    reportf("Unable to write to %s", path);
    return 0;
  }
  return ok;
}

void ScriptServices::reporterror(const char* text) { report_.reporterror(text); }
