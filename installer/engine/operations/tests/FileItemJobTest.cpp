#include <engine/tests/FileTimes.h>
#include <engine/tests/FolderArchive.h>
#include <engine/tests/InstallerFixture.h>

#include <engine/builder/LibraryPacker.h>
#include <engine/operations/FileItemJob.h>
#include <foundation/files/lzplibrary.h>
#include <foundation/tests/checkrecorder.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <climits>

#include <algorithm>

#include <windows.h>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// The bytes packed through the library's writing side.
std::string Pack(const std::string& data) {
  std::string packed;
  EXPECT_EQ(1, LibraryPacker().pack(data, packed));
  return packed;
}

class FileItemJobTest : public ::testing::Test {
protected:
  FileInstallRecord Record(const FileEntry* entry, const std::string& target) {
    FileInstallRecord record{};
    record.options[CopyFromArchive] = entry != nullptr;
    record.options[CopyRetry] = 0;
    record.entry = entry;
    targets.push_back(target);
    record.target = targets.back().c_str();
    return record;
  }

  InstallerFixture f;
  FileItemSetting setting;
  std::vector<std::string> targets{std::vector<std::string>(0)};
};

TEST_F(FileItemJobTest, ArchiveMembersStoredAndCompressedAcrossParts) {
  std::string one = Text(3000, 3), two = Text(50000, 7), three = Text(100, 11);
  std::string packedTwo = Pack(two);
  // Parts of 4000 bytes: one stored, two packed, three stored.
  std::string archive = one + packedTwo + three;
  CreateDirectoryA(f.file("src").c_str(), nullptr);
  int partCount = static_cast<int>((archive.size() + 3999) / 4000);
  for (int part = 0; part < partCount; ++part)
    writeFile(f.file("src\\data." + std::string(part < 9 ? "00" : "0") + std::to_string(part + 1)),
              archive.substr(static_cast<size_t>(part) * 4000, 4000));
  FolderArchive parts(f.file("src"), "data", partCount, 1);
  setting.archive = &parts;
  long twoAt = 3000, threeAt = static_cast<long>(3000 + packedTwo.size());
  FileEntry entries[3];
  entries[0] = {1, 0, 0, 3000, 3000, "one", "one"};
  entries[1] = {1, static_cast<int>(twoAt), 1, static_cast<long>(packedTwo.size()), 50000, "two", "two"};
  entries[2] = {
      static_cast<int>(threeAt / 4000) + 1, static_cast<int>(threeAt % 4000), 0, 100, 100, "three", "three"};
  ASSERT_GT(partCount, 2);
  f.installer.quiet = 1;
  const std::string* expected[] = {&one, &two, &three};
  for (int i = 0; i < 3; ++i) {
    std::string target = f.file("out\\file" + std::to_string(i));
    EXPECT_EQ(1, RunFileItem(f.installer, Record(&entries[i], target), setting)) << i;
    EXPECT_TRUE(*expected[i] == readFile(target)) << i;
  }
}

TEST_F(FileItemJobTest, PlainCompressedFileAndTruncatedMember) {
  std::string data = Text(10000, 5), packed = Pack(data);
  writeFile(f.file("app.ex_"), packed);
  FileEntry entry{1, 0, 1, static_cast<long>(packed.size()), 10000, "app.exe", "app.exe"};
  FileInstallRecord record = Record(&entry, f.file("out\\app.exe"));
  record.options[CopyFromArchive] = 0;
  std::string source = f.file("app.exe");
  record.source = source.c_str();
  EXPECT_EQ(1, RunFileItem(f.installer, record, setting));
  EXPECT_TRUE(data == readFile(f.file("out\\app.exe")));

  // The packed bytes cut short: the library must not install a short file.
  writeFile(f.file("src.exe"), packed.substr(0, packed.size() / 2));
  FolderArchive archive(f.dir.path(), "src", 1, 0);
  setting.archive = &archive;
  FileEntry cut{1, 0, 1, static_cast<long>(packed.size()), 10000, "x", "x"};
  CheckRecorder checks;
  ModalAnswerer answerer;
  answerer.answer("The distribution is damaged: src.exe is short.", IDOK);
  EXPECT_EQ(0, RunFileItem(f.installer, Record(&cut, f.file("out\\cut.exe")), setting));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_TRUE(checks.seen.empty()) << "a short archive is damaged input, no fault of the program";
  EXPECT_FALSE(fileExists(f.file("out\\cut.exe")));
}

