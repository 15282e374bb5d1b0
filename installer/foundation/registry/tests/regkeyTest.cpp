#include <foundation/tests/memorystreams.h>

#include <foundation/registry/regkey.h>

#include <gtest/gtest.h>
#include <tests/support/RegistrySandbox.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using testsupport::RegistrySandbox;

namespace {

// Every key lives under a private HKEY_CURRENT_USER that is removed with the sandbox.
class RegkeyTest : public testing::Test {
protected:
  RegkeyTest() { key.set(RegCurrentUser, "Software\\KxTest"); }

  void setRaw(const char* name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(1, key.setvalue(name, type, static_cast<DWORD>(bytes.size()), bytes.data()));
  }
  // The ANSI call terminates a text it stores; the wide one stores exactly the bytes given.
  void setUnterminated(const wchar_t* name, const std::wstring& text) {
    ASSERT_EQ(1, key.open(KEY_SET_VALUE));
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key.handle(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                             static_cast<DWORD>(text.size() * sizeof(wchar_t))));
    key.close();
  }

  RegistrySandbox sandbox;
  regkey key;
};

} // namespace

TEST_F(RegkeyTest, CreateExistsRemove) {
  EXPECT_EQ(0, key.exists());
  EXPECT_EQ(0, key.countsubkeys());
  ASSERT_EQ(1, key.create());
  EXPECT_NE(nullptr, key.handle());
  key.close();
  EXPECT_EQ(nullptr, key.handle());
  EXPECT_EQ(1, key.exists());
  EXPECT_EQ(0, key.countsubkeys());
  EXPECT_EQ(1, key.remove());
  EXPECT_EQ(0, key.exists());
}

