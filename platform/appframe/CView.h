#pragma once

#include <appframe/CObject.h>
#include <appframe/CWnd.h>

class CDocument;
class CFrameWnd;

// A window that shows its document. It draws in OnDraw and learns of changes in OnUpdate. Views are
// created with new by their frame or splitter and delete themselves when their window is gone.
class CView : public CWnd {
  DECLARE_MESSAGE_MAP()

public:
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  CFrameWnd* GetParentFrame() const;

  // Called once, after the frame and every view exist; by default the first OnUpdate.
  virtual void OnInitialUpdate();
  // By default the whole view is drawn again.
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  virtual void OnDraw(CDC* dc) = 0;

  CDocument* m_pDocument = nullptr;

protected:
  void PostNcDestroy() override;
  void OnPaint();
  void OnPrintClient(HDC dc, UINT flags);
  int OnMouseActivate(HWND topLevel, UINT hitTest, UINT message);
};
