#pragma once

#include <string>

// Line-by-line edits of initialisation files, for what the system's profile functions cannot do:
// several entries with one key in a section, the n-th line of a section, inserting before an entry,
// deleting one occurrence, adding and deleting whole sections. Names compare ignoring case.

// How a line reads.
int IniIsBlank(const std::string& line);
int IniIsComment(const std::string& line);
// A header is "[name]" with only white space around; the name is everything up to the first "]".
int IniHeaderName(const std::string& line, std::string& name);
// An entry is a line that is no comment and holds "="; key and value are trimmed.
int IniSplitEntry(const std::string& line, std::string& key, std::string& value);

// One walk over a file calls these in order of the lines; the walker tracks whether a line lies
// before, inside or after the target section.
class IniVisitor {
public:
  virtual int filemissing() = 0;
  virtual int prepare() { return 1; }
  virtual int finish() = 0;
  virtual void sectionnotfound() {}
  virtual void lineinside(const std::string&) {}
  virtual void lineoutside(const std::string&) {}
  virtual void headerfound(const std::string&) {}
  virtual void endinside() {}
  virtual void nextheader(const std::string&) {}
  // The walk stopped after prepare without reaching finish.
  virtual void abandon() {}

protected:
  ~IniVisitor() = default;
};

// Walks the file with every line ending in "\n". A query needs read access only; a rewrite needs the
// file readable and writable. Answers the visitor's result, or 0 when the file cannot be used or read
// to its end.
int IniWalk(const char* file, const char* section, IniVisitor& visitor, int rewrite);

// Queries. Occurrences and indexes count from 0.
int IniGetValue(const char* file, const char* section, const char* key, int index, std::string& value);
// Entries with the key (any key when none); -1 when the file or the section is missing.
int IniCountEntries(const char* file, const char* section, const char* key);
int IniGetEntry(const char* file, const char* section, int index, std::string& key, std::string& value);
// Non-blank lines of the section, comments included; -1 when the file or section is missing.
int IniCountLines(const char* file, const char* section);
// Whether the section holds at least one entry.
int IniHasEntries(const char* file, const char* section);
int IniGetLine(const char* file, const char* section, int index, std::string& text);

// Rewrites: 1 on success, 0 with the file untouched on failure.
int IniAddSection(const char* file, const char* section);
int IniDeleteSection(const char* file, const char* section);
int IniDeleteEntry(const char* file, const char* section, const char* key, int index);
int IniDeleteKey(const char* file, const char* section, const char* key);
int IniSetEntry(const char* file, const char* section, const char* key, const char* value, int index);
int IniInsertEntry(const char* file, const char* section, const char* key, const char* value, int index);
