#pragma once

// How the expander and the evaluator reach the script's variables without knowing who keeps them.

class VariableTextLookup {
public:
  // The text of a string variable, none when there is no such variable.
  virtual const char* text(const char* name) const = 0;

protected:
  ~VariableTextLookup() = default;
};

class VariableValueLookup {
public:
  // 1 with the integer variable's value, 0 when there is no such variable.
  virtual int value(const char* name, int& result) const = 0;

protected:
  ~VariableValueLookup() = default;
};
