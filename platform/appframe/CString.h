#pragma once

#include <windows.h>

#include <string>

// The framework's text: a byte string in the ANSI code page, passed wherever a C string is wanted.
class CString {
public:
  CString() = default;
  CString(const char* text) : text_(text ? text : "") {}
  CString(const std::string& text) : text_(text) {}

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  char GetAt(int index) const { return text_[static_cast<size_t>(index)]; }
  operator const char*() const { return text_.c_str(); }
  const std::string& str() const { return text_; }

  // printf-style formatting into a string of whatever length the result needs.
  void Format(const char* format, ...);
  int Compare(const char* other) const;
  int CompareNoCase(const char* other) const;

  CString& operator+=(const char* more) {
    text_ += more;
    return *this;
  }
  friend bool operator==(const CString& a, const char* b) { return a.text_ == (b ? b : ""); }
  friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }

private:
  std::string text_;
};
