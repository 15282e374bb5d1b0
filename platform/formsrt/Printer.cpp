#include <formsrt/Printer.h>

#include <formsrt/Application.h>
#include <formsrt/RuntimeError.h>
#include <wincore/Units.h>

#include <commdlg.h>

namespace formsrt {

PrinterObject Printer;

DefaultPrinter::~DefaultPrinter() {
  if (dc_)
    DeleteDC(dc_);
}

void DefaultPrinter::startDocument(const std::string& title) {
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDlgA(&dialog) || !dialog.hDC)
    raiseError(errPrinter);
  GlobalFree(dialog.hDevMode);
  GlobalFree(dialog.hDevNames);
  dc_ = dialog.hDC;
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  if (StartDocA(dc_, &info) <= 0) {
    DeleteDC(dc_);
    dc_ = nullptr;
    raiseError(errPrinter);
  }
}

HDC DefaultPrinter::startPage() {
  if (StartPage(dc_) <= 0)
    raiseError(errPrinter);
  return dc_;
}

void DefaultPrinter::endPage() {
  if (EndPage(dc_) <= 0)
    raiseError(errPrinter);
}

void DefaultPrinter::endDocument() {
  int result = EndDoc(dc_);
  DeleteDC(dc_);
  dc_ = nullptr;
  if (result <= 0)
    raiseError(errPrinter);
}

void DefaultPrinter::abortDocument() {
  AbortDoc(dc_);
  DeleteDC(dc_);
  dc_ = nullptr;
}

MetafilePages::~MetafilePages() {
  if (page_)
    DeleteEnhMetaFile(CloseEnhMetaFile(page_));
  for (HENHMETAFILE page : pages_)
    DeleteEnhMetaFile(page);
}

void MetafilePages::startDocument(const std::string&) {}

HDC MetafilePages::startPage() {
  RECT letter{0, 0, 21590, 27940}; // 8.5 by 11 inches in hundredths of a millimetre
  page_ = CreateEnhMetaFileA(nullptr, nullptr, &letter, nullptr);
  if (!page_)
    raiseError(errPrinter);
  return page_;
}

void MetafilePages::endPage() {
  pages_.push_back(CloseEnhMetaFile(page_));
  page_ = nullptr;
}

void MetafilePages::endDocument() { ended_ = true; }

void MetafilePages::abortDocument() {
  if (page_)
    DeleteEnhMetaFile(CloseEnhMetaFile(page_));
  page_ = nullptr;
  aborted_ = true;
}

PrinterObject::PrinterObject() = default;

PrinterObject::~PrinterObject() {
  if (font_)
    DeleteObject(font_);
}

void PrinterObject::setTarget(std::unique_ptr<PrintTarget> target) {
  reset();
  target_ = std::move(target);
}

void PrinterObject::setScaleMode(int mode) {
  if (mode != scaleTwips && mode != scaleInches)
    raiseError(errInvalidPropertyValue);
  scaleMode_ = mode;
}

double PrinterObject::CurrentY() const { return scaleMode_ == scaleInches ? y_ : y_ * 1440; }

void PrinterObject::setCurrentY(double y) { y_ = scaleMode_ == scaleInches ? y : y / 1440; }

void PrinterObject::selectFont() {
  if (font_) {
    DeleteObject(font_);
    font_ = nullptr;
  }
  font_ = CreateFontA(wincore::pointsToFontHeight(FontSize, GetDeviceCaps(dc_, LOGPIXELSY)), 0, 0, 0,
                      FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, FontName.c_str());
  oldFont_ = SelectObject(dc_, font_);
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

void PrinterObject::ensurePage() {
  if (dc_)
    return;
  if (!target_)
    target_ = std::make_unique<DefaultPrinter>();
  if (!started_) {
    target_->startDocument(App.Title);
    started_ = true;
    page_ = 1;
  }
  dc_ = target_->startPage();
  selectFont();
}

void PrinterObject::Print(const Items& items) {
  ensurePage();
  TEXTMETRICA metrics;
  GetTextMetricsA(dc_, &metrics);
  int dpi = GetDeviceCaps(dc_, LOGPIXELSY);
  int y = static_cast<int>(y_ * dpi + 0.5);
  for (const auto& [column, text] : items) {
    int x = (column > 1 ? column - 1 : 0) * metrics.tmAveCharWidth;
    TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
  }
  y_ += static_cast<double>(metrics.tmHeight + metrics.tmExternalLeading) / dpi;
}

void PrinterObject::NewPage() {
  ensurePage();
  SelectObject(dc_, oldFont_);
  dc_ = nullptr;
  target_->endPage();
  ++page_;
  y_ = 0;
  ensurePage();
}

void PrinterObject::EndDoc() {
  if (!started_)
    return;
  if (dc_) {
    SelectObject(dc_, oldFont_);
    dc_ = nullptr;
    target_->endPage();
  }
  started_ = false;
  y_ = 0;
  page_ = 0;
  target_->endDocument();
}

void PrinterObject::KillDoc() {
  if (!started_)
    return;
  if (dc_)
    SelectObject(dc_, oldFont_);
  dc_ = nullptr;
  started_ = false;
  y_ = 0;
  page_ = 0;
  target_->abortDocument();
}

void PrinterObject::reset() {
  if (started_)
    KillDoc();
}

} // namespace formsrt
