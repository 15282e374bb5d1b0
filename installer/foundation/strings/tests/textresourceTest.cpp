#include <foundation/strings/dynstr.h>
#include <foundation/strings/textresource.h>

#include <tests/support/TestProgram.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string loadText(UINT id) {
  char buffer[TextSize];
  std::memset(buffer, '#', sizeof buffer);
  LoadText(buffer, id);
  return buffer;
}

// The language library stand-in built beside the test program, made the resource module for a test.
class LanguageLibrary {
public:
  LanguageLibrary() {
    std::string file = testsupport::testProgramFolder() + "kxlangtest.dll";
    module_ = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    SetResourceModule(module_);
  }
  ~LanguageLibrary() {
    SetResourceModule(nullptr);
    FreeLibrary(module_);
  }
  HMODULE module() const { return module_; }

private:
  HMODULE module_;
};

} // namespace

TEST(TextResourceTest, ProgramModuleServesUntilALanguageLibraryIsLoaded) {
  EXPECT_EQ(EngineModule(), ResourceModule());
  EXPECT_EQ("Engine text", loadText(101));
  EXPECT_EQ("NO SUCH STRING!!!", loadText(999));
  std::string digits;
  for (int i = 0; i < 30; ++i)
    digits += "0123456789";
  EXPECT_EQ(digits.substr(0, 255), loadText(102));
}

TEST(TextResourceTest, LanguageLibraryFirstThenProgramThenNoSuchString) {
  {
    LanguageLibrary library;
    ASSERT_NE(nullptr, library.module());
    EXPECT_EQ(library.module(), ResourceModule());
    EXPECT_EQ("Language text", loadText(103));
    EXPECT_EQ("Only in the language library", loadText(104));
    EXPECT_EQ("Engine text", loadText(101));
    EXPECT_EQ("NO SUCH STRING!!!", loadText(999));
    // A string built from a resource always reads the program's own module.
    EXPECT_STREQ("Engine copy of a shared text", dynstr(TextId{103}).str());
    EXPECT_STREQ("", dynstr(TextId{104}).str());
  }
  EXPECT_EQ(EngineModule(), ResourceModule());
  EXPECT_EQ("Engine copy of a shared text", loadText(103));
}
