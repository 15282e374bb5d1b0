#include <lzpunz2/lzpunz2.h>

#include <tests/support/TestProgram.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace {

// The stream the callbacks read from and write to.
std::string source;
size_t sourceAt = 0;
std::string sink;
int sinkRoom = -1; // bytes the writer still takes; -1 without a limit

int WINAPI readSource() {
  if (sourceAt >= source.size())
    return -1;
  return static_cast<unsigned char>(source[sourceAt++]);
}

int WINAPI writeSink(int byte) {
  if (sinkRoom == 0)
    return -1;
  if (sinkRoom > 0)
    --sinkRoom;
  sink.push_back(static_cast<char>(byte));
  return 0;
}

// The same source lent a block at a time: each block is a fresh copy of `lendSize` bytes (fewer at the
// end), and the block lent before is scribbled over, as a caller's reused buffer would be. The next
// block starts where the decoder said it stopped taking; `lendTaken` is where it last said so.
int lendSize = 4096;
size_t lendTaken = 0;
int lendsAfterTheEnd = 0; // calls after the decoder said where its stream ended
bool lendEnded = false;
std::string lent;

int WINAPI lendSource(const void** block, int used) {
  if (lendEnded)
    ++lendsAfterTheEnd;
  lendTaken += static_cast<size_t>(used);
  std::fill(lent.begin(), lent.end(), '\xEE');
  if (!block) {
    lendEnded = true;
    return 0;
  }
  if (lendTaken >= source.size())
    return 0;
  lent = source.substr(lendTaken, static_cast<size_t>(lendSize));
  *block = lent.data();
  return static_cast<int>(lent.size());
}

// How the decoder is fed: through the byte callback or with lent blocks.
enum class Feed { Bytes, Blocks };
const Feed feeds[] = {Feed::Bytes, Feed::Blocks};

const char* name(Feed feed) { return feed == Feed::Bytes ? "bytes" : "blocks"; }

// Opens the stream in `source` from its start, fed as asked.
int openSource(Feed feed) {
  sourceAt = 0;
  lendTaken = 0;
  lendEnded = false;
  lendsAfterTheEnd = 0;
  lent.clear();
  return feed == Feed::Bytes ? LzpUnzOpen(readSource, LZP_MODE_FRAMED)
                             : LzpUnzOpenBlocks(lendSource, LZP_MODE_FRAMED);
}

// The bytes of the source the decoder has taken.
size_t taken(Feed feed) { return feed == Feed::Bytes ? sourceAt : lendTaken; }

std::string pack(const std::string& data, int level = LZP_LEVEL_DEFAULT) {
  sink.clear();
  sinkRoom = -1;
  EXPECT_EQ(0, LzpZipCreate(writeSink, LZP_MODE_FRAMED, level));
  // In uneven blocks, as a caller would pass them.
  for (size_t at = 0; at < data.size();) {
    int n = static_cast<int>(std::min<size_t>(7777, data.size() - at));
    EXPECT_EQ(n, LzpZipWrite(data.data() + at, n));
    at += n;
  }
  EXPECT_EQ(0, LzpZipClose());
  return sink;
}

constexpr int Guard = 16;
constexpr char GuardByte = '\x5A';

// Reads the whole stream through a buffer with guard bytes after `chunk`; the answer is the text
// read, and `ending` gets the last answer of LzpUnzRead (0 at a good end, -1 on error). Reading is
// bounded, so a decoder that loops fails the test instead of hanging it.
std::string unpack(const std::string& packed, int chunk, int& ending, Feed feed = Feed::Bytes) {
  source = packed;
  std::string out;
  ending = openSource(feed);
  if (ending != 0)
    return out;
  std::string buffer(chunk + Guard, GuardByte);
  for (int calls = 0; calls < 1000000; ++calls) {
    int got = LzpUnzRead(buffer.data(), chunk);
    EXPECT_EQ(std::string(Guard, GuardByte), buffer.substr(chunk)) << "written past the count";
    EXPECT_LE(got, chunk);
    if (got <= 0) {
      ending = got;
      break;
    }
    out.append(buffer, 0, got);
  }
  EXPECT_EQ(0, LzpUnzClose());
  return out;
}

std::string randomBytes(size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::string s(n, 0);
  for (char& c : s)
    c = static_cast<char>(random());
  return s;
}

std::string textLike(size_t n) {
  static const char* words[] = {"install ",        "the ",   "files ",  "into ",
                                "c:\\program\r\n", "setup ", "version "};
  std::string s;
  for (unsigned i = 0; s.size() < n; i = i * 7 + 3)
    s += words[i % 7];
  s.resize(n);
  return s;
}

