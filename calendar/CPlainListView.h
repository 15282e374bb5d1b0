#pragma once

#include <appframe/CView.h>
#include <appframe/Controls.h>

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
  int GetLineCount() const { return list_.GetCount(); }
  CString GetLine(int index) const { return list_.GetText(index); }
  void Select(int index) { list_.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)); }

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
  CListBox list_;
};
