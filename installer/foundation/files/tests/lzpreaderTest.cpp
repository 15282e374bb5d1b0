#include <foundation/files/lzpreader.h>
#include <foundation/streams/filestream.h>

#include <clock/Clock.h>
#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <random>
#include <string>

using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// A source over bytes in memory that counts its opens and closes, and can refuse to open, fail after
// some bytes (an error, not the end), or refuse to seek.
class testsource : public portistream {
public:
  explicit testsource(std::string bytes) : bytes_(std::move(bytes)) {}

  int readbyte() override {
    if (!open_ || at_ >= bytes_.size() || at_ >= failAt)
      return -1;
    return static_cast<unsigned char>(bytes_[at_++]);
  }
  int open() override {
    ++opens;
    at_ = 0;
    open_ = opens > refusedOpens;
    return open_;
  }
  int close() override {
    ++closes;
    open_ = 0;
    return 1;
  }
  int ateof() override { return at_ >= bytes_.size(); }
  int isopen() override { return open_; }
  long size() override { return static_cast<long>(bytes_.size()); }
  int canseek() override { return seekable; }
  int seek(long position, int origin) override {
    if (origin != SEEK_SET || position < 0 || position > size())
      return 0;
    at_ = static_cast<size_t>(position);
    return 1;
  }

  int opens = 0;
  int closes = 0;
  int refusedOpens = 0;
  size_t failAt = static_cast<size_t>(-1);
  int seekable = 1;

private:
  std::string bytes_;
  size_t at_ = 0;
  int open_ = 0;
};

std::string packed;

int WINAPI collect(int byte) {
  packed.push_back(static_cast<char>(byte));
  return 0;
}

std::string pack(const std::string& data) {
  lzplibrary library;
  packed.clear();
  EXPECT_EQ(1, library.load());
  EXPECT_EQ(0, library.zipcreate(collect, LZP_MODE_FRAMED, LZP_LEVEL_DEFAULT));
  EXPECT_EQ(static_cast<int>(data.size()), library.zipwrite(data.data(), static_cast<int>(data.size())));
  EXPECT_EQ(0, library.zipclose());
  return packed;
}

std::string sample(size_t n) {
  std::mt19937 random(7);
  std::string s;
  while (s.size() < n)
    s += random() % 3 ? "setup copies files\r\n" : std::string(1, static_cast<char>(random()));
  s.resize(n);
  return s;
}

// Reads to the end in blocks; the last answer goes to `ending`.
std::string readAll(lzpreader& reader, int& ending) {
  std::string out;
  char buffer[3000];
  for (int i = 0; i < 100000; ++i) {
    ending = reader.read(buffer, sizeof buffer);
    if (ending <= 0)
      break;
    out.append(buffer, ending);
  }
  return out;
}

// Names another library for one scope.
class libraryname {
public:
  explicit libraryname(const char* name) : previous_(lzplibrary::setfilename(name)) {}
  ~libraryname() { lzplibrary::setfilename(previous_); }

private:
  const char* previous_;
};

bool messageWaiting() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE);
}

} // namespace

TEST(LzpreaderTest, ReadsAPackedFileThroughTheLibrary) {
  TempDir dir;
  std::string data = sample(100000);
  std::string path = dir.file("data.bi_");
  ASSERT_TRUE(writeFile(path, pack(data)));
  fileistream source(path.c_str());
  lzpreader reader;
  ASSERT_EQ(1, reader.open(source));
  int ending = 99;
  EXPECT_TRUE(readAll(reader, ending) == data);
  EXPECT_EQ(0, ending);
  EXPECT_EQ(1, reader.close());
  EXPECT_EQ(0, source.isopen());
  EXPECT_EQ(0, reader.close());
  EXPECT_EQ(-1, reader.read(&ending, 1));
  EXPECT_EQ(100000, lzpreader::storedsize(source));
}

TEST(LzpreaderTest, AFailedOpenLeavesNothingOpen) {
  std::string good = pack(sample(5000));
  struct Case {
    const char* name;
    std::string bytes;
    int refusedOpens;
    const char* library;
  };
  const Case cases[] = {
      {"source cannot be opened", good, 1, "lzpunz2.dll"},
      {"library missing", good, 0, "nosuchlzp.dll"},
      {"library refuses the stream", "not packed", 0, "lzpunz2.dll"},
  };
  for (const Case& c : cases) {
    libraryname name(c.library);
    testsource source(c.bytes);
    source.refusedOpens = c.refusedOpens;
    lzpreader reader;
    EXPECT_EQ(-1, reader.open(source)) << c.name;
    EXPECT_EQ(0, source.isopen()) << c.name;
    char buffer[16];
    EXPECT_EQ(-1, reader.read(buffer, sizeof buffer)) << c.name;
    EXPECT_EQ(0, reader.close()) << c.name;
  }
  // The library still works for the next reader after a refused stream.
  testsource source(good);
  lzpreader reader;
  EXPECT_EQ(1, reader.open(source));
  int ending = 99;
  EXPECT_EQ(5000u, readAll(reader, ending).size());
  EXPECT_EQ(0, ending);
}

