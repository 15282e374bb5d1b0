#include <lookup/tests/HelpPanels.h>

#include <lookup/TfrmHelp.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/SentInput.h>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace pellawintest {

std::string HelpPanelsShownBy(HWND helpButton) {
  std::string panels;
  ModalAnswerer answerer;
  answerer.act("Pellawin Info Help", [&](HWND hwnd) {
    auto* help = dynamic_cast<TfrmHelp*>(TControl::FromHandle(hwnd));
    for (TPanel* panel : {help->Panel1, help->Panel2, help->Panel3})
      panels += panel->Visible() ? '1' : '0';
    PostMessageA(help->Button1->Handle(), BM_CLICK, 0, 0);
  });
  click(helpButton, 5, 5);
  return panels;
}

} // namespace pellawintest
