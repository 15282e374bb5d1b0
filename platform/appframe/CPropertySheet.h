#pragma once

#include <appframe/CPropertyPage.h>

#include <string>
#include <vector>

// A modal property sheet of pages the caller keeps, with a help button and no Apply button. OK checks
// the open page, then tells every page that was opened; DoModal answers IDOK or IDCANCEL.
class CPropertySheet {
public:
  explicit CPropertySheet(const char* caption, CWnd* parent = nullptr) : caption_(caption), parent_(parent) {}

  void AddPage(CPropertyPage* page) { pages_.push_back(page); }
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const { return pages_[static_cast<size_t>(index)]; }
  INT_PTR DoModal();

private:
  std::string caption_;
  CWnd* parent_;
  std::vector<CPropertyPage*> pages_;
};
