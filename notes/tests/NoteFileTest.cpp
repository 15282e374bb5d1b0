#include <notes/GenUtils.h>
#include <notes/NoteFile.h>

#include <tests/support/RegistrySandbox.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using namespace notaris;
using namespace testsupport;

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct NameCase {
  const char* name;
  const char* input;
  const char* expected;
};

} // namespace

TEST(NoteNames, SubjectIsTheNameWithoutItsNoteExtensionOnly) {
  const NameCase cases[] = {
      {"upper", "C:\\notes\\Lunch.XVQ", "Lunch"},
      {"lower", "C:\\notes\\lunch.xvq", "lunch"},
      {"other extension kept", "C:\\notes\\minutes.txt", "minutes.txt"},
      {"no folder", "Lunch.XVQ", "Lunch"},
      {"short name", "C:\\n\\ab", "ab"},
      {"dots inside", "C:\\n\\a.XVQ.bak", "a.XVQ.bak"},
  };
  for (const NameCase& c : cases)
    EXPECT_EQ(subjectOf(c.input), c.expected) << c.name;
}

TEST(NoteNames, StartUpArgumentLosesBlanksAndQuotes) {
  const NameCase cases[] = {
      {"plain", "C:\\n\\Lunch.XVQ", "C:\\n\\Lunch.XVQ"},
      {"quoted with blanks", "\"C:\\my notes\\Lunch.XVQ\"", "C:\\my notes\\Lunch.XVQ"},
      {"blanks around", "  \"C:\\n\\a b.XVQ\"  ", "C:\\n\\a b.XVQ"},
      {"unclosed quote", "\"C:\\n\\a.XVQ", "C:\\n\\a.XVQ"},
      {"empty", "", ""},
      {"blanks only", "   ", ""},
  };
  for (const NameCase& c : cases)
    EXPECT_EQ(unquoteArgument(c.input), c.expected) << c.name;
}

TEST(NoteNames, SubjectsThatCannotNameAFileInTheFolderAreRefused) {
  const char* refused[] = {"..\\outside", "a/b",     "a\\b",  "C:notes",    "..",        ".",   "Lunch.",
                           "Lunch ",      "a*",      "what?", "say \"hi\"", "<b>",       "a|b", "tab\there",
                           "CON",         "con.txt", "Lpt1",  "nul ",       "COM9.note", "aux"};
  for (const char* subject : refused)
    EXPECT_NE(subjectProblem("C:\\notes", subject), "") << subject;
  EXPECT_NE(subjectProblem("C:\\notes", std::string(250, 'x')), "") << "too long for a path";

  const char* accepted[] = {"Lunch", "RE RE Lunch", "a..b", "Conference", "console", ".plan", "COM10"};
  for (const char* subject : accepted)
    EXPECT_EQ(subjectProblem("C:\\notes", subject), "") << subject;
}

TEST(NoteFile, WritesTheMessageExactlyAndReplacesAWholeNote) {
  TempDir folder;
  std::string path = folder.file("Lunch.XVQ");
  ASSERT_TRUE(writeNote(path, "Meet at noon\r\nBring cake"));
  EXPECT_EQ(readFile(path), "Meet at noon\r\nBring cake");
  ASSERT_TRUE(writeNote(path, "Short"));
  EXPECT_EQ(readFile(path), "Short");

  std::string message;
  ASSERT_EQ(readNote(path, message), ReadResult::ok);
  EXPECT_EQ(message, "Short");
  // Only the note is left: no new file stays behind.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(folder.file("*").c_str(), &found);
  int files = 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      ++files;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_EQ(files, 1);
}

TEST(NoteFile, ShownTextHoldsNoZeroBytesAndBreaksLinesAtCrLfOnly) {
  using namespace std::string_literals;
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;
    int zeroBytes;
    std::string lineEnd;
  } cases[] = {
      {"plain", "a\r\nb", "a\r\nb", 0, "\r\n"},
      {"zero bytes", "ab\0cd\0"s, "ab cd ", 2, "\r\n"},
      {"lone CRs", "a\rb\r\rc", "a\r\nb\r\n\r\nc", 0, "\r"},
      {"lone LFs", "a\nb\n", "a\r\nb\r\n", 0, "\n"},
      {"mixed line ends", "a\rb\r\nc\nd", "a\r\nb\r\nc\r\nd", 0, "\r\n"},
  };
  for (const Case& c : cases) {
    ShownNote shown = showNote(c.bytes);
    EXPECT_EQ(shown.text, c.text) << c.name;
    EXPECT_EQ(shown.zeroBytes, c.zeroBytes) << c.name;
    EXPECT_EQ(shown.lineEnd, c.lineEnd) << c.name;
    if (c.zeroBytes == 0) {
      EXPECT_EQ(noteBytes(shown.text, shown.lineEnds, shown.lineEnd), c.bytes)
          << c.name << ": written back as it was";
    }
  }
}

TEST(NoteFile, AWriteIntoAMissingFolderFailsAndLeavesNothing) {
  TempDir folder;
  EXPECT_FALSE(writeNote(folder.file("missing\\Lunch.XVQ"), "text"));
  EXPECT_FALSE(fileExists(folder.file("missing")));
}

TEST(NoteFile, ReadingTellsATooLargeNoteFromOneThatCannotBeOpened) {
  TempDir folder;
  struct Case {
    const char* name;
    std::size_t size;
    bool locked;
    ReadResult expected;
  } cases[] = {
      {"largest note", 65000, false, ReadResult::ok},
      {"one byte over", 65001, false, ReadResult::tooLarge},
      {"70000 bytes", 70000, false, ReadResult::tooLarge},
      {"locked and large", 70000, true, ReadResult::tooLarge},
      {"locked and short", 10, true, ReadResult::failed},
  };
  for (const Case& c : cases) {
    std::string path = folder.file(std::string(c.name) + ".XVQ");
    ASSERT_TRUE(writeFile(path, std::string(c.size, 'n')));
    HANDLE lock = c.locked ? CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         OPEN_EXISTING, 0, nullptr)
                           : INVALID_HANDLE_VALUE;
    std::string message = "kept";
    EXPECT_EQ(readNote(path, message), c.expected) << c.name;
    if (c.expected != ReadResult::ok) {
      EXPECT_EQ(message, "kept") << c.name;
    }
    if (lock != INVALID_HANDLE_VALUE)
      CloseHandle(lock);
  }
  std::string message;
  EXPECT_EQ(readNote(folder.file("absent.XVQ"), message), ReadResult::failed);
}

TEST(RegistryEntry, AValueStoredWithoutItsZeroIsReadWhole) {
  RegistrySandbox sandbox;
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const char folder[] = "C:\\Start";
  RegSetValueExA(key, "StartUp", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), std::strlen(folder));
  RegCloseKey(key);

  EXPECT_EQ(sdaGetRegEntry("HKEY_CURRENT_USER", kShellFolders, "StartUp"), "C:\\Start");
  EXPECT_EQ(startupFolder(), "C:\\Start");
  EXPECT_EQ(sdaGetRegEntry("HKEY_CURRENT_USER", kShellFolders, "Missing"), std::nullopt);
  EXPECT_EQ(sdaGetRegEntry("HKEY_NOWHERE", kShellFolders, "StartUp"), std::nullopt);
}

TEST(RegistryEntry, AProfileWithoutTheStartUpValueUsesTheSystemsFolder) {
  RegistrySandbox sandbox;
  EXPECT_NE(startupFolder(), "");
}
