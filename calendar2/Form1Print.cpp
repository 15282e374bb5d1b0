#include <calendar2/Form1.h>

#include <calendar2/EventGridLayout.h>

#include <formsrt/Application.h>
#include <formsrt/DateTime.h>
#include <formsrt/Printer.h>
#include <formsrt/RuntimeError.h>
#include <formsrt/Text.h>

namespace plovera {

using formsrt::Printer;

namespace {

// Character columns of the listing.
const int kDateColumn = 5;
const int kEventColumn = 13;
const int kYearColumn = 73;
const int kTypeColumn = 80;
const int kTodayColumn = 70;
const size_t kEventWidth = 57;
// Inches from the top of the page.
const double kPageTop = 0.5;
const double kPageFull = 9.5;
// The rows a heading takes, counted against the page's rows.
const int kHeadingRows = 7;

} // namespace

void Form1::printRule() {
  Printer.Print({{kDateColumn, "====="},
                 {kEventColumn, std::string(kEventWidth, '=')},
                 {kYearColumn, "===="},
                 {kTypeColumn, "======="}});
}

void Form1::printHeading() {
  Printer.setCurrentY(kPageTop);
  Printer.Print({{kDateColumn, "Plovera Event List"},
                 {kTodayColumn, formsrt::Format(formsrt::Today(), "mmmm dd, yyyy")}});
  Printer.Print({{kDateColumn, "Harnfield Systems"}});
  Printer.Print();
  Printer.Print();
  Printer.Print(
      {{kDateColumn, "Date"}, {kEventColumn, "Event"}, {kYearColumn, "Year"}, {kTypeColumn, " Type"}});
  printRule();
  Printer.Print();
}

void Form1::printList() {
  Printer.setScaleMode(formsrt::PrinterObject::scaleInches);
  int pageRows = 0;
  for (int row = 1; row < Grid0.Rows(); ++row) {
    ++pageRows;
    const std::string& date = Grid0.TextMatrix(row, colDate);
    bool separator = date.compare(0, 5, kSeparatorDate) == 0;
    if (Printer.CurrentY() >= kPageFull) {
      if (!separator) {
        Printer.Print();
        printRule();
      }
      Printer.NewPage();
      pageRows = 1;
    }
    if (pageRows == 1) {
      printHeading();
      pageRows = kHeadingRows;
    }
    if (separator) {
      // A separator right under the heading would repeat its rule.
      if (pageRows > kHeadingRows) {
        Printer.Print();
        printRule();
        Printer.Print();
        pageRows += 2;
      }
      continue;
    }
    Printer.Print({{kDateColumn, date},
                   {kEventColumn, formsrt::Left(Grid0.TextMatrix(row, colEvent), kEventWidth)},
                   {kYearColumn, Grid0.TextMatrix(row, colYear)},
                   {kTypeColumn, Grid0.TextMatrix(row, colType)}});
  }
  Printer.Print();
  Printer.Print({{kDateColumn, std::to_string(EventCount()) + "  Events Listed"}});
  Printer.EndDoc();
}

void Form1::mnuPrint_Click() {
  if (!confirm("PRINT", "the \"Plovera\" events?"))
    return;
  MousePointer = formsrt::pointerHourglass;
  try {
    printList();
  } catch (const formsrt::RuntimeError&) {
    // What was printed so far would otherwise open the next job.
    Printer.KillDoc();
    MousePointer = formsrt::pointerDefault;
    formsrt::MsgBox("There was a problem printing to your printer");
    return;
  }
  MousePointer = formsrt::pointerDefault;
  formsrt::MsgBox("Plovera event list sent to printer", formsrt::mbOKOnly, "Plovera");
}

} // namespace plovera
