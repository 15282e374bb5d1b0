#include <calendar/data/CEventFile.h>

#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/DialogSteps.h>
#include <clock/Clock.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>

namespace {

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kHeader = "Calvorne 2.00 Event File";

void put(std::string& image, size_t offset, const std::string& value) {
  image.replace(offset, value.size(), value);
}

// The event of the hand-computed record below.
std::unique_ptr<CEventItem> sampleEvent() {
  auto e = std::make_unique<CEventItem>();
  e->month = 12;
  e->day = 9;
  e->year = -1;
  e->eventTime = 615;
  e->leadMinutes = 15;
  e->alarmEnabled = 1;
  e->daysPrior = 300;
  e->name = "Dentist";
  e->type = std::string(39, 'T');
  e->notes = "Bring card";
  e->notifyDisabled = 0;
  e->monthly = 0;
  e->yearly = 1;
  e->noYear = 1;
  e->oneTime = 0;
  e->custom = 0;
  e->quarterMask = 15;
  e->monthMask = 4095;
  e->weekMask = 0;
  e->weekdayMask = 0;
  e->patternYear = -1;
  e->weekly = 0;
  e->weeksInterval = 1;
  return e;
}

std::string sampleRecord() {
  std::string r(458, '\0');
  put(r, 0, bytes({0x0C, 0x00}));   // month 12
  put(r, 2, bytes({0x09, 0x00}));   // day 9
  put(r, 4, bytes({0xFF, 0xFF}));   // year -1
  put(r, 6, bytes({0x67, 0x02}));   // 10:15 = 615 minutes
  put(r, 8, bytes({0x0F, 0x00}));   // lead 15
  put(r, 10, bytes({0x01, 0x00}));  // alarm on
  put(r, 12, bytes({0x2C, 0x01}));  // 300 days prior
  put(r, 14, "Dentist");            // name; zeros to 53
  put(r, 54, std::string(39, 'T')); // type; byte 93 is its terminator
  put(r, 94, "Bring card");         // notes; zeros to 293
  put(r, 298, bytes({0x01, 0x00})); // yearly
  put(r, 300, bytes({0x01, 0x00})); // no year
  put(r, 306, bytes({0x0F, 0x00})); // quarter mask 15
  put(r, 308, bytes({0xFF, 0x0F})); // month mask 4095
  put(r, 314, bytes({0xFF, 0xFF})); // pattern year -1
  put(r, 318, bytes({0x01, 0x00})); // every week
  return r;                         // 320..457 reserved zeros
}

std::string oldRecord() {
  std::string r(112, '\0');
  put(r, 0, bytes({0x03, 0x00}));  // month 3
  put(r, 2, bytes({0x11, 0x00}));  // day 17
  put(r, 4, bytes({0xC6, 0x07}));  // 1990
  put(r, 6, bytes({0x07, 0x00}));  // 7 days prior
  put(r, 8, std::string(21, 'N')); // name without a terminator: 20 characters count
  put(r, 29, "Birthday");
  put(r, 44, bytes({0x01, 0x00}));  // notify disabled
  put(r, 48, bytes({0x01, 0x00}));  // yearly
  put(r, 52, bytes({0x00, 0x00}));  // not one time
  put(r, 54, std::string(58, 'x')); // unused bytes
  return r;
}

class CEventFileTest : public CalendarFixture {
protected:
  std::string eventsPath() const { return file("events20.dat"); }
  // The file holds `bytes` but another program holds it open while it is read: the list stays empty.
  void readWhileHeld(const std::string& bytes, CEventArray& list) {
    ASSERT_TRUE(writeFile(eventsPath(), bytes));
    HANDLE lock = CreateFileA(eventsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    answerer.answer("could not be read", IDOK);
    EXPECT_EQ(events.ReadEvents(list), 0);
    CloseHandle(lock);
  }
  // The start-up load lists the current file's one event, and the file is as it was.
  void expectTheCurrentEventLoaded(const std::string& current) {
    CEventArray list;
    EXPECT_EQ(events.LoadEvents(list), 1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->name, "Dentist");
    EXPECT_EQ(readFile(eventsPath()), current);
  }
  platform::ClockOverride clock{2026, 12, 9};
  CEventFile events;
};

TEST_F(CEventFileTest, PacksARecordByteForByte) {
  EXPECT_EQ(CEventFile::PackEventRecord(*sampleEvent()), sampleRecord());
}

TEST_F(CEventFileTest, UnpacksSignedFieldsAndBoundedTexts) {
  std::string record = sampleRecord();
  auto e = CEventFile::UnpackEventRecord(record.data());
  EXPECT_EQ(e->year, -1);
  EXPECT_EQ(e->patternYear, -1);
  EXPECT_EQ(e->daysPrior, 300);
  EXPECT_EQ(e->eventTime, 615);
  EXPECT_EQ(e->monthMask, 4095);
  EXPECT_EQ(e->type, std::string(39, 'T'));
  EXPECT_EQ(e->notes, "Bring card");
  EXPECT_EQ(e->RecurrenceKind(), CEventItem::Kind::Yearly);
  EXPECT_EQ(CEventFile::PackEventRecord(*e), record);

  put(record, 14, std::string(40, 'N')); // a name slot with no terminator
  put(record, 296, bytes({0x01, 0x00})); // monthly with a month mask of 0
  put(record, 308, bytes({0x00, 0x00}));
  e = CEventFile::UnpackEventRecord(record.data());
  EXPECT_EQ(e->name, std::string(39, 'N'));
  EXPECT_EQ(e->type, std::string(39, 'T'));
  EXPECT_EQ(e->monthMask, 4095);
}

TEST_F(CEventFileTest, ReadsFilesOfEveryShape) {
  std::string one = sampleRecord();
  struct Case {
    const char* name;
    std::optional<std::string> content; // none: no file
    int result;
    size_t count;
    int fileMissing;
    const char* message; // nullptr: none
  } cases[] = {
      {"missing", std::nullopt, 0, 0, 1, nullptr},
      {"empty", std::string(), 0, 0, 0, "Not a Valid 2.0 File"},
      {"header only", kHeader, 1, 0, 0, nullptr},
      {"two records", kHeader + one + one, 1, 2, 0, nullptr},
      {"cut in mid-record", kHeader + one + one.substr(0, 200), 1, 1, 0, nullptr},
      {"bad header", "Calvorne 1.00 Event File" + one, 0, 0, 0, "Not a Valid 2.0 File"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(eventsPath().c_str());
    if (c.content) {
      ASSERT_TRUE(writeFile(eventsPath(), *c.content));
    }
    ModalAnswerer boxes;
    if (c.message)
      boxes.answer(c.message, IDOK);
    CEventArray list;
    EXPECT_EQ(events.ReadEvents(list), c.result);
    EXPECT_EQ(list.size(), c.count);
    EXPECT_EQ(events.fileMissing, c.fileMissing);
    EXPECT_EQ(boxes.seen().size(), c.message ? 1u : 0u) << boxes.describeSeen();
    for (size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(list[i]->listIndex, static_cast<int>(i));
    }
  }
}

TEST_F(CEventFileTest, AppendCreatesTheFileAndWritesWholeRecords) {
  auto e = sampleEvent();
  ASSERT_EQ(events.AppendEvent(*e), 1);
  EXPECT_EQ(readFile(eventsPath()), kHeader + sampleRecord());

  // A record cut short by an earlier failed write is dropped before the next one goes on.
  ASSERT_TRUE(writeFile(eventsPath(), kHeader + sampleRecord() + sampleRecord().substr(0, 100)));
  ASSERT_EQ(events.AppendEvent(*e), 1);
  EXPECT_EQ(readFile(eventsPath()), kHeader + sampleRecord() + sampleRecord());

  ASSERT_TRUE(writeFile(eventsPath(), ""));
  ASSERT_EQ(events.AppendEvent(*e), 1);
  EXPECT_EQ(readFile(eventsPath()), kHeader + sampleRecord());
}

TEST_F(CEventFileTest, AForeignFileIsNeverOverwritten) {
  const std::string foreign = "Some other program's data, kept safe";
  ASSERT_TRUE(writeFile(eventsPath(), foreign));
  answerer.answerAlways("is not a valid 2.0 event file", IDOK);
  CEventArray list;
  list.push_back(sampleEvent());
  EXPECT_EQ(events.AppendEvent(*list[0]), 0);
  EXPECT_EQ(events.WriteEvents(list), 0);
  EXPECT_EQ(readFile(eventsPath()), foreign);
  EXPECT_EQ(answerer.seen().size(), 2u) << answerer.describeSeen();
}

TEST_F(CEventFileTest, AFileThatCannotBeReadIsReportedAndKept) {
  const std::string current = kHeader + sampleRecord();
  ASSERT_TRUE(writeFile(eventsPath(), current));
  HANDLE lock = CreateFileA(eventsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  answerer.answer("could not be read", IDOK);
  answerer.answerAlways("is not a valid 2.0 event file", IDOK);
  CEventArray list;
  EXPECT_EQ(events.ReadEvents(list), 0);
  EXPECT_EQ(events.fileMissing, 0);
  list.push_back(sampleEvent());
  EXPECT_EQ(events.AppendEvent(*list[0]), 0);
  EXPECT_EQ(events.WriteEvents(list), 0);
  CloseHandle(lock);
  EXPECT_EQ(readFile(eventsPath()), current);
  EXPECT_EQ(answerer.seen().size(), 3u) << answerer.describeSeen();
}

// A file held by another program at start-up reads as an empty list; once it is free again, a rewrite
// would put the partial list in its place.
TEST_F(CEventFileTest, AFileNotReadWholeIsRewrittenOnlyWhenTheUserAgrees) {
  const std::string current = kHeader + sampleRecord() + sampleRecord();
  CEventArray list;
  readWhileHeld(current, list);
  list.push_back(sampleEvent());

  answerer.answer("could not be read completely", IDNO);
  EXPECT_EQ(events.WriteEvents(list), 0);
  EXPECT_EQ(readFile(eventsPath()), current);

  answerer.answer("could not be read completely", IDYES);
  EXPECT_EQ(events.WriteEvents(list), 1);
  EXPECT_EQ(readFile(eventsPath()), kHeader + sampleRecord());
  EXPECT_EQ(events.WriteEvents(list), 1) << "asked once: the file now holds the list";
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CEventFileTest, WriteReplacesTheWholeFileOrLeavesItAlone) {
  CEventArray list;
  list.push_back(sampleEvent());
  list.push_back(sampleEvent());
  list[1]->name = "Second";
  ASSERT_EQ(events.WriteEvents(list), 1);
  std::string written = readFile(eventsPath());
  ASSERT_EQ(written.size(), 24u + 2 * 458);

  CEventArray back;
  ASSERT_EQ(events.ReadEvents(back), 1);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1]->name, "Second");

  // The new file cannot be made: the user is told and the old file stays whole.
  ASSERT_TRUE(CreateDirectoryA((eventsPath() + ".new").c_str(), nullptr));
  answerer.answer("could not be saved", IDOK);
  list.pop_back();
  EXPECT_EQ(events.WriteEvents(list), 0);
  EXPECT_EQ(readFile(eventsPath()), written);
  EXPECT_EQ(answerer.pending(), 0u);
}

// A load's texts share a few large blocks: they must stay whole however the events are then deleted,
// changed, copied and added to, across more events than one block holds.
TEST_F(CEventFileTest, LoadedTextsStayWholeAsTheListChanges) {
  auto textOf = [](char kind, size_t i, size_t width) {
    std::string text = kind + std::to_string(i) + ":";
    return text + std::string(width - 1 - text.size() - i % 7, static_cast<char>('a' + i % 26));
  };
  const size_t count = 700;
  CEventArray list;
  for (size_t i = 0; i < count; ++i) {
    list.push_back(sampleEvent());
    list[i]->name = textOf('N', i, 40);
    list[i]->type = i % 3 ? textOf('T', i, 40) : "";
    list[i]->notes = textOf('X', i, 200);
  }
  ASSERT_EQ(events.WriteEvents(list), 1);
  list.clear();

  CEventArray back;
  ASSERT_EQ(events.ReadEvents(back), 1);
  ASSERT_EQ(back.size(), count);
  CEventItem copy = *back[5];
  for (size_t i = 0; i < count; i += 2)
    back[i].reset();
  back[1]->notes = "changed";
  back[3]->name = back[3]->name.View().substr(2); // part of its own text
  back[7]->notes = std::string(300, 'L');
  ASSERT_EQ(events.ReadEvents(back), 1) << "a second load beside the first";
  EXPECT_EQ(back.size(), 2 * count);
  for (size_t i = 1; i < count; i += 2) {
    SCOPED_TRACE(i);
    ASSERT_EQ(back[i]->name, i == 3 ? textOf('N', 3, 40).substr(2) : textOf('N', i, 40));
    ASSERT_EQ(back[i]->type, i % 3 ? textOf('T', i, 40) : "");
    ASSERT_EQ(back[i]->notes, i == 1 ? "changed" : i == 7 ? std::string(300, 'L') : textOf('X', i, 200));
    ASSERT_EQ(std::strlen(back[i]->notes.c_str()), back[i]->notes.size());
    ASSERT_EQ(back[count + i]->notes, textOf('X', i, 200));
  }
  back.clear();
  EXPECT_EQ(copy.name, textOf('N', 5, 40)) << "a copied event keeps its texts when the list goes";
  EXPECT_EQ(copy.notes + "!", textOf('X', 5, 200) + "!");
}

TEST_F(CEventFileTest, AnUnwritableFolderReportsEveryFailedSave) {
  DataFolder::Set(file("no such folder"));
  answerer.answerAlways("could not be saved", IDOK);
  CEventArray list;
  list.push_back(sampleEvent());
  EXPECT_EQ(events.AppendEvent(*list[0]), 0);
  EXPECT_EQ(events.WriteEvents(list), 0);
  EXPECT_EQ(answerer.seen().size(), 2u) << answerer.describeSeen();
}

TEST_F(CEventFileTest, ConvertsAPreviousVersionRecord) {
  std::string record = oldRecord();
  auto e = CEventFile::UnpackOldEventRecord(record.data());
  EXPECT_EQ(e->month, 3);
  EXPECT_EQ(e->day, 17);
  EXPECT_EQ(e->year, 1990);
  EXPECT_EQ(e->daysPrior, 7);
  EXPECT_EQ(e->name, std::string(20, 'N'));
  EXPECT_EQ(e->type, "Birthday");
  EXPECT_EQ(e->notifyDisabled, 1);
  EXPECT_EQ(e->RecurrenceKind(), CEventItem::Kind::Yearly);
  EXPECT_EQ(e->eventTime, -1);
  EXPECT_EQ(e->leadMinutes, 10);
  EXPECT_EQ(e->alarmEnabled, 0);
  EXPECT_EQ(e->notes, "");
  EXPECT_EQ(e->quarterMask, 15);
  EXPECT_EQ(e->monthMask, 4095);
  EXPECT_EQ(e->weekMask, 0);
  EXPECT_EQ(e->weekdayMask, 0);
  EXPECT_EQ(e->patternYear, -1);
  EXPECT_EQ(e->weeksInterval, 1);
}

TEST_F(CEventFileTest, ConversionReplacesTheFileOnlyWhenItCompleted) {
  const std::string current = kHeader + sampleRecord();
  ASSERT_TRUE(writeFile(eventsPath(), current));
  CEventArray list;
  ASSERT_EQ(events.ReadEvents(list), 1);

  // No previous-version file: nothing is replaced, nothing is emptied.
  EXPECT_EQ(events.ConvertAndRewrite(list), 0);
  EXPECT_EQ(events.fileMissing, 1);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(readFile(eventsPath()), current);
  EXPECT_FALSE(fileExists(file("events20.old")));

  ASSERT_TRUE(writeFile(file("events.dat"), oldRecord() + oldRecord() + oldRecord().substr(0, 50)));
  EXPECT_EQ(events.ConvertAndRewrite(list), 1);
  EXPECT_EQ(readFile(file("events20.old")), current);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1]->listIndex, 1);
  EXPECT_EQ(list[0]->type, "Birthday");
  EXPECT_EQ(readFile(eventsPath()),
            kHeader + CEventFile::PackEventRecord(*list[0]) + CEventFile::PackEventRecord(*list[1]));
}

