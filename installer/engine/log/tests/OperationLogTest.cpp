#include <engine/log/ByteStreams.h>
#include <engine/log/LogDump.h>
#include <engine/log/LogText.h>
#include <engine/log/OperationLog.h>
#include <engine/operations/ProgramItem.h>
#include <foundation/tests/checkrecorder.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// Keeps what the writer operations hand over instead of writing it.
class RecordingLog : public OperationLog {
public:
  std::vector<LogRecord> records;

protected:
  void record(LogRecord& entry) override {
    entry.state = state;
    records.push_back(entry);
  }
};

std::string Le32(long value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i)
    bytes += static_cast<char>((static_cast<unsigned long>(value) >> (8 * i)) & 0xFF);
  return bytes;
}

std::string Str(const std::string& text) {
  if (text.size() < 255)
    return std::string(1, static_cast<char>(text.size())) + text;
  return std::string("\xFF") + static_cast<char>(text.size() & 0xFF) + static_cast<char>(text.size() >> 8) +
         text;
}

std::string ItemImage(const char* name, const char* command) {
  ProgramItem item;
  SetField(item.name, name);
  SetField(item.commandline, command);
  unsigned char image[ProgramItem::ImageSize];
  item.toimage(image);
  return std::string(reinterpret_cast<const char*>(image), ProgramItem::ImageSize);
}

std::string Fields(const LogRecord& entry) {
  std::string text;
  for (const LogField& field : entry.fields) {
    if (!text.empty())
      text += "|";
    text += field.kind == FieldNumber ? std::to_string(field.number)
            : field.kind == FieldKey  ? std::to_string(field.number) + ":" + field.text
            : field.kind == FieldItem ? std::string("item")
                                      : field.text;
  }
  return text;
}

TEST(OperationLogTest, WriterCallsMakeTheirRecordTypes) {
  struct Case {
    std::function<void(OperationLog&)> call;
    int type;
    const char* fields;
  } cases[] = {
      {[](OperationLog& l) { l.dircreated("c:\\d"); }, 0, "c:\\d"},
      {[](OperationLog& l) { l.dirremoved("c:\\d"); }, 1, "c:\\d"},
      {[](OperationLog& l) { l.filedeleted("c:\\f"); }, 3, "c:\\f"},
      {[](OperationLog& l) { l.filerenamed("c:\\a", "c:\\b"); }, 2, "c:\\a|c:\\b"},
      {[](OperationLog& l) { l.filecreated("c:\\f"); }, 4, "c:\\f"},
      {[](OperationLog& l) { l.fileextended("c:\\f", 77); }, 5, "c:\\f|77"},
      {[](OperationLog& l) { l.attributeschanged("c:\\f", 1, 128); }, 6, "c:\\f|1|128"},
      {[](OperationLog& l) { l.inisectionadded("a.ini", "S"); }, 10, "a.ini|S"},
      {[](OperationLog& l) { l.inisectiondeleted("a.ini", "S"); }, 11, "a.ini|S"},
      {[](OperationLog& l) { l.inientrycreated("a.ini", "S", "k", 2); }, 7, "a.ini|S|k|2"},
      {[](OperationLog& l) { l.inientrydeleted("a.ini", "S", "k", "v", 1); }, 8, "a.ini|S|k|v|1"},
      {[](OperationLog& l) { l.inientrychanged("a.ini", "S", "k", "v", 0); }, 9, "a.ini|S|k|v|0"},
      {[](OperationLog& l) { l.groupcreated("G"); }, 12, "G"},
      {[](OperationLog& l) { l.groupdeleted("G"); }, 14, "G"},
      {[](OperationLog& l) { l.itemcreated("G", "I"); }, 13, "G|I"},
      {[](OperationLog& l) { l.itemdeleted("G", ItemImage("I", "i.exe")); }, 15, "G|item"},
      {[](OperationLog& l) { l.keycreated(2, "Software\\K"); }, 16, "2:Software\\K"},
      {[](OperationLog& l) { l.keydeleted(0, "Software\\K"); }, 17, "0:Software\\K"},
      {[](OperationLog& l) { l.valuecreated(2, "K", "v"); }, 18, "2:K|v"},
      {[](OperationLog& l) { l.valueoverwritten(2, "K", "v", 4, "abcd"); }, 19, "2:K|v|4|abcd"},
      {[](OperationLog& l) { l.valuedeleted(2, "K", "v", 1, "x"); }, 20, "2:K|v|1|x"},
      {[](OperationLog& l) { l.fontinstalled("f.ttf"); }, 21, "f.ttf"},
      {[](OperationLog& l) { l.datablock(5, "zz"); }, 22, "5|zz"},
  };
  for (const Case& c : cases) {
    RecordingLog log;
    log.state = 1;
    c.call(log);
    ASSERT_EQ(1u, log.records.size());
    EXPECT_EQ(c.type, log.records[0].type());
    EXPECT_EQ(1, log.records[0].state);
    EXPECT_EQ(c.fields, Fields(log.records[0])) << "type " << c.type;
  }
}

