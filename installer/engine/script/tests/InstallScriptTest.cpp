#include <engine/tests/ScriptSamples.h>
#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/memorystreams.h>

#include <engine/script/InstallScript.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class InstallScriptTest : public testing::Test {
protected:
  void SetUp() override { RegisterEventTypes(); }
  void TearDown() override { ReleaseEventTypes(); }

  int load(const std::string& bytes) {
    memistream stream(bytes);
    return script.read(stream);
  }

  InstallScript script;
};

void expectRichMembers(InstallScript& script) {
  EXPECT_EQ(302, script.version);
  EXPECT_EQ(7, script.reserved);
  EXPECT_EQ(104, script.header[4]);
  EXPECT_EQ(104, script.workingHeader[4]);
  EXPECT_EQ(3, script.product->values[2]);
  EXPECT_EQ(-5, script.product->figures[1]);
  EXPECT_EQ("Product", script.product->name);
  ASSERT_EQ(2u, script.build->entries.size());
  EXPECT_EQ("b.txt", script.build->entries[1].target);
  const BuildStyle* style = script.build->currentstyle();
  ASSERT_NE(nullptr, style);
  EXPECT_EQ(2, style->numbers[StyleRunMode]);
  EXPECT_EQ(1, style->unattended());
  EXPECT_EQ(2847, style->numbers[StyleNumber4]);
  EXPECT_EQ("Program files", std::string(style->groups.at(0).name()));
  EXPECT_EQ("to", style->directories.at(0).to);
  EXPECT_EQ("c:\\temp", style->folders[2]);
  EXPECT_EQ(2u, style->diskLabels.size());
  ASSERT_EQ(2, script.events.count());
  Event* copy = script.events.at(1);
  EXPECT_EQ(3, copy->type());
  EXPECT_EQ(2, copy->logState);
  EXPECT_EQ(1, copy->componentBound);
  EXPECT_EQ("x > 1", copy->condition);
  EXPECT_EQ("copy", copy->comment);
  EXPECT_EQ((std::vector<unsigned>{0, 1}), copy->fields.references[0]);
  EXPECT_EQ(1, script.auxiliary.entries.at(0).marked);
  EXPECT_EQ("aux.dst", script.auxiliary.entries.at(0).target);
  ASSERT_EQ(1, script.components.count());
  EXPECT_EQ((std::vector<int>{1}), script.components.at(0)->events);
  ASSERT_NE(nullptr, script.dialogs.find("OPTIONS"));
  EXPECT_EQ("answer", script.dialogs.find("options")->controls.at(0).text);
  EXPECT_EQ("eighth", script.texts->texts[7]);
  EXPECT_EQ(1, script.languages.defaultLanguage);
  EXPECT_EQ(1, script.languages.offered[9]);
  EXPECT_EQ("second", script.languages.paths[1]);
  EXPECT_EQ(3, script.screen->sizingMode);
  EXPECT_EQ(1u, script.screen->texts.size());
  EXPECT_EQ(0x123456, script.screen->corners[3]);
  EXPECT_EQ(0x654321, script.screen->activity.colours[1]);
  EXPECT_EQ("back.bmp", script.screen->background.path);
  EXPECT_EQ(2u, script.options->mediaMode);
  EXPECT_EQ("App", script.options->group);
  EXPECT_EQ(250, script.flags->minimumMillisecondsPerFile);
}

TEST_F(InstallScriptTest, EveryMemberIsReadInBothWidths) {
  for (int width : {32, 16}) {
    ASSERT_EQ(1, load(WriteScript(RichScript(302, width)).bytes)) << width;
    EXPECT_EQ(1, script.loaded);
    EXPECT_EQ(0, script.changes);
    expectRichMembers(script);
  }
}

