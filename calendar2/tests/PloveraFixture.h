#pragma once

#include <calendar2/Form1.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/RegistrySandbox.h>
#include <tests/support/TempDir.h>

#include <clock/Clock.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A plovera main form over a data file of its own, in a private settings store, on a chosen day.
class PloveraTest : public ::testing::Test {
protected:
  PloveraTest();
  ~PloveraTest() override;

  // Writes the data file from lines "mm/dd|event|year|code" and starts the form.
  plovera::Form1& start(const std::vector<std::string>& events);
  // The next event form is filled in like a user does and accepted (or cancelled).
  void fillEventForm(const std::string& caption, const std::string& date, const std::string& event,
                     const std::string& year, int typeIndex, bool accept = true);
  // The answerer answers a window once: the event form, kept hidden between uses, is made anew so that
  // the next use is answered too.
  void freshEventForm();
  // The grid's rows from row 1, "date|event|year|type" each, up to the last non-empty row.
  std::vector<std::string> listedRows() const;
  std::string dataFile() const;
  // Selects rows of the event grid as a user's click and shift-click would.
  void selectRows(int from, int to);

  testsupport::RegistrySandbox registry_;
  testsupport::TempDir dir_;
  testsupport::ModalAnswerer answers_;
  std::unique_ptr<plovera::Form1> form_;
};

// A data file's bytes from lines "mm/dd|event|year|code".
std::string dataFileBytes(const std::vector<std::string>& events);
