#pragma once

#include <formlib/TButton.h>
#include <formlib/TForm.h>
#include <formlib/TPanel.h>
#include <formlib/TStatusBar.h>
#include <lookup/TTabListBox.h>
#include <lookup/TWinPlace.h>

#include <span>

namespace pellawin {

class TfrmHelp;

// Where a look-up window comes up, and which page of the help its Help button opens.
struct LookupPlace {
  const char* name;
  const char* caption;
  RECT designed;       // left, top, width, height
  const char* section; // null: the placement keeper's own, the program's path
  const char* identifier;
  formlib::TPanel* TfrmHelp::*helpPage;
};

// What pellawin's look-up windows share: each is kept where the user left it (the placement is saved in
// the settings file when it closes and restored when it shows; until one is saved it opens centred), and
// its Help button opens the help at the window's own page.
class TLookupForm : public formlib::TForm {
public:
  TWinPlace* WinPlace1;
  formlib::TButton* btHelp = nullptr;

  void btHelpClick(formlib::TObject* sender);

protected:
  TLookupForm(formlib::TComponent* owner, const LookupPlace& place);

private:
  formlib::TPanel* TfrmHelp::*helpPage_;
};

// The list windows (area codes, domain suffixes): a title panel over a list with tab-aligned columns, and
// a bottom bar with Help and Close at its right.
class TListLookupForm : public TLookupForm {
public:
  struct Title {
    int left, top, width;
    const char* text;
  };
  struct Layout {
    LookupPlace place;
    int titleHeight;
    std::span<const Title> titles;
    int tabWidth;
    std::span<const char* const> rows;
  };

  formlib::TPanel* Panel1; // the bottom bar's panel
  formlib::TStatusBar* StatusBar1;
  formlib::TButton* btOK;
  formlib::TPanel* Panel2; // titles and list
  formlib::TPanel* Panel3; // the titles
  TTabListBox* List;

  void FormShow(formlib::TObject* sender);
  void FormClose(formlib::TObject* sender, formlib::TCloseAction& action);
  void btOKClick(formlib::TObject* sender);
  void Panel1Resize(formlib::TObject* sender);

protected:
  TListLookupForm(formlib::TComponent* owner, const Layout& layout);
  // The right edge Close keeps a margin from, when the bar changes size.
  virtual int ButtonsRight() const = 0;

private:
  std::span<const char* const> rows_;
};

} // namespace pellawin
