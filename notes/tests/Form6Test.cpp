#include <notes/Form6.h>

#include <notes/tests/NotarisFixture.h>

#include <gtest/gtest.h>

#include <windows.h>

using namespace notaris;

TEST(AboutForm, MemoryFiguresAreWholeKilobytesGroupedWithoutOverflow) {
  struct Case {
    const char* name;
    std::uint64_t bytes;
    const char* expected;
  } cases[] = {
      {"padded to five digits", 512 * 1024, "Physical Memory Available to Windows:  00,512 KB"},
      {"part of a kilobyte dropped", 64 * 1024 * 1024 + 1023,
       "Physical Memory Available to Windows:  65,536 KB"},
      {"above 2 GiB", 3ull << 30, "Physical Memory Available to Windows:  3,145,728 KB"},
      {"above 4 GiB", 6ull << 30, "Physical Memory Available to Windows:  6,291,456 KB"},
      {"beyond 32 bits of kilobytes", 5ull << 42, "Physical Memory Available to Windows:  21,474,836,480 KB"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(physicalMemoryLine(c.bytes), c.expected) << c.name;
  EXPECT_EQ(memoryInUseLine(37), "Physical Memory Currently In Use:  37%");
}

TEST_F(NotarisTest, AboutShowsTheMemoryLinesAndClosesWithOK) {
  auto& form = start();
  std::string memory;
  answers_.act("About Notaris", [&](HWND about) {
    auto* shown = dynamic_cast<Form6*>(formsrt::Form::fromWindow(about));
    if (!shown)
      return;
    memory = shown->Label3.Caption();
    PostMessageA(shown->Command1.hwnd(), BM_CLICK, 0, 0);
  });
  choose(*form.mnuHelpItem[3]);
  EXPECT_EQ(answers_.pending(), 0u);
  EXPECT_EQ(memory.rfind("Physical Memory Available to Windows:  ", 0), 0u) << memory;
  EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
}
