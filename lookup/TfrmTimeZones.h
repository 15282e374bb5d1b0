#pragma once

#include <formlib/TLabel.h>
#include <formlib/TPanel.h>
#include <formlib/TStatusBar.h>
#include <formlib/TStringGrid.h>
#include <formlib/TTabSet.h>
#include <formlib/TTimer.h>
#include <lookup/TLookupForm.h>

#include <string>

namespace pellawin {

// The world-time window: every city of the table with its local time, computed from the computer's clock
// taken as the time of the chosen local city. Only the rows on screen are filled, on scrolling, resizing
// and every 30 seconds.
class TfrmTimeZones : public TLookupForm {
public:
  explicit TfrmTimeZones(formlib::TComponent* owner);

  formlib::TStringGrid* grid;
  formlib::TPanel* Panel2;
  formlib::TTabSet* TabSet1;
  formlib::TLabel* Label2;
  formlib::TButton* sbSet;
  formlib::TButton* btClose;
  formlib::TStatusBar* bar;
  formlib::TTimer* Timer1;

  int LocalRow() const { return localRow_; }
  std::string SettingsPath() const;

  void RedrawTheGrid();
  void DrawAreaCaption();

  void FormShow(formlib::TObject* sender);
  void FormClose(formlib::TObject* sender, formlib::TCloseAction& action);
  void FormResize(formlib::TObject* sender);
  void FormKeyPress(formlib::TObject* sender, char& key);
  void gridTopLeftChanged(formlib::TObject* sender);
  void Timer1Timer(formlib::TObject* sender);
  void TabSet1Click(formlib::TObject* sender);
  void sbSetClick(formlib::TObject* sender);
  void btCloseClick(formlib::TObject* sender);
  void Panel2Resize(formlib::TObject* sender);

private:
  void createControls();
  int findCountry(char letter, int from, int to, const std::string& current) const;

  int localRow_ = 0;
  // Keeps a redraw started by the timer, scrolling or resizing from starting another while it fills cells.
  static bool redrawing_;
};

} // namespace pellawin
