#pragma once

#include <engine/screen/InstallScreenWindow.h>

#include <foundation/dialogs/progdlg.h>
#include <foundation/windows/helpfile.h>
#include <foundation/windows/userwnd.h>

#include <windows.h>

#include <memory>
#include <string>

class InstallWindows;

// The small window that stands for the run while the install screen is minimised: restoring it
// brings the screen back, closing it asks the run to end.
class IconWindow : public userwnd {
public:
  explicit IconWindow(InstallWindows& windows) : windows_(windows) {}
  ~IconWindow() override { destroy(); }

  int create(HICON icon, const char* caption);
  LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  InstallWindows& windows_;
};

// The first window from `window` up its parents that is a pop-up; none when there is none.
HWND PopupAncestor(HWND window);
// Whether the window's system menu offers an enabled Close item.
int CloseEnabled(HWND window);
// The percent at which the billboard of a step shows: the copy is split into `steps` equal steps;
// -1 when there are none.
int BillboardStep(int percent, int steps);

// How this works: the windows an installation shows besides its dialogs, made in the order the run
// needs them and released in reverse by close(): the install screen (this object is its host: the
// screen's pictures are the copies beside the engine, its title the product), the run's icon, the
// icon window that stands for the minimised run, the help binding with its F1 hook, and the progress
// dialog of the copy phase. Every dialog of the run is owned by the screen while it is on the window
// stack.
class InstallWindows : public ScreenHost {
public:
  ~InstallWindows();

  // The folder the screen's files are copied into and the product; before anything is made.
  void setrun(const char* engineFolder, const char* product);
  // Creates the screen's windows; 0 when that failed (what was made goes with close()).
  int realizescreen(const InstallScreenSettings& settings);
  // "kxmain.ico" in the folder, else the program's icon "ICONSETUP".
  void loadicon(const char* folder);
  // Made shown minimised and hidden at once; 0 when it could not be made.
  int createiconwindow();
  // F1 and the icon window's help open the help file of the run's language in the folder.
  void bindhelp(const char* folder, const char* languageCode);
  // Unbinds help and destroys the progress dialog, the icon window, the icon and the screen.
  void close();

  // The progress dialog of the copy phase; its Cancel sets the flag. 0 when it could not be shown.
  int showprogress(int* abortFlag);
  void hideprogress();
  // The gauge and the icon window's caption show the percent; the screen's activity moves.
  void showpercent(int percent);

  // The screen and its pop-ups again in place of the icon window.
  void restore();

  // Windows the tests reach.
  InstallScreen* screen() { return screen_.get(); }
  HWND screenwindow() const { return screen_ ? screen_->hwnd() : nullptr; }
  HWND iconwindow() const { return iconWindow_ ? iconWindow_->hwnd() : nullptr; }
  progdlg* progress() { return progress_.get(); }
  HICON runicon() const { return icon_; }

  // The screen's host.
  int metafilepath(fpath& out) override;
  int backgroundpath(fpath& out) override;
  int picturepath(fpath& out) override;
  void exit(HWND focus) override;
  void help(HWND focus) override;
  void minimize() override;
  const char* title() override { return product_.c_str(); }
  HICON icon() override { return icon_; }
  HMODULE bitmapmodule() override;
  LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  int bitmappath(const PictureSource& source, fpath& out);

  std::string engineFolder_;
  std::string product_;
  const InstallScreenSettings* settings_ = nullptr;
  std::unique_ptr<InstallScreen> screen_;
  HICON icon_ = nullptr;
  int iconOwned_ = 0;
  std::unique_ptr<IconWindow> iconWindow_;
  helpfilter helpHook_;
  int helpBound_ = 0;
  std::unique_ptr<progdlg> progress_;
  int percent_ = -1;
};