TEST_F(InstallScriptTest, OlderVersionsLoadAsTheLatest) {
  ASSERT_EQ(1, load(WriteScript(RichScript(300, 32)).bytes));
  EXPECT_EQ(302, script.version);
  EXPECT_EQ(1, script.changes);
  EXPECT_EQ(0, script.components.count());
  EXPECT_TRUE(script.dialogs.dialogs.empty());
  EXPECT_EQ(2, script.events.count());

  ASSERT_EQ(1, load(WriteScript(RichScript(301, 32)).bytes));
  EXPECT_EQ(1, script.components.count());
  EXPECT_TRUE(script.dialogs.controls.empty());
  EXPECT_EQ(1u, script.dialogs.dialogs.size());
}

// The loaded events live in one block of the list's own while an added one lives apart: both must
// stay where they are, keep file order, and go when the list is read again.
TEST_F(InstallScriptTest, LoadedAndAddedEventsKeepTheirPlaceUntilTheNextRead) {
  ASSERT_EQ(1, load(WriteScript(RichScript(302, 32)).bytes));
  Event* first = script.events.at(0);
  Event* copy = script.events.at(1);
  Event* added = FindEventType(3)->create();
  ASSERT_NE(nullptr, added);
  script.events.append(added);

  ASSERT_EQ(3, script.events.count());
  EXPECT_EQ(first, script.events.at(0));
  EXPECT_EQ(copy, script.events.at(1));
  EXPECT_EQ(added, script.events.at(2));
  EXPECT_EQ(1, script.events.indexof(copy));
  EXPECT_EQ(2, script.events.indexof(added));
  EXPECT_EQ("x > 1", copy->condition);

  ASSERT_EQ(1, load(WriteScript(RichScript(302, 32)).bytes));
  EXPECT_EQ(2, script.events.count());
  EXPECT_EQ("copy", script.events.at(1)->comment);
}

TEST_F(InstallScriptTest, TrailingBytesAreIgnored) {
  EXPECT_EQ(1, load(WriteScript(RichScript(302, 32)).bytes + "trailing"));
}

// Scripts written before the file times end after the flags record and load with no times; a script
// with times carries one per entry after its last member.
TEST_F(InstallScriptTest, FileTimesFollowTheLastMember) {
  for (int width : {32, 16}) {
    SCOPED_TRACE(width);
    ScriptDraft draft = RichScript(302, width);
    ScriptImage without = WriteScript(draft);
    EXPECT_EQ(without.memberEnds[15], without.bytes.size());
    ASSERT_EQ(1, load(without.bytes));
    EXPECT_EQ(0u, script.build->entries[0].time);

    draft.build.entries[0].time = 0x01D2345678ABCDEFull;
    draft.build.entries[1].time = 0xFFFFFFFF00000001ull;
    ScriptImage with = WriteScript(draft);
    std::string count = width == 32 ? std::string("\2\0\0\0", 4) : std::string("\2\0", 2);
    EXPECT_EQ("TIME" + count + std::string("\xEF\xCD\xAB\x78\x56\x34\xD2\x01\1\0\0\0\xFF\xFF\xFF\xFF", 16),
              with.bytes.substr(without.bytes.size()));
    ASSERT_EQ(1, load(with.bytes));
    EXPECT_EQ(0x01D2345678ABCDEFull, script.build->entries[0].time);
    EXPECT_EQ(0xFFFFFFFF00000001ull, script.build->entries[1].time);
    expectRichMembers(script);
  }
}

// The members' checks follow the times, or the last member when there are none; a script with checks
// for some entries only would fail good files, so only one whose every entry has a check carries them.
TEST_F(InstallScriptTest, FileChecksFollowTheTimes) {
  for (int withTimes : {0, 1}) {
    SCOPED_TRACE(withTimes ? "with times" : "without times");
    ScriptDraft draft = RichScript(302, 32);
    draft.build.entries[0].time = withTimes ? 0x01D2345678ABCDEFull : 0;
    draft.build.entries[0].checked = 1;
    draft.build.entries[0].crc = 0xCBF43926ul;
    ScriptImage partly = WriteScript(draft);
    ASSERT_EQ(1, load(partly.bytes));
    EXPECT_EQ(0, script.build->entries[0].checked) << "an entry of two has a check: none is written";

    draft.build.entries[1].checked = 1;
    draft.build.entries[1].crc = 0;
    ScriptImage with = WriteScript(draft);
    EXPECT_EQ("CRCS" + std::string("\2\0\0\0\x26\x39\xF4\xCB\0\0\0\0", 12),
              with.bytes.substr(partly.bytes.size()));
    ASSERT_EQ(1, load(with.bytes));
    EXPECT_EQ(withTimes ? 0x01D2345678ABCDEFull : 0, script.build->entries[0].time);
    for (int i : {0, 1})
      EXPECT_EQ(1, script.build->entries[i].checked) << i;
    EXPECT_EQ(0xCBF43926ul, script.build->entries[0].crc);
    EXPECT_EQ(0ul, script.build->entries[1].crc);
    expectRichMembers(script);
  }
}

