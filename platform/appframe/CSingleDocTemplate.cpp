#include <appframe/CSingleDocTemplate.h>

#include <appframe/CDocument.h>
#include <appframe/CFrameWnd.h>
#include <appframe/CWinApp.h>

#include <string>

CSingleDocTemplate::CSingleDocTemplate(unsigned resourceId, DocumentMaker makeDocument, FrameMaker makeFrame,
                                       ViewMaker makeView)
    : resourceId_(resourceId), makeDocument_(std::move(makeDocument)), makeFrame_(std::move(makeFrame)),
      makeView_(std::move(makeView)) {}

CSingleDocTemplate::~CSingleDocTemplate() = default;

namespace {

// The document name: the second line of the template's string.
std::string DefaultTitle(unsigned resourceId) {
  char text[256] = "";
  LoadStringA(GetModuleHandleA(nullptr), resourceId, text, sizeof text);
  std::string all = text;
  size_t first = all.find('\n');
  if (first == std::string::npos)
    return "Untitled";
  std::string name = all.substr(first + 1, all.find('\n', first + 1) - first - 1);
  return name.empty() ? "Untitled" : name;
}

} // namespace

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path, bool makeVisible) {
  bool created = !document_;
  if (created) {
    document_.reset(makeDocument_());
    if (!document_)
      return nullptr;
  }
  if (created) {
    CCreateContext context;
    context.m_pCurrentDoc = document_.get();
    context.m_pNewViewClass = makeView_;
    CFrameWnd* frame = makeFrame_();
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd)
      app->m_pMainWnd = frame;
    if (!frame->LoadFrame(resourceId_, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
      if (app && app->m_pMainWnd == frame)
        app->m_pMainWnd = nullptr;
      document_.reset();
      return nullptr;
    }
    if (path)
      document_->SetPathName(path);
    else {
      document_->OnNewDocument();
      document_->SetTitle(DefaultTitle(resourceId_).c_str());
    }
    frame->InitialUpdateFrame(document_.get(), makeVisible);
    return document_.get();
  }
  if (path)
    document_->SetPathName(path);
  else if (document_->OnNewDocument())
    document_->SetTitle(DefaultTitle(resourceId_).c_str());
  return document_.get();
}