const std::string HeaderBytes = Le32(1) + Le32(2) + Le32(0x10002) + Le32(3) + Le32(50) +
                                "\x04"
                                "Demo";

LogHeader DemoHeader() {
  LogHeader header;
  header.dialogmode = 1;
  header.language = 2;
  header.versionhigh = 0x10002;
  header.versionlow = 3;
  header.mintime = 50;
  header.product = "Demo";
  return header;
}

TEST(OperationLogTest, GoldenFiles) {
  TempDir dir;
  std::string longPath(255, 'p');
  struct Case {
    const char* name;
    std::function<void(OperationLog&)> calls;
    std::string body;
  } cases[] = {
      {"header only", [](OperationLog&) {}, ""},
      {"records",
       [](OperationLog& l) {
         l.filecreated("c:\\a");
         l.state = 1;
         l.fileextended("c:\\b", 258);
         l.valueoverwritten(2, "K", "v", 4, std::string("\x01\x00\x00\x00", 4));
       },
       Le32(4) + Le32(0) +
           "\x04"
           "c:\\a" +
           Le32(5) + Le32(1) +
           "\x04"
           "c:\\b" +
           Le32(258) + Le32(19) + Le32(1) + "\x01K" + Le32(2) + "\x01v" + Le32(4) + Le32(4) +
           std::string("\x01\x00\x00\x00", 4)},
      {"long string", [&](OperationLog& l) { l.dirremoved(longPath.c_str()); },
       Le32(1) + Le32(0) + std::string("\xFF\xFF\x00", 3) + longPath},
  };
  for (const Case& c : cases) {
    std::string path = dir.file(std::string(c.name) + ".log");
    {
      auto writer = LogFileWriter::OpenLogPath(path.c_str(), DemoHeader());
      ASSERT_NE(nullptr, writer);
      c.calls(*writer);
    }
    EXPECT_EQ(HeaderBytes + c.body, readFile(path)) << c.name;
    LogHeader header;
    std::vector<std::unique_ptr<LogRecord>> records;
    std::string error;
    EXPECT_EQ(1, ReadLog(path.c_str(), header, records, error)) << c.name << ": " << error;
    EXPECT_EQ("Demo", header.product);
  }
  EXPECT_EQ("header dialogmode=1 language=2 version=65538.3 mintime=50 product=\"Demo\"\n"
            "4 file-created state=0 \"c:\\a\"\n"
            "5 file-extended state=1 \"c:\\b\" 258\n"
            "19 value-overwritten state=1 2:\"K\" \"v\" 4 bytes(01000000)\n",
            DumpLog(dir.file("records.log").c_str()));
}

TEST(OperationLogTest, OpenLogFileNamesTheLogInTheFolder) {
  TempDir dir;
  auto writer = LogFileWriter::OpenLogFile(dir.path().c_str(), DemoHeader());
  ASSERT_NE(nullptr, writer);
  EXPECT_EQ(dir.file("kxlog3.nnn"), writer->path());
  EXPECT_EQ(nullptr, LogFileWriter::OpenLogFile(dir.file("none\\x").c_str(), DemoHeader()));
}

TEST(OperationLogTest, StatesGiveStatuses) {
  TempDir dir;
  std::string path = dir.file("s.log");
  writeFile(path, HeaderBytes + Le32(4) + Le32(0) + Str("a") + Le32(4) + Le32(1) + Str("b") + Le32(4) +
                      Le32(2) + Str("c") + Le32(3) + Le32(0) + Str("d"));
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  ASSERT_EQ(1, ReadLog(path.c_str(), header, records, error));
  ASSERT_EQ(3u, records.size()) << "state 2 records are dropped";
  EXPECT_EQ(ToUndo, records[0]->status);
  EXPECT_EQ(Kept, records[1]->status);
  EXPECT_EQ("d", records[2]->text(0));
  EXPECT_EQ(CannotUndo, records[2]->status);
  EXPECT_TRUE(CanSwitchStatus(*records[0], Kept));
  EXPECT_TRUE(CanSwitchStatus(*records[1], ToUndo));
  EXPECT_FALSE(CanSwitchStatus(*records[2], ToUndo));
}

