#include <engine/expressions/VariableStore.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

namespace {
bool failNothrowAllocations = false;
}

// The test program's own non-throwing allocation, which can be told to run out of memory.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (failNothrowAllocations)
    return nullptr;
  return std::malloc(size ? size : 1);
}

void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }

TEST(VariableStoreTest, VariableThatCannotBeMadeIsReportedAndHasNoStorage) {
  VariableStore store;
  testsupport::ModalAnswerer answerer;
  answerer.answer("Fatal error", IDOK);
  failNothrowAllocations = true;
  char* text = store.stringvariable("v", 1);
  failNothrowAllocations = false;
  EXPECT_EQ(nullptr, text);
  ASSERT_EQ(1u, answerer.seen().size());
  EXPECT_EQ("Fatal error: Out of memory", answerer.seen()[0].text);
  EXPECT_EQ(nullptr, store.stringvariable("v", 0));
  EXPECT_NE(nullptr, store.stringvariable("v", 1));
}

TEST(VariableStoreTest, VariablesByNameAndKind) {
  VariableStore store;
  EXPECT_EQ(nullptr, store.integervariable("n", 0));
  int* number = store.integervariable("n", 1);
  ASSERT_NE(nullptr, number);
  EXPECT_EQ(0, *number);
  *number = 12;
  EXPECT_EQ(number, store.integervariable("n", 0));
  EXPECT_EQ(nullptr, store.integervariable("N", 0));

  char* text = store.stringvariable("n", 1);
  ASSERT_NE(nullptr, text);
  EXPECT_STREQ("", text);
  SetStringValue(text, std::string(300, 'z').c_str());
  EXPECT_EQ(std::string(255, 'z'), store.text("n"));
  int value = 0;
  EXPECT_EQ(1, store.value("n", value));
  EXPECT_EQ(12, value);

  EXPECT_NE(nullptr, store.stringvariable(std::string(39, 'k').c_str(), 1));
  EXPECT_EQ(nullptr, store.stringvariable(std::string(40, 'k').c_str(), 1));
  EXPECT_EQ(nullptr, store.integervariable(std::string(40, 'k').c_str(), 1));
  EXPECT_EQ(nullptr, store.text(std::string(40, 'k').c_str()));
  EXPECT_STREQ("", store.text("s"));
}
