#pragma once

#include <formlib/Exceptions.h>
#include <formlib/TComponent.h>

#include <exception>
#include <string>

namespace formlib {

class TForm;

// The program's one application object: the forms it creates, the message loop and the handler that
// reports an error that reached the loop and lets the program go on.
class TApplication : public TComponent {
public:
  TApplication();

  void Initialize();
  // Creates a form owned by the application; the first one created is the main form.
  template <class T> void CreateForm(T*& form) {
    form = new T(this);
    if (!mainForm_)
      mainForm_ = form;
  }
  // Shows the main form and runs the message loop until the program is asked to end.
  void Run();
  void Terminate();
  TForm* MainForm() const { return mainForm_; }

  // The program file's full path. A test gives the program another folder to live in.
  const std::string& ExeName() const { return exeName_; }
  void SetExeName(const std::string& path) { exeName_ = path; }
  // The program's folder, with the final backslash.
  std::string ExeFolder() const;
  std::string Title() const;

  // An error box with the error's text; a silent abort shows nothing.
  void HandleException(const std::exception& error);

private:
  TForm* mainForm_ = nullptr;
  std::string exeName_;
};

extern TApplication* Application;

} // namespace formlib
