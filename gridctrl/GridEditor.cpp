#include <gridctrl/GridEditor.h>

#include <gridctrl/GridCtrl.h>

BEGIN_MESSAGE_MAP(CGridEditor, CEdit)
ON_WM(WM_SETFOCUS, OnSetFocus)
ON_WM(WM_KILLFOCUS, OnKillFocus)
ON_WM(WM_MOUSEACTIVATE, OnMouseActivate)
ON_WM(WM_KEYDOWN, OnKeyDown)
ON_WM(WM_CHAR, OnChar)
ON_WM(WM_GETDLGCODE, OnGetDlgCode)
ON_WM(WM_SIZE, OnSize)
END_MESSAGE_MAP()

namespace {

const int kLeftInset = 2;
const int kTopInset = 1;

} // namespace

void CGridEditor::Begin(int col, int row, const char* mask, const char* text) {
  m_col = col;
  m_row = row;
  m_pending = m_hasFocus = m_rewriting = m_closing = false;
  if (!(GetStyle() & ES_MULTILINE))
    SetMargins(kLeftInset, 0);
  // The mask is in place before the text arrives: the text's change notification formats it with this
  // edit's mask, never with the one left from the edit before.
  m_mask.Set(mask ? mask : "");
  if (m_mask.Active())
    LimitText(m_mask.Positions());
  SetWindowText(text);
  Reformat();
  m_startText = GetWindowText();
}

void CGridEditor::Reformat() {
  if (!m_hWnd || !m_mask.Active() || m_rewriting)
    return;
  const std::string text = static_cast<const char*>(GetWindowText());
  const std::string formatted = m_mask.Reformat(text);
  if (formatted == text)
    return;
  int start, end;
  GetSel(&start, &end);
  m_rewriting = true;
  SetWindowText(formatted.c_str());
  SetSel(start, end);
  m_rewriting = false;
}

void CGridEditor::Close() {
  if (!m_hWnd || m_closing)
    return;
  HWND self = m_hWnd;
  Commit();
  if (!IsWindow(self) || m_hWnd != self || m_closing)
    return;
  m_closing = true;
  DestroyWindow();
  m_mask.Set("");
}

void CGridEditor::Commit() {
  if (!m_pending)
    return;
  m_pending = false;
  HWND self = m_hWnd;
  if (!m_pGrid->OnEndEdit(m_col, m_row, this) || !IsWindow(self))
    return;
  const CString text = GetWindowText();
  if (text == m_startText)
    return; // the user changed nothing: what the mask made of the cell's text is not written back
  CGridCell cell;
  m_pGrid->GetCell(m_col, m_row, &cell);
  cell.SetText(text);
  m_pGrid->SetCell(m_col, m_row, &cell);
  m_pGrid->RedrawCell(m_col, m_row);
}

void CGridEditor::OnSetFocus(HWND) {
  Default();
  m_hasFocus = true;
  m_pending = true;
}

void CGridEditor::OnKillFocus(HWND) {
  Default();
  m_hasFocus = false;
  HWND self = m_hWnd;
  Commit();
  if (IsWindow(self) && m_hWnd == self)
    Close();
}

// A click inside the editor is the editor's own (it places the caret or selects): the body, which takes
// the focus for a click on itself, never sees it, so the edit goes on.
int CGridEditor::OnMouseActivate(HWND, UINT, UINT) { return MA_ACTIVATE; }

void CGridEditor::OnKeyDown(UINT key, UINT, UINT) {
  int colStep = 0, rowStep = 0;
  switch (key) {
  case VK_TAB:
    colStep = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    break;
  case VK_RETURN:
    colStep = 1;
    break;
  case VK_UP:
    rowStep = -1;
    break;
  case VK_DOWN:
    rowStep = 1;
    break;
  case VK_ESCAPE:
    m_pending = false;
    Close();
    return;
  default:
    Default();
    return;
  }
  HWND self = m_hWnd;
  Commit();
  if (!IsWindow(self))
    return;
  // Moving on ends this window and may make the next one on this same object: nothing of the old
  // window is touched afterwards.
  m_pGrid->EditMoveOn(colStep, rowStep);
}

bool CGridEditor::MaskAllows(UINT ch) {
  if (!m_mask.Active() || ch < 0x20 || ch == 0x7F)
    return true;
  int start, end;
  GetSel(&start, &end);
  int pos = start;
  if (pos >= m_mask.Positions())
    return false;
  while (pos < m_mask.Positions() && m_mask.IsLiteral(pos)) {
    m_rewriting = true;
    SendMessage(WM_CHAR, static_cast<unsigned char>(m_mask.At(pos)), 1);
    m_rewriting = false;
    ++pos;
  }
  return pos < m_mask.Positions() && CGridMask::Accepts(m_mask.At(pos), static_cast<char>(ch));
}

void CGridEditor::OnChar(UINT ch, UINT, UINT) {
  if (ch == '\t' || ch == '\r')
    return; // ends the edit through the key; the control would only beep
  if (m_rewriting) {
    Default();
    return;
  }
  if (!MaskAllows(ch))
    return;
  HWND self = m_hWnd;
  UINT code = ch;
  if (!m_pGrid->OnEditChar(m_col, m_row, this, &code) || !IsWindow(self))
    return;
  DefWindowProc(WM_CHAR, code, 1);
}

UINT CGridEditor::OnGetDlgCode(MSG* msg) {
  if (msg && msg->message == WM_KEYDOWN) {
    if (msg->wParam == VK_TAB)
      return DLGC_WANTTAB;
    if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)
      return DLGC_WANTALLKEYS;
  }
  return static_cast<UINT>(Default());
}

void CGridEditor::OnSize(UINT, int, int) {
  Default();
  if (!(GetStyle() & ES_MULTILINE))
    return; // a one-line edit has its inset as a margin
  CRect format = GetClientRect();
  format.left += kLeftInset;
  format.top += kTopInset;
  SendMessage(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
}