TEST_F(FileItemJobTest, WithoutTheLibraryOnlyCompressedFilesFail) {
  std::string packed = Pack("abc");
  writeFile(f.file("data.exe"), "stored" + packed);
  FolderArchive archive(f.dir.path(), "data", 1, 0);
  setting.archive = &archive;
  FileEntry stored{1, 0, 0, 6, 6, "s", "s"};
  FileEntry compressed{1, 6, 1, static_cast<long>(packed.size()), 3, "c", "c"};
  const char* previous = lzplibrary::setfilename("kxnolibrary.dll");
  f.installer.quiet = 1;
  EXPECT_EQ(1, RunFileItem(f.installer, Record(&stored, f.file("s")), setting));
  EXPECT_EQ(0, RunFileItem(f.installer, Record(&compressed, f.file("c")), setting));
  lzplibrary::setfilename(previous);
  EXPECT_EQ("stored", readFile(f.file("s")));
  EXPECT_FALSE(fileExists(f.file("c")));
}

// A plain source: the item fails while it is missing or while the abort flag stands.
TEST_F(FileItemJobTest, AFailedItemAsksWhetherToAbort) {
  struct Case {
    const char* name;
    int abortSet;         // the user pressed Cancel before the item
    int sourceThere;      // the source exists at the first try
    int fixOnQuestion;    // the question's turn makes the source appear
    std::vector<int> yes; // the answers in turn: 1 Yes, 0 No
    int result;
  } cases[] = {
      {"a plain success asks nothing", 0, 1, 0, {}, 1},
      {"Yes gives the item up", 0, 0, 0, {1}, 0},
      {"No tries again and succeeds", 0, 0, 1, {0}, 1},
      {"No, No, then Yes", 0, 0, 0, {0, 0, 1}, 0},
      {"No after a cancel clears the abort flag", 1, 1, 0, {0}, 1},
  };
  f.installer.quiet = 1;
  for (const Case& c : cases) {
    std::string source = f.file(std::string("in\\") + c.name), target = f.file(std::string("out\\") + c.name);
    CreateDirectoryA(f.file("in").c_str(), nullptr);
    if (c.sourceThere)
      writeFile(source, "payload");
    FileInstallRecord record = Record(nullptr, target);
    record.source = source.c_str();
    int abort = c.abortSet;
    setting.abortflag = &abort;
    size_t asked = 0;
    setting.queryabort = [&] {
      if (c.fixOnQuestion)
        writeFile(source, "payload");
      return asked < c.yes.size() ? c.yes[asked++] : (++asked, 1);
    };
    EXPECT_EQ(c.result, RunFileItem(f.installer, record, setting)) << c.name;
    EXPECT_EQ(c.yes.size(), asked) << c.name;
    EXPECT_EQ(c.result, fileExists(target)) << c.name;
    if (c.result) {
      EXPECT_EQ("payload", readFile(target)) << c.name;
    }
    EXPECT_EQ(c.abortSet && c.result ? 0 : c.abortSet, abort) << c.name;
  }
}

