#include <foundation/files/stdfile.h>

int stdfile::close() {
  if (!file_)
    return 1;
  int result = std::fclose(file_);
  file_ = nullptr;
  return result == 0;
}