std::uint32_t trailer(const std::string& packed) {
  std::uint32_t size = 0;
  for (int i = 0; i < 4; ++i)
    size |= static_cast<std::uint32_t>(static_cast<unsigned char>(packed[packed.size() - 4 + i])) << (8 * i);
  return size;
}

} // namespace

TEST(Lzpunz2Test, RoundTripsKeepEveryByte) {
  struct Case {
    const char* name;
    std::string data;
  };
  const Case cases[] = {
      {"empty", ""},
      {"one byte", "x"},
      {"2047 text", textLike(2047)},
      {"2048 text", textLike(2048)},
      {"2049 random", randomBytes(2049, 1)},
      {"1 MB random", randomBytes(1 << 20, 2)},
      {"1 MB zeros", std::string(1 << 20, '\0')},
  };
  for (const Case& c : cases) {
    std::string packed = pack(c.data);
    ASSERT_GE(packed.size(), 10u) << c.name;
    EXPECT_EQ("LD", packed.substr(0, 2)) << c.name;
    EXPECT_EQ(c.data.size(), trailer(packed)) << c.name;
    for (Feed feed : feeds) {
      for (int chunk : {1, 1000, 65536}) {
        if (chunk == 1 && c.data.size() > 4096)
          continue;
        int ending = 99;
        std::string back = unpack(packed, chunk, ending, feed);
        EXPECT_EQ(0, ending) << c.name << ", chunk " << chunk << ", " << name(feed);
        EXPECT_TRUE(back == c.data) << c.name << ", chunk " << chunk << ", " << name(feed) << ": "
                                    << back.size() << " bytes back";
      }
    }
  }
  EXPECT_LT(pack(std::string(1 << 20, '\0')).size(), 2000u);
}

TEST(Lzpunz2Test, EveryTruncationFails) {
  std::string packed = pack(textLike(3000) + randomBytes(500, 3));
  lendSize = 100;
  for (Feed feed : feeds) {
    for (size_t length = 0; length < packed.size(); ++length) {
      int ending = 99;
      std::string back = unpack(packed.substr(0, length), 512, ending, feed);
      EXPECT_EQ(-1, ending) << "cut at " << length << ", " << name(feed);
    }
  }
}

TEST(Lzpunz2Test, FlippedBytesEndWithoutOverrun) {
  std::string data = textLike(2500) + randomBytes(300, 4);
  std::string packed = pack(data);
  lendSize = 700;
  for (Feed feed : feeds) {
    for (size_t at = 0; at < packed.size(); ++at) {
      std::string broken = packed;
      broken[at] = static_cast<char>(broken[at] ^ (1 << (at % 8)));
      int ending = 99;
      std::string back = unpack(broken, 300, ending, feed);
      // A good ending delivers the original bytes, whatever was damaged.
      EXPECT_TRUE(ending == -1 || (ending == 0 && back == data)) << "flip at " << at << ", " << name(feed);
    }
  }
}

// The framing byte by byte: "abc" stored (level 0) is the header, one final stored block, the CRC-32
// of "abc" (0x352441C2) and its size.
TEST(Lzpunz2Test, TheFramingHoldsTheCrcBeforeTheSize) {
  const std::string image("LD\x01\x03\x00\xfc\xff"
                          "abc"
                          "\xc2\x41\x24\x35"
                          "\x03\x00\x00\x00",
                          18);
  EXPECT_EQ(image, pack("abc", 0));
  int ending = 99;
  EXPECT_EQ("abc", unpack(image, 64, ending));
  EXPECT_EQ(0, ending);
}