TEST_F(RegkeyTest, SetQueryAndQuerystringByType) {
  ASSERT_EQ(1, key.create());
  key.close();
  struct Row {
    const char* name;
    DWORD type;
    std::string bytes;
    int isText;
    const char* text;
  };
  const Row rows[] = {
      {"sz", REG_SZ, std::string("plain\0", 6), 1, "plain"},
      {"expand", REG_EXPAND_SZ, std::string("%WINDIR%\\x\0", 11), 1, "%WINDIR%\\x"},
      {"multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9), 1, "one"},
      {"unterminated", REG_SZ, std::string("abc"), 1, "abc"},
      {"empty", REG_SZ, std::string(), 1, ""},
      {"dword", REG_DWORD, std::string("\x2a\0\0\0", 4), 0, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (std::string(row.name) == "unterminated")
      setUnterminated(L"unterminated", L"abc");
    else
      setRaw(row.name, row.type, row.bytes);
    DWORD type = 0, size = 99;
    char* block = static_cast<char*>(key.queryvalue(row.name, type, size));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(row.type, type);
    if (row.bytes.size() != 3) {
      EXPECT_EQ(row.bytes.size(), size);
    }
    EXPECT_EQ(0, block[size]);
    EXPECT_EQ(0, block[size + 1]);
    // Some registries terminate a text on the way out; the block ends in any case.
    EXPECT_EQ(row.bytes, std::string(block, row.bytes.size()));
    std::free(block);

    char buffer[32] = "unchanged";
    EXPECT_EQ(row.isText, key.querystring(row.name, buffer, sizeof buffer));
    EXPECT_STREQ(row.isText ? row.text : "unchanged", buffer);
  }
  DWORD type, size;
  EXPECT_EQ(nullptr, key.queryvalue("missing", type, size));
  EXPECT_EQ(nullptr, key.handle());
}

TEST_F(RegkeyTest, QuerystringRefusesATextLongerThanTheBuffer) {
  ASSERT_EQ(1, key.create());
  setRaw("long", REG_SZ, std::string("0123456789\0", 11));
  char small[10] = "unchanged";
  EXPECT_EQ(0, key.querystring("long", small, sizeof small));
  EXPECT_STREQ("unchanged", small);
  char exact[11];
  EXPECT_EQ(1, key.querystring("long", exact, sizeof exact));
  EXPECT_STREQ("0123456789", exact);
}

TEST_F(RegkeyTest, CountsEnumeratesAndDeletesValues) {
  regkey child;
  for (const char* name : {"a", "b", "c"}) {
    child.set(RegCurrentUser, (std::string("Software\\KxTest\\") + name).c_str());
    ASSERT_EQ(1, child.create());
    child.close();
  }
  setRaw("first", REG_SZ, std::string("1\0", 2));
  setRaw("second", REG_SZ, std::string("2\0", 2));
  EXPECT_EQ(3, key.countsubkeys());
  EXPECT_EQ(2, key.countvalues());

  ASSERT_EQ(1, key.open(KEY_READ));
  std::string names;
  regkey sub;
  for (int i = 0; key.subkey(i, sub); ++i)
    names += std::string(sub.path()) + ";";
  EXPECT_EQ("Software\\KxTest\\a;Software\\KxTest\\b;Software\\KxTest\\c;", names);
  EXPECT_EQ(RegCurrentUser, sub.root());
  dynstr name;
  EXPECT_EQ(1, key.valuename(1, name));
  EXPECT_STREQ("second", name.str());
  EXPECT_EQ(0, key.valuename(2, name));
  key.close();

  EXPECT_EQ(1, key.deletevalue("first"));
  EXPECT_EQ(1, key.countvalues());
  EXPECT_EQ(0, key.remove()) << "a key with subkeys stays";
}

TEST(RegkeyNames, ShortAndFullNamesForEveryRoot) {
  struct Row {
    int root;
    const char* shortName;
    const char* fullName;
  };
  const Row rows[] = {
      {0, "HKLM\\A\\B", "HKEY_LOCAL_MACHINE\\A\\B"},  {1, "HKCR\\A\\B", "HKEY_CLASSES_ROOT\\A\\B"},
      {2, "HKCU\\A\\B", "HKEY_CURRENT_USER\\A\\B"},   {3, "HKUS\\A\\B", "HKEY_USERS\\A\\B"},
      {4, "HKCF\\A\\B", "HKEY_CURRENT_CONFIG\\A\\B"}, {7, "Unknown\\A\\B", "Unknown\\A\\B"},
  };
  for (const Row& row : rows) {
    regkey key;
    key.set(row.root, "A\\B");
    char buffer[300];
    EXPECT_EQ(1, key.shortname(buffer, sizeof buffer));
    EXPECT_STREQ(row.shortName, buffer);
    EXPECT_EQ(1, key.fullname(buffer, sizeof buffer));
    EXPECT_STREQ(row.fullName, buffer);
  }
  regkey unknown;
  unknown.set(7, "A");
  EXPECT_EQ(reinterpret_cast<HKEY>(static_cast<INT_PTR>(-1)), unknown.roothandle());
  EXPECT_EQ(0, unknown.exists());
}

TEST(RegkeyNames, OverlongPathsAndNamesAreRefused) {
  regkey key;
  std::string longest(259, 'k');
  ASSERT_EQ(1, key.set(RegCurrentConfig, longest.c_str()));
  EXPECT_EQ(0, key.set(RegCurrentConfig, (longest + "k").c_str()));
  EXPECT_STREQ(longest.c_str(), key.path());

  // "HKEY_CURRENT_CONFIG\" and 259 characters need 280 characters with the terminator.
  char name[280];
  EXPECT_EQ(1, key.fullname(name, sizeof name));
  EXPECT_EQ(0, key.fullname(name, sizeof name - 1));
  EXPECT_STREQ("", name);

  int position = -1;
  EXPECT_EQ(0, key.append("x", position));
  EXPECT_STREQ(longest.c_str(), key.path());
}

TEST(RegkeyNames, CutAndAppendWalkAndComeBack) {
  regkey key;
  key.set(RegLocalMachine, "Software\\Maker\\Product");
  int position;
  ASSERT_EQ(1, key.cutlast(position));
  EXPECT_STREQ("Software\\Maker", key.path());
  key.restorelast(position);
  EXPECT_STREQ("Software\\Maker\\Product", key.path());
  ASSERT_EQ(1, key.append("Child", position));
  EXPECT_STREQ("Software\\Maker\\Product\\Child", key.path());
  key.unappend(position);
  EXPECT_STREQ("Software\\Maker\\Product", key.path());

  key.set(RegLocalMachine, "Software");
  EXPECT_EQ(0, key.cutlast(position));
  EXPECT_STREQ("Software", key.path());
}

TEST_F(RegkeyTest, PersistentFormIsPathThenRoot) {
  memostream out;
  ASSERT_EQ(1, key.write(out));
  EXPECT_EQ(std::string("\x0f"
                        "Software\\KxTest"
                        "\x02\0\0\0",
                        20),
            out.bytes);

  ASSERT_EQ(1, key.create());
  regkey back;
  memistream in(out.bytes);
  ASSERT_EQ(1, back.read(in));
  EXPECT_STREQ("Software\\KxTest", back.path());
  EXPECT_EQ(RegCurrentUser, back.root());
  EXPECT_EQ(1, back.exists());

  ASSERT_EQ(1, back.open(KEY_READ));
  memistream again(out.bytes);
  ASSERT_EQ(1, back.read(again));
  EXPECT_EQ(nullptr, back.handle());

  memistream tooLong(std::string("\xff\x04\x01", 3) + std::string(260, 'p') + std::string(4, '\0'));
  EXPECT_EQ(0, back.read(tooLong));
}

TEST_F(RegkeyTest, ALoopOverTheValuesReachesNamesLongerThanAPath) {
  // Another program's value: this class stores no name that long itself.
  std::string longName(300, 'v');
  ASSERT_EQ(1, key.create());
  key.close();
  ASSERT_EQ(1, key.open(KEY_SET_VALUE));
  for (const std::string& name : {std::string("short"), longName, std::string("after")})
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key.handle(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2));
  key.close();
  ASSERT_EQ(3, key.countvalues());
  ASSERT_EQ(1, key.open(KEY_READ));
  std::vector<std::string> names;
  dynstr name;
  for (int i = 0; key.valuename(i, name); ++i)
    names.push_back(name.str());
  key.close();
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"after", "short", longName}), names);
}
