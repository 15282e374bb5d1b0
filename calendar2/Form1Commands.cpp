#include <calendar2/Form1.h>

#include <calendar2/EventGridLayout.h>
#include <calendar2/EventTypes.h>
#include <calendar2/GridAppearance.h>

#include <formsrt/Application.h>
#include <formsrt/Text.h>

#include <algorithm>

namespace plovera {

namespace {

bool isSeparator(const std::string& date) { return date == kSeparatorDate; }

} // namespace

void Form1::selectRow(int row, int lastCol) {
  Grid0.setRow(row);
  Grid0.setRowSel(row);
  Grid0.setCol(colDate);
  Grid0.setColSel(lastCol);
}

void Form1::mnuAdd_Click() {
  Form2& form = eventForm();
  form.txtDate.setText("");
  form.txtEvent.setText("");
  form.txtYear.setText("");
  form.cmbType.setListIndex(2);
  form.setCaption("Event Add");
  form.bUpdate.setCaption("&Add");
  form.Show(true);
  std::string date = form.txtDate.Text();
  if (date == Form2::kCancelled)
    return;
  if (confirm("ADD", "this event?")) {
    // Before the first later event; separators, empty and deleted rows never stop the scan, and the
    // last row always does.
    int row = 1;
    for (; row < Grid0.Rows() - 1; ++row) {
      const std::string& cell = Grid0.TextMatrix(row, colDate);
      if (!isSeparator(cell) && cell > date && cell[0] != '*')
        break;
    }
    // Each cell on its own: a tab typed into a field must not shift the others.
    Grid0.AddItem("", row);
    Grid0.setTextMatrix(row, colDate, date);
    Grid0.setTextMatrix(row, colEvent, form.txtEvent.Text());
    Grid0.setTextMatrix(row, colYear, form.txtYear.Text());
    Grid0.setTextMatrix(row, colType, form.cmbType.Text());
    ColorRowsByType(Grid0, Settings, row);
    Grid0.setTopRow(std::max(row - 4, 1));
    selectRow(row, colSeq);
    markChanged();
    ++dataFile_.EventCount;
    showEventCount();
  }
  Grid0.SetFocus();
}

void Form1::mnuUpdate_Click() {
  int row = Grid0.Row();
  Form2& form = eventForm();
  form.txtDate.setText(Grid0.TextMatrix(row, colDate));
  form.txtEvent.setText(Grid0.TextMatrix(row, colEvent));
  form.txtYear.setText(Grid0.TextMatrix(row, colYear));
  int type = typeOfWord(formsrt::Trim(Grid0.TextMatrix(row, colType)));
  form.cmbType.setListIndex(type);
  form.setCaption("Event Update");
  form.bUpdate.setCaption("&Update");
  form.Show(true);
  if (form.txtDate.Text() == Form2::kCancelled)
    return;
  if (confirm("UPDATE", "this event?")) {
    Grid0.setTextMatrix(row, colDate, form.txtDate.Text());
    Grid0.setTextMatrix(row, colEvent, form.txtEvent.Text());
    Grid0.setTextMatrix(row, colYear, form.txtYear.Text());
    Grid0.setTextMatrix(row, colType, form.cmbType.Text());
    ColorRowsByType(Grid0, Settings, row);
    markChanged();
    Grid0.setCol(colSeq);
    Grid0.setColSel(colDate);
    Grid0.setRowSel(row);
  }
  Grid0.SetFocus();
}

void Form1::mnuDelete_Click() {
  if (confirm("DELETE", "the selected events?", formsrt::mbDefaultButton2)) {
    int first = std::min(Grid0.Row(), Grid0.RowSel());
    int last = std::max(Grid0.Row(), Grid0.RowSel());
    // Only event rows: separators, already deleted rows and empty filler rows are not events.
    for (int row = first; row <= last; ++row) {
      const std::string& date = Grid0.TextMatrix(row, colDate);
      if (!isEventRow(date))
        continue;
      Grid0.setTextMatrix(row, colDate, "*" + date);
      --dataFile_.EventCount;
      showEventCount();
    }
    markChanged();
  }
  Grid0.SetFocus();
}

void Form1::mnuMonthD_Click() { moveMonth(-1); }

void Form1::mnuMonthU_Click() { moveMonth(1); }

void Form1::moveMonth(int direction) {
  // A month without events is passed over, to the next month in that direction that has one.
  for (int step = 1; step <= 12; ++step) {
    int target = ((CurrentMonth - 1 + direction * step) % 12 + 12) % 12 + 1;
    for (int row = 1; row < Grid0.Rows(); ++row) {
      const std::string& date = Grid0.TextMatrix(row, colDate);
      if (isSeparator(date) || formsrt::Val(date) != target)
        continue;
      CurrentMonth = target;
      selectRow(row, colType);
      Grid0.setTopRow(std::max(row - 1, 1));
      return;
    }
  }
  formsrt::MsgBox("There are no events in the list.", formsrt::mbOKOnly | formsrt::mbInformation);
}

void Form1::mnuToday_Click() { CurrentMonth = GoToToday(Grid0); }

} // namespace plovera
