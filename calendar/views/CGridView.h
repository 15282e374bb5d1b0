#pragma once

#include <calendar/views/CEventGrid.h>
#include <calendar/views/CListEntry.h>

#include <appframe/CPrintDialog.h>
#include <appframe/CView.h>
#include <appframe/GdiObjects.h>

#include <memory>
#include <vector>

class CDorvixDoc;

// The upper pane: the listed events and holidays as rows of the event grid, kept in the order of the
// sort columns. It carries the Modify, Delete, Find, Print and Sort commands and tells the other views
// which entry is current.
class CGridView : public CView {
  DECLARE_MESSAGE_MAP()

public:
  static constexpr UINT kGridId = 123;

  CGridView();
  ~CGridView() override;

  CDorvixDoc* GetDoc() const;
  CEventGrid& Grid() { return grid_; }
  const std::vector<int>& SortColumns() const { return sortColumns_; }
  // The dialog printing asks: the application's, or one set here (the caller keeps it).
  void SetPrintDialog(CPrintDialog* dialog);
  CPrintDialog* GetPrintDialog() const { return printDialog_; }

  void OnInitialUpdate() override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void OnDraw(CDC*) override {}

  // Tells the other views the entry became current.
  void Announce(CListEntry* entry);
  // Modify on an entry: the event dialog for an event, the holiday dialog for a holiday.
  void EditEntry(CListEntry* entry);
  // Sorts by the columns; the mode is kept in the settings for the Sort menu.
  void SortBy(const std::vector<int>& columns, int mode);
  // Deletes the row's event after asking; holidays cannot be deleted.
  void DeleteRow(int row);

  void OnModify();
  void OnDelete();
  void OnFind();
  void OnPrint();

protected:
  int OnCreate(CREATESTRUCTA* cs);
  void OnSize(UINT type, int cx, int cy);
  void OnSortDateTime();
  void OnSortTypeAge();
  void OnSortTypeDateTime();
  void OnSortTypeName();

private:
  void Refill();
  void FillRow(int row, const CListEntry& entry);
  void SetTarget(const CListEntry* entry);
  void SelectDay(const CDate& date);
  // The widths into the settings; the window-state save that asks for them writes the file once, with
  // the rest.
  void StoreColumnWidths();
  void DeleteEventBySerial(int serial);
  // The event dialog on the document's event with that serial number, listed or not.
  void EditEvent(int serial);
  // Asks, then deletes the event from the document and its row (when it has one) from the grid.
  void AskAndDelete(int serial);
  // Keeps the current row as the target and drops every entry, before the events they point at go.
  void LetGoOfEntries();
  int RowOfSerial(int serial) const;
  void ColourSortHeaders();
  CPrintDialog* DefaultPrintDialog();

  CEventGrid grid_;
  CFont font_;
  CPen framePen_;
  CPrintDialog ownPrintDialog_{FALSE};
  CPrintDialog* printDialog_;
  std::vector<std::unique_ptr<CListEntry>> entries_; // in list order
  std::vector<int> sortColumns_;
  int targetIndex_ = -1;
  int targetKind_ = CListEntry::EventKind;
};
