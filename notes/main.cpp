#include <notes/Form1.h>

#include <formsrt/Application.h>

#include <windows.h>

#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CoInitialize(nullptr);
  formsrt::App.Title = "Notaris";
  notaris::Form1 form(formsrt::App.Path(), formsrt::App.Command());
  int result = formsrt::run(form);
  CoUninitialize();
  return result;
}
