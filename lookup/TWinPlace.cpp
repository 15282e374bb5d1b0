#include <lookup/TWinPlace.h>

#include <formlib/Exceptions.h>
#include <formlib/SysUtils.h>
#include <formlib/TApplication.h>
#include <formlib/TForm.h>
#include <formlib/TIniFile.h>

#include <windows.h>

#include <exception>

namespace pellawin {

using namespace formlib;

namespace {

constexpr UINT kPlacementLength = 44;

// Takes the next number off the front of `text`. Without a delimiter the whole text is the number and
// stays, so the remaining fields read it again.
int takeNumber(std::string& text, const std::string& delimiter, int fallback) {
  size_t at = text.find(delimiter);
  if (at == std::string::npos)
    return StrToIntDef(text, fallback);
  std::string piece = text.substr(0, at);
  text = text.substr(at + delimiter.size(), 255);
  return StrToIntDef(piece, fallback);
}

} // namespace

TWinPlace::TWinPlace(TForm* owner)
    : TComponent(owner), form_(owner), section_(Application->ExeName()), identifier_(owner->Name()) {}

std::string TWinPlace::Value() const { return TIniFile(iniFileName_).ReadString(section_, identifier_, ""); }

void TWinPlace::SavePlacementOrReport() {
  try {
    SavePlacement();
  } catch (const std::exception& error) {
    Application->HandleException(error);
  }
}

void TWinPlace::SavePlacement() {
  WINDOWPLACEMENT place{};
  place.length = kPlacementLength;
  if (!GetWindowPlacement(form_->Handle(), &place))
    throw EAbort("TWinPlace: Unable to retrieve window placement");
  TForm* mainForm = Application->MainForm();
  if (place.showCmd == SW_SHOWNORMAL && form_ == mainForm && IsIconic(mainForm->Handle()))
    place.showCmd = SW_SHOWMINIMIZED;
  const long fields[] = {static_cast<long>(place.flags), static_cast<long>(place.showCmd),
                         place.ptMinPosition.x,          place.ptMinPosition.y,
                         place.ptMaxPosition.x,          place.ptMaxPosition.y,
                         place.rcNormalPosition.left,    place.rcNormalPosition.top,
                         place.rcNormalPosition.right,   place.rcNormalPosition.bottom};
  std::string text;
  for (long field : fields)
    text += IntToStr(field) + delimiter_;
  TIniFile(iniFileName_).WriteString(section_, identifier_, text);
}

void TWinPlace::RestorePlacement() {
  std::string text = Value();
  WINDOWPLACEMENT place{};
  place.length = kPlacementLength;
  place.flags = takeNumber(text, delimiter_, 0);
  place.showCmd = takeNumber(text, delimiter_, SW_SHOWNORMAL);
  // A hand-edited "hidden" would hide the window at every show; it shows normally instead.
  if (place.showCmd == SW_HIDE)
    place.showCmd = SW_SHOWNORMAL;
  place.ptMinPosition.x = takeNumber(text, delimiter_, 0);
  place.ptMinPosition.y = takeNumber(text, delimiter_, 0);
  place.ptMaxPosition.x = takeNumber(text, delimiter_, 0);
  place.ptMaxPosition.y = takeNumber(text, delimiter_, 0);
  place.rcNormalPosition.left = takeNumber(text, delimiter_, 0);
  place.rcNormalPosition.top = takeNumber(text, delimiter_, 0);
  place.rcNormalPosition.right = takeNumber(text, delimiter_, 0);
  place.rcNormalPosition.bottom = takeNumber(text, delimiter_, 0);
  if (place.rcNormalPosition.left < place.rcNormalPosition.right)
    SetWindowPlacement(form_->Handle(), &place);
}

} // namespace pellawin