TEST(OperationLogTest, StateOutOfRangeIsACheckAndKept) {
  TempDir dir;
  std::string path = dir.file("s.log");
  writeFile(path, HeaderBytes + Le32(4) + Le32(7) + Str("a"));
  CheckRecorder checks;
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  ASSERT_EQ(1, ReadLog(path.c_str(), header, records, error));
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ(Kept, records[0]->status);
  EXPECT_EQ((std::vector<CheckRecorder::Pair>{{"OPLOG", 90}}), checks.seen);
}

TEST(OperationLogTest, BadDataIsRefused) {
  const std::string record = Le32(4) + Le32(0) + Str("a");
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"cut header", HeaderBytes.substr(0, 10)},
      {"cut type", HeaderBytes + record + "\x04\x00"},
      {"cut body", HeaderBytes + Le32(5) + Le32(0) + Str("a") + "\x01"},
      {"type 23", HeaderBytes + Le32(23) + Le32(0)},
      {"negative type", HeaderBytes + Le32(-1) + Le32(0)},
      {"path of 260 characters", HeaderBytes + Le32(4) + Le32(0) + Str(std::string(260, 'x'))},
      {"key path of 300 characters", HeaderBytes + Le32(16) + Le32(0) + Str(std::string(300, 'k')) + Le32(2)},
      {"negative size", HeaderBytes + Le32(22) + Le32(0) + Le32(1) + Le32(-4)},
      {"size past the end", HeaderBytes + Le32(22) + Le32(0) + Le32(1) + Le32(100) + "abc"},
      {"value size past the end",
       HeaderBytes + Le32(19) + Le32(0) + Str("K") + Le32(2) + Str("v") + Le32(1) + Le32(0x7FFFFFFF)},
      {"cut item", HeaderBytes + Le32(15) + Le32(0) + Str("G") + std::string(1000, 'i')},
  };
  TempDir dir;
  for (const Case& c : cases) {
    std::string path = dir.file("bad.log");
    writeFile(path, c.bytes);
    LogHeader header;
    std::vector<std::unique_ptr<LogRecord>> records;
    std::string error;
    EXPECT_EQ(0, ReadLog(path.c_str(), header, records, error)) << c.name;
    EXPECT_EQ("Log file contains bad data", error) << c.name;
  }
  std::string error;
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  EXPECT_EQ(0, ReadLog(dir.file("none.log").c_str(), header, records, error));
  EXPECT_EQ("Unable to open " + dir.file("none.log"), error);
}

TEST(OperationLogTest, ItemImageTerminatorsAreForced) {
  TempDir dir;
  std::string path = dir.file("i.log");
  writeFile(path, HeaderBytes + Le32(15) + Le32(0) + Str("G") + std::string(1112, 'i'));
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  ASSERT_EQ(1, ReadLog(path.c_str(), header, records, error));
  ProgramItem item;
  unsigned char image[ProgramItem::ImageSize];
  records[0]->text(1).copy(reinterpret_cast<char*>(image), ProgramItem::ImageSize);
  item.fromimage(image);
  EXPECT_EQ(std::string(59, 'i'), item.name);
}

// Fails every write after the header.
class FailingWriter : public LogFileWriter {
public:
  static std::unique_ptr<FailingWriter> Open(const std::string& path) {
    std::unique_ptr<FailingWriter> writer(new FailingWriter(std::fopen(path.c_str(), "wb"), path));
    return writer;
  }
  int puts = 0;

protected:
  using LogFileWriter::LogFileWriter;
  int Put(const std::string&) override { return ++puts, 0; }
};

TEST(OperationLogTest, FirstWriteErrorIsReportedOnceAndWritingStops) {
  TempDir dir;
  auto writer = FailingWriter::Open(dir.file("w.log"));
  testsupport::ModalAnswerer answerer;
  answerer.answer("Unable to write the log file", IDOK);
  writer->filecreated("a");
  writer->filecreated("b");
  EXPECT_EQ(1, writer->failed());
  EXPECT_EQ(1, writer->puts);
  EXPECT_EQ(1u, answerer.seen().size());
}

