#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The runtime's numbered file channels: open for input, output or append, the quoted-field reader
// (Input #) and writer (Write #), plain text output (Print #), end of file. Every failure raises the
// runtime's error: a missing file 53, a missing folder 76, a refused file 75, reading past the end 62,
// an unknown channel 52, a channel opened twice 55, reading an output channel 54.
namespace formsrt {

// Fields and lines read from text in memory, the way an input channel reads its file (the channel
// functions below read through it). The views point into the text.
class TextInput {
public:
  explicit TextInput(std::string_view text, std::size_t position = 0) : text_(text), pos_(position) {}

  bool atEnd() const { return pos_ >= text_.size(); }
  std::size_t position() const { return pos_; }
  // As InputField; raises error 62 at the end of the text.
  std::string_view field();
  // As LineInput; raises error 62 at the end of the text.
  std::string_view line();
  // As SkipBlankLines.
  void skipBlankLines();

private:
  void skipDelimiter();

  std::string_view text_;
  std::size_t pos_;
};

enum class OpenMode { Input, Output, Append };

void Open(const std::string& path, OpenMode mode, int channel);
void Close(int channel);
// Closes every open channel.
void CloseAll();
int FreeFile();
bool EndOfFile(int channel);
long LOF(int channel);

// One field: a field in double quotes runs to the next double quote (both removed); an unquoted field
// runs to the next comma or line end, without its leading and trailing blanks. The comma or line end
// after a field is consumed, so fields are read in sequence across lines.
std::string InputField(int channel);
// The rest of the current line, without its carriage return and line feed, which are consumed.
std::string LineInput(int channel);
// Moves an input channel's read position past lines that hold nothing but blanks.
void SkipBlankLines(int channel);
// Moves an input channel's read position to the 1-based byte `position`.
void Seek(int channel, long position);
// The unread rest of an input channel's file, which is then at its end.
std::string TakeInput(int channel);
// `length` characters as they stand.
std::string InputChars(int channel, long length);
// A record: each field in double quotes, separated by commas, ending with carriage return and line feed.
void WriteFields(int channel, std::initializer_list<std::string_view> fields);
// The text as it stands, with carriage return and line feed unless `newline` is false.
void PrintText(int channel, const std::string& text, bool newline = true);

} // namespace formsrt
