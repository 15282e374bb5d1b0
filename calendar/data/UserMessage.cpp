#include <calendar/data/UserMessage.h>

int ShowUserMessage(const std::string& text, const std::string& caption, UINT type) {
  return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), type);
}
