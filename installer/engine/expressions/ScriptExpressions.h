#pragma once

#include <engine/expressions/VariableLookup.h>

// Where the script's expression errors are told to the user.
class ErrorReport {
public:
  virtual void reporterror(const char* text) = 0;

protected:
  ~ErrorReport() = default;
};

// Expansion and evaluation as the script's events use them: an error is reported once, in words
// naming the expression, and the caller sees only 0.
int ExpandWithReport(const VariableTextLookup& lookup, const char* text, char* out, int size,
                     ErrorReport& report);
int EvaluateWithReport(const VariableValueLookup& lookup, const char* text, int& result, ErrorReport& report);
