#pragma once

#include <foundation/paths/pathparts.h>

#include <windows.h>

class systime;

// Read-only text: every path argument of the engine.
class cpath {
public:
  virtual const char* str() const = 0;

protected:
  ~cpath() = default;
};

// A plain text pointer where a cpath is wanted; the text is neither copied nor owned.
class cpathref : public cpath {
public:
  cpathref(const char* text) : text_(text) {}
  const char* str() const override { return text_ ? text_ : ""; }

private:
  const char* text_;
};

// One search through FindFirstFileA; the handle is INVALID_HANDLE_VALUE when none is open.
struct findrecord {
  WIN32_FIND_DATAA data;
  HANDLE handle = INVALID_HANDLE_VALUE;
};

// A text that can also be set, and the engine's file-system operations on paths. The operations are
// static: queries take any cpath, operations that produce a path take the fpath to set. Results are
// 1 for success and 0 for failure unless said otherwise.
class fpath : public cpath {
public:
  // 1 when stored.
  virtual int set(const char* text) = 0;

  // Queries.
  static int exists(const cpath& path);
  static int writable(const cpath& path);
  static int remove(const cpath& path);
  // 0 on success, -1 on failure.
  static int getattr(const cpath& path, int& attributes);
  static int setattr(const cpath& path, int attributes);
  static int gettime(const cpath& path, systime& time);
  static int settime(const cpath& path, const systime& time);
  // -1, 0 or 1 by last-write time (a missing file counts as the default time); 2 when the time of
  // an existing file cannot be read.
  static int comparetimes(const cpath& a, const cpath& b);
  static int drive(const cpath& path);
  static int getparent(const cpath& path, fpath& out);
  static int rename(const cpath& path, const cpath& newPath);
  static int renamein(const cpath& directory, const cpath& oldName, const cpath& newName);
  static int copyto(const cpath& path, char* buffer, int size);
  static int getfull(const cpath& path, fpath& out);
  static int getdir(const cpath& path, fpath& out);
  static int getname(const cpath& path, fpath& out);
  static int getnamebuf(const cpath& path, char* buffer, int size);
  static int getroot(const cpath& path, fpath& out);
  // Bytes, -1 when the file cannot be opened.
  static long size(const cpath& path);
  static int setsize(const cpath& path, long length);
  // The position after the directory when the path lies in it, else 0.
  static int isunder(const cpath& path, const cpath& directory);
  static int isdriveonly(const cpath& path);
  static int equals(const cpath& a, const cpath& b);
  static int hasext(const cpath& path, const char* extension);
  static int isdll(const cpath& path);
  static int isocx(const cpath& path);
  static int isvbx(const cpath& path);
  static int isempty(const cpath& path);
  static int hasentries(const cpath& directory);
  static int isdir(const cpath& path);
  static int chdir(const cpath& path);
  // 1 when it exists already, 0 when created, 2 when creation failed.
  static int mkdir(const cpath& path);
  static int mkdirs(const cpath& path);
  static int rmdir(const cpath& path);
  static int deletecontents(const cpath& directory);
  static int rmtree(const cpath& directory);
  static int findfirst(const cpath& pattern, findrecord& record);
  static int findnext(findrecord& record);
  static void findclose(findrecord& record);
  // Offset of the first occurrence of the text (shorter than 256 characters), -1 when none.
  static long findbytes(const cpath& file, const char* text);

  // Operations that set a path.
  static int appendtoname(fpath& path, const char* suffix);
  static int setmodule(fpath& path);
  static int setmoduledir(fpath& path);
  static int setcurdir(fpath& path);
  static int setwindir(fpath& path);
  static int setshareddir(fpath& path);
  static int setcommonfilesdir(fpath& path);
  static int setbackupname(fpath& path, const cpath& source);
  static int setdrive(fpath& path, int drive);
  static int setdriveroot(fpath& path, int drive);
  static int setf(fpath& path, const char* format, ...);
  static int setjoin(fpath& path, const char* directory, const char* name);
  static int setjoinpaths(fpath& path, const cpath& directory, const cpath& name);
  static int movetodir(fpath& path, const cpath& directory);
  static int setname(fpath& path, const cpath& name);
  static int setunique(fpath& path, const cpath& directory, const char* stem);
  static int setuniquebeside(fpath& path, const cpath& other, const char* stem);
  static int relativeto(const cpath& path, const cpath& base, fpath& out);
  static int stripext(fpath& path);
  static int setext(fpath& path, const char* extension);
  static int setextlastchar(fpath& path, char c);
  static int setlongname(fpath& path);
  static int shortenlast(fpath& path);
  static int toshort(fpath& path);

protected:
  ~fpath() = default;
};

// The path value of locals and members: 127 characters and a terminator. A longer text is refused
// and leaves the buffer empty.
class fpathbuf : public fpath {
public:
  fpathbuf() { text_[0] = 0; }
  explicit fpathbuf(const char* text) : fpathbuf() { set(text); }
  fpathbuf(const fpathbuf& other) : fpathbuf() { set(other.text_); }
  fpathbuf& operator=(const fpathbuf& other) {
    set(other.text_);
    return *this;
  }

  const char* str() const override { return text_; }
  int set(const char* text) override;

private:
  char text_[PathSize];
};
