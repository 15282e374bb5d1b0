#pragma once

#include <engine/expressions/ExpressionError.h>
#include <engine/expressions/VariableLookup.h>

// Nesting (parentheses, "!" chains, and the depth of the tree that long operator chains build) is
// limited; an expression nested deeper is a syntax error.
constexpr int ExpressionNestingLimit = 256;

// Evaluates an integer expression over the integer variables. Answers 1 with the result, or 0 with
// ExpressionError() UnknownVariable (a variable missing, or a division by zero) or ExpressionSyntax.
int EvaluateExpression(const VariableValueLookup& lookup, const char* text, int& result);
