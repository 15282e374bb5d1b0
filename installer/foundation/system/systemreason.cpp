#include <foundation/system/systemreason.h>

#include <cstdio>

std::string SystemReason(DWORD error) {
  char text[512];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                           text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' '))
    --n;
  if (n == 0)
    n = static_cast<DWORD>(std::snprintf(text, sizeof text, "System error %lu.", error));
  return std::string(text, n);
}
