// How this works: IniWalk reads the file once, line by line, and hands each line to a visitor with
// where it lies: before the target section (outside), its header, inside it, the header that ends
// it, after it (outside). Each public operation is one visitor. Queries only look; rewriters copy
// the lines they keep to a temporary file in the same folder, which replaces the edited file in one
// rename only when it is complete, so a failure at any step leaves the old file as it was.
#include <engine/operations/IniFile.h>

#include <engine/operations/TextFile.h>

#include <foundation/strings/texthelpers.h>

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

const char* const Blanks = " \t\r\n\f\v";

int SameName(const std::string& a, const char* b) { return _stricmp(a.c_str(), b) == 0; }

std::string Trimmed(const std::string& text) {
  size_t begin = text.find_first_not_of(Blanks);
  if (begin == std::string::npos)
    return std::string();
  size_t end = text.find_last_not_of(Blanks);
  return text.substr(begin, end - begin + 1);
}

int Readable(const char* file) {
  HANDLE handle = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return 0;
  CloseHandle(handle);
  return 1;
}

int ReadableAndWritable(const char* file) {
  DWORD attributes = GetFileAttributesA(file);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
    return 0;
  HANDLE handle = CreateFileA(file, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return 0;
  CloseHandle(handle);
  return 1;
}

// Whether a walk in text mode sees every byte of the file: text mode ends the file at a Ctrl-Z, and
// lines are copied as C strings, which end at a NUL (and UTF-16 text is mostly NULs).
int ReadsFaithfully(const char* file) {
  FILE* in = std::fopen(file, "rb");
  if (!in)
    return 0;
  char block[4096];
  size_t n;
  int first = 1, faithful = 1;
  while (faithful && (n = std::fread(block, 1, sizeof block, in)) > 0) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(block);
    if (first && n >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
      faithful = 0;
    if (std::memchr(block, '\0', n) || std::memchr(block, '\x1a', n))
      faithful = 0;
    first = 0;
  }
  faithful = faithful && !std::ferror(in);
  std::fclose(in);
  return faithful;
}

enum Where { Before, Inside, After };

// A visitor that copies lines to a new file and puts it in the edited file's place at the end.
class IniRewriter : public IniVisitor {
public:
  explicit IniRewriter(const char* file) : file_(file) {}
  ~IniRewriter() { abandon(); }

  int prepare() override {
    char dir[MAX_PATH];
    if (DirPart(file_, dir, sizeof dir) < 0 || !UniqueNameInDir(dir, "ini", temp_, sizeof temp_))
      return 0;
    out_ = std::fopen(temp_, "wt");
    return out_ != nullptr;
  }

  int finish() override {
    if (!out_)
      return 0;
    int written = !std::ferror(out_);
    written = std::fclose(out_) == 0 && written;
    out_ = nullptr;
    if (!written || !Replace()) {
      DeleteFileA(temp_);
      return 0;
    }
    return 1;
  }

  void abandon() override {
    if (!out_)
      return;
    std::fclose(out_);
    out_ = nullptr;
    DeleteFileA(temp_);
  }

  void lineinside(const std::string& line) override { emit(line); }
  void lineoutside(const std::string& line) override { emit(line); }
  void headerfound(const std::string& line) override { emit(line); }
  void nextheader(const std::string& line) override { emit(line); }

protected:
  void emit(const std::string& line) { std::fputs(line.c_str(), out_); }
  void emitentry(const char* key, const char* value) { std::fprintf(out_, "%s=%s\n", key, value); }
  void emitheader(const char* section) { std::fprintf(out_, "[%s]\n", section); }

  // Creates a missing file with the given first lines, through the temporary file as every rewrite,
  // so that a failed write leaves no half a file.
  int create(const char* section, const char* key, const char* value) {
    if (!IniRewriter::prepare())
      return 0;
    emitheader(section);
    if (key)
      emitentry(key, value);
    return IniRewriter::finish();
  }

  const char* file_;

private:
  // One rename over the old file; its attributes go to the new one.
  int Replace() {
    DWORD attributes = GetFileAttributesA(file_);
    if (!MoveFileExA(temp_, file_, MOVEFILE_REPLACE_EXISTING))
      return 0;
    if (attributes != INVALID_FILE_ATTRIBUTES)
      SetFileAttributesA(file_, attributes);
    return 1;
  }

  char temp_[MAX_PATH] = {};
  FILE* out_ = nullptr;
};

// Read-only visitors answer this when the file is missing.
class IniQuery : public IniVisitor {
public:
  int filemissing() override { return missing_; }

protected:
  explicit IniQuery(int missing) : missing_(missing) {}

private:
  int missing_;
};

class GetValueVisitor : public IniQuery {
public:
  GetValueVisitor(const char* key, int index, std::string& value)
      : IniQuery(0), key_(key), index_(index), value_(value) {}
  int finish() override { return found_; }
  void lineinside(const std::string& line) override {
    std::string key, value;
    if (found_ || !IniSplitEntry(line, key, value) || !SameName(key, key_))
      return;
    if (seen_++ == index_) {
      value_ = value;
      found_ = 1;
    }
  }

private:
  const char* key_;
  int index_;
  std::string& value_;
  int seen_ = 0;
  int found_ = 0;
};

class CountEntriesVisitor : public IniQuery {
public:
  explicit CountEntriesVisitor(const char* key) : IniQuery(-1), key_(key) {}
  int finish() override { return missing_ ? -1 : count_; }
  void sectionnotfound() override { missing_ = 1; }
  void lineinside(const std::string& line) override {
    std::string key, value;
    if (IniSplitEntry(line, key, value) && (!key_ || SameName(key, key_)))
      ++count_;
  }

private:
  const char* key_;
  int count_ = 0;
  int missing_ = 0;
};

class GetEntryVisitor : public IniQuery {
public:
  GetEntryVisitor(int index, std::string& key, std::string& value)
      : IniQuery(0), index_(index), key_(key), value_(value) {}
  int finish() override { return found_; }
  void lineinside(const std::string& line) override {
    std::string key, value;
    if (found_ || !IniSplitEntry(line, key, value) || seen_++ != index_)
      return;
    key_ = key;
    value_ = value;
    found_ = 1;
  }

private:
  int index_;
  std::string& key_;
  std::string& value_;
  int seen_ = 0;
  int found_ = 0;
};

class CountLinesVisitor : public IniQuery {
public:
  CountLinesVisitor() : IniQuery(-1) {}
  int finish() override { return missing_ ? -1 : count_; }
  void sectionnotfound() override { missing_ = 1; }
  void lineinside(const std::string& line) override { count_ += !IniIsBlank(line); }

private:
  int count_ = 0;
  int missing_ = 0;
};

class GetLineVisitor : public IniQuery {
public:
  GetLineVisitor(int index, std::string& text) : IniQuery(0), index_(index), text_(text) {}
  int finish() override { return found_; }
  void lineinside(const std::string& line) override {
    if (found_ || IniIsBlank(line) || seen_++ != index_)
      return;
    text_ = line.substr(0, line.size() - 1);
    found_ = 1;
  }

private:
  int index_;
  std::string& text_;
  int seen_ = 0;
  int found_ = 0;
};

class AddSectionVisitor : public IniRewriter {
public:
  AddSectionVisitor(const char* file, const char* section) : IniRewriter(file), section_(section) {}
  int filemissing() override { return create(section_, nullptr, nullptr); }
  void sectionnotfound() override {
    emit("\n");
    emitheader(section_);
  }

private:
  const char* section_;
};

class DeleteSectionVisitor : public IniRewriter {
public:
  using IniRewriter::IniRewriter;
  int filemissing() override { return 1; }
  void headerfound(const std::string&) override {}
  void lineinside(const std::string&) override {}
};

// Leaves out the index-th entry with the key, or every one when the index is negative.
class DeleteEntryVisitor : public IniRewriter {
public:
  DeleteEntryVisitor(const char* file, const char* key, int index)
      : IniRewriter(file), key_(key), index_(index) {}
  int filemissing() override { return 1; }
  void lineinside(const std::string& line) override {
    std::string key, value;
    if (IniSplitEntry(line, key, value) && SameName(key, key_) && (index_ < 0 || seen_++ == index_))
      return;
    emit(line);
  }

private:
  const char* key_;
  int index_;
  int seen_ = 0;
};

// Replaces (or, inserting, writes before) the index-th entry with the key; without one, the entry
// ends the section. Blank lines inside the section go; one empty line separates it from the next.
class SetEntryVisitor : public IniRewriter {
public:
  SetEntryVisitor(const char* file, const char* section, const char* key, const char* value, int index,
                  int insert)
      : IniRewriter(file), section_(section), key_(key), value_(value), index_(index), insert_(insert) {}

  int filemissing() override { return create(section_, key_, value_); }
  void sectionnotfound() override {
    emit("\n");
    emitheader(section_);
    emitentry(key_, value_);
  }
  void lineinside(const std::string& line) override {
    if (IniIsBlank(line))
      return;
    std::string key, value;
    if (!done_ && IniSplitEntry(line, key, value) && SameName(key, key_) && seen_++ == index_) {
      emitentry(key_, value_);
      done_ = 1;
      if (!insert_)
        return;
    }
    emit(line);
  }
  void endinside() override { complete(); }
  void nextheader(const std::string& line) override {
    complete();
    emit("\n");
    emit(line);
  }

private:
  void complete() {
    if (!done_)
      emitentry(key_, value_);
    done_ = 1;
  }

  const char* section_;
  const char* key_;
  const char* value_;
  int index_;
  int insert_;
  int seen_ = 0;
  int done_ = 0;
};

} // namespace

