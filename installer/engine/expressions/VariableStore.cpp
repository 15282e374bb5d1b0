#include <engine/expressions/VariableStore.h>

#include <foundation/system/outofmemory.h>

#include <cstddef>
#include <cstring>
#include <new>

namespace {
enum Kind { StringKind = 0, IntegerKind = 1 };
} // namespace

struct VariableStore::Variable {
  sllink link;
  int kind;
  char name[VariableNameSize];
  union {
    char text[StringValueSize];
    int number;
  };
};

VariableStore::~VariableStore() {
  while (sllink* node = variables_.removeat(0))
    delete reinterpret_cast<Variable*>(node);
}

void VariableStore::setsourcepath(const char* path) { SetStringValue(sourcePath_, path); }

VariableStore::Variable* VariableStore::find(int kind, const char* name) const {
  for (sllink* node = variables_.head(); node; node = node->next) {
    Variable* variable = reinterpret_cast<Variable*>(node);
    if (variable->kind == kind && std::strcmp(variable->name, name) == 0)
      return variable;
  }
  return nullptr;
}

VariableStore::Variable* VariableStore::create(int kind, const char* name) {
  Variable* variable = new (std::nothrow) Variable;
  if (!variable) {
    FatalOutOfMemory(nullptr);
    return nullptr;
  }
  variable->kind = kind;
  std::strcpy(variable->name, name);
  if (kind == StringKind)
    variable->text[0] = 0;
  else
    variable->number = 0;
  variables_.append(&variable->link);
  return variable;
}

int* VariableStore::integervariable(const char* name, int create) {
  if (!name || std::strlen(name) >= VariableNameSize)
    return nullptr;
  Variable* variable = find(IntegerKind, name);
  if (!variable && create)
    variable = this->create(IntegerKind, name);
  return variable ? &variable->number : nullptr;
}

char* VariableStore::stringvariable(const char* name, int create) {
  if (!name || std::strlen(name) >= VariableNameSize)
    return nullptr;
  Variable* variable = find(StringKind, name);
  if (!variable && create)
    variable = this->create(StringKind, name);
  return variable ? variable->text : nullptr;
}

const char* VariableStore::text(const char* name) const {
  if (std::strcmp(name, "s") == 0)
    return sourcePath_;
  Variable* variable = find(StringKind, name);
  return variable ? variable->text : nullptr;
}

int VariableStore::value(const char* name, int& result) const {
  Variable* variable = find(IntegerKind, name);
  if (!variable)
    return 0;
  result = variable->number;
  return 1;
}

void SetStringValue(char* storage, const char* text) {
  if (!text)
    text = "";
  size_t length = std::strlen(text);
  if (length >= StringValueSize)
    length = StringValueSize - 1;
  std::memmove(storage, text, length);
  storage[length] = 0;
}
