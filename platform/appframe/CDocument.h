#pragma once

#include <appframe/CObject.h>
#include <appframe/CString.h>

#include <windows.h>

#include <vector>

class CView;

// The data of a document/view program. Views never hold copies of it: they are told of every change
// through UpdateAllViews with a hint number and an optional object.
class CDocument : public CObject {
public:
  CDocument() = default;
  ~CDocument() override;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;

  void AddView(CView* view);
  void RemoveView(CView* view);
  const std::vector<CView*>& GetViews() const { return views_; }
  // Every view but the sender gets OnUpdate(sender, hint, object).
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true) { modified_ = modified; }
  const CString& GetTitle() const { return title_; }
  virtual void SetTitle(const char* title);
  const CString& GetPathName() const { return pathName_; }
  // Takes a file's path; the title becomes the file's name.
  void SetPathName(const char* path);

  // The framework's New: empties nothing by default and clears the modified flag.
  virtual bool OnNewDocument();

private:
  std::vector<CView*> views_;
  bool modified_ = false;
  CString title_;
  CString pathName_;
};