// The tick is the test's: it starts just before the 32-bit wrap and moves only when waited on, by at
// most 40 ms a time.
TEST_F(FileItemJobTest, AnItemTakesAtLeastTheMinimumTime) {
  struct Case {
    const char* name;
    long minimum;
    int sourceThere;
    std::vector<int> waits;
  } cases[] = {
      {"no minimum", 0, 1, {}},
      {"a negative minimum", -5, 1, {}},
      {"across the wrap", 100, 1, {100, 60, 20}},
      {"a failed item too", 30, 0, {30}},
  };
  f.installer.quiet = 1;
  for (const Case& c : cases) {
    std::string source = f.file("timed.src"), target = f.file(std::string("timed ") + c.name);
    DeleteFileA(source.c_str());
    if (c.sourceThere)
      writeFile(source, "timed");
    FileInstallRecord record = Record(nullptr, target);
    record.source = source.c_str();
    DWORD now = 0xFFFFFFF0u;
    std::vector<int> waits;
    setting.minimumtime = c.minimum;
    setting.tick = [&] { return now; };
    setting.wait = [&](int milliseconds) {
      waits.push_back(milliseconds);
      now += static_cast<DWORD>(std::min(milliseconds, 40));
      return 1;
    };
    EXPECT_EQ(c.sourceThere, RunFileItem(f.installer, record, setting)) << c.name;
    EXPECT_EQ(c.waits, waits) << c.name;
  }
}

// A damaged script's minimum (196 609 ms was seen) is bounded to ten seconds per item; the wait
// here moves the tick by all it asks for.
TEST_F(FileItemJobTest, TheMinimumTimeIsBoundedToTenSeconds) {
  struct Case {
    const char* name;
    long minimum;
    std::vector<int> waits;
  } cases[] = {
      {"just under the bound", 9999, {9999}},
      {"the bound", 10000, {10000}},
      {"a damaged script's figure", 196609, {10000}},
      {"the largest long", LONG_MAX, {10000}},
  };
  f.installer.quiet = 1;
  std::string source = f.file("bounded.src");
  writeFile(source, "bounded");
  for (const Case& c : cases) {
    FileInstallRecord record = Record(nullptr, f.file(std::string("bounded ") + c.name));
    record.source = source.c_str();
    DWORD now = 1000;
    std::vector<int> waits;
    setting.minimumtime = c.minimum;
    setting.tick = [&] { return now; };
    setting.wait = [&](int milliseconds) {
      waits.push_back(milliseconds);
      now += static_cast<DWORD>(milliseconds);
      return 1;
    };
    EXPECT_EQ(1, RunFileItem(f.installer, record, setting)) << c.name;
    EXPECT_EQ(c.waits, waits) << c.name;
  }
}

// A window that asks the program to end when its message is handled: the user closing the program
// while a file is copied, since only the copy's own pump handles it.
LRESULT CALLBACK QuitWhenAsked(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_APP)
    return DefWindowProcA(window, message, wParam, lParam);
  PostQuitMessage(static_cast<int>(wParam));
  return 0;
}

// The clock moves a millisecond each time it is read, so a minimum-time wait that went on after the
// quit would read it a hundred times; the quit must still reach the loop that owns it.
TEST_F(FileItemJobTest, AQuitDuringACopyEndsTheProgramAfterTheCopy) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = QuitWhenAsked;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "FileItemJobQuitter";
  RegisterClassA(&windowClass);
  HWND quitter = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
  ASSERT_TRUE(quitter);
  std::string data = Text(200000, 5), source = f.file("quit.src"), target = f.file("quit.dst");
  writeFile(source, data);
  FileInstallRecord record = Record(nullptr, target);
  record.source = source.c_str();
  int reads = 0;
  setting.minimumtime = 100;
  setting.tick = [&] { return static_cast<DWORD>(reads++); };
  PostMessageA(quitter, WM_APP, 9, 0);
  EXPECT_EQ(1, RunFileItem(f.installer, record, setting));
  EXPECT_EQ(data, readFile(target));
  EXPECT_LT(reads, 10) << "the wait went on after the quit";
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was lost";
  EXPECT_EQ(9u, message.wParam);
  DestroyWindow(quitter);
}

