#include <foundation/windows/dlgtemplate.h>

#include <foundation/strings/textresource.h>

#include <cstdlib>
#include <cstring>

namespace {

HRSRC findIn(HMODULE module, LPCSTR name) { return FindResourceA(module, name, RT_DIALOG); }

// The style sits at offset 0 of a plain template and at offset 12 of an extended one, which opens with
// the version 1 and the signature 0xFFFF.
DWORD* styleOf(void* block, DWORD size) {
  WORD* words = static_cast<WORD*>(block);
  if (size >= 16 && words[0] == 1 && words[1] == 0xFFFF)
    return reinterpret_cast<DWORD*>(static_cast<char*>(block) + 12);
  return size >= 4 ? static_cast<DWORD*>(block) : nullptr;
}

} // namespace

HMODULE FindDialogTemplate(LPCSTR name) {
  if (findIn(ResourceModule(), name))
    return ResourceModule();
  if (findIn(EngineModule(), name))
    return EngineModule();
  return nullptr;
}

void* LoadDialogTemplate(LPCSTR name) {
  HMODULE module = FindDialogTemplate(name);
  if (!module)
    return nullptr;
  HRSRC resource = findIn(module, name);
  DWORD size = SizeofResource(module, resource);
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0)
    return nullptr;
  void* copy = std::malloc(size);
  if (!copy)
    return nullptr;
  std::memcpy(copy, bytes, size);
  DWORD style;
  if (DWORD* at = styleOf(copy, size)) {
    std::memcpy(&style, at, sizeof style);
    style |= DS_3DLOOK;
    std::memcpy(at, &style, sizeof style);
  }
  return copy;
}
