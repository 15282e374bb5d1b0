#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/memorystreams.h>

#include <foundation/streams/filestream.h>
#include <foundation/streams/porttype.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <cstring>
#include <functional>
#include <string>

using testing::ElementsAre;

namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values)
    out += static_cast<char>(v);
  return out;
}

std::string text(size_t length) {
  std::string out;
  for (size_t i = 0; i < length; ++i)
    out += static_cast<char>('a' + i % 26);
  return out;
}

// One value of one kind: what the writer must produce byte for byte, and a read of those bytes that
// answers whether the value came back.
struct KindCase {
  std::string name;
  int layout16;
  std::function<int(portostream&)> write;
  std::string image;
  std::function<bool(portistream&)> readBack;
};

template <class T, int (*Read)(portistream&, T&)> std::function<bool(portistream&)> reads(T expected) {
  return [expected](portistream& stream) {
    T value{};
    return Read(stream, value) && value == expected;
  };
}

std::function<bool(portistream&)> readsText(std::string expected) {
  return [expected](portistream& stream) {
    dynstr value;
    return ReadDynstr(stream, value) && value.str() == expected;
  };
}

std::function<int(portostream&)> writesText(std::string value) {
  return [value](portostream& stream) { return WriteCString(stream, value.c_str()); };
}

KindCase textCase(size_t length, std::string lengthForm, int layout16 = 0) {
  return {"text of " + std::to_string(length), layout16, writesText(text(length)), lengthForm + text(length),
          readsText(text(length))};
}

} // namespace

TEST(PORTTYPETest, EveryKindByteForByte) {
  const KindCase cases[] = {
      {"byte", 0, [](portostream& s) { return WriteByte(s, 0xAB); }, bytes({0xAB}),
       reads<unsigned char, ReadByte>(0xAB)},
      {"short", 0, [](portostream& s) { return WriteShort(s, -2); }, bytes({0xFE, 0xFF}),
       reads<short, ReadShort>(-2)},
      {"long", 0, [](portostream& s) { return WriteLong(s, 0x12345678); }, bytes({0x78, 0x56, 0x34, 0x12}),
       reads<long, ReadLong>(0x12345678)},
      {"ulong", 0, [](portostream& s) { return WriteUlong(s, 0xFFFFFFFEul); },
       bytes({0xFE, 0xFF, 0xFF, 0xFF}), reads<unsigned long, ReadUlong>(0xFFFFFFFEul)},
      {"int", 0, [](portostream& s) { return WriteInt(s, -2); }, bytes({0xFE, 0xFF, 0xFF, 0xFF}),
       reads<int, ReadInt>(-2)},
      {"int, 16-bit layout", 1, [](portostream& s) { return WriteInt(s, -2); }, bytes({0xFE, 0xFF}),
       reads<int, ReadInt>(-2)},
      {"uint", 0, [](portostream& s) { return WriteUint(s, 0x80000000u); }, bytes({0, 0, 0, 0x80}),
       reads<unsigned, ReadUint>(0x80000000u)},
      {"uint, 16-bit layout", 1, [](portostream& s) { return WriteUint(s, 65534); }, bytes({0xFE, 0xFF}),
       reads<unsigned, ReadUint>(65534)},
      {"long, 16-bit layout", 1, [](portostream& s) { return WriteLong(s, -2); },
       bytes({0xFE, 0xFF, 0xFF, 0xFF}), reads<long, ReadLong>(-2)},
      {"text abc", 0, writesText("abc"), bytes({3, 'a', 'b', 'c'}), readsText("abc")},
      {"empty text", 0, writesText(""), bytes({0}), readsText("")},
      textCase(254, bytes({0xFE})),
      textCase(255, bytes({0xFF, 0xFF, 0x00})),
      textCase(256, bytes({0xFF, 0x00, 0x01})),
      textCase(300, bytes({0xFF, 0x2C, 0x01})),
      textCase(300, bytes({0xFF, 0x2C, 0x01}), 1),
      textCase(65535, bytes({0xFF, 0xFF, 0xFF})),
  };
  for (const KindCase& c : cases) {
    memostream out(c.layout16);
    ASSERT_EQ(1, c.write(out)) << c.name;
    EXPECT_EQ(c.image, out.bytes) << c.name;
    memistream in(c.image, c.layout16);
    EXPECT_TRUE(c.readBack(in)) << c.name;
    EXPECT_TRUE(in.ateof()) << c.name;
  }
}

