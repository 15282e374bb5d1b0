#pragma once

#include <foundation/streams/porttype.h>
#include <foundation/strings/dynstr.h>

#include <windows.h>

// One registry key named by a root and a path. The key is opened only for the length of one operation,
// except by open() and create(), which keep it open until close(). Persistent as its path (a string)
// and its root index (an int); a key read from a stream is closed.
//
// Paths and subkey names hold at most 259 characters: anything that would not fit is refused (the
// operation answers 0 and changes nothing). Value names are read whole, whatever their length.

constexpr int RegPathSize = 260;

enum RegRoot { RegLocalMachine, RegClassesRoot, RegCurrentUser, RegUsers, RegCurrentConfig };

class regkey : public persistent {
public:
  regkey() = default;
  ~regkey();
  regkey(const regkey&) = delete;
  regkey& operator=(const regkey&) = delete;

  int set(int root, const char* path);
  int root() const { return root_; }
  const char* path() const { return path_; }
  HKEY handle() const { return handle_; }
  // The predefined key of the root; (HKEY)-1 for an unknown root index.
  HKEY roothandle() const;
  // "HKCU\path" / "HKEY_CURRENT_USER\path" into a buffer of `size` characters; 0 when it does not fit.
  int shortname(char* buffer, int size) const;
  int fullname(char* buffer, int size) const;

  int open(REGSAM access);
  int create();
  void close();
  int exists();
  int remove();
  int countsubkeys();
  // On the open key: `out` names the subkey at `index`; 0 past the end.
  int subkey(int index, regkey& out);
  int countvalues();
  // On the open key: the name of the value at `index`, of any length; 0 past the end.
  int valuename(int index, dynstr& name);
  int deletevalue(const char* name);
  int setvalue(const char* name, DWORD type, DWORD size, const void* data);
  // The value's bytes in a heap block (std::free) with two zero bytes after them, so a text the
  // registry left unterminated still ends; none on failure.
  void* queryvalue(const char* name, DWORD& type, DWORD& size);
  // A text value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ up to its first terminator) into a buffer of
  // `size` characters; 0 for another type or a text that does not fit, the buffer then unchanged.
  int querystring(const char* name, char* buffer, int size);

  int cutlast(int& position);
  void restorelast(int position);
  int append(const char* name, int& position);
  void unappend(int position);

  int read(portistream& stream) override;
  pmember* const* members() override;

private:
  int formatname(char* buffer, int size, const char* rootName) const;

  HKEY handle_ = nullptr;
  char path_[RegPathSize] = "";
  int root_ = RegLocalMachine;
};
