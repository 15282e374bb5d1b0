// kxlogdump <log file>: prints an operation log as text, one line per record.
#include <engine/log/LogDump.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kxlogdump <log file>\n", stderr);
    return 2;
  }
  std::string text = DumpLog(argv[1]);
  std::fputs(text.c_str(), stdout);
  return text.compare(0, 6, "error:") == 0;
}
