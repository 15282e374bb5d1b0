#include <gridctrl/GridMask.h>

#include <windows.h>

#include <cstring>

namespace {

const char kMaskChars[] = "09#L?Aa&C";

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(char ch) { return IsCharAlphaA(ch) != FALSE; }
bool IsPrintable(char ch) { return static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F; }

} // namespace

void CGridMask::Set(const std::string& mask) {
  m_positions.clear();
  for (size_t i = 0; i < mask.size(); ++i) {
    const char ch = mask[i];
    if (ch == '\\' && i + 1 < mask.size())
      m_positions.push_back({true, mask[++i]});
    else
      m_positions.push_back({std::strchr(kMaskChars, ch) == nullptr || ch == '\0', ch});
  }
}

bool CGridMask::Accepts(char maskChar, char ch) {
  switch (maskChar) {
  case '0':
    return IsDigit(ch);
  case '9':
    return IsDigit(ch) || ch == ' ';
  case '#':
    return IsDigit(ch) || ch == ' ' || ch == '+' || ch == '-';
  case 'L':
    return IsLetter(ch);
  case '?':
    return IsLetter(ch) || ch == ' ';
  case 'A':
    return IsLetter(ch) || IsDigit(ch);
  case 'a':
    return IsLetter(ch) || IsDigit(ch) || ch == ' ';
  case '&':
  case 'C':
    return IsPrintable(ch);
  default:
    return false;
  }
}

std::string CGridMask::Reformat(const std::string& text) const {
  std::string result;
  size_t next = 0;
  for (const Position& pos : m_positions) {
    if (next >= text.size())
      break;
    if (pos.literal) {
      result += pos.ch;
      if (text[next] == pos.ch)
        ++next; // the old text's own copy of the literal
      continue;
    }
    while (next < text.size() && !Accepts(pos.ch, text[next]))
      ++next;
    if (next >= text.size())
      break;
    result += text[next++];
  }
  return result;
}
