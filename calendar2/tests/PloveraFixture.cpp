#include <calendar2/tests/PloveraFixture.h>

#include <calendar2/EventGridLayout.h>

#include <sstream>

using namespace plovera;

namespace {

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '|'))
    fields.push_back(field);
  fields.resize(4);
  return fields;
}

} // namespace

std::string dataFileBytes(const std::vector<std::string>& events) {
  std::string bytes;
  for (const std::string& line : events) {
    auto f = split(line);
    bytes += "\"" + f[0] + "\",\"" + f[1] + "\",\"" + f[2] + "\",\"" + f[3] + "\"\r\n";
  }
  return bytes;
}

PloveraTest::PloveraTest() { platform::Clock::set(2026, 3, 10, 9, 0); }

PloveraTest::~PloveraTest() {
  form_.reset();
  platform::Clock::reset();
}

Form1& PloveraTest::start(const std::vector<std::string>& events) {
  testsupport::writeFile(dir_.file("PLOVERA.DAT"), dataFileBytes(events));
  form_ = std::make_unique<Form1>(dir_.path());
  form_->Load();
  return *form_;
}

void PloveraTest::fillEventForm(const std::string& caption, const std::string& date, const std::string& event,
                                const std::string& year, int typeIndex, bool accept) {
  freshEventForm();
  answers_.act(caption, [=, this](HWND) {
    Form2& form = form_->eventForm();
    form.txtDate.setText(date);
    form.txtEvent.setText(event);
    form.txtYear.setText(year);
    form.cmbType.setListIndex(typeIndex);
    HWND button = accept ? form.bUpdate.hwnd() : form.bCancel.hwnd();
    PostMessageA(button, BM_CLICK, 0, 0);
  });
}

void PloveraTest::freshEventForm() { form_->eventForm().Unload(); }

std::vector<std::string> PloveraTest::listedRows() const {
  const auto& grid = form_->Grid0;
  std::vector<std::string> rows;
  for (int row = 1; row < grid.Rows(); ++row)
    rows.push_back(grid.TextMatrix(row, colDate) + "|" + grid.TextMatrix(row, colEvent) + "|" +
                   grid.TextMatrix(row, colYear) + "|" + grid.TextMatrix(row, colType));
  while (!rows.empty() && rows.back() == "|||")
    rows.pop_back();
  return rows;
}

std::string PloveraTest::dataFile() const { return testsupport::readFile(dir_.file("PLOVERA.DAT")); }

void PloveraTest::selectRows(int from, int to) {
  form_->Grid0.setRow(from);
  form_->Grid0.setRowSel(to);
}
