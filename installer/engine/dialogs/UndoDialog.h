#pragma once

#include <foundation/dialogs/gauge.h>
#include <foundation/drawing/font.h>
#include <foundation/windows/dlgbox.h>

#include <string>

class LogRecord;
class UninstallController;

// A record's detail text ("label: value" lines) with the labels padded so that every value starts in
// one column after ": "; lines without a colon stay as they are. Lines end in "\r\n" for an edit control.
std::string AlignDetail(const std::string& text);

// The uninstaller's three main dialogs in one: the simple one shows the record being undone, the
// advanced one lists every record in two columns (summary, status word) with its detail text and the
// undo/keep choice, the gauge one is modeless and only shows the undo RunGaugeUndo runs.
class UndoDialog : public dlgbox {
public:
  enum Mode { Simple = 0, Advanced = 1, Gauge = 2 };

  UndoDialog(UninstallController& controller, int mode) : controller_(controller), mode_(mode) {}

  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The list's two columns in pixels, each with its gap: the widest summary, the widest status word.
  int summaryColumn() const { return summaryColumn_; }
  int statusColumn() const { return statusColumn_; }

private:
  friend int RunGaugeUndo(UninstallController& controller);

  void init();
  void layoutlist();
  HWND list() const;
  void redrawlist();
  int selected() const;
  void update();
  void labelok();
  std::string statusword(const LogRecord& record) const;
  void drawitem(const DRAWITEMSTRUCT& item);
  void runundo();
  int leftToUndo() const;
  void close();
  void command(int id, int code);

  UninstallController& controller_;
  int mode_;
  int summaryColumn_ = 0;
  int statusColumn_ = 0;
  int toUndo_ = 0;
  int undone_ = 0;
  font detailFont_;
  gauge bar_;
};

// The gauge dialog, modeless: shown, it runs the undo at once (its Cancel stops it) and goes when the
// undo ends; 1 when every record chosen was undone (or none was to be), 0 when the user said no,
// stopped it or it could not be shown.
int RunGaugeUndo(UninstallController& controller);

// Asked when the user leaves with records still to undo or failed: its end code 0 (leave, undo later),
// 2 (back to the list) or 1 (leave as finished).
class AskQuitDialog : public dlgbox {
public:
  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
