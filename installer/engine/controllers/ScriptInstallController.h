#pragma once

#include <engine/controllers/EventServices.h>
#include <engine/controllers/InstallController.h>
#include <engine/dialogs/ComponentDialog.h>
#include <engine/expressions/ScriptExpressions.h>
#include <engine/expressions/VariableStore.h>
#include <engine/script/FilledUserDialog.h>
#include <engine/script/InstallScript.h>

#include <memory>
#include <vector>

class ScriptInstallController;

// The engine's install controller: the script-driven one, empty until its initialise loads the script.
std::unique_ptr<ScriptInstallController> CreateScriptController();

// The copy phase of a script: the last BeginCopyEvent and the last EndCopyEvent (the end of the list
// when there is none); 0 when the script has no BeginCopyEvent.
int CopyPhase(const EventList& events, int& begin, int& end);

// How this works: the install controller with the script. The run interprets the events in order,
// each with its log state set on the log writer; a component-bound event of a deselected component is
// passed over before its condition is looked at; a false InstallFilesEvent still counts its files
// in the progress; an unattended build style answers the interactive events itself. The first event
// that fails ends the run with 1 (0 when it stopped without an error).
class ScriptInstallController : public InstallController, public EventServices, public ErrorReport {
public:
  ScriptInstallController();
  ~ScriptInstallController() override;

  // The script side of the install controller.
  int loadscript() override;
  int runscript() override;
  void releasescript() override;
  int productname(char* name) override;
  HeaderFigures headerfigures() override;
  int diskmap(DiskMap& map) override;
  const LanguageSet& languageset() override { return script_.languages; }
  std::vector<std::pair<const FileEntry*, std::string>> auxiliaryitems() override;
  int finishkind() override;
  int resultfigure() override;
  int partcount() override;
  long partsize(int part) override;
  int ctl3dwish() override { return script_.product ? script_.product->values[2] : 0; }
  const InstallScreenSettings* screensettings() override { return script_.screen.get(); }
  // The billboards are the user dialogs marked for the install sequence.
  int billboardcount() override { return sequencedialogcount(); }
  int showbillboard(int n) override {
    int found = 0;
    return showsequencedialog(n, found);
  }
  void closebillboard() override { closesequencedialog(); }
  long minimumitemtime() override { return script_.flags ? script_.flags->minimumMillisecondsPerFile : 0; }
  int unattended() override;

  // Event operations that need the script.
  const FileEntry* fileentry(unsigned index) override {
    return script_.build ? script_.build->entry(index) : nullptr;
  }
  int selectcomponents() override;
  // The sequence dialogs' requests; every other request goes to the install controller.
  int request(int a, int b, int c, int& result) override;
  int userdialog(const char* name, int& result) override;

  // The services the events reach the script's side through.
  int* integervariable(const char* name) override;
  char* stringvariable(const char* name) override;
  int evaluate(const char* text, int& result) override;
  int expand(const char* text, char* out, int size) override;
  int writelines(const char* text, char* path) override;
  void reporterror(const char* text) override;
  int componentof(const FileEntry& entry) override;

  // Runs one event: 1 to go on, 0 to end the run with `result`.
  int interpret(int index, int& result);
  // A user dialog by name, modal; its end code, -1 when it cannot be filled, 0 when there is none.
  int rundialog(const char* name);
  // The user dialogs marked for the install sequence: how many there are; the n-th of them (from 0)
  // shown modeless on top of the install screen (1; 0 when there is no n-th one or it cannot be
  // filled), with `found` the number there are; closing it, which hands its edits' texts to their
  // variables; whether one is shown.
  int sequencedialogcount() const;
  int showsequencedialog(int n, int& found);
  void closesequencedialog();
  int sequencedialogshown() const;

  InstallScript& script() { return script_; }
  std::vector<int>& enabled() { return enabled_; }
  // The skip operation of a false InstallFilesEvent: its files still count as done.
  virtual void skipfiles(const Event& event);

  // The components with their expressions evaluated and texts expanded; 0 when one fails (reported).
  int componentshapes(std::vector<ComponentShape>& shapes);
  // The selection dialog (the real one unless replaced): 1 with the confirmed enable array in the
  // choice, 0 when the user gave up. Without one, the script's own initial checks stand, as an OK at
  // once would leave them.
  std::function<int(ComponentChoice& choice)> selectiondialog;

private:
  InstallScript script_;
  VariableStore variables_;
  ScriptServices services_;
  std::vector<int> enabled_;
  // Set by loadscript, whether the load worked or not, until releasescript.
  int loadAttempted_ = 0;
  // The component of each file entry (-1: none), made after the load.
  std::vector<int> entryComponents_;
  std::unique_ptr<FilledUserDialog> sequence_;

  void mapentrycomponents();

  // Fills the dialog's record from the script: 0 when it cannot be filled (reported under `name`).
  int filldialog(const UserDialog& dialog, const char* name, FilledUserDialog& filled);
};
