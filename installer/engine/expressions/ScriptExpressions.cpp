#include <engine/expressions/ScriptExpressions.h>

#include <engine/expressions/EvaluateExpression.h>
#include <engine/expressions/ExpandVariables.h>

#include <cstdio>

namespace {

struct ErrorText {
  int code;
  const char* format;
};

const ErrorText expansionErrors[] = {
    {BadVariableName, "Bad variable name in expression %s"},
    {UnknownVariable, "Unknown variable in expression %s"},
};

const ErrorText evaluationErrors[] = {
    {UnknownVariable, "Unknown variable in expression %s"},
    {ExpressionSyntax, "Syntax error in expression %s"},
};

template <int N> void reportError(const ErrorText (&table)[N], const char* text, ErrorReport& report) {
  for (const ErrorText& error : table) {
    if (error.code != ExpressionError())
      continue;
    char message[512];
    std::snprintf(message, sizeof message, error.format, text);
    report.reporterror(message);
    return;
  }
}

} // namespace

int ExpandWithReport(const VariableTextLookup& lookup, const char* text, char* out, int size,
                     ErrorReport& report) {
  if (ExpandVariables(lookup, text, out, size))
    return 1;
  reportError(expansionErrors, text, report);
  return 0;
}

int EvaluateWithReport(const VariableValueLookup& lookup, const char* text, int& result,
                       ErrorReport& report) {
  if (EvaluateExpression(lookup, text, result))
    return 1;
  reportError(evaluationErrors, text, report);
  return 0;
}
