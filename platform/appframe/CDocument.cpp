#include <appframe/CDocument.h>

#include <appframe/CFrameWnd.h>
#include <appframe/CView.h>

#include <algorithm>

CDocument::~CDocument() {
  for (CView* view : views_)
    view->m_pDocument = nullptr;
}

void CDocument::AddView(CView* view) {
  if (std::find(views_.begin(), views_.end(), view) != views_.end())
    return;
  views_.push_back(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
  if (view->m_pDocument == this)
    view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  // A copy: a view may go away while it handles the update.
  std::vector<CView*> views = views_;
  for (CView* view : views) {
    if (view == sender || std::find(views_.begin(), views_.end(), view) == views_.end())
      continue;
    view->OnUpdate(sender, hint, hintObject);
  }
}

void CDocument::SetTitle(const char* title) {
  title_ = title;
  for (CView* view : views_)
    if (CFrameWnd* frame = view->GetParentFrame())
      frame->OnUpdateFrameTitle();
}

void CDocument::SetPathName(const char* path) {
  pathName_ = path;
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':')
      name = p + 1;
  SetTitle(name);
}

bool CDocument::OnNewDocument() {
  pathName_.Empty();
  SetModifiedFlag(false);
  return true;
}
