#pragma once

#include <calendar/data/CAppSettings.h>
#include <calendar/data/DataFolder.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

// A test with its own data folder, fresh settings and an answerer that fails the test on any message
// box nobody expected.
class CalendarFixture : public ::testing::Test {
protected:
  CalendarFixture() {
    DataFolder::Set(folder.path());
    AppSettings() = CAppSettings();
  }
  ~CalendarFixture() override { AppSettings() = CAppSettings(); }

  std::string file(const std::string& name) const { return folder.file(name); }

  testsupport::TempDir folder;
  testsupport::ModalAnswerer answerer;
};

// Bytes from a list of values, for hand-computed file images.
inline std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int value : values)
    out += static_cast<char>(value);
  return out;
}
