#include <appframe/CString.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length < 0) {
    va_end(again);
    text_.clear();
    return;
  }
  std::string result(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(result.data(), result.size(), format, again);
  va_end(again);
  result.resize(static_cast<size_t>(length));
  text_ = std::move(result);
}

int CString::Compare(const char* other) const { return std::strcmp(text_.c_str(), other ? other : ""); }

int CString::CompareNoCase(const char* other) const { return lstrcmpiA(text_.c_str(), other ? other : ""); }
