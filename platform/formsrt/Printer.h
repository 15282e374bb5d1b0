#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace formsrt {

// Where a print job goes: the default printer, or pages kept as metafiles.
class PrintTarget {
public:
  virtual ~PrintTarget() = default;
  // Each step raises Printer error (482) when the device refuses it.
  virtual void startDocument(const std::string& title) = 0;
  // The device context the page is drawn on, valid until endPage.
  virtual HDC startPage() = 0;
  virtual void endPage() = 0;
  virtual void endDocument() = 0;
  virtual void abortDocument() = 0;
};

// The system's default printer; without one, startDocument raises Printer error.
class DefaultPrinter : public PrintTarget {
public:
  ~DefaultPrinter() override;
  void startDocument(const std::string& title) override;
  HDC startPage() override;
  void endPage() override;
  void endDocument() override;
  void abortDocument() override;

private:
  HDC dc_ = nullptr;
};

// Every page as an enhanced metafile of a letter-sized page, measured like the screen: a print preview,
// and what tests read back.
class MetafilePages : public PrintTarget {
public:
  ~MetafilePages() override;
  void startDocument(const std::string& title) override;
  HDC startPage() override;
  void endPage() override;
  void endDocument() override;
  void abortDocument() override;

  const std::vector<HENHMETAFILE>& pages() const { return pages_; }
  bool ended() const { return ended_; }
  bool aborted() const { return aborted_; }

private:
  HDC page_ = nullptr;
  std::vector<HENHMETAFILE> pages_;
  bool ended_ = false;
  bool aborted_ = false;
};

// The printer object. The document starts with the first output; text lines are made of items placed
// at character columns of the printer's font (column 1 is the page's left edge, a column as wide as the
// font's average character); each line moves the print position down by the font's line height. The
// vertical position is read and set in the scale's unit, twips or inches.
class PrinterObject {
public:
  enum ScaleMode : int { scaleTwips = 1, scaleInches = 5 };
  using Items = std::vector<std::pair<int, std::string>>;

  PrinterObject();
  ~PrinterObject();

  // Tests and previews print elsewhere; by default the job goes to the default printer.
  void setTarget(std::unique_ptr<PrintTarget> target);
  int ScaleMode() const { return scaleMode_; }
  void setScaleMode(int mode);
  double CurrentY() const;
  void setCurrentY(double y);
  std::string FontName = "Arial";
  int FontSize = 10;
  int Page() const { return page_; }

  void Print(const Items& items = Items());
  void NewPage();
  // Ends the document, which sends it to the printer.
  void EndDoc();
  // Abandons the document.
  void KillDoc();

private:
  void ensurePage();
  void selectFont();
  void reset();

  std::unique_ptr<PrintTarget> target_;
  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  int scaleMode_ = scaleTwips;
  double y_ = 0; // inches from the top of the page
  int page_ = 0;
  bool started_ = false;
};

extern PrinterObject Printer;

} // namespace formsrt