// Writes half of the second record, as a full disk would, and fails.
class HalfWriter : public LogFileWriter {
public:
  static std::unique_ptr<HalfWriter> Open(const std::string& path) {
    std::unique_ptr<HalfWriter> writer(new HalfWriter(std::fopen(path.c_str(), "wb"), path));
    StringOStream header;
    LogHeader().write(header);
    writer->LogFileWriter::Put(header.bytes);
    return writer;
  }

protected:
  using LogFileWriter::LogFileWriter;
  int Put(const std::string& bytes) override {
    if (++puts_ != 2)
      return LogFileWriter::Put(bytes);
    LogFileWriter::Put(bytes.substr(0, bytes.size() / 2));
    return 0;
  }

private:
  int puts_ = 0;
};

TEST(OperationLogTest, AFailedWriteLeavesTheLogReadableUpToItsLastWholeRecord) {
  TempDir dir;
  std::string path = dir.file("w.log");
  {
    auto writer = HalfWriter::Open(path);
    testsupport::ModalAnswerer answerer;
    answerer.answer("Unable to write the log file", IDOK);
    writer->filecreated("c:\\whole.txt");
    writer->filecreated("c:\\half.txt");
    EXPECT_EQ(1, writer->failed());
  }
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  ASSERT_EQ(1, ReadLog(path.c_str(), header, records, error)) << error;
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ("c:\\whole.txt", records[0]->text(0));
}

// What the reader would refuse is never written: such a record stays out alone, and the log goes on.
TEST(OperationLogTest, ARecordTooLargeForTheFormatIsRefusedAlone) {
  TempDir dir;
  std::string path = dir.file("w.log");
  std::string longPath = "c:\\" + std::string(300, 'p');
  std::string longValue(70000, 'v');
  testsupport::ModalAnswerer answerer;
  answerer.answerAlways("too large", IDOK);
  {
    auto writer = LogFileWriter::OpenLogPath(path.c_str(), LogHeader());
    ASSERT_TRUE(writer);
    writer->filecreated(longPath.c_str());
    writer->filecreated("c:\\a.txt");
    writer->inientrychanged("c:\\a.ini", "S", "k", longValue.c_str(), 0);
    writer->keycreated(2, ("Software\\" + std::string(300, 'k')).c_str());
    writer->inientrychanged("c:\\a.ini", "S", "k", std::string(65535, 'v').c_str(), 0);
    EXPECT_EQ(0, writer->failed());
  }
  EXPECT_EQ(3u, answerer.seen().size()) << answerer.describeSeen();
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  ASSERT_EQ(1, ReadLog(path.c_str(), header, records, error)) << error;
  ASSERT_EQ(2u, records.size());
  EXPECT_EQ("c:\\a.txt", records[0]->text(0));
  EXPECT_EQ(65535u, records[1]->text(3).size()) << "the longest text the format holds reads back";
}

} // namespace

namespace {

TEST(LogTextTest, SummariesAndDetailsNameTheChange) {
  RecordingLog log;
  log.fileextended("c:\\a.txt", 12);
  log.inientrydeleted("a.ini", "S", "k", "old", 1);
  log.itemdeleted("G", ItemImage("Tool", "tool.exe /x"));
  log.valuecreated(2, "Software\\K", "v");
  log.datablock(7, "x");
  struct Case {
    const char* summary;
    const char* detail;
  } expected[] = {
      {"File c:\\a.txt extended", "File: c:\\a.txt\nOld size: 12"},
      {"Entry k deleted", "File: a.ini\nSection: S\nEntry: k\nOld value: old\nOccurrence: 1"},
      {"Item Tool deleted", "Group: G\nItem: Tool\nCommand line: tool.exe /x\nFolder: "},
      {"Value HKCU\\Software\\K v created", "Key: HKCU\\Software\\K\nValue: v"},
      {"Data block 7", "Number: 7"},
  };
  ASSERT_EQ(5u, log.records.size());
  for (size_t i = 0; i < log.records.size(); ++i) {
    EXPECT_EQ(expected[i].summary, LogSummary(log.records[i]));
    EXPECT_EQ(expected[i].detail, LogDetail(log.records[i]));
  }
  log.records[0].status = UndoFailed;
  EXPECT_EQ("Undo failed", LogRecordText(log.records[0]));
}

TEST(LogTextTest, FillTextNeverReadsPastItsArguments) {
  EXPECT_EQ("a b ", FillText("%s %s %s", {"a", "b"}));
  EXPECT_EQ("100% 12 x %q", FillText("100%% %ld %s %q", {"12", "x"}));
  EXPECT_EQ("Size: 7, ", FillText("Size: %d, %u", {"7"}));
}

} // namespace
