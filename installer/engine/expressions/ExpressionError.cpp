#include <engine/expressions/ExpressionError.h>

namespace {
int lastError = ExpressionOk;
} // namespace

int ExpressionError() { return lastError; }
void SetExpressionError(int code) { lastError = code; }