int IniIsBlank(const std::string& line) { return line.find_first_not_of(Blanks) == std::string::npos; }

int IniIsComment(const std::string& line) {
  size_t first = line.find_first_not_of(Blanks);
  return first != std::string::npos && line[first] == ';';
}

int IniHeaderName(const std::string& line, std::string& name) {
  size_t open = line.find_first_not_of(Blanks);
  if (open == std::string::npos || line[open] != '[')
    return 0;
  size_t close = line.find(']', open + 1);
  if (close == std::string::npos || line.find_first_not_of(Blanks, close + 1) != std::string::npos)
    return 0;
  name = line.substr(open + 1, close - open - 1);
  return 1;
}

int IniSplitEntry(const std::string& line, std::string& key, std::string& value) {
  size_t equals = line.find('=');
  if (IniIsComment(line) || equals == std::string::npos)
    return 0;
  key = Trimmed(line.substr(0, equals));
  value = Trimmed(line.substr(equals + 1));
  return 1;
}

int IniWalk(const char* file, const char* section, IniVisitor& visitor, int rewrite) {
  if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES)
    return visitor.filemissing();
  if (!(rewrite ? ReadableAndWritable(file) && ReadsFaithfully(file) : Readable(file)))
    return 0;
  FILE* in = std::fopen(file, "rt");
  if (!in)
    return 0;
  if (!visitor.prepare()) {
    std::fclose(in);
    return 0;
  }
  Where where = Before;
  std::string line, name;
  while (ReadWholeLine(in, line)) {
    if (line.back() != '\n')
      line += '\n';
    int header = IniHeaderName(line, name);
    if (where == Before && header && SameName(name, section)) {
      visitor.headerfound(line);
      where = Inside;
    } else if (where == Inside && header) {
      visitor.nextheader(line);
      where = After;
    } else if (where == Inside) {
      visitor.lineinside(line);
    } else {
      visitor.lineoutside(line);
    }
  }
  int failed = std::ferror(in);
  std::fclose(in);
  if (failed) {
    visitor.abandon();
    return 0;
  }
  if (where == Before)
    visitor.sectionnotfound();
  else if (where == Inside)
    visitor.endinside();
  return visitor.finish();
}

