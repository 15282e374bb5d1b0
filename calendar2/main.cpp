#include <calendar2/Form1.h>

#include <formsrt/Application.h>
#include <formsrt/Form.h>

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  plovera::Form1 form(formsrt::App.Path());
  return formsrt::run(form);
}
