#pragma once

#include <engine/expressions/ExpressionError.h>
#include <engine/expressions/VariableLookup.h>

// Copies the text into out (a buffer of `size` characters) with $name and ${name} replaced by the
// string variables' texts; "$$" is one "$". Answers 1, or 0 with out empty and ExpressionError():
// BadVariableName (a malformed or over-long name, or a result that does not fit out) or
// UnknownVariable. `out` is cleared first, so it must not be the storage of a variable the text names.
int ExpandVariables(const VariableTextLookup& lookup, const char* text, char* out, int size);
