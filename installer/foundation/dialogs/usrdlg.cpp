#include <foundation/dialogs/usrdlg.h>

#include <foundation/dialogs/fileedit.h>
#include <foundation/drawing/dib.h>
#include <foundation/strings/textresource.h>
#include <foundation/windows/helpfile.h>
#include <foundation/windows/threedhook.h>

#include <kxlang/kxlangids.h>

#include <cstring>
#include <string>

namespace {

struct KindStyle {
  const char* windowClass;
  DWORD style;
};

// Class and style of each control kind; the multi-line edit's read-only form adds ES_READONLY.
const KindStyle kindStyles[] = {
    {"STATIC", 0x50000000}, {"BUTTON", 0x5080000B}, {"EDIT", 0x508100C0}, {"COMBOBOX", 0x50A10003},
    {"BUTTON", 0x50010000}, {"BUTTON", 0x50010000}, {"EDIT", 0x50A110C4},
};

const char* templateFor(const usrdlgdata& data) { return data.title[0] ? "DLGUSRDLG" : "DLGUSRDLGNOTITLE"; }

void fillCombo(HWND combo, const char* lines) {
  const char* start = lines;
  while (*start) {
    const char* end = std::strstr(start, "\r\n");
    std::string line = end ? std::string(start, end) : std::string(start);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (!end)
      break;
    start = end + 2;
  }
}

} // namespace

int usrdlg::domodal(HWND owner, usrdlgdata& data) {
  data_ = &data;
  result_ = -1;
  return static_cast<int>(RunDialog(*this, owner, templateFor(data)));
}

int usrdlg::domodeless(HWND owner, usrdlgdata& data) {
  data_ = &data;
  result_ = -1;
  if (!CreateModelessDialog(*this, owner, templateFor(data)))
    return 0;
  ShowWindow(hwnd(), SW_SHOW);
  return 1;
}

void usrdlg::destroy() {
  if (hwnd())
    DestroyWindow(hwnd());
}

void usrdlg::build() {
  RECT client;
  GetClientRect(hwnd(), &client);
  baseWidth_ = client.right;
  baseHeight_ = client.bottom;
  RECT frame{0, 0, MulDiv(baseWidth_, data_->width, 200), MulDiv(baseHeight_, data_->height, 100)};
  AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_STYLE)), FALSE);
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HWND owner = GetWindow(hwnd(), GW_OWNER);
  POINT centre =
      hwndref(owner ? owner : GetDesktopWindow()).permilletoscreen(POINT{data_->centrex, data_->centrey});
  centerat(centre.x, centre.y);
  SetWindowTextA(hwnd(), data_->title);
  DeleteMenu(GetSystemMenu(hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd(), WM_GETFONT, 0, 0));
  for (int i = 0; i < data_->count; ++i)
    buildcontrol(i, font);
}

void usrdlg::buildcontrol(int index, HFONT font) {
  const usrdlgcontrol& record = data_->controls[index];
  if (record.kind < 0 || record.kind >= static_cast<int>(std::size(kindStyles)))
    return;
  const KindStyle& kind = kindStyles[record.kind];
  DWORD style = kind.style | (record.kind == UsrFileEdit && record.readonly ? ES_READONLY : 0);
  char help[TextSize];
  const char* text = "";
  if (record.kind == UsrText || record.kind == UsrButton)
    text = record.caption;
  else if (record.kind == UsrEdit)
    text = record.text;
  else if (record.kind == UsrHelpButton) {
    LoadText(help, TEXT_HELP);
    text = help;
  }
  HWND window = CreateWindowExA(
      0, kind.windowClass, text, style, MulDiv(baseWidth_, record.x, 200), MulDiv(baseHeight_, record.y, 100),
      MulDiv(baseWidth_, record.width, 200), MulDiv(baseHeight_, record.height, 100), hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(UsrFirstId + index)), EngineModule(), nullptr);
  if (!window)
    return;
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ApplyThreeDLook(window);
  if (record.kind == UsrPicture)
    EnableWindow(window, FALSE);
  // The record keeps what the edit shows: the user cannot type more than it holds.
  if (record.kind == UsrEdit)
    SendMessageA(window, EM_LIMITTEXT, UsrTextSize - 1, 0);
  if (record.kind == UsrCombo) {
    fillCombo(window, record.lines.str());
    if (record.selection)
      SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(*record.selection), 0);
  }
  if (record.kind == UsrFileEdit)
    fileedit::load(window, record.file);
}

void usrdlg::store() {
  for (int i = 0; i < data_->count; ++i) {
    usrdlgcontrol& record = data_->controls[i];
    if (record.kind == UsrEdit)
      GetWindowTextA(control(i), record.text, UsrTextSize);
    else if (record.kind == UsrCombo && record.selection)
      *record.selection = static_cast<int>(SendMessageA(control(i), CB_GETCURSEL, 0, 0));
    else if (record.kind == UsrFileEdit && !record.readonly)
      fileedit::save(control(i), record.file);
  }
}

// The picture's file name in the engine's folder, in the variant for the screen's colour depth,
// stretched over the item in its own palette.
void usrdlg::drawpicture(const usrdlgcontrol& record, const DRAWITEMSTRUCT& item) {
  bmpsrc placed;
  placed.assign(record.picture);
  fpathbuf folder, file;
  if (!fpath::setmoduledir(folder) || !fpath::movetodir(placed.path, folder) || !placed.pickfile(file))
    return;
  dib picture;
  if (!picture.loadfile(file, 1))
    return;
  palette colours;
  picture.makepalette(colours);
  colours.select(item.hDC);
  dc device(item.hDC, item.rcItem.right, item.rcItem.bottom);
  picture.drawinto(device, item.rcItem, SRCCOPY);
}

void usrdlg::end(int code) {
  if (ismodeless())
    result_ = code;
  else
    EndDialog(hwnd(), code);
}

int usrdlg::command(int id, int code) {
  if (id == HelpIdCommand) {
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, data_->helpid);
    return 1;
  }
  int index = id - UsrFirstId;
  if (index < 0 || index >= data_->count || code != BN_CLICKED)
    return 0;
  const usrdlgcontrol& record = data_->controls[index];
  if (record.kind == UsrHelpButton) {
    EngineHelp().showactive();
    return 1;
  }
  if (record.kind != UsrButton)
    return 0;
  if (record.endcode % 2 == 0)
    store();
  end(record.endcode);
  return 1;
}

INT_PTR usrdlg::dlgproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    build();
    return 1;
  case WM_COMMAND:
    return command(LOWORD(wParam), HIWORD(wParam));
  case WM_DRAWITEM: {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    int index = static_cast<int>(item->CtlID) - UsrFirstId;
    if (index < 0 || index >= data_->count || data_->controls[index].kind != UsrPicture)
      return 0;
    drawpicture(data_->controls[index], *item);
    return 1;
  }
  case WM_QUERYNEWPALETTE:
    return 1;
  case WM_PALETTECHANGED:
    if (reinterpret_cast<HWND>(wParam) != hwnd())
      InvalidateRect(hwnd(), nullptr, TRUE);
    return 0;
  }
  return 0;
}
