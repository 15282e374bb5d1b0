#pragma once

// Steps through the CR LF separated lines of a text without copying it. A text ending in CR LF has an
// empty last line; a lone CR or LF belongs to its line; an empty text is one empty line, no text none.
class linescan {
public:
  void start(const char* text);
  int valid() const { return line_ != nullptr; }
  // Past the next CR LF; after the last line there is no current line.
  void next();
  // The current line without its CR LF, cut to fit `size` characters with the terminator. 1 when the
  // whole line fitted; 0 when it was cut or there is no current line (the buffer is then empty).
  int copy(char* buffer, int size) const;

private:
  const char* line_ = nullptr;
  const char* end_ = nullptr; // the line's CR LF, none on the last line
};

int CountLines(const char* text);
// Line n (from 0) into the buffer, as linescan::copy; 0 when there is no such line.
int GetLine(const char* text, int n, char* buffer, int size);