// A stream ends with its trailer: the decoder takes exactly the stream's bytes from the callback, so
// a stream embedded in a larger source leaves what follows it in place, whatever that is. Lent blocks
// of any size may reach past the stream; the decoder then says where in the last one it ended.
TEST(Lzpunz2Test, AStreamFollowedByOtherDataTakesOnlyItsOwnBytes) {
  struct Case {
    const char* name;
    std::string image;
    std::string data;
  };
  // "abc" in one final block with the fixed codes: 4B 4C 4A 06 00.
  const std::string fixedAbc("LD\x4b\x4c\x4a\x06\x00"
                             "\xc2\x41\x24\x35"
                             "\x03\x00\x00\x00",
                             15);
  const std::string storedAbc("LD\x01\x03\x00\xfc\xff"
                              "abc"
                              "\xc2\x41\x24\x35"
                              "\x03\x00\x00\x00",
                              18);
  std::string mixed = textLike(70000) + randomBytes(150000, 6) + textLike(3000);
  const Case cases[] = {
      {"fixed codes, hand-made", fixedAbc, "abc"},
      {"stored, hand-made", storedAbc, "abc"},
      {"empty", pack(""), ""},
      {"text, smallest", pack(textLike(100000), 9), textLike(100000)},
      {"random, stored blocks", pack(randomBytes(200000, 7)), randomBytes(200000, 7)},
      {"random, level 0", pack(randomBytes(70000, 8), 0), randomBytes(70000, 8)},
      {"text and random", pack(mixed), mixed},
  };
  const std::string tails[] = {"", "NEXT", std::string(20000, '\xAA'), "LD\x03\x00"};
  struct Feeding {
    Feed feed;
    int blockSize;
  };
  const Feeding feedings[] = {
      {Feed::Bytes, 0}, {Feed::Blocks, 1}, {Feed::Blocks, 7}, {Feed::Blocks, 4096}, {Feed::Blocks, 1 << 20}};
  for (const Feeding& feeding : feedings) {
    lendSize = feeding.blockSize;
    for (const Case& c : cases) {
      for (const std::string& tail : tails) {
        for (int chunk : {3, 4096, 65536}) {
          int ending = 99;
          std::string back = unpack(c.image + tail, chunk, ending, feeding.feed);
          std::string where = std::string(c.name) + ", chunk " + std::to_string(chunk) + ", tail " +
                              std::to_string(tail.size()) + ", " + name(feeding.feed) + " of " +
                              std::to_string(feeding.blockSize);
          EXPECT_EQ(0, ending) << where;
          EXPECT_TRUE(back == c.data) << where << ": " << back.size() << " bytes back";
          EXPECT_EQ(c.image.size(), taken(feeding.feed)) << where;
          EXPECT_EQ(0, lendsAfterTheEnd) << where;
        }
      }
    }
  }
}

TEST(Lzpunz2Test, StreamsBackToBackDecodeOneAfterTheOther) {
  std::string first = textLike(40000) + randomBytes(30000, 9);
  std::string second = randomBytes(20000, 10) + textLike(5000);
  source = pack(first) + pack(second, 1) + "END";
  lendSize = 50000;
  for (Feed feed : feeds) {
    ASSERT_EQ(0, openSource(feed));
    for (const std::string* data : {&first, &second}) {
      if (data == &second) {
        lendEnded = false;
        ASSERT_EQ(0, feed == Feed::Bytes ? LzpUnzOpen(readSource, LZP_MODE_FRAMED)
                                         : LzpUnzOpenBlocks(lendSource, LZP_MODE_FRAMED));
      }
      std::string back, buffer(8192, '\0');
      for (int got; (got = LzpUnzRead(buffer.data(), 8192)) > 0;)
        back.append(buffer, 0, got);
      EXPECT_EQ(0, LzpUnzRead(buffer.data(), 8192));
      EXPECT_EQ(0, LzpUnzClose());
      EXPECT_TRUE(back == *data) << name(feed) << ": " << back.size() << " bytes back of " << data->size();
    }
    EXPECT_EQ("END", source.substr(taken(feed))) << name(feed);
  }
}

TEST(Lzpunz2Test, WrongOrShortTrailerFailsTheLastRead) {
  std::string packed = pack(textLike(100));
  std::string wrong = packed;
  wrong[wrong.size() - 4] = static_cast<char>(wrong[wrong.size() - 4] + 1);
  int ending = 99;
  unpack(wrong, 4096, ending);
  EXPECT_EQ(-1, ending);
  EXPECT_EQ(LZP_E_TRAILER, LzpGetError());
  std::string wrongCrc = packed;
  wrongCrc[wrongCrc.size() - 8] = static_cast<char>(wrongCrc[wrongCrc.size() - 8] ^ 1);
  unpack(wrongCrc, 4096, ending);
  EXPECT_EQ(-1, ending);
  EXPECT_EQ(LZP_E_TRAILER, LzpGetError());
  unpack(packed.substr(0, packed.size() - 1), 4096, ending);
  EXPECT_EQ(-1, ending);
  EXPECT_EQ(LZP_E_TRAILER, LzpGetError());
}

