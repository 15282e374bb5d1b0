#include <lookup/TfrmAbout.h>

#include <formlib/Exceptions.h>
#include <formlib/TApplication.h>
#include <lookup/ShellOpen.h>

#include <windows.h>

#include <cstdio>

namespace pellawin {

using namespace formlib;

const char kHomePage[] = "http://www.marrowind.example/";

namespace {

void writeShortcut(const std::string& path) {
  // Written beside the final name and moved there only when whole, so that a failed write never leaves a
  // half file that later clicks would open as it is.
  std::string temporary = path + ".new";
  std::string text = std::string("[InternetShortcut]\r\nURL=") + kHomePage + "\r\n";
  FILE* out = std::fopen(temporary.c_str(), "wb");
  bool written = out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  bool closed = out && std::fclose(out) == 0;
  if (written && closed && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    return;
  DWORD error = GetLastError();
  DeleteFileA(temporary.c_str());
  throw EInOutError("I/O error " + std::to_string(error ? error : 5));
}

} // namespace

TfrmAbout::TfrmAbout(TComponent* owner) : TForm(owner) {
  SetName("frmAbout");
  SetCaption("How to contact us");
  SetBorderStyle(TBorderStyle::bsDialog);
  SetClientSize(420, 337);
  GradientBack1 = new TGradientBack(this, this);
  GradientBack1->SetisAllBlue(true);
  DigMarquee1 = new TDigMarquee(this, this);
  DigMarquee1->SetHeight(21);
  DigMarquee1->SetAlign(TAlign::alBottom);
  DigMarquee1->SetSpeed(6);
  DigMarquee1->SetInterval(60);
  DigMarquee1->SetCaption("~4 VISIT OUR HOME PAGE ~3 FOR MORE SOFTWARE ~4 AT ~1 WWW.MARROWIND.EXAMPLE");
  OKButton = new TButton(this, this);
  OKButton->SetBounds(62, 277, 129, 27);
  OKButton->SetCaption("OK");
  OKButton->SetDefault(true);
  OKButton->SetModalResult(mrOk);
  btWeb = new TButton(this, this);
  btWeb->SetBounds(210, 277, 149, 27);
  btWeb->SetCaption("Marrowind Home Page");
  btWeb->SetHint("Launch your browser to Marrowind Home Page");
  btWeb->SetModalResult(mrOk);
  btWeb->OnClick = [this](TObject* sender) { btWebClick(sender); };
  SetActiveControl(OKButton);
  CenterOnScreen();
}

std::string TfrmAbout::ShortcutPath() { return Application->ExeFolder() + "MARWD.URL"; }

void TfrmAbout::btWebClick(TObject*) {
  std::string path = ShortcutPath();
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    writeShortcut(path);
  if (ShellOpen(Handle(), path) <= 32)
    MessageBoxA(Handle(), ("Couldn't open web browser for home page " + path).c_str(), "Error",
                MB_OK | MB_ICONERROR);
}

} // namespace pellawin
