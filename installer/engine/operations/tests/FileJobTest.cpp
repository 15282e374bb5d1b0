#include <engine/tests/InstallerFixture.h>

#include <engine/log/ByteStreams.h>
#include <engine/operations/FileJob.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <windows.h>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// A source that delivers its bytes and then fails, or stops short of the size it announced.
class ScriptedSource : public FileSource {
public:
  ScriptedSource(std::string bytes, int failAtEnd, long long announced = -1)
      : bytes_(std::move(bytes)), failAtEnd_(failAtEnd), announced_(announced) {}
  int open() override {
    position_ = 0;
    return 1;
  }
  int read(void* buffer, int n) override {
    size_t left = bytes_.size() - position_;
    if (!left)
      return failAtEnd_ ? -1 : 0;
    size_t count = left < static_cast<size_t>(n) ? left : static_cast<size_t>(n);
    bytes_.copy(static_cast<char*>(buffer), count, position_);
    position_ += count;
    return static_cast<int>(count);
  }
  int close() override { return 1; }
  long long expectedsize() override { return announced_; }

private:
  std::string bytes_;
  int failAtEnd_;
  long long announced_;
  size_t position_ = 0;
};

// Stops the copy at the given block.
class StoppingProgress : public JobProgress {
public:
  explicit StoppingProgress(int stopAt) : stopAt_(stopAt) {}
  int advance(int) override { return ++blocks_ < stopAt_; }

private:
  int stopAt_;
  int blocks_ = 0;
};

