#pragma once

#include <formlib/TComponent.h>

#include <string>

namespace formlib {
class TForm;
}

namespace pellawin {

// Keeps its owner window's screen placement in an initialisation file: the ten numbers of the system's
// window-placement record, each followed by the delimiter, under Section / Identifier.
class TWinPlace : public formlib::TComponent {
public:
  explicit TWinPlace(formlib::TForm* owner);

  const std::string& IniFileName() const { return iniFileName_; }
  void SetIniFileName(const std::string& name) { iniFileName_ = name; }
  const std::string& Section() const { return section_; }
  void SetSection(const std::string& section) { section_ = section; }
  const std::string& Identifier() const { return identifier_; }
  void SetIdentifier(const std::string& identifier) { identifier_ = identifier; }
  const std::string& Delimiter() const { return delimiter_; }
  void SetDelimiter(const std::string& delimiter) { delimiter_ = delimiter; }

  // The stored text, empty when there is none.
  std::string Value() const;
  virtual void SavePlacement();
  // For a closing window: a placement that cannot be stored is reported, and the window closes all the
  // same.
  void SavePlacementOrReport();
  virtual void RestorePlacement();

private:
  formlib::TForm* form_;
  std::string iniFileName_ = "WinPlace.INI";
  std::string section_;
  std::string identifier_;
  std::string delimiter_ = " ";
};

} // namespace pellawin
