#include <foundation/system/outofmemory.h>

void FatalOutOfMemory(HWND owner) {
  MessageBoxA(owner, "Fatal error: Out of memory", nullptr, MB_SYSTEMMODAL | MB_ICONERROR);
}
