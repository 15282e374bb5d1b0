#pragma once

#include <string>

// The runtime's text and number functions, with the runtime's names, as the programs call them.
namespace formsrt {

std::string Trim(const std::string& text);
std::string LTrim(const std::string& text);
std::string RTrim(const std::string& text);
std::string UCase(const std::string& text);
// Up to `length` characters from the left or right; Mid counts `start` from 1.
std::string Left(const std::string& text, std::size_t length);
std::string Right(const std::string& text, std::size_t length);
std::string Mid(const std::string& text, std::size_t start, std::size_t length = std::string::npos);
std::string Chr(int code);

// The number that the text begins with, blanks ignored anywhere; 0 when it begins with none.
double Val(const std::string& text);
// Rounds to the nearest 16-bit integer, halves to the even one; outside the range raises Overflow.
int CInt(double value);
// A text that is not wholly a number raises Type mismatch.
int CInt(const std::string& text);
// 32-bit, for counters that may pass 32767.
long CLng(double value);
std::string CStr(long value);

} // namespace formsrt