int TempFilesIn(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\tmp*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return 0;
  int count = 0;
  do
    ++count;
  while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

class FileJobTest : public ::testing::Test {
protected:
  FileJob PlainJob(const std::string& source, const std::string& target) {
    FileJob job;
    job.source = std::make_unique<PlainFileSource>(source);
    job.target = std::make_unique<NewFileWriter>();
    job.targetpath = target;
    return job;
  }

  InstallerFixture f;
};

TEST(DecisionTest, ModesInstallOnTheirAnswers) {
  // answer -1, 0, 1 per mode; 2 is an error in every mode
  const int expected[6][3] = {{0, 0, 1}, {0, 1, 1}, {0, 1, 0}, {1, 0, 1}, {1, 0, 0}, {1, 1, 0}};
  for (int mode = 0; mode < 6; ++mode) {
    for (int answer = -1; answer <= 1; ++answer)
      EXPECT_EQ(expected[mode][answer + 1], Decide(mode, answer)) << mode << " " << answer;
    EXPECT_EQ(DecideError, Decide(mode, 2));
  }
}

TEST_F(FileJobTest, ComparatorKindsOverRealFiles) {
  struct Case {
    const char* name;
    int kind;
    const char* newContent;
    const char* oldContent; // none: target missing
    int expected;
  } cases[] = {
      {"always", Decision::Always, "n", "o", 1},
      {"if exists, present", Decision::IfExists, "n", "o", 1},
      {"if exists, missing", Decision::IfExists, "n", nullptr, -1},
      {"if missing, present", Decision::IfMissing, "n", "o", -1},
      {"if missing, missing", Decision::IfMissing, "n", nullptr, 1},
      {"size smaller", Decision::BySize, "n", "old", -1},
      {"size equal", Decision::BySize, "new", "old", 0},
      {"size larger", Decision::BySize, "newer", "old", 1},
      {"size, target missing", Decision::BySize, "n", nullptr, 1},
      {"time, target missing", Decision::ByTime, "n", nullptr, 1},
  };
  for (const Case& c : cases) {
    std::string source = f.file("new.bin"), target = f.file("old.bin");
    writeFile(source, c.newContent);
    DeleteFileA(target.c_str());
    if (c.oldContent)
      writeFile(target, c.oldContent);
    Decision decision;
    decision.kind = c.kind;
    EXPECT_EQ(c.expected, CompareForDecision(decision, source.c_str(),
                                             static_cast<long long>(strlen(c.newContent)), target))
        << c.name;
  }
}

TEST_F(FileJobTest, SizeEqualKeepsUnderChoiceZeroAndInstallsUnderTwo) {
  writeFile(f.file("new.bin"), "new");
  for (int mode : {0, 2}) {
    writeFile(f.file("old.bin"), "old");
    FileJob job = PlainJob(f.file("new.bin"), f.file("old.bin"));
    job.decision = std::make_unique<Decision>();
    job.decision->kind = Decision::BySize;
    job.decision->mode = mode;
    EXPECT_EQ(1, InstallFileItem(f.installer, job));
    EXPECT_EQ(mode == 0 ? JobKept : JobInstalled, job.state);
    EXPECT_EQ(mode == 0 ? "old" : "new", readFile(f.file("old.bin")));
  }
}

TEST_F(FileJobTest, ByTimeComparesTheFiles) {
  writeFile(f.file("new.bin"), "n");
  writeFile(f.file("old.bin"), "o");
  FILETIME older = {0x10000000, 0x01C00000}, newer = {0x10000000, 0x01D00000};
  for (auto [newTime, expected] : {std::pair<FILETIME, int>{newer, 1}, {older, -1}}) {
    HANDLE file =
        CreateFileA(f.file("new.bin").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &newTime);
    CloseHandle(file);
    file =
        CreateFileA(f.file("old.bin").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME middle = {0x10000000, 0x01C80000};
    SetFileTime(file, nullptr, nullptr, &middle);
    CloseHandle(file);
    Decision decision;
    decision.kind = Decision::ByTime;
    std::string target = f.file("old.bin");
    EXPECT_EQ(expected, CompareForDecision(decision, f.file("new.bin").c_str(), 1, target));
  }
}

TEST_F(FileJobTest, ByVersionResource) {
  std::string v12 = TestProgramFile("kxver12.dll"), v20 = TestProgramFile("kxver20.dll"),
              de = TestProgramFile("kxver12de.dll");
  std::string plain = f.file("plain.txt");
  writeFile(plain, "no version");
  struct Case {
    const char* name;
    std::string newfile, target;
    int expected;
  } cases[] = {
      {"newer", v20, v12, 1},
      {"older", v12, v20, -1},
      {"equal", v12, v12, 0},
      {"only the target", plain, v12, -1},
      {"only the new file", v12, plain, 1},
      {"neither", plain, plain, 0},
      {"other language, nobody to ask", v12, de, 2},
  };
  for (Case& c : cases) {
    Decision decision;
    decision.kind = Decision::ByVersion;
    EXPECT_EQ(c.expected, CompareForDecision(decision, c.newfile.c_str(), 1, c.target)) << c.name;
  }
  // The user installs and names another target.
  class Renaming : public askoverwrite {
  public:
    explicit Renaming(std::string name) : name_(std::move(name)) {}
    int ask(const cpath&, const versionrecord&, fpath& existing, const versionrecord&) override {
      existing.set(name_.c_str());
      return 0;
    }

  private:
    std::string name_;
  } renaming(f.file("renamed.dll"));
  Decision asking;
  asking.kind = Decision::ByVersion;
  asking.ask = &renaming;
  std::string target = de;
  EXPECT_EQ(1, CompareForDecision(asking, v12.c_str(), 1, target));
  EXPECT_EQ(f.file("renamed.dll"), target);
  std::string missing = f.file("none.dll");
  EXPECT_EQ(1, CompareForDecision(asking, v12.c_str(), 1, missing));
}

TEST_F(FileJobTest, ByRecordedVersion) {
  std::string versions = f.file("kxver.ini"), target = f.file("app.dll");
  struct Case {
    const char* name;
    const char* recorded; // none: no entry
    int targetExists;
    int expected;
  } cases[] = {
      {"not four numbers", "1.2", 1, 1},     {"missing target although recorded high", "9.9.9.9", 0, 1},
      {"recorded higher", "1.2.3.5", 1, -1}, {"recorded equal", "1.2.3.4", 1, 0},
      {"recorded lower", "1.2.3.3", 1, 1},   {"nothing recorded", nullptr, 1, 1},
  };
  for (const Case& c : cases) {
    DeleteFileA(versions.c_str());
    if (c.recorded)
      WritePrivateProfileStringA("iniversion", target.c_str(), c.recorded, versions.c_str());
    DeleteFileA(target.c_str());
    if (c.targetExists)
      writeFile(target, "x");
    Decision decision;
    decision.kind = Decision::ByRecordedVersion;
    decision.versionfile = versions;
    decision.versionhigh = 0x00010002;
    decision.versionlow = 0x00030004;
    std::string path = target;
    EXPECT_EQ(c.expected, CompareForDecision(decision, nullptr, 1, path)) << c.name;
  }
}

TEST_F(FileJobTest, RecordedVersionIsWrittenBackThroughTheLog) {
  writeFile(f.file("new.dll"), "n");
  FileJob job = PlainJob(f.file("new.dll"), f.file("app\\app.dll"));
  job.decision = std::make_unique<Decision>();
  job.decision->kind = Decision::ByRecordedVersion;
  job.decision->versionfile = f.file("kxver.ini");
  job.decision->versionhigh = 0x00010002;
  job.decision->versionlow = 0x00030004;
  ASSERT_EQ(1, InstallFileItem(f.installer, job));
  char text[64];
  GetPrivateProfileStringA("iniversion", f.file("app\\app.dll").c_str(), "", text, sizeof text,
                           f.file("kxver.ini").c_str());
  EXPECT_STREQ("1.2.3.4", text);
  EXPECT_EQ("0 " + f.file("app") + "\n4 " + f.file("app\\app.dll") + "\n4 " + f.file("kxver.ini") + "\n10 " +
                f.file("kxver.ini") + " iniversion\n7 " + f.file("kxver.ini") + " iniversion " +
                f.file("app\\app.dll") + " 0\n",
            f.log.lines());
}

TEST_F(FileJobTest, ExistingTargetIsReplacedThroughATemporaryFile) {
  writeFile(f.file("new.bin"), "new bytes");
  writeFile(f.file("old.bin"), "old");
  SetFileAttributesA(f.file("old.bin").c_str(), FILE_ATTRIBUTE_READONLY);
  FileJob job = PlainJob(f.file("new.bin"), f.file("old.bin"));
  ASSERT_EQ(1, InstallFileItem(f.installer, job));
  EXPECT_EQ("new bytes", readFile(f.file("old.bin")));
  EXPECT_EQ(0, TempFilesIn(f.dir.path()));
  // The old file waits beside it, as it was, for the uninstall to put back.
  EXPECT_EQ("old", readFile(f.file("old.bak")));
  EXPECT_TRUE(GetFileAttributesA(f.file("old.bak").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ("2 " + f.file("old.bin") + " " + f.file("old.bak") + "\n4 " + f.file("old.bin") + "\n",
            f.log.lines());
}

TEST_F(FileJobTest, WithoutALogTheOldTargetIsNotKept) {
  writeFile(f.file("new.bin"), "new bytes");
  writeFile(f.file("old.bin"), "old");
  Installer unlogged(f.installer.platform());
  FileJob job = PlainJob(f.file("new.bin"), f.file("old.bin"));
  ASSERT_EQ(1, InstallFileItem(unlogged, job));
  EXPECT_EQ("new bytes", readFile(f.file("old.bin")));
  EXPECT_FALSE(fileExists(f.file("old.bak")));
}

TEST_F(FileJobTest, FailureAndCancelMidCopyLeaveTheOldTarget) {
  std::string big(10000, 'b');
  for (int cancel : {0, 1}) {
    writeFile(f.file("old.bin"), "old");
    FileJob job;
    job.source = std::make_unique<ScriptedSource>(big, !cancel);
    job.target = std::make_unique<NewFileWriter>();
    job.targetpath = f.file("old.bin");
    job.retryallowed = 0;
    StoppingProgress progress(2);
    if (cancel)
      job.progress = &progress;
    ModalAnswerer answerer;
    if (!cancel)
      answerer.answer("Unable to install", IDOK);
    EXPECT_EQ(0, InstallFileItem(f.installer, job));
    EXPECT_EQ(cancel ? JobCancelled : JobFailed, job.state);
    EXPECT_EQ("old", readFile(f.file("old.bin")));
    EXPECT_EQ(0, TempFilesIn(f.dir.path()));
  }
  EXPECT_EQ("", f.log.lines());
}

TEST_F(FileJobTest, FailedCopyToANewTargetLeavesNothing) {
  FileJob job;
  job.source = std::make_unique<ScriptedSource>(std::string(5000, 'x'), 1);
  job.target = std::make_unique<NewFileWriter>();
  job.targetpath = f.file("new.bin");
  ModalAnswerer answerer;
  answerer.answer("Unable to install", IDCANCEL);
  EXPECT_EQ(0, InstallFileItem(f.installer, job));
  EXPECT_FALSE(fileExists(f.file("new.bin")));
}

// The largest blocks the jobs take, which the writer gathers into larger writes of its own.
class LargeBlocks : public JobProgress {
public:
  int blocksize() override { return 31; }
};

TEST_F(FileJobTest, LargeCopiesArriveWholeOrNotAtAll) {
  struct Case {
    size_t size;
    int failAtEnd;
  } cases[] = {{0, 0},
               {31 * 1024 - 1, 0},
               {256 * 1024, 0},
               {700 * 1024 + 3, 0},
               {700 * 1024 + 3, 1},
               // A short file after a long and a failed one holds nothing of theirs.
               {5, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    std::string bytes(c.size, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<char>(i * 7 + i / 1024);
    FileJob job;
    job.source = std::make_unique<ScriptedSource>(bytes, c.failAtEnd, static_cast<long long>(c.size));
    job.target = std::make_unique<NewFileWriter>();
    job.targetpath = f.file("large.bin");
    LargeBlocks blocks;
    job.progress = &blocks;
    f.installer.quiet = 1;
    EXPECT_EQ(!c.failAtEnd, InstallFileItem(f.installer, job));
    EXPECT_EQ(!c.failAtEnd, fileExists(f.file("large.bin")));
    if (!c.failAtEnd) {
      EXPECT_TRUE(readFile(f.file("large.bin")) == bytes);
    }
    DeleteFileA(f.file("large.bin").c_str());
  }
}

TEST_F(FileJobTest, FailedRetryIsAskedAndRetried) {
  FileJob job;
  auto* source = new ScriptedSource("abc", 1);
  job.source.reset(source);
  job.target = std::make_unique<NewFileWriter>();
  job.targetpath = f.file("new.bin");
  ModalAnswerer answerer;
  answerer.act("Unable to install", [&](HWND box) {
    job.source = std::make_unique<ScriptedSource>("abc", 0);
    PostMessageA(box, WM_COMMAND, IDRETRY, 0);
  });
  EXPECT_EQ(1, InstallFileItem(f.installer, job));
  EXPECT_EQ("abc", readFile(f.file("new.bin")));
}

// The system's own words for an error code, as a user of the machine reads them anywhere.
std::string SystemText(DWORD code) {
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  std::string words = text;
  while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' '))
    words.pop_back();
  return words;
}

// A folder that the system refuses says the system's reason, not only that it failed: here a file
// stands where the target's folder should be.
TEST_F(FileJobTest, AFailedFolderGivesTheSystemsReason) {
  writeFile(f.file("blocker"), "a file where a folder should be");
  FileJob job;
  job.source = std::make_unique<ScriptedSource>(std::string(3000, 'x'), 0, 3000);
  job.target = std::make_unique<NewFileWriter>();
  job.targetpath = f.file("blocker\\new.bin");
  job.retryallowed = 0;
  ModalAnswerer answerer;
  answerer.answer("Unable to create dir", IDOK).answer("Unable to install", IDOK);
  EXPECT_EQ(0, InstallFileItem(f.installer, job));
  ASSERT_EQ(2u, answerer.seen().size()) << answerer.describeSeen();
  const std::string& text = answerer.seen().front().text;
  EXPECT_NE(std::string::npos, text.find(SystemText(ERROR_ALREADY_EXISTS)))
      << text << "\nwants: " << SystemText(ERROR_ALREADY_EXISTS);
  EXPECT_EQ("a file where a folder should be", readFile(f.file("blocker")));
}

TEST_F(FileJobTest, ShortSourceOfKnownSizeFails) {
  FileJob job;
  job.source = std::make_unique<ScriptedSource>("short", 0, 100);
  job.target = std::make_unique<NewFileWriter>();
  job.targetpath = f.file("new.bin");
  f.installer.quiet = 1;
  EXPECT_EQ(0, InstallFileItem(f.installer, job));
  EXPECT_EQ(JobFailed, job.state);
  EXPECT_FALSE(fileExists(f.file("new.bin")));
}

TEST_F(FileJobTest, AppendExtendsAndAFailedAppendCutsBack) {
  writeFile(f.file("log.txt"), "first ");
  writeFile(f.file("more.txt"), "second");
  FileJob job = PlainJob(f.file("more.txt"), f.file("log.txt"));
  job.target = std::make_unique<AppendWriter>();
  ASSERT_EQ(1, InstallFileItem(f.installer, job));
  EXPECT_EQ("first second", readFile(f.file("log.txt")));
  EXPECT_EQ("5 " + f.file("log.txt") + " 6\n", f.log.lines());

  f.installer.quiet = 1;
  FileJob failing;
  failing.source = std::make_unique<ScriptedSource>(std::string(5000, 'x'), 1);
  failing.target = std::make_unique<AppendWriter>();
  failing.targetpath = f.file("log.txt");
  EXPECT_EQ(0, InstallFileItem(f.installer, failing));
  EXPECT_EQ("first second", readFile(f.file("log.txt")));

  FileJob fresh;
  fresh.source = std::make_unique<ScriptedSource>(std::string(5000, 'x'), 1);
  fresh.target = std::make_unique<AppendWriter>();
  fresh.targetpath = f.file("fresh.txt");
  EXPECT_EQ(0, InstallFileItem(f.installer, fresh));
  EXPECT_FALSE(fileExists(f.file("fresh.txt")));
}

TEST_F(FileJobTest, TargetInUseByRule) {
  struct Case {
    const char* name;
    int rule;
    int answer; // IDRETRY frees the file first; 0 when nothing is asked
    int renameWorks;
    int state;
    const char* content;
    size_t renames;
  } cases[] = {
      {"rule 1 defers without asking", 1, 0, 1, JobInstalled, "old", 1},
      {"rule 0, cancel defers", 0, IDCANCEL, 1, JobInstalled, "old", 1},
      {"rule 0, retry after the file is free", 0, IDRETRY, 1, JobInstalled, "new", 0},
      {"rule 2, cancel fails", 2, IDCANCEL, 1, JobFailed, "old", 0},
      {"deferral that cannot be scheduled fails", 1, 0, 0, JobFailed, "old", 1},
  };
  f.installer.quiet = 1;
  for (const Case& c : cases) {
    writeFile(f.file("new.bin"), "new");
    writeFile(f.file("busy.bin"), "old");
    f.busy = {f.file("busy.bin")};
    f.renames.clear();
    f.renameWorks = c.renameWorks;
    FileJob job = PlainJob(f.file("new.bin"), f.file("busy.bin"));
    job.inuserule = c.rule;
    ModalAnswerer answerer;
    if (c.answer == IDRETRY)
      answerer.act("in use", [&](HWND box) {
        f.busy.clear();
        PostMessageA(box, WM_COMMAND, IDRETRY, 0);
      });
    else if (c.answer)
      answerer.answer("in use", c.answer);
    CopyFileItem(f.installer, job);
    EXPECT_EQ(c.state, job.state) << c.name;
    EXPECT_EQ(c.content, readFile(f.file("busy.bin"))) << c.name;
    ASSERT_EQ(c.renames, f.renames.size()) << c.name;
    int deferred = c.renames && c.renameWorks;
    EXPECT_EQ(deferred, job.replacedlater) << c.name;
    EXPECT_EQ(deferred, TempFilesIn(f.dir.path())) << c.name << ": the deferred file waits, no other";
    // Only a file replaced now keeps the old one beside it.
    int replacedNow = std::string(c.content) == "new";
    EXPECT_EQ(replacedNow, fileExists(f.file("busy.bak"))) << c.name;
    DeleteFileA(f.file("busy.bak").c_str());
    if (deferred) {
      EXPECT_EQ(f.file("busy.bin"), f.renames[0].second);
      DeleteFileA(f.renames[0].first.c_str());
    }
  }
}

TEST_F(FileJobTest, StoredArchiveMemberInstalls) {
  auto stream = std::make_unique<StringIStream>("member bytes");
  FileJob job;
  job.source = std::make_unique<StreamSource>(std::move(stream), 12);
  job.target = std::make_unique<NewFileWriter>();
  job.targetpath = f.file("m.bin");
  EXPECT_EQ(1, InstallFileItem(f.installer, job));
  EXPECT_EQ("member bytes", readFile(f.file("m.bin")));
}

TEST_F(FileJobTest, SharedFileCountIsIncrementedUnlogged) {
  writeFile(f.file("new.dll"), "n");
  FileJob job = PlainJob(f.file("new.dll"), f.file("shared\\lib.dll"));
  ASSERT_EQ(1, InstallFileItem(f.installer, job));
  EXPECT_EQ(1, f.installer.readcount(f.file("shared\\lib.dll").c_str()));
  EXPECT_EQ("4 " + f.file("shared\\lib.dll") + "\n", f.log.lines());
}

} // namespace