TEST(LzpreaderTest, ASourceErrorFailsTheRead) {
  testsource source(pack(sample(200000)));
  source.failAt = 5000;
  lzpreader reader;
  ASSERT_EQ(1, reader.open(source));
  int ending = 99;
  readAll(reader, ending);
  EXPECT_EQ(-1, ending);
  char buffer[16];
  EXPECT_EQ(-1, reader.read(buffer, sizeof buffer));
  EXPECT_EQ(1, reader.close());
  EXPECT_EQ(1, source.closes);
}

TEST(LzpreaderTest, StoredSizeIsTheTrailer) {
  struct Case {
    const char* name;
    std::string bytes;
    int seekable;
    int refusedOpens;
    long size;
  };
  const Case cases[] = {
      {"packed", pack(sample(70000)), 1, 0, 70000},
      {"shorter than 4 bytes", "LDx", 1, 0, 0},
      {"exactly 4 bytes", std::string("\x01\x02\x00\x00", 4), 1, 0, 0x201},
      {"not seekable", pack("abc"), 0, 0, 0},
      {"cannot be opened", pack("abc"), 1, 1, 0},
  };
  for (const Case& c : cases) {
    testsource source(c.bytes);
    source.seekable = c.seekable;
    source.refusedOpens = c.refusedOpens;
    EXPECT_EQ(c.size, lzpreader::storedsize(source)) << c.name;
    EXPECT_EQ(0, source.isopen()) << c.name;
  }
}

namespace {

// Reads single bytes until the posted message has been served, at most `limit` of them.
int readsUntilServed(lzpreader& reader, int limit) {
  PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
  char byte;
  int reads = 0;
  while (messageWaiting() && reads < limit) {
    if (reader.read(&byte, 1) != 1)
      return -1;
    ++reads;
  }
  return reads;
}

} // namespace

// Both ways of feeding the library: byte by byte, and lent blocks.
TEST(LzpreaderTest, WindowsAreServedEvery15MillisecondsOfReading) {
  for (const char* library : {"fakelzp.dll", "fakelzplend.dll"}) {
    libraryname name(library);
    testsource source(std::string(40000, 'x'));
    lzpreader reader;
    ASSERT_EQ(1, reader.open(source)) << library;
    platform::ClockOverride clock(2026, 12, 10, 9, 0);
    // The clock is looked at every 2048 bytes; the first look after the clock jumped serves at once.
    EXPECT_LE(readsUntilServed(reader, 5000), 2048) << library;
    MSG left;
    PeekMessageA(&left, nullptr, WM_APP, WM_APP, PM_REMOVE);
    EXPECT_EQ(9000, readsUntilServed(reader, 9000)) << library << ": no time has passed: no pump";
    PeekMessageA(&left, nullptr, WM_APP, WM_APP, PM_REMOVE);
    platform::Clock::advanceMilliseconds(14);
    EXPECT_EQ(5000, readsUntilServed(reader, 5000)) << library << ": 14 ms";
    platform::Clock::advanceMilliseconds(1);
    EXPECT_LE(readsUntilServed(reader, 5000), 2048) << library << ": 15 ms";
    PeekMessageA(&left, nullptr, WM_APP, WM_APP, PM_REMOVE);
  }
}

TEST(LzpreaderTest, MissingExportsAnswerAsTheBindingSays) {
  libraryname name("fakelzp.dll");
  lzplibrary library;
  ASSERT_EQ(1, library.load());
  EXPECT_EQ(-1, library.geterror());
  EXPECT_EQ(-1, library.unzalloc());
  EXPECT_EQ(0, library.unzfree());
  EXPECT_EQ(-1, library.zipcreate(collect, LZP_MODE_FRAMED, 0));
  EXPECT_EQ(-1, library.zipwrite("x", 1));
  EXPECT_EQ(-1, library.zipclose());
  library.unload();
  EXPECT_EQ(-1, library.unzread(&name, 1));
}

namespace {

lzpreader* toClose = nullptr;

LRESULT CALLBACK closingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && toClose)
    toClose->close();
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

TEST(LzpreaderTest, ACloseFromAHandlerOfTheReadsPumpWaitsForTheRead) {
  TempDir dir;
  std::string path = dir.file("data.bi_");
  ASSERT_TRUE(writeFile(path, pack(sample(200000))));
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = closingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "KxClosingReader";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "KxClosingReader", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  ASSERT_TRUE(window);
  fileistream source(path.c_str());
  lzpreader reader;
  ASSERT_EQ(1, reader.open(source));
  toClose = &reader;
  PostMessageA(window, WM_APP, 0, 0);
  std::string out(200000, '\0');
  EXPECT_EQ(-1, reader.read(&out[0], static_cast<int>(out.size()))) << "closed during the read";
  toClose = nullptr;
  EXPECT_EQ(0, source.isopen());
  EXPECT_EQ(0, reader.close()) << "already closed";
  EXPECT_EQ(-1, reader.read(&out[0], 1));
  DestroyWindow(window);
}
