#pragma once

#include <foundation/drawing/bmpsrc.h>
#include <foundation/paths/fpath.h>
#include <foundation/strings/dynstr.h>
#include <foundation/windows/dlgbox.h>

#include <windows.h>

// A dialog the install script describes: built at run time inside DLGUSRDLG (or DLGUSRDLGNOTITLE when
// it has no title) from a data record, into which the user's input is written back. Positions and
// sizes in the record are in two-hundredths of the frame's client width and hundredths of its height.

enum UsrControlKind {
  UsrText,
  UsrPicture,
  UsrEdit,
  UsrCombo,
  UsrHelpButton,
  UsrButton,
  UsrFileEdit,
};

constexpr int UsrTextSize = 255;
constexpr int UsrCaptionSize = 256;
constexpr int UsrTitleSize = 80;
constexpr int UsrFirstId = 100;

struct usrdlgcontrol {
  int kind = UsrText;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  char caption[UsrCaptionSize] = "";
  // Push buttons: an even code stores the input before the dialog ends with it, an odd one does not.
  int endcode = 0;
  int* selection = nullptr;
  char text[UsrTextSize] = "";
  int readonly = 0;
  // The file of a multi-line edit.
  fpathbuf file;
  // The picture of a picture control; its file is looked for in the engine's folder.
  bmpsrc picture;
  // Combo box entries, separated by CR LF.
  dynstr lines;
};

struct usrdlgdata {
  // The dialog's centre in thousandths of the owner's client area.
  int centrex = 500;
  int centrey = 500;
  int width = 0;
  int height = 0;
  char title[UsrTitleSize] = "";
  int helpid = 0;
  int count = 0;
  usrdlgcontrol* controls = nullptr;
};

class usrdlg : public dlgbox {
public:
  // The end code of the button pressed, -1 on failure.
  int domodal(HWND owner, usrdlgdata& data);
  // 1 when shown; a button then leaves its end code in result().
  int domodeless(HWND owner, usrdlgdata& data);
  void destroy();
  int result() const { return result_; }

  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void build();
  void buildcontrol(int index, HFONT font);
  void store();
  void drawpicture(const usrdlgcontrol& record, const DRAWITEMSTRUCT& item);
  int command(int id, int code);
  void end(int code);
  HWND control(int index) const { return GetDlgItem(hwnd(), UsrFirstId + index); }

  usrdlgdata* data_ = nullptr;
  int baseWidth_ = 0;
  int baseHeight_ = 0;
  int result_ = -1;
};
