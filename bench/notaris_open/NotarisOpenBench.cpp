// Times showing a long note in notaris's multi-line edit box: a note of lone CRs (what the note is turned
// into before it is shown, then the box's own layout of it) against the same lines ended with CR LF, which
// the box takes as they are. The two should cost about the same; a box handed the lone CRs themselves
// takes seconds.
#include <bench/BestOf.h>
#include <notes/NoteFile.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

namespace {

const int kLines = 2000;
const int kRuns = 7;

// The best of a few runs, in milliseconds.
double best(const std::function<void()>& work) { return bestMilliseconds(kRuns, work); }

std::string note(const char* lineEnd) {
  std::string bytes;
  for (int i = 0; i < kLines; ++i)
    bytes += "line " + std::to_string(i) + lineEnd;
  return bytes;
}

} // namespace

int main() {
  HWND box = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, 0, 0, 400,
                             300, nullptr, nullptr, nullptr, nullptr);
  if (!box) {
    std::printf("no edit box\n");
    return 1;
  }
  auto show = [box](const std::string& bytes) {
    return [box, bytes] {
      notaris::ShownNote shown = notaris::showNote(bytes);
      SetWindowTextA(box, shown.text.c_str());
    };
  };
  std::printf("%d lines ended with lone CRs: %8.2f ms\n", kLines, best(show(note("\r"))));
  std::printf("%d lines ended with CR LF:    %8.2f ms\n", kLines, best(show(note("\r\n"))));
  DestroyWindow(box);
  return 0;
}