int IniGetValue(const char* file, const char* section, const char* key, int index, std::string& value) {
  GetValueVisitor visitor(key, index, value);
  return IniWalk(file, section, visitor, 0);
}

int IniCountEntries(const char* file, const char* section, const char* key) {
  CountEntriesVisitor visitor(key);
  return IniWalk(file, section, visitor, 0);
}

int IniGetEntry(const char* file, const char* section, int index, std::string& key, std::string& value) {
  GetEntryVisitor visitor(index, key, value);
  return IniWalk(file, section, visitor, 0);
}

int IniCountLines(const char* file, const char* section) {
  CountLinesVisitor visitor;
  return IniWalk(file, section, visitor, 0);
}

int IniGetLine(const char* file, const char* section, int index, std::string& text) {
  GetLineVisitor visitor(index, text);
  return IniWalk(file, section, visitor, 0);
}

int IniHasEntries(const char* file, const char* section) {
  return IniCountEntries(file, section, nullptr) > 0;
}

int IniAddSection(const char* file, const char* section) {
  AddSectionVisitor visitor(file, section);
  return IniWalk(file, section, visitor, 1);
}

int IniDeleteSection(const char* file, const char* section) {
  DeleteSectionVisitor visitor(file);
  return IniWalk(file, section, visitor, 1);
}

int IniDeleteEntry(const char* file, const char* section, const char* key, int index) {
  DeleteEntryVisitor visitor(file, key, index < 0 ? 0 : index);
  return IniWalk(file, section, visitor, 1);
}

int IniDeleteKey(const char* file, const char* section, const char* key) {
  DeleteEntryVisitor visitor(file, key, -1);
  return IniWalk(file, section, visitor, 1);
}

int IniSetEntry(const char* file, const char* section, const char* key, const char* value, int index) {
  SetEntryVisitor visitor(file, section, key, value, index, 0);
  return IniWalk(file, section, visitor, 1);
}

int IniInsertEntry(const char* file, const char* section, const char* key, const char* value, int index) {
  SetEntryVisitor visitor(file, section, key, value, index, 1);
  return IniWalk(file, section, visitor, 1);
}