TEST(PORTTYPETest, TextsWithNoLengthFormAreRefused) {
  memostream out;
  EXPECT_EQ(0, WriteCString(out, text(65536).c_str()));
  EXPECT_EQ("", out.bytes);

  memostream full(0, 3);
  EXPECT_EQ(0, WriteCString(full, "abcdef"));
}

TEST(PORTTYPETest, DatesAreSixIntsReadAllOrNothing) {
  systime date;
  memistream wide(bytes({0xD1, 0x07, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0}));
  ASSERT_EQ(1, date.read(wide));
  EXPECT_EQ(2001, date.wYear);
  EXPECT_EQ(6, date.wSecond);

  systime narrow;
  memistream sixteen(bytes({0xD2, 0x07, 7, 0, 8, 0, 9, 0, 10, 0, 11, 0}), 1);
  ASSERT_EQ(1, narrow.read(sixteen));
  EXPECT_EQ(2002, narrow.wYear);
  EXPECT_EQ(11, narrow.wSecond);

  systime kept;
  memistream cut(bytes({0xD1, 0x07, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(0, kept.read(cut));
  EXPECT_EQ(0, systime::compare(systime(), kept));

  CheckRecorder recorder;
  memostream out;
  EXPECT_EQ(0, date.write(out));
  EXPECT_THAT(recorder.seen, ElementsAre(CheckRecorder::Pair{"FPATH", 1436}));
}

TEST(PORTTYPETest, TextLongerThanItsDestinationFailsAndWritesNothingPastIt) {
  struct Guarded {
    char field[8];
    char guard[8];
  } record;
  std::memset(&record, '#', sizeof record);
  memistream stream(bytes({10}) + "0123456789");
  EXPECT_EQ(0, ReadCString(stream, record.field, sizeof record.field));
  EXPECT_EQ(std::string(8, '#'), std::string(record.guard, 8));

  memistream fits(bytes({7}) + "0123456");
  EXPECT_EQ(1, ReadCString(fits, record.field, sizeof record.field));
  EXPECT_STREQ("0123456", record.field);

  // The stream ends inside the text: what is left is still a terminated text.
  std::memset(&record, '#', sizeof record);
  memistream cut(bytes({6}) + "xyzw");
  EXPECT_EQ(0, ReadCString(cut, record.field, sizeof record.field));
  EXPECT_NE(nullptr, std::memchr(record.field, 0, sizeof record.field));
  EXPECT_EQ(std::string(8, '#'), std::string(record.guard, 8));

  fpathbuf path("unchanged");
  memistream longPath(bytes({200}) + text(200));
  EXPECT_EQ(0, ReadFpath(longPath, path));
}

TEST(PORTTYPETest, BlocksAndSkipsStopAtTheEnd) {
  std::string data = text(5000);
  memistream stream(data);
  std::string buffer(5000, 0);
  ASSERT_EQ(1, ReadBlock(stream, buffer.data(), 5000));
  EXPECT_EQ(data, buffer);
  EXPECT_THAT(stream.reads, ElementsAre(2048, 2048, 904));

  memistream shortStream(text(10));
  EXPECT_EQ(0, ReadBlock(shortStream, buffer.data(), 11));
  memistream skip(text(4));
  EXPECT_EQ(1, SkipBytes(skip, 3));
  EXPECT_EQ(0, SkipBytes(skip, 2));

  memistream corrupt(bytes({0xFF, 0xFF, 0xFF, 'a', 'b'}));
  dynstr value("before");
  EXPECT_EQ(0, ReadDynstr(corrupt, value));
  EXPECT_STREQ("", value.str());
}

namespace {

class Inner : public persistent {
public:
  int a = 0;
  dynstr b;

  pmember* const* members() override {
    static pint aMember;
    static pdynstr bMember;
    static pmember* const list[] = {&aMember, &bMember, nullptr};
    aMember.bind(a);
    bMember.bind(b);
    return list;
  }
};

class Record : public persistent {
public:
  int number = 0;
  short small = 0;
  long big = 0;
  unsigned flags = 0;
  unsigned long mask = 0;
  dynstr name;
  fpathbuf path;
  char key[8] = {};
  Inner inner;

  pmember* const* members() override {
    static pint numberMember;
    static pshort smallMember;
    static plong bigMember;
    static puint flagsMember;
    static pulong maskMember;
    static pdynstr nameMember;
    static ppath pathMember;
    static pchars keyMember;
    static pobject innerMember;
    static pmember* const list[] = {&numberMember, &smallMember, &bigMember, &flagsMember, &maskMember,
                                    &nameMember,   &pathMember,  &keyMember, &innerMember, nullptr};
    numberMember.bind(number);
    smallMember.bind(small);
    bigMember.bind(big);
    flagsMember.bind(flags);
    maskMember.bind(mask);
    nameMember.bind(name);
    pathMember.bind(path);
    keyMember.bind(key);
    innerMember.bind(inner);
    return list;
  }

  static void fill(Record& record) {
    record.number = -2;
    record.small = 0x0102;
    record.big = 0x01020304;
    record.flags = 7;
    record.mask = 0xA0B0C0D0ul;
    record.name.set("ab");
    record.path.set("c:\\x");
    std::strcpy(record.key, "k1");
    record.inner.a = 258;
    record.inner.b.set("");
  }

  bool sameAs(const Record& other) const {
    return number == other.number && small == other.small && big == other.big && flags == other.flags &&
           mask == other.mask && std::string(name.str()) == other.name.str() &&
           std::string(path.str()) == other.path.str() && std::string(key) == other.key &&
           inner.a == other.inner.a && std::string(inner.b.str()) == other.inner.b.str();
  }
};

// The record of Record::fill in both layouts: members one after another, nothing between them.
std::string recordImage(int layout16) {
  std::string number = layout16 ? bytes({0xFE, 0xFF}) : bytes({0xFE, 0xFF, 0xFF, 0xFF});
  std::string flags = layout16 ? bytes({7, 0}) : bytes({7, 0, 0, 0});
  std::string innerA = layout16 ? bytes({2, 1}) : bytes({2, 1, 0, 0});
  return number + bytes({0x02, 0x01}) + bytes({0x04, 0x03, 0x02, 0x01}) + flags +
         bytes({0xD0, 0xC0, 0xB0, 0xA0}) + bytes({2, 'a', 'b'}) + bytes({4, 'c', ':', '\\', 'x'}) +
         bytes({2, 'k', '1'}) + innerA + bytes({0});
}

} // namespace

TEST(PORTTYPETest, PersistentObjectsAreTheirMembersInOrder) {
  Record record;
  Record::fill(record);
  for (int layout16 : {0, 1}) {
    memostream out(layout16);
    ASSERT_EQ(1, WriteObject(out, record));
    EXPECT_EQ(recordImage(layout16), out.bytes) << "layout16 " << layout16;

    Record back;
    memistream in(out.bytes, layout16);
    ASSERT_EQ(1, ReadObject(in, back));
    EXPECT_TRUE(back.sameAs(record));
    EXPECT_TRUE(in.ateof());
  }
  pmember* const none[] = {nullptr};
  memistream untouched(bytes({1}));
  EXPECT_EQ(1, ReadMembers(untouched, none));
  EXPECT_EQ(0u, untouched.position());
}

TEST(PORTTYPETest, TruncatedObjectFailsWithoutReadingPastTheEnd) {
  std::string image = recordImage(0);
  for (size_t length = 0; length < image.size(); ++length) {
    Record back;
    memistream in(image.substr(0, length));
    EXPECT_EQ(0, back.read(in)) << length;
    EXPECT_EQ(length, in.position());
  }
}

TEST(PORTTYPETest, FileStreamsWriteAndReadTheSameImage) {
  testsupport::TempDir dir;
  std::string file = dir.file("record.bin");
  Record record;
  Record::fill(record);
  {
    fileostream out(file.c_str());
    ASSERT_EQ(1, out.open());
    ASSERT_EQ(1, record.write(out));
    EXPECT_EQ(1, out.close());
  }
  EXPECT_EQ(recordImage(0), testsupport::readFile(file));

  fileistream in(file.c_str());
  ASSERT_EQ(1, in.open());
  EXPECT_EQ(static_cast<long>(recordImage(0).size()), in.size());
  Record back;
  ASSERT_EQ(1, back.read(in));
  EXPECT_TRUE(back.sameAs(record));
  EXPECT_EQ(-1, in.readbyte());
  EXPECT_TRUE(in.ateof());
  ASSERT_EQ(1, in.seek(4, SEEK_SET));
  EXPECT_EQ(0x02, in.readbyte());

  fileistream missing(dir.file("none").c_str());
  EXPECT_EQ(0, missing.open());
  EXPECT_EQ(-1, missing.readbyte());
}