struct Damage {
  const char* name;
  std::string bytes;
};

TEST_F(InstallScriptTest, DamagedScriptsFailTheLoad) {
  ScriptImage image = WriteScript(RichScript(302, 32));
  ScriptDraft language = RichScript(302, 32);
  language.languages.defaultLanguage = 14;
  auto screen = [](auto change) {
    ScriptDraft draft = RichScript(302, 32);
    change(draft.screen);
    return WriteScript(draft).bytes;
  };
  ScriptDraft type54 = RichScript(302, 32);
  type54.events.push_back(DraftEvent(54));
  auto withNul = [](auto change) {
    ScriptDraft draft = RichScript(302, 32);
    change(draft);
    return WriteScript(draft).bytes;
  };
  auto corrupted = [](Corruption corruption) {
    return WriteCorrupted(RichScript(302, 32), corruption).bytes;
  };
  const Damage rows[] = {
      {"empty file", ""},
      {"width 0x11", corrupted(Corruption::WidthByte)},
      {"version 303", corrupted(Corruption::Version)},
      {"cut after member 3", TruncatedAfter(image, 3)},
      {"cut after member 5", TruncatedAfter(image, 5)},
      {"cut after member 9", TruncatedAfter(image, 9)},
      {"cut after member 13", TruncatedAfter(image, 13)},
      {"cut inside member 15", image.bytes.substr(0, image.memberEnds[14] + 2)},
      {"times for one entry of two", image.bytes + std::string("TIME\1\0\0\0\1\0\0\0\2\0\0\0", 16)},
      {"times cut short", image.bytes + std::string("TIME\2\0\0\0\1\0\0\0\2\0\0\0", 16)},
      {"checks for one entry of two", image.bytes + std::string("CRCS\1\0\0\0\1\0\0\0", 12)},
      {"checks cut short", image.bytes + std::string("CRCS\2\0\0\0\1\0\0\0", 12)},
      {"huge event count", corrupted(Corruption::HugeListCount)},
      {"log state 3", corrupted(Corruption::BadLogState)},
      {"type 13", corrupted(Corruption::UnknownTypeId)},
      {"type 54", WriteScript(type54).bytes},
      {"path of 128 characters", corrupted(Corruption::OverlongPath)},
      {"build style kind 26", corrupted(Corruption::RangeViolation)},
      {"component cycle", corrupted(Corruption::ComponentCycle)},
      {"default language 14", WriteScript(language).bytes},
      {"sizing mode 4", screen([](InstallScreenSettings& s) { s.sizingMode = 4; })},
      {"negative width", screen([](InstallScreenSettings& s) { s.widthPerMille = -1; })},
      {"negative height", screen([](InstallScreenSettings& s) { s.heightPerMille = -1; })},
      {"background mode 3", screen([](InstallScreenSettings& s) { s.backgroundMode = 3; })},
      {"picture placement 2", screen([](InstallScreenSettings& s) { s.picture.placement = 2; })},
      {"negative transparent point", screen([](InstallScreenSettings& s) { s.picture.transparentY = -1; })},
      {"picture source mode 3", screen([](InstallScreenSettings& s) { s.picture.source.mode = 3; })},
      {"background source mode -1", screen([](InstallScreenSettings& s) { s.background.mode = -1; })},
      {"a target name that starts with NUL",
       withNul([](ScriptDraft& d) { d.build.entries[1].target = std::string("\0b.txt", 6); })},
      {"a product name with a NUL inside",
       withNul([](ScriptDraft& d) { d.product.name = std::string("Pro\0duct", 8); })},
      {"an event's condition that ends in NUL",
       withNul([](ScriptDraft& d) { d.events[1].condition = std::string("x > 1\0", 6); })},
  };
  CheckRecorder checks;
  for (const Damage& row : rows) {
    EXPECT_EQ(0, load(row.bytes)) << row.name;
    EXPECT_EQ(0, script.loaded) << row.name;
    script.clear();
    EXPECT_EQ(nullptr, script.build) << row.name;
  }
}