TEST_F(FileItemJobTest, TheInstalledFileGetsEveryAttributeAsked) {
  const DWORD ro = FILE_ATTRIBUTE_READONLY, hidden = FILE_ATTRIBUTE_HIDDEN, system = FILE_ATTRIBUTE_SYSTEM;
  struct Case {
    const char* name;
    int flags; // the entry's: bit 0 compressed, bits 1-3 read-only, hidden, system
    DWORD attributes;
    int logged; // an attributes-changed record, for the uninstall to undo
  } cases[] = {
      {"none asked", 0, 0, 0},
      {"read-only", 1 << 1, ro, 1},
      {"hidden", 2 << 1, hidden, 1},
      {"system", 4 << 1, system, 1},
      {"read-only and hidden", 3 << 1, ro | hidden, 1},
      {"all three", 7 << 1, ro | hidden | system, 1},
  };
  std::string data = "attributes";
  writeFile(f.file("attr.exe"), data);
  FolderArchive archive(f.dir.path(), "attr", 1, 0);
  setting.archive = &archive;
  for (const Case& c : cases) {
    FileEntry entry{1, 0, c.flags, static_cast<long>(data.size()), static_cast<long>(data.size()), "a", "a"};
    std::string target = f.file(std::string("attr ") + c.name);
    f.log.records.clear();
    EXPECT_EQ(1, RunFileItem(f.installer, Record(&entry, target), setting)) << c.name;
    DWORD attributes = GetFileAttributesA(target.c_str());
    EXPECT_EQ(c.attributes, attributes & (ro | hidden | system)) << c.name;
    std::string lines = f.log.lines();
    EXPECT_EQ(c.logged, lines.find("\n6 ") != std::string::npos) << c.name << "\n" << lines;
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// A member has no file of its own to take a time from: the distribution records one per entry, and
// both the comparison by time and the keeping of the time use it.
TEST_F(FileItemJobTest, MembersCarryTheirRecordedTime) {
  const unsigned long long recorded = 0x01D0000010000000ull, older = 0x01C0000010000000ull,
                           newer = 0x01E0000010000000ull;
  std::string stored = "stored member", data = "compressed member", packed = Pack(data);
  writeFile(f.file("timed.exe"), stored + packed);
  FolderArchive archive(f.dir.path(), "timed", 1, 0);
  setting.archive = &archive;
  FileEntry entries[] = {
      {1, 0, 0, static_cast<long>(stored.size()), static_cast<long>(stored.size()), "s", "s"},
      {1, static_cast<int>(stored.size()), 1, static_cast<long>(packed.size()),
       static_cast<long>(data.size()), "c", "c"}};
  const std::string* contents[] = {&stored, &data};
  struct Case {
    const char* name;
    int member;                   // 0 stored, 1 compressed
    unsigned long long entryTime; // 0: the distribution records none
    unsigned long long existing;  // the existing target's time; 0: no target
    int byTime;                   // kind 5, installing when the new file is newer; else always
    int keepTime;
    int result;
    int installed;
    unsigned long long targetTime; // 0: not checked
  } cases[] = {
      {"stored, older target replaced", 0, recorded, older, 1, 0, 1, 1, 0},
      {"stored, newer target kept", 0, recorded, newer, 1, 0, 1, 0, newer},
      {"compressed, older target replaced", 1, recorded, older, 1, 0, 1, 1, 0},
      {"compressed, newer target kept", 1, recorded, newer, 1, 0, 1, 0, newer},
      {"stored, time kept", 0, recorded, 0, 0, 1, 1, 1, recorded},
      {"compressed, time kept", 1, recorded, 0, 0, 1, 1, 1, recorded},
      {"compressed over an older target, time kept", 1, recorded, older, 1, 1, 1, 1, recorded},
      {"no time recorded: cannot compare", 0, 0, older, 1, 0, 0, 0, older},
  };
  f.installer.quiet = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileEntry entry = entries[c.member];
    entry.time = c.entryTime;
    std::string target = f.file(std::string("timed ") + c.name);
    if (c.existing) {
      writeFile(target, "old");
      ASSERT_TRUE(SetWriteTime(target, c.existing));
    }
    FileInstallRecord record = Record(&entry, target);
    record.options[CopyComparator] = c.byTime ? Decision::ByTime : Decision::Always;
    record.options[CopyKeepAttributes] = c.keepTime;
    EXPECT_EQ(c.result, RunFileItem(f.installer, record, setting));
    EXPECT_EQ(c.installed ? *contents[c.member] : std::string("old"), readFile(target));
    if (c.targetTime) {
      EXPECT_EQ(c.targetTime, WriteTime(target));
    }
  }
}

} // namespace
