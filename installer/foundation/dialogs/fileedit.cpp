#include <foundation/dialogs/fileedit.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int fileedit::load(HWND edit, const cpath& file) {
  std::FILE* stream = std::fopen(file.str(), "rb");
  if (!stream)
    return 0;
  char* buffer = static_cast<char*>(std::malloc(FileEditLimit + 1));
  if (!buffer) {
    std::fclose(stream);
    return 0;
  }
  size_t length = std::fread(buffer, 1, FileEditLimit, stream);
  // The edit shows a text only up to its first NUL (and UTF-16 text is full of them): such a file is
  // shown cut, as a long one is.
  int cut = std::fgetc(stream) != EOF || std::memchr(buffer, 0, length) != nullptr;
  std::fclose(stream);
  buffer[length] = 0;
  SetWindowTextA(edit, buffer);
  std::free(buffer);
  if (cut)
    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
  return 1;
}

int fileedit::save(HWND edit, const cpath& file) {
  if (GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY)
    return 0;
  // The file is as the user left it: nothing to write.
  if (!SendMessageA(edit, EM_GETMODIFY, 0, 0))
    return 1;
  int length = GetWindowTextLengthA(edit);
  char* text = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
  if (!text)
    return 0;
  GetWindowTextA(edit, text, length + 1);
  fpathbuf fresh;
  int saved = 0;
  if (fpath::setuniquebeside(fresh, file, "kxe")) {
    std::FILE* stream = std::fopen(fresh.str(), "wb");
    if (stream) {
      saved = std::fwrite(text, 1, static_cast<size_t>(length), stream) == static_cast<size_t>(length);
      saved = std::fclose(stream) == 0 && saved;
      saved =
          saved && MoveFileExA(fresh.str(), file.str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
      if (!saved)
        fpath::remove(fresh);
    }
  }
  std::free(text);
  return saved;
}
