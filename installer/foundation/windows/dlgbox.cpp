#include <foundation/windows/dlgbox.h>

#include <foundation/registry/osinfo.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/checkfailed.h>
#include <foundation/windows/dlgtemplate.h>
#include <foundation/windows/wndstack.h>

#include <wincore/ErrorReporter.h>

#include <cstdlib>
#include <exception>

namespace {

constexpr CheckSite modelessStillShown{"DLGBOX", 33};
constexpr CheckSite modalTemplateMissing{"DLGBOX", 94};
constexpr CheckSite modalFailed{"DLGBOX", 118};
constexpr CheckSite modelessTemplateMissing{"DLGBOX", 142};
constexpr CheckSite modelessFailed{"DLGBOX", 156};

dlgbox* objectOf(HWND window) { return reinterpret_cast<dlgbox*>(GetWindowLongPtrA(window, DWLP_USER)); }

HWND ownerOr(HWND owner) { return owner ? owner : WindowStack().top(); }

// The template module for a start by name: where the template is, else the resource module (the start
// then fails the way the system reports it).
HMODULE moduleFor(LPCSTR name) {
  HMODULE module = FindDialogTemplate(name);
  return module ? module : ResourceModule();
}

LPARAM param(dlgbox& object) { return reinterpret_cast<LPARAM>(&object); }

} // namespace

dlgbox::~dlgbox() {
  if (!modeless_ || !window_ || !IsWindow(window_))
    return;
  CheckFailed(modelessStillShown, 0);
  SetWindowLongPtrA(window_, DWLP_USER, 0);
  DestroyWindow(window_);
  window_ = nullptr;
}

INT_PTR RunDialog(dlgbox& object, HWND owner, LPCSTR templateName) {
  owner = ownerOr(owner);
  if (!SystemInfo().newshell) {
    INT_PTR result =
        DialogBoxParamA(moduleFor(templateName), templateName, owner, DlgProcDispatch, param(object));
    CheckFailed(modalFailed, result != -1);
    return result;
  }
  void* copy = LoadDialogTemplate(templateName);
  if (!CheckFailed(modalTemplateMissing, copy != nullptr))
    return -1;
  INT_PTR result = DialogBoxIndirectParamA(EngineModule(), static_cast<LPCDLGTEMPLATEA>(copy), owner,
                                           DlgProcDispatch, param(object));
  std::free(copy);
  return result;
}

INT_PTR RunMainDialog(dlgbox& object, LPCSTR templateName) {
  return RunDialog(object, WindowStack().top(), templateName);
}

int CreateModelessDialog(dlgbox& object, HWND owner, LPCSTR templateName) {
  owner = ownerOr(owner);
  object.modeless_ = 1;
  HWND window = nullptr;
  if (!SystemInfo().newshell) {
    window = CreateDialogParamA(moduleFor(templateName), templateName, owner, DlgProcDispatch, param(object));
    CheckFailed(modelessFailed, window != nullptr);
  } else {
    void* copy = LoadDialogTemplate(templateName);
    if (!CheckFailed(modelessTemplateMissing, copy != nullptr))
      return 0;
    window = CreateDialogIndirectParamA(EngineModule(), static_cast<LPCDLGTEMPLATEA>(copy), owner,
                                        DlgProcDispatch, param(object));
    std::free(copy);
  }
  if (!window)
    return 0;
  object.window_ = window;
  return 1;
}

INT_PTR CALLBACK DlgProcDispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  dlgbox* object = nullptr;
  if (message == WM_INITDIALOG) {
    object = reinterpret_cast<dlgbox*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    object->window_ = window;
  } else {
    object = objectOf(window);
  }
  if (!object)
    return 0;
  INT_PTR result = 0;
  try {
    result = object->dlgproc(message, wParam, lParam);
  } catch (...) {
    // The user hears of it and the dialog goes on, the message unhandled.
    wincore::reportError(std::current_exception());
  }
  // Messages come until WM_NCDESTROY (the children's going, the frame's last ones): the object stays
  // bound to the dialog until then.
  if (message == WM_NCDESTROY && objectOf(window) == object) {
    SetWindowLongPtrA(window, DWLP_USER, 0);
    object->window_ = nullptr;
  }
  return result;
}

int DlgUnitsX(int n) { return MulDiv(n, LoWord(static_cast<DWORD>(GetDialogBaseUnits())), 4); }

int DlgUnitsY(int n) { return MulDiv(n, HiWord(static_cast<DWORD>(GetDialogBaseUnits())), 8); }
