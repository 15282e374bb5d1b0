#pragma once

#include <windows.h>

// Dialog templates are looked for in the resource module (the language library when one is loaded)
// and then in the program's own module. Answers the module that holds `name` (a name or an id), none
// when neither does.
HMODULE FindDialogTemplate(LPCSTR name);

// A heap copy (std::free) of the template `name` with DS_3DLOOK added to its style, for starting it
// indirectly; none when the template is missing or memory runs out. Both the plain and the extended
// template form are recognised.
void* LoadDialogTemplate(LPCSTR name);
