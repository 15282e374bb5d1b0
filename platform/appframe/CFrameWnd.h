#pragma once

#include <appframe/CCreateContext.h>
#include <appframe/CWnd.h>

class CCmdUI;
class CControlBar;
class CDocument;
class CView;

// Adds the document's title before the frame's own in the caption.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

// A top-level window with a menu, bars along its edges and one pane (a view or a splitter of views)
// in the rest. Commands go to the active view first, then to the frame, then to the application; each
// menu, when it opens, asks the same handlers for its items' state (update-UI). A frame deletes itself
// when its window is gone; the application's main frame ends the message loop then.
class CFrameWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

public:
  // Loads the menu, icon and title of resource `resourceId` and creates the window.
  bool LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                 CCreateContext* context = nullptr);
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  // Makes the views; by default one view from the context.
  virtual bool OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context);
  // Sends every view its first update and shows the frame with the application's show command.
  void InitialUpdateFrame(CDocument* doc, bool makeVisible);

  CView* GetActiveView() const { return activeView_; }
  void SetActiveView(CView* view) { activeView_ = view; }
  CDocument* GetActiveDocument() const;
  // Lays the visible bars out along the edges and gives the rest to the pane.
  void RecalcLayout();
  void ShowControlBar(CControlBar* bar, bool show);
  void EnableDocking(DWORD sides) { dockSides_ = sides; }
  // Puts the bar on its side when the frame allows that side.
  void DockControlBar(CControlBar* bar);
  void OnUpdateFrameTitle();
  const CString& GetTitle() const { return title_; }
  // Asks the handlers for the state of every item of the menu.
  void UpdateMenu(HMENU menu);
  // Runs a command as if it came from the menu: view, frame, application. False when nobody took it.
  bool RouteCommand(UINT id, UINT code = 0, LPARAM lParam = 0);

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  int OnCreate(CREATESTRUCTA* cs);
  void OnSize(UINT type, int cx, int cy);
  LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);

private:
  bool RouteUpdate(CCmdUI& ui);
  HMENU menu_ = nullptr;
  HICON icon_ = nullptr;
  CString title_;
  CCreateContext* context_ = nullptr;
  CView* activeView_ = nullptr;
  DWORD dockSides_ = 0;
};
