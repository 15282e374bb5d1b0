#pragma once

#include <notes/Form1.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/RegistrySandbox.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A notaris main form over a notes folder and a start-up folder of its own: the start-up folder is the
// shell's "StartUp" value in a private HKEY_CURRENT_USER. The notes folder sits one level down, so that
// a test can see whether anything escapes it.
class NotarisTest : public ::testing::Test {
protected:
  NotarisTest();
  ~NotarisTest() override;

  // Creates and shows the form, started with `argument`.
  notaris::Form1& start(const std::string& argument = std::string());
  // Closes the form, as the close box does, answering the questions the test has set up.
  void close();

  void type(formsrt::TextBox& box, const std::string& text);
  void press(formsrt::CommandButton& button);
  void choose(formsrt::MenuItem& item);
  // Opens a menu of the bar, as a click on its title does.
  void open(formsrt::MenuItem& menu);

  std::string note(const std::string& name) const { return notes_ + "\\" + name; }
  std::string shortcut(const std::string& name) const { return startup_.file(name + ".lnk"); }
  // Names of the files in a folder, sorted.
  static std::vector<std::string> filesIn(const std::string& folder);
  // The target of a shortcut, or empty text.
  static std::string targetOf(const std::string& shortcutPath);
  // Posts a note through the form, as a user types and presses Post.
  void post(const std::string& subject, const std::string& message);

  testsupport::RegistrySandbox registry_;
  testsupport::TempDir root_;
  testsupport::TempDir startup_;
  std::string notes_;
  testsupport::ModalAnswerer answers_;
  std::unique_ptr<notaris::Form1> form_;
};
