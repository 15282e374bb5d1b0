#include <foundation/strings/textresource.h>

#include <cstring>

namespace {

HMODULE languageModule = nullptr;

int loadFrom(HMODULE module, char (&buffer)[TextSize], UINT id) {
  return LoadStringA(module, id, buffer, TextSize) > 0;
}

} // namespace

HMODULE EngineModule() { return GetModuleHandleA(nullptr); }

void SetResourceModule(HMODULE module) { languageModule = module; }

HMODULE ResourceModule() { return languageModule ? languageModule : EngineModule(); }

void LoadText(char (&buffer)[TextSize], UINT id) {
  if (loadFrom(ResourceModule(), buffer, id))
    return;
  if (ResourceModule() != EngineModule() && loadFrom(EngineModule(), buffer, id))
    return;
  std::strcpy(buffer, "NO SUCH STRING!!!");
}

std::string TextOf(UINT id) {
  char text[TextSize];
  LoadText(text, id);
  return text;
}
