#pragma once

#include <engine/expressions/ScriptExpressions.h>
#include <engine/expressions/VariableStore.h>

struct FileEntry;

// How an event's executor reaches the script side of the controller: variables, evaluation and
// expansion (errors reported once, in words), the "strs" file and error reports.
class EventServices {
public:
  // The variable's storage, created when missing; none (reported) when it cannot be had.
  virtual int* integervariable(const char* name) = 0;
  virtual char* stringvariable(const char* name) = 0;
  virtual int evaluate(const char* text, int& result) = 0;
  virtual int expand(const char* text, char* out, int size) = 0;
  // Writes the text's lines, each expanded, to the file "strs" in the engine's folder; answers its
  // path in `path` (128 characters).
  virtual int writelines(const char* text, char* path) = 0;
  virtual void reporterror(const char* text) = 0;
  // The number of the component a file entry belongs to, -1 when none.
  virtual int componentof(const FileEntry& entry) = 0;

  // Formats (512 characters at most) and reports.
  void reportf(const char* format, ...);

protected:
  ~EventServices() = default;
};

// The services over a variable store, reporting to an error report.
class ScriptServices : public EventServices {
public:
  ScriptServices(VariableStore& variables, ErrorReport& report, const char* engineFolder);

  int* integervariable(const char* name) override;
  char* stringvariable(const char* name) override;
  int evaluate(const char* text, int& result) override;
  int expand(const char* text, char* out, int size) override;
  int writelines(const char* text, char* path) override;
  void reporterror(const char* text) override;
  int componentof(const FileEntry&) override { return -1; }

private:
  VariableStore& variables_;
  ErrorReport& report_;
  char folder_[128];
};
