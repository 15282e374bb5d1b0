#include <foundation/strings/dynstr.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

TEST(dynstrTest, OnlyAFreshStringSharesTheStaticEmptyText) {
  dynstr fresh, other;
  EXPECT_TRUE(fresh.isstatic());
  EXPECT_EQ(fresh.buffer(), other.buffer());
  EXPECT_EQ(0, fresh.length());

  ASSERT_EQ(1, fresh.set(""));
  EXPECT_FALSE(fresh.isstatic());
  EXPECT_STREQ("", fresh.str());

  fresh.set("abc");
  char* block = fresh.detach();
  EXPECT_EQ(nullptr, fresh.buffer());
  EXPECT_EQ(0, fresh.length());
  EXPECT_STREQ("abc", block);
  std::free(block);
}

TEST(dynstrTest, TextTakenFromItselfStaysIntact) {
  dynstr s("hello world");
  ASSERT_EQ(1, s.assign(s));
  EXPECT_STREQ("hello world", s.str());

  EXPECT_EQ(11, s.adopt(s.buffer()));
  EXPECT_STREQ("hello world", s.str());

  s.set(s.str() + 6);
  EXPECT_STREQ("world", s.str());
  s.append(s.str());
  EXPECT_STREQ("worldworld", s.str());
  EXPECT_EQ(10, s.length());

  dynstr other("x");
  other.assign(s);
  EXPECT_STREQ("worldworld", other.str());
  EXPECT_NE(s.buffer(), other.buffer());
}

TEST(dynstrTest, ReserveAndFormat) {
  dynstr s("old");
  ASSERT_EQ(1, s.reserve(4));
  EXPECT_EQ(4, s.length());
  EXPECT_EQ(0, s.buffer()[4]);
  EXPECT_EQ(0, s.reserve(-1));
  EXPECT_EQ(4, s.length());

  s.setf("%d-%s", 42, "x");
  EXPECT_STREQ("42-x", s.str());
  std::string wide(2000, 'w');
  s.setf("%s", wide.c_str());
  EXPECT_EQ(1023, s.length());
}

TEST(dynstrTest, BlankIsWhiteSpaceOnlyForEveryCharacterValue) {
  struct Case {
    const char* text;
    int blank;
  } cases[] = {{"", 1}, {" \t\r\n", 1}, {" a ", 0}, {"\xA0", 0}, {"\xFF ", 0}};
  for (const Case& c : cases) {
    dynstr s(c.text);
    EXPECT_EQ(c.blank, s.isblank()) << '"' << c.text << '"';
  }
  EXPECT_EQ(1, dynstr().isblank());
}
