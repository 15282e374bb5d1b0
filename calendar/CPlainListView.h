#pragma once

#include <appframe/CView.h>

#include <string>
#include <vector>

class CDorvixDoc;
class CEventItem;

// The upper pane until the event list grid is part of the program: the listed events and holidays in a
// list box, one line each. It edits and deletes events (from the dialog bar, or when an alarm window
// asks), and holds every entry by kind and serial number, never by pointer.
class CPlainListView : public CView {
  DECLARE_MESSAGE_MAP()

public:
  CDorvixDoc* GetDoc() const;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void OnDraw(CDC*) override {}
  // The lines shown, for tests and for the screenshot.
  int GetLineCount() const;
  std::string GetLine(int index) const;
  void Select(int index);

  // Opens the editor on the event; the edit lands only if the event still exists afterwards.
  void EditEvent(int serial);
  void DeleteEvent(int serial);

protected:
  int OnCreate(CREATESTRUCTA* cs);
  void OnSize(UINT type, int cx, int cy);
  void OnModifySelected();
  void OnDeleteSelected();

private:
  void Refill(int selectSerial);
  // The serial number of the selected event, or -1.
  int SelectedSerial() const;
  LRESULT List(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  HWND list_ = nullptr;
  std::vector<int> serials_; // of each line: an event's serial number, -1 for a holiday
};
