#include <engine/tests/ScriptSamples.h>
#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/memorystreams.h>

#include <engine/script/InstallScript.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

namespace {

// One random change: a byte replaced, a run of bytes set to 0xFF (huge counts and lengths), a cut, or
// bytes inserted.
std::string mutate(std::string bytes, std::mt19937& random) {
  auto at = [&](size_t size) { return size ? random() % size : 0; };
  int changes = 1 + static_cast<int>(random() % 4);
  for (int i = 0; i < changes && !bytes.empty(); ++i) {
    size_t position = at(bytes.size());
    switch (random() % 4) {
    case 0:
      bytes[position] = static_cast<char>(random());
      break;
    case 1:
      for (size_t n = 0; n < 4 && position + n < bytes.size(); ++n)
        bytes[position + n] = '\xff';
      break;
    case 2:
      bytes.resize(position);
      break;
    default:
      bytes.insert(position, std::string(1 + random() % 8, static_cast<char>(random())));
    }
  }
  return bytes;
}

TEST(ScriptFuzzTest, MutatedScriptsLoadOrFailCleanly) {
  RegisterEventTypes();
  CheckRecorder checks;
  testsupport::TempDir dir;
  std::mt19937 random(20261210);
  const std::string seeds[] = {WriteScript(RichScript(302, 32)).bytes, WriteScript(RichScript(300, 16)).bytes,
                               WriteScript(RichScript(301, 32)).bytes};
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(4);
  int runs = 0, failures = 0;
  for (; runs < 20000 && std::chrono::steady_clock::now() < deadline; ++runs) {
    std::string bytes = mutate(seeds[runs % 3], random);
    InstallScript script;
    memistream stream(bytes);
    int loaded = script.read(stream);
    EXPECT_EQ(loaded, script.loaded);
    if (loaded)
      continue;
    ++failures;
    if (failures % 100 != 1)
      continue;
    // Now and then through the file, to see the failure reported.
    testsupport::writeFile(dir.file("install.inf"), bytes);
    RecordingReport report;
    EXPECT_EQ(0, LoadScriptFromFolder(script, dir.path().c_str(), report));
    ASSERT_EQ(1u, report.seen.size());
    EXPECT_EQ("Unable to load " + dir.file("install.inf"), report.seen[0]);
  }
  EXPECT_GT(runs, 500);
  EXPECT_GT(failures, runs / 4);
  ReleaseEventTypes();
}

} // namespace