TEST_F(InstallScriptTest, LongestTextsAndWideDialogsLoad) {
  ASSERT_EQ(1, load(WriteCorrupted(RichScript(302, 32), Corruption::Text255).bytes));
  EXPECT_EQ(std::string(255, 'n'), script.product->name);
  ASSERT_EQ(1, load(WriteCorrupted(RichScript(302, 16), Corruption::Text65535).bytes));
  EXPECT_EQ(65535u, script.product->name.size());
  ASSERT_EQ(1, load(WriteCorrupted(RichScript(302, 32), Corruption::ThirtyOneControls).bytes));
  EXPECT_EQ(31u, script.dialogs.dialogs.back().controls.size());
}

// A stream is read in blocks: values that straddle two blocks read whole, and every member after them.
TEST_F(InstallScriptTest, AScriptLongerThanTheReadersBlockLoadsWholeFromAStream) {
  ScriptDraft draft = RichScript(302, 32);
  const int added = 6000;
  for (int i = 0; i < added; ++i)
    draft.build.entries.push_back({1, i, 0, 7, 70000 + i, "source file " + std::to_string(i),
                                   "t" + std::to_string(i), static_cast<unsigned long long>(i) + 1});
  std::string bytes = WriteScript(draft).bytes;
  ASSERT_GT(bytes.size(), 3 * 65536u);
  ASSERT_EQ(1, load(bytes));
  ASSERT_EQ(draft.build.entries.size(), script.build->entries.size());
  for (size_t i = 2; i < draft.build.entries.size(); ++i) {
    const FileEntry &want = draft.build.entries[i], &got = script.build->entries[i];
    ASSERT_TRUE(want.offset == got.offset && want.originalSize == got.originalSize &&
                want.source == got.source && want.target == got.target && want.time == got.time)
        << "entry " << i;
  }
  EXPECT_EQ("eighth", script.texts->texts[7]);
  EXPECT_EQ(250, script.flags->minimumMillisecondsPerFile);
}

TEST_F(InstallScriptTest, FolderLoadPrefersInstallInfAndReportsFailures) {
  testsupport::TempDir dir;
  RecordingReport report;
  EXPECT_EQ(0, LoadScriptFromFolder(script, dir.path().c_str(), report));
  ASSERT_EQ(1u, report.seen.size());
  EXPECT_EQ("install.inf or setup.inf not found", report.seen[0]);

  ScriptDraft setup = RichScript(302, 32);
  setup.product.name = "setup";
  testsupport::writeFile(dir.file("setup.inf"), WriteScript(setup).bytes);
  ASSERT_EQ(1, LoadScriptFromFolder(script, dir.path().c_str(), report));
  EXPECT_EQ("setup", script.product->name);

  testsupport::writeFile(dir.file("install.inf"), WriteScript(RichScript(302, 32)).bytes);
  ASSERT_EQ(1, LoadScriptFromFolder(script, dir.path().c_str(), report));
  EXPECT_EQ("Product", script.product->name);

  testsupport::writeFile(dir.file("install.inf"), "\x20");
  EXPECT_EQ(0, LoadScriptFromFolder(script, dir.path().c_str(), report));
  ASSERT_EQ(2u, report.seen.size());
  EXPECT_EQ("Unable to load " + dir.file("install.inf"), report.seen[1]);
}

} // namespace
