#pragma once

#include <engine/expressions/ScriptText.h>
#include <engine/expressions/VariableLookup.h>

#include <foundation/containers/sllist.h>

// A string variable holds 255 characters and a terminator.
constexpr int StringValueSize = 256;

// The script's variables, kept in order of creation for the life of the script's run. A string and an
// integer variable may share a name; names are compared exactly. The name "s" reads as the source
// path of the installation in expansions.
class VariableStore : public VariableTextLookup, public VariableValueLookup {
public:
  VariableStore() = default;
  ~VariableStore();
  VariableStore(const VariableStore&) = delete;
  VariableStore& operator=(const VariableStore&) = delete;

  void setsourcepath(const char* path);

  // The value's storage (a 256-character buffer for a string), created as 0 or "" when asked to;
  // none when there is no such variable, when the name is longer than 39 characters, or when
  // memory runs out (reported to the user).
  int* integervariable(const char* name, int create);
  char* stringvariable(const char* name, int create);

  const char* text(const char* name) const override;
  int value(const char* name, int& result) const override;

private:
  struct Variable;
  Variable* find(int kind, const char* name) const;
  Variable* create(int kind, const char* name);

  sllist variables_;
  char sourcePath_[StringValueSize] = {};
};

// Copies a text into a string variable's storage, cut to 255 characters.
void SetStringValue(char* storage, const char* text);