// A conversion that cannot finish changes no file: the kept copy of an earlier conversion survives.
TEST_F(CEventFileTest, AFailedConversionChangesNoFile) {
  const std::string current = kHeader + sampleRecord();
  struct Case {
    const char* name;
    std::function<HANDLE()> obstruct; // answers a handle to close afterwards, or null
  } cases[] = {
      {"the converted file cannot be made",
       [&] {
         CreateDirectoryA((eventsPath() + ".new").c_str(), nullptr);
         return HANDLE(nullptr);
       }},
      {"the current file is in use and cannot be replaced",
       [&] {
         return CreateFileA(eventsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(writeFile(eventsPath(), current));
    ASSERT_TRUE(writeFile(file("events20.old"), "earlier"));
    ASSERT_TRUE(writeFile(file("events.dat"), oldRecord()));
    CEventArray list;
    list.push_back(sampleEvent());
    HANDLE held = c.obstruct();
    EXPECT_EQ(events.ConvertAndRewrite(list), 0);
    if (held)
      CloseHandle(held);
    RemoveDirectoryA((eventsPath() + ".new").c_str());
    EXPECT_EQ(readFile(eventsPath()), current);
    EXPECT_EQ(readFile(file("events20.old")), "earlier");
    EXPECT_EQ(list.size(), 1u);
    for (const char* left : {"events20.dat.new", "events20.old.new", "events20.old.prev"})
      EXPECT_FALSE(fileExists(file(left))) << left;
  }
}

TEST_F(CEventFileTest, StartUpOffersTheConversionOnceOnTheFirstRun) {
  ASSERT_TRUE(writeFile(eventsPath(), kHeader + sampleRecord()));
  ASSERT_TRUE(writeFile(file("events.dat"), oldRecord()));
  const std::string convertedName(20, 'N');
  struct Case {
    const char* name;
    int firstRun;
    int answer; // 0: no question
    const char* expectedName;
  } cases[] = {
      {"declined: the current file is read", 1, IDNO, "Dentist"},
      {"not the first run: no question", 0, 0, "Dentist"},
      {"accepted: the old file is converted", 1, IDYES, convertedName.c_str()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppSettings().firstRun = c.firstRun;
    ModalAnswerer boxes;
    if (c.answer) {
      boxes.answer("Convert file to 2.0 format?", c.answer);
      if (c.answer == IDNO)
        boxes.answer("Event file not converted.", IDOK);
    }
    CEventArray list;
    EXPECT_EQ(events.LoadEvents(list), 1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->name, c.expectedName);
    EXPECT_EQ(boxes.pending(), 0u) << boxes.describeSeen();
    EXPECT_EQ(AppSettings().firstRun, 0);
    EXPECT_NE(readFile(file("calvorne.ini")).find("firstrun=0"), std::string::npos);
  }
  EXPECT_EQ(readFile(file("events20.old")), kHeader + sampleRecord());
}

TEST_F(CEventFileTest, AFailedConversionAtStartUpKeepsTheCurrentEvents) {
  const std::string current = kHeader + sampleRecord();
  ASSERT_TRUE(writeFile(eventsPath(), current));
  ASSERT_TRUE(writeFile(file("events.dat"), oldRecord()));
  ASSERT_TRUE(
      CreateDirectoryA((eventsPath() + ".new").c_str(), nullptr)); // the converted file cannot be made
  answerer.answer("Convert file to 2.0 format?", IDYES);
  answerer.answer("Error converting file.", IDOK);
  expectTheCurrentEventLoaded(current);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// A user who takes a question's default with Enter.
class CEventFileByUser : public CEventFileTest {};

TEST_F(CEventFileByUser, EnterOnTheReplaceQuestionKeepsTheFile) {
  const std::string current = kHeader + sampleRecord() + sampleRecord();
  CEventArray list;
  readWhileHeld(current, list);
  list.push_back(sampleEvent());
  answerer.enterOn("Replace the file with the events in the list?");
  EXPECT_EQ(events.WriteEvents(list), 0);
  EXPECT_EQ(readFile(eventsPath()), current);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CEventFileByUser, EnterOnTheStartUpConversionQuestionKeepsTheCurrentEvents) {
  const std::string current = kHeader + sampleRecord();
  ASSERT_TRUE(writeFile(eventsPath(), current));
  ASSERT_TRUE(writeFile(file("events20.old"), "kept by an earlier restore"));
  ASSERT_TRUE(writeFile(file("events.dat"), oldRecord()));
  AppSettings().firstRun = 1;
  answerer.enterOn("Convert file to 2.0 format?");
  answerer.answer("Event file not converted.", IDOK);
  expectTheCurrentEventLoaded(current);
  EXPECT_EQ(readFile(file("events20.old")), "kept by an earlier restore");
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
