#include <engine/expressions/ExpandVariables.h>

#include <engine/expressions/ScriptText.h>

#include <cstring>

namespace {

int errorOut(char* out, int code) {
  out[0] = 0;
  SetExpressionError(code);
  return 0;
}

// Bounded appending to the caller's buffer.
class Output {
public:
  Output(char* out, int size) : out_(out), size_(size) {}
  int put(const char* text, size_t length) {
    if (length >= static_cast<size_t>(size_ - used_))
      return 0;
    std::memcpy(out_ + used_, text, length);
    used_ += static_cast<int>(length);
    out_[used_] = 0;
    return 1;
  }

private:
  char* out_;
  int size_;
  int used_ = 0;
};

// Reads a name from `at` into `name`: the run of name characters; braced, everything up to the "}"
// must be name characters. Answers where scanning goes on, none for a bad name.
const char* readName(const char* at, int braced, char (&name)[VariableNameSize]) {
  const char* end = at;
  while (ContinuesScriptName(*end))
    ++end;
  if (braced && *end != '}')
    return nullptr;
  size_t length = static_cast<size_t>(end - at);
  if (length >= VariableNameSize)
    return nullptr;
  std::memcpy(name, at, length);
  name[length] = 0;
  return braced ? end + 1 : end;
}

} // namespace

int ExpandVariables(const VariableTextLookup& lookup, const char* text, char* out, int size) {
  if (size <= 0) {
    SetExpressionError(BadVariableName);
    return 0;
  }
  out[0] = 0;
  SetExpressionError(ExpressionOk);
  if (!text)
    text = "";
  Output output(out, size);
  for (const char* at = text; *at;) {
    if (*at != '$' || at[1] == 0 || at[1] == '$') {
      if (!output.put(at, 1))
        return errorOut(out, BadVariableName);
      at += *at == '$' && at[1] == '$' ? 2 : 1;
      continue;
    }
    int braced = at[1] == '{';
    if (!braced && !StartsScriptName(at[1])) {
      if (!output.put(at, 2))
        return errorOut(out, BadVariableName);
      at += 2;
      continue;
    }
    char name[VariableNameSize];
    const char* next = readName(at + 1 + braced, braced, name);
    if (!next)
      return errorOut(out, BadVariableName);
    const char* value = lookup.text(name);
    if (!value)
      return errorOut(out, UnknownVariable);
    if (!output.put(value, std::strlen(value)))
      return errorOut(out, BadVariableName);
    at = next;
  }
  return 1;
}
