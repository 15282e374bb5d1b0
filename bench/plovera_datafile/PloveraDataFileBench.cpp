// Times plovera's data file with 100 000 events: loading (reading, sorting, filling the grid model) and
// saving, against reading and writing the same bytes whole; then the whole main form's start-up (its
// window, the load into its event grid and the first paint) and its Save command, against the load into
// a window-less grid model, and the start-up with a file of one event (what the form costs without the
// list); and counts the allocations of a load.
#include <bench/AllocationCount.h>
#include <bench/BestOf.h>
#include <calendar2/EventDataFile.h>
#include <calendar2/Form1.h>

#include <formsrt/FlexGridModel.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

using plovera::EventDataFile;
using plovera::EventRecord;

namespace {

const int kEvents = 100000;
const int kRuns = 7;

// The best of a few runs, in milliseconds.
double best(const std::function<void()>& work) { return bestMilliseconds(kRuns, work); }

// Events in random date order, as a hand-edited file may hold them; `sorted` puts them in date order,
// as every save writes them.
std::string makeFile(bool sorted) {
  const char* const types[] = {"01", "02", "03", "04", "05", "99"};
  const char* const words[] = {"Lunch", "Dentist", "Birthday of", "Meeting with", "Anniversary", "Call"};
  unsigned seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  std::vector<std::string> lines;
  char line[160];
  for (int i = 0; i < kEvents; ++i) {
    int month = static_cast<int>(next() % 12) + 1;
    int day = static_cast<int>(next() % 28) + 1;
    std::snprintf(line, sizeof line, "\"%02d/%02d\",\"%s number %d\",\"%s\",\"%s\"\r\n", month, day,
                  words[next() % 6], i, next() % 3 ? "" : "1999", types[next() % 6]);
    lines.push_back(line);
  }
  if (sorted)
    std::stable_sort(lines.begin(), lines.end(),
                     [](const std::string& a, const std::string& b) { return a.compare(1, 5, b, 1, 5) < 0; });
  std::string bytes;
  for (const std::string& text : lines)
    bytes += text;
  return bytes;
}

std::string readWhole(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD size = GetFileSize(file, nullptr);
  std::string bytes(size, '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), size, &read, nullptr);
  CloseHandle(file);
  return bytes;
}

// Runs what the form has posted, its paints among them.
void settle(HWND window) {
  UpdateWindow(window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void writeWhole(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

} // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "plovera_bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  EventDataFile file(folder);
  std::string bytes = makeFile(false);
  writeWhole(file.dataPath(), bytes);

  plovera::PloveraSettings settings;
  formsrt::FlexGridModel grid(2, 5, 1, 0);
  std::string text;
  std::vector<EventRecord> records;

  double rawRead = best([&] { readWhole(file.dataPath()); });
  double read = best([&] {
    records.clear();
    EventDataFile::readRecords(file.dataPath(), text, records);
  });
  // Sorting works in place, so each run gets a copy made beforehand; the copies view into `text`.
  std::vector<std::vector<EventRecord>> copies(kRuns, records);
  int run = 0;
  double sort = best([&] { EventDataFile::sortByDate(copies[run++]); });
  const std::vector<EventRecord> sorted = copies[0];
  copies.clear();
  double fill = best([&] { EventDataFile::buildGrid(grid, sorted, settings); });
  double unsortedLoad = best([&] { file.load(grid, settings); });
  writeWhole(file.dataPath(), makeFile(true));
  double load = best([&] { file.load(grid, settings); });
  std::size_t before = allocationcount::allocations;
  file.load(grid, settings);
  std::size_t reloadAllocations = allocationcount::allocations - before;
  formsrt::FlexGridModel fresh(2, 5, 1, 0);
  before = allocationcount::allocations;
  file.load(fresh, settings);
  std::size_t freshAllocations = allocationcount::allocations - before;
  std::string scratch = folder + "\\scratch.dat";
  double rawWrite = best([&] { writeWhole(scratch, bytes); });
  double write = best([&] { EventDataFile::writeGridEvents(grid, scratch); });
  double save = best([&] { file.save(grid, settings); });

  // The whole form: start-up with the file as saved, then the Save command (write, backup, reload).
  double startUp = best([&] {
    plovera::Form1 form(folder);
    form.Load();
    settle(form.hwnd());
  });
  plovera::Form1 form(folder);
  form.Load();
  settle(form.hwnd());
  int formEvents = form.EventCount();
  double formSave = best([&] {
    form.mnuSave.Click();
    settle(form.hwnd());
  });

  // What the form costs without the list: its start-up with a file of one event.
  writeWhole(file.dataPath(), "\"01/01\",\"New Year's Day\",\"\",\"04\"\r\n");
  double oneEventStartUp = best([&] {
    plovera::Form1 oneEvent(folder);
    oneEvent.Load();
    settle(oneEvent.hwnd());
  });

  std::printf("plovera data file, %d events, %zu bytes (best of %d runs)\n", kEvents, bytes.size(), kRuns);
  std::printf("  raw read                      %9.1f ms\n", rawRead);
  std::printf("  steps on a file in random date order (hand-edited):\n");
  std::printf("    read records                %9.1f ms\n", read);
  std::printf("    sort by date                %9.1f ms\n", sort);
  std::printf("    fill grid model             %9.1f ms\n", fill);
  std::printf("    load (all three)            %9.1f ms   %6.1f x raw read\n", unsortedLoad,
              unsortedLoad / rawRead);
  std::printf("  load of the file as saved     %9.1f ms   %6.1f x raw read (goal: within 10 x)\n", load,
              load / rawRead);
  std::printf("  allocations of a load           %zu into a new grid, %zu into the same grid again\n",
              freshAllocations, reloadAllocations);
  std::printf("  raw write                     %9.1f ms\n", rawWrite);
  std::printf("  write grid events             %9.1f ms   %6.1f x raw write\n", write, write / rawWrite);
  std::printf("  save (write, backup, reload)  %9.1f ms   %6.1f x raw write + raw read\n", save,
              save / (rawWrite + rawRead));
  std::printf("  grid rows %d, events %d\n", grid.Rows(), file.EventCount);
  std::printf("main form, %d events:\n", formEvents);
  std::printf("  start-up (window, load, paint) %8.1f ms   %6.1f x the model's load (goal: within 3 x)\n",
              startUp, startUp / load);
  std::printf("  Save command                   %8.1f ms   %6.1f x the model's save\n", formSave,
              formSave / save);
  std::printf("  start-up with one event        %8.1f ms   (the form's windows without the list)\n",
              oneEventStartUp);
  std::printf("  start-up less that             %8.1f ms   %6.1f x the model's load\n",
              startUp - oneEventStartUp, (startUp - oneEventStartUp) / load);

  DeleteFileA(scratch.c_str());
  DeleteFileA(file.dataPath().c_str());
  DeleteFileA(file.backupPath().c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}
