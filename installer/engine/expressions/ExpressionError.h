#pragma once

// The error of the last expansion or evaluation, read by the caller right after the call.
enum ExpressionErrorCode {
  ExpressionOk = 0,
  BadVariableName = 1,
  UnknownVariable = 2, // also an evaluation that failed, a division by zero included
  ExpressionSyntax = 3,
};

int ExpressionError();
void SetExpressionError(int code);
