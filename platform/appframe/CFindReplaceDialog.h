#pragma once

#include <appframe/CWnd.h>

#include <commdlg.h>

// The system's modeless find dialog. Its owner receives the registered message FindReplaceMessage()
// for each request; GetNotifier turns that message's LPARAM back into the dialog object. The object
// deletes itself when its window is gone, so it is always created with new.
class CFindReplaceDialog : public CWnd {
public:
  CFindReplaceDialog();

  // Shows the dialog; findOnly is the only kind the programs use.
  bool Create(bool findOnly, const char* findWhat, const char* replaceWith = nullptr, DWORD flags = FR_DOWN,
              CWnd* parent = nullptr);
  static UINT FindReplaceMessage();
  static CFindReplaceDialog* GetNotifier(LPARAM lParam);

  CString GetFindString() const { return CString(findWhat_); }
  bool FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
  bool IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }
  bool SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
  bool MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }

  FINDREPLACEA m_fr{};

protected:
  void PostNcDestroy() override;

private:
  char findWhat_[128] = "";
  HWND registered_ = nullptr;
};
