#pragma once

#include <functional>
#include <memory>

class CDocument;
class CFrameWnd;
class CView;

// Ties one document class, its frame and its first view together under one resource id (menu, icon,
// and the string "window title\ndocument name\n..."). The first New makes the document, the frame and
// its views; later ones, and Open, only retitle the one document.
class CSingleDocTemplate {
public:
  using DocumentMaker = std::function<CDocument*()>;
  using FrameMaker = std::function<CFrameWnd*()>;
  using ViewMaker = std::function<CView*()>;

  CSingleDocTemplate(unsigned resourceId, DocumentMaker makeDocument, FrameMaker makeFrame,
                     ViewMaker makeView);
  ~CSingleDocTemplate();
  CSingleDocTemplate(const CSingleDocTemplate&) = delete;
  CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

  // New with no path, Open with one. Null when the document or its frame could not be made.
  CDocument* OpenDocumentFile(const char* path, bool makeVisible = true);
  CDocument* GetDocument() const { return document_.get(); }

private:
  unsigned resourceId_;
  DocumentMaker makeDocument_;
  FrameMaker makeFrame_;
  ViewMaker makeView_;
  std::unique_ptr<CDocument> document_;
};
