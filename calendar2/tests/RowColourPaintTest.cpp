#include <calendar2/EventDataFile.h>
#include <calendar2/EventGridLayout.h>
#include <calendar2/GridAppearance.h>

#include <formsrt/FlexGrid.h>
#include <formsrt/Form.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/TempDir.h>

#include <clock/Clock.h>

#include <gtest/gtest.h>

using namespace plovera;

namespace {

struct ListForm : formsrt::Form {
  formsrt::FlexGrid Grid0{*this, "Grid0", 208, 192, 4648, 3912, 2, 5, 1, 0};
  ListForm() : Form("Form1", 7920, 5625) {}
};

// Rows read from the data file show their type's colours; the default choice leaves the grid's own.
TEST(RowColourPaintTest, EventRowsArePaintedInTheirTypesColours) {
  platform::ClockOverride clock(2026, 1, 1);
  testsupport::TempDir dir;
  testsupport::writeFile(dir.file("PLOVERA.DAT"), "\"01/02\",\"anniversary\",\"\",\"01\"\r\n"
                                                  "\"01/03\",\"holiday\",\"\",\"04\"\r\n"
                                                  "\"01/04\",\"party\",\"\",\"77\"\r\n");
  PloveraSettings settings;
  settings.CB[0] = 12; // Anniv: light red
  settings.CB[3] = 0;  // Holiday: black back, bright white fore
  settings.CF[3] = 15;
  settings.Grid = 'N';
  ListForm form;
  form.Show();
  ApplyGridSettings(form.Grid0, settings);
  EventDataFile file(dir.path());
  file.load(form.Grid0, settings);
  form.Grid0.setRow(16);
  form.Grid0.Refresh();
  RECT client;
  GetClientRect(form.Grid0.hwnd(), &client);
  testsupport::MemoryDib dib(client.right, client.bottom);
  testsupport::paintClient(form.Grid0.hwnd(), dib);
  auto backOf = [&](int row, int col) {
    RECT r = form.Grid0.cellRect(row, col);
    return dib.pixel(r.left + 3, r.top + 2);
  };
  for (int col = 0; col < kEventColumns && form.Grid0.cellRect(2, col).left + 3 < client.right; ++col) {
    EXPECT_EQ(backOf(2, col), RGB(255, 0, 0)) << "anniversary, column " << col;
    EXPECT_EQ(backOf(3, col), RGB(1, 0, 0)) << "holiday: black, given as 1";
    EXPECT_EQ(backOf(4, col), form.Grid0.BackColor) << "other: the grid's own";
  }
  RECT holiday = form.Grid0.cellRect(3, colEvent);
  EXPECT_GT(dib.count(RGB(255, 255, 255), holiday), 5) << "its text in bright white";
}

} // namespace
