#include <tests/support/WindowText.h>

#include <vector>

namespace testsupport {

std::string windowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0)
    return {};
  std::vector<char> text(static_cast<size_t>(length) + 1);
  const int copied = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

std::string itemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? windowText(item) : std::string();
}

} // namespace testsupport
