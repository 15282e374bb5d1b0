#include <formlib/TApplication.h>

#include <formlib/TForm.h>
#include <wincore/ErrorReporter.h>
#include <wincore/MessageLoop.h>

#include <windows.h>

#include <commctrl.h>

namespace formlib {

namespace {

std::string moduleFileName() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

TApplication theApplication;

} // namespace

TApplication* Application = &theApplication;

TApplication::TApplication() : TComponent(nullptr), exeName_(moduleFileName()) {
  // Errors that reach a window procedure come to the application's handler.
  wincore::setErrorReporter([this](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      HandleException(e);
    } catch (...) {
      HandleException(Exception("Unknown error"));
    }
  });
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

void TApplication::Run() {
  if (!mainForm_)
    return;
  mainForm_->Show();
  wincore::runMessageLoop();
}

void TApplication::Terminate() { PostQuitMessage(0); }

std::string TApplication::ExeFolder() const { return exeName_.substr(0, exeName_.find_last_of("\\/") + 1); }

std::string TApplication::Title() const {
  std::string name = exeName_.substr(exeName_.find_last_of("\\/") + 1);
  return name.substr(0, name.find_last_of('.'));
}

void TApplication::HandleException(const std::exception& error) {
  if (dynamic_cast<const EAbort*>(&error))
    return;
  HWND owner = GetActiveWindow();
  MessageBoxA(owner, error.what(), Title().c_str(), MB_OK | MB_ICONSTOP);
}

} // namespace formlib