TEST(Lzpunz2Test, CallsOutOfOrderAndBadArgumentsAreRefused) {
  EXPECT_EQ(-1, LzpUnzRead(nullptr, 0));
  EXPECT_EQ(LZP_E_STATE, LzpGetError());
  EXPECT_EQ(-1, LzpUnzClose());
  EXPECT_EQ(-1, LzpUnzOpen(readSource, 1));
  EXPECT_EQ(LZP_E_ARGUMENT, LzpGetError());
  EXPECT_EQ(-1, LzpUnzOpenBlocks(lendSource, 1));
  EXPECT_EQ(LZP_E_ARGUMENT, LzpGetError());
  EXPECT_EQ(-1, LzpUnzOpenBlocks(nullptr, LZP_MODE_FRAMED));
  EXPECT_EQ(LZP_E_ARGUMENT, LzpGetError());
  EXPECT_EQ(-1, LzpZipCreate(writeSink, LZP_MODE_FRAMED, 10));
  EXPECT_EQ(-1, LzpZipWrite("x", 1));
  EXPECT_EQ(-1, LzpZipClose());

  source = "XD";
  sourceAt = 0;
  EXPECT_EQ(-1, LzpUnzOpen(readSource, LZP_MODE_FRAMED));
  EXPECT_EQ(LZP_E_HEADER, LzpGetError());

  source = pack("abc");
  sourceAt = 0;
  ASSERT_EQ(0, LzpUnzOpen(readSource, LZP_MODE_FRAMED));
  EXPECT_EQ(-1, LzpUnzOpen(readSource, LZP_MODE_FRAMED));
  EXPECT_EQ(LZP_E_STATE, LzpGetError());
  EXPECT_EQ(-1, LzpUnzOpenBlocks(lendSource, LZP_MODE_FRAMED));
  EXPECT_EQ(LZP_E_STATE, LzpGetError());
  char buffer[8];
  EXPECT_EQ(-1, LzpUnzRead(buffer, -1));
  EXPECT_EQ(3, LzpUnzRead(buffer, sizeof buffer));
  EXPECT_EQ(0, LzpUnzRead(buffer, sizeof buffer));
  EXPECT_EQ(0, LzpUnzClose());
}

TEST(Lzpunz2Test, MemoryIsKeptUntilFreedAndFreeClosesAnOpenStream) {
  EXPECT_EQ(0, LzpUnzAlloc());
  source = pack("abc");
  sourceAt = 0;
  ASSERT_EQ(0, LzpUnzOpen(readSource, LZP_MODE_FRAMED));
  EXPECT_EQ(0, LzpUnzFree());
  char buffer[8];
  EXPECT_EQ(-1, LzpUnzRead(buffer, sizeof buffer));
  sourceAt = 0;
  EXPECT_EQ(0, LzpUnzOpen(readSource, LZP_MODE_FRAMED));
  EXPECT_EQ(3, LzpUnzRead(buffer, sizeof buffer));
  EXPECT_EQ(0, LzpUnzClose());
}

TEST(Lzpunz2Test, AWriterThatRefusesFailsTheStream) {
  for (int room : {0, 1, 5, 20}) {
    sink.clear();
    sinkRoom = room;
    int created = LzpZipCreate(writeSink, LZP_MODE_FRAMED, 9);
    if (created == 0) {
      std::string data = randomBytes(100000, 5);
      LzpZipWrite(data.data(), static_cast<int>(data.size()));
      EXPECT_EQ(-1, LzpZipClose()) << "room " << room;
    }
    EXPECT_EQ(LZP_E_WRITE, LzpGetError()) << "room " << room;
  }
  sinkRoom = -1;
}

TEST(Lzpunz2Test, ExportsAreFoundByTheirPlainNames) {
  HMODULE library = GetModuleHandleA("lzpunz2.dll");
  ASSERT_TRUE(library);
  for (const char* name : {"LzpUnzOpen", "LzpUnzOpenBlocks", "LzpUnzRead", "LzpUnzClose", "LzpGetError",
                           "LzpUnzAlloc", "LzpUnzFree", "LzpZipCreate", "LzpZipWrite", "LzpZipClose"})
    EXPECT_TRUE(GetProcAddress(library, name)) << name;
}

TEST(Lzpunz2Test, PackerToolWritesWhatTheLibraryReads) {
  std::string folder = testsupport::testProgramFolder();
  std::string input = folder + "packer_in.txt";
  std::string output = folder + "packer_out.lzp";
  std::string data = textLike(50000);
  {
    FILE* file = std::fopen(input.c_str(), "wb");
    ASSERT_TRUE(file);
    std::fwrite(data.data(), 1, data.size(), file);
    std::fclose(file);
  }
  std::string command = "\"" + folder + "lzppack.exe\" \"" + input + "\" \"" + output + "\" 9";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
  DWORD code = 99;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(0u, code);

  std::string packed;
  FILE* file = std::fopen(output.c_str(), "rb");
  ASSERT_TRUE(file);
  for (int c; (c = std::fgetc(file)) != EOF;)
    packed.push_back(static_cast<char>(c));
  std::fclose(file);
  DeleteFileA(input.c_str());
  DeleteFileA(output.c_str());
  EXPECT_LT(packed.size(), data.size() / 4);
  int ending = 99;
  EXPECT_TRUE(unpack(packed, 4096, ending) == data);
  EXPECT_EQ(0, ending);
}
