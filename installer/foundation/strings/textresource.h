#pragma once

#include <windows.h>

#include <string>

// Texts come from the resource module: the language library once one is loaded, the program itself
// before that and after it is freed.

constexpr int TextSize = 256;

// The program's own module (the one whose file the engine runs from).
HMODULE EngineModule();

// Makes a loaded language library the resource module; none gives the program's own module back.
void SetResourceModule(HMODULE module);
HMODULE ResourceModule();

// The text of `id`: from the resource module, else from the program's own module, else
// "NO SUCH STRING!!!". At most 255 characters, always terminated.
void LoadText(char (&buffer)[TextSize], UINT id);
// The same text as a string.
std::string TextOf(UINT id);
