#include <engine/controllers/ScriptInstallController.h>

#include <engine/controllers/EventExecutors.h>

#include <foundation/dialogs/usrdlg.h>
#include <foundation/system/checkfailed.h>
#include <foundation/windows/msgloop.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const CheckSite tooManyControls{"KXTEST", 530};

} // namespace

int CopyPhase(const EventList& events, int& begin, int& end) {
  begin = -1;
  end = events.count();
  int endFound = -1;
  for (int i = 0; i < events.count(); ++i) {
    if (events.at(i)->type() == 33)
      begin = i;
    else if (events.at(i)->type() == 34)
      endFound = i;
  }
  if (begin < 0)
    return 0;
  if (endFound >= 0)
    end = endFound;
  return 1;
}

std::unique_ptr<ScriptInstallController> CreateScriptController() {
  return std::make_unique<ScriptInstallController>();
}

ScriptInstallController::ScriptInstallController() : services_(variables_, *this, engineFolder_) {
  selectiondialog = [this](ComponentChoice& choice) {
    return RunSelectComponentsDialog(
        choice, [this] { return queryabort(); }, windows_.screenwindow());
  };
}

ScriptInstallController::~ScriptInstallController() {
  closesequencedialog();
  releasescript();
}

int ScriptInstallController::loadscript() {
  variables_.setsourcepath(sourceFolder_);
  loadAttempted_ = 1;
  if (!LoadScriptFromFolder(script_, engineFolder_, *this))
    return 0;
  enabled_.assign(static_cast<size_t>(script_.events.count()), 1);
  mapentrycomponents();
  return 1;
}

// A failed load leaves the members it read and the event types it registered: they go too.
void ScriptInstallController::releasescript() {
  closesequencedialog();
  if (!loadAttempted_)
    return;
  loadAttempted_ = 0;
  script_.clear();
  entryComponents_.clear();
  ReleaseEventTypes();
}

int ScriptInstallController::runscript() {
  for (int i = 0; i < script_.events.count(); ++i) {
    int result = 1;
    if (!interpret(i, result))
      return result;
  }
  return FinishType(finishkind(), restartDeferred, dosRestart, systemIniChanged);
}

int ScriptInstallController::interpret(int index, int& result) {
  result = 1;
  const Event& event = *script_.events.at(index);
  installer_.log().state = event.logState;
  if (event.componentBound && index < static_cast<int>(enabled_.size()) &&
      !enabled_[static_cast<size_t>(index)])
    return 1;
  int condition = 0;
  if (!evaluate(event.condition.c_str(), condition))
    return 0;
  if (!condition) {
    if (event.type() == 3)
      skipfiles(event);
    return 1;
  }
  const BuildStyle* style = script_.build ? script_.build->currentstyle() : nullptr;
  if (style && style->unattended() && event.interactive())
    return 1;
  if (!event.interpretable()) {
    reporterror("An uninterpretible event is being skipped");
    return 1;
  }
  if (!ExecuteEvent(event, *this, *this, result))
    return 0;
  // After a failed log write the run stops: nothing more may change.
  if (!installer_.log().broken())
    return 1;
  result = 1;
  return 0;
}

int ScriptInstallController::unattended() {
  const BuildStyle* style = script_.build ? script_.build->currentstyle() : nullptr;
  return style && style->unattended();
}

void ScriptInstallController::skipfiles(const Event& event) { addprogress(EventSizeKB(event, *this)); }

int ScriptInstallController::productname(char* name) {
  if (!script_.product)
    return 0;
  std::snprintf(name, 128, "%s", script_.product->name.c_str());
  return 1;
}

HeaderFigures ScriptInstallController::headerfigures() {
  HeaderFigures figures;
  // The script's header numbers carry the uninstaller's dialog mode and its time per record.
  figures.dialogMode = static_cast<int>(script_.workingHeader[0]);
  figures.minimumTime = script_.workingHeader[1];
  if (script_.product) {
    figures.versionHigh = script_.product->figures[0];
    figures.versionLow = script_.product->figures[1];
  }
  return figures;
}

int ScriptInstallController::diskmap(DiskMap& map) {
  const BuildStyle* style = script_.build ? script_.build->currentstyle() : nullptr;
  if (!style)
    return 0;
  map.numberedBySet = style->numbers[StyleNumberedBySet];
  map.archive = style->name;
  map.labels = style->diskLabels;
  map.groups = style->groups;
  return 1;
}

std::vector<std::pair<const FileEntry*, std::string>> ScriptInstallController::auxiliaryitems() {
  std::vector<std::pair<const FileEntry*, std::string>> items;
  const AuxiliaryFileList& list = script_.auxiliary;
  for (size_t i = 0; i < list.references.indexes.size() && i < list.entries.size(); ++i) {
    const FileEntry* entry = fileentry(list.references.indexes[i]);
    if (entry && list.entries[i].marked)
      items.emplace_back(entry, list.entries[i].target.empty() ? entry->target : list.entries[i].target);
  }
  return items;
}

int ScriptInstallController::finishkind() { return script_.product ? script_.product->values[0] : 0; }

int ScriptInstallController::resultfigure() { return script_.product ? script_.product->values[1] : 0; }

int ScriptInstallController::partcount() {
  const BuildStyle* style = script_.build ? script_.build->currentstyle() : nullptr;
  return style ? std::max<int>(1, static_cast<int>(style->diskLabels.size())) : 1;
}

long ScriptInstallController::partsize(int part) {
  // The files of the copy phase the selection keeps, counted in the part their member starts in.
  int begin = 0, end = script_.events.count();
  CopyPhase(script_.events, begin, end);
  long long bytes = 0;
  for (int i = begin < 0 ? 0 : begin; i < end; ++i) {
    const Event& event = *script_.events.at(i);
    if (event.type() != 3 || event.number(CopyMode) == 2)
      continue;
    // The files of a deselected component are neither installed nor counted.
    if (event.componentBound && !enabled_[static_cast<size_t>(i)])
      continue;
    for (unsigned index : event.fields.references[0]) {
      const FileEntry* entry = fileentry(index);
      if (entry && entry->firstPart - 1 == part)
        bytes += entry->originalSize;
    }
  }
  // Summed before the division, as the events' own size queries are.
  return static_cast<long>(bytes / 1024);
}

int ScriptInstallController::componentshapes(std::vector<ComponentShape>& shapes) {
  shapes.clear();
  for (int c = 0; c < script_.components.count(); ++c) {
    const Component& component = *script_.components.at(c);
    ComponentShape shape;
    shape.holdsEvents = component.holdsEvents;
    shape.events = component.events;
    for (const Component* sub : component.subcomponents)
      shape.subcomponents.push_back(script_.components.indexof(sub));
    int checked = 0, kind = 0;
    char name[StringValueSize], description[StringValueSize];
    if (!evaluate(component.expression1.c_str(), checked) || !evaluate(component.expression2.c_str(), kind) ||
        !expand(component.text1.c_str(), name, sizeof name) ||
        !expand(component.text2.c_str(), description, sizeof description))
      return 0;
    shape.checked = checked;
    shape.boxKind = kind;
    shape.name = name;
    shape.description = description;
    shapes.push_back(shape);
  }
  return 1;
}

int ScriptInstallController::selectcomponents() {
  if (script_.components.count() == 0)
    return 1;
  ComponentChoice choice;
  if (!componentshapes(choice.components))
    return 0;
  for (int e = 0; e < script_.events.count(); ++e) {
    choice.componentBound.push_back(script_.events.at(e)->componentBound);
    choice.eventSizes.push_back(EventSizeKB(*script_.events.at(e), *this));
  }
  choice.enabled = enabled_;
  if (!selectiondialog) {
    std::vector<int> checked;
    for (size_t c = 0; c < choice.components.size(); ++c)
      if (choice.components[c].holdsEvents && choice.components[c].checked)
        checked.push_back(static_cast<int>(c));
    ApplySelection(choice.components, checked, choice.componentBound, enabled_);
    return 1;
  }
  choice.driveLines = SelectionDriveLines(drives);
  if (selectiondialog(choice) != 1)
    return 0;
  enabled_ = choice.enabled;
  return 1;
}

int ScriptInstallController::userdialog(const char* name, int& result) {
  result = rundialog(name);
  return result != 0 || script_.dialogs.find(name);
}

int ScriptInstallController::rundialog(const char* name) {
  const UserDialog* dialog = script_.dialogs.find(name);
  if (!dialog) {
    reportf("User dialog %s not found", name);
    return 0;
  }
  FilledUserDialog filled;
  if (!filldialog(*dialog, name, filled))
    return -1;
  // Owned by the install screen even while the progress dialog stands above it on the window stack.
  int answer = filled.window.domodal(windows_.screenwindow(), filled.data);
  filled.storestrings();
  return answer;
}

int ScriptInstallController::filldialog(const UserDialog& dialog, const char* name,
                                        FilledUserDialog& filled) {
  if (dialog.controls.size() > MostUserControls) {
    CheckFailed(tooManyControls, 0);
    reportf("Error evaluting user dialog %s", name);
    return 0;
  }
  usrdlgdata& data = filled.data;
  usrdlgcontrol* controls = filled.controls.get();
  data.centrex = dialog.layout[0];
  data.centrey = dialog.layout[1];
  data.width = dialog.layout[2];
  data.height = dialog.layout[3];
  data.helpid = dialog.layout[4];
  data.count = static_cast<int>(dialog.controls.size());
  data.controls = controls;
  int filledIn = expand(dialog.caption.c_str(), data.title, UsrTitleSize);
  std::vector<std::pair<char*, const char*>>& strings = filled.strings;
  for (size_t i = 0; filledIn && i < dialog.controls.size(); ++i) {
    const ControlRecord& record = dialog.controls[i];
    usrdlgcontrol& control = controls[i];
    control.x = record.layout[0];
    control.y = record.layout[1];
    control.width = record.layout[2];
    control.height = record.layout[3];
    control.endcode = record.id;
    switch (record.kind) {
    case ControlText:
      control.kind = UsrText;
      filledIn = expand(record.text.c_str(), control.caption, UsrCaptionSize);
      break;
    case ControlText2:
      control.kind = UsrButton;
      filledIn = expand(record.text.c_str(), control.caption, UsrCaptionSize);
      break;
    case ControlStringVariable: {
      control.kind = UsrEdit;
      char* value = variables_.stringvariable(record.text.c_str(), 1);
      filledIn = value != nullptr;
      if (value) {
        std::snprintf(control.text, UsrTextSize, "%s", value);
        strings.emplace_back(value, control.text);
      }
      break;
    }
    case ControlIntegerVariable: {
      control.kind = UsrCombo;
      control.selection = variables_.integervariable(record.text.c_str(), 1);
      char lines[StringValueSize];
      filledIn = control.selection && expand(record.secondText.c_str(), lines, sizeof lines);
      if (filledIn)
        control.lines.set(lines);
      break;
    }
    case ControlFixedText: {
      // A multi-line edit over the file the text names; its id is the read-only flag.
      control.kind = UsrFileEdit;
      control.readonly = record.id;
      char file[StringValueSize];
      filledIn = expand(record.text.c_str(), file, sizeof file) && control.file.set(file);
      break;
    }
    case UsrPicture:
      control.kind = UsrPicture;
      control.picture.mode = record.appearance.mode;
      filledIn = control.picture.path.set(record.appearance.path.c_str());
      break;
    default:
      // The help button needs nothing from the script; an unknown kind shows as text.
      control.kind = record.kind == UsrHelpButton ? record.kind : UsrText;
      break;
    }
  }
  if (!filledIn) {
    reportf("Error evaluting user dialog %s", name);
    return 0;
  }
  return 1;
}

int ScriptInstallController::request(int a, int b, int c, int& result) {
  if (a == RequestCloseSequenceDialog) {
    closesequencedialog();
    return 1;
  }
  if (a != RequestSequenceDialog)
    return InstallController::request(a, b, c, result);
  // A dialog the script does not have is passed over; one that cannot be filled ends the run, as any
  // failing expansion does.
  int found = 0;
  return showsequencedialog(b, found) || b < 0 || b >= found;
}

int ScriptInstallController::sequencedialogcount() const {
  int count = 0;
  for (const UserDialog& dialog : script_.dialogs.dialogs)
    count += dialog.inSequence != 0;
  return count;
}

int ScriptInstallController::showsequencedialog(int n, int& found) {
  closesequencedialog();
  found = sequencedialogcount();
  const UserDialog* dialog = nullptr;
  int index = 0;
  for (const UserDialog& candidate : script_.dialogs.dialogs)
    if (candidate.inSequence && index++ == n)
      dialog = &candidate;
  if (!dialog)
    return 0;
  auto filled = std::make_unique<FilledUserDialog>();
  // Under the install screen, not the progress dialog the copy shows (the top of the window stack
  // when there is no screen).
  if (!filldialog(*dialog, dialog->name.c_str(), *filled) ||
      !filled->window.domodeless(windows_.screenwindow(), filled->data))
    return 0;
  BringWindowToTop(filled->window.hwnd());
  MessageLoop().adddialog(filled->window.hwnd());
  sequence_ = std::move(filled);
  return 1;
}

void ScriptInstallController::closesequencedialog() {
  if (!sequence_)
    return;
  MessageLoop().removedialog(sequence_->window.hwnd());
  sequence_->window.destroy();
  sequence_->storestrings();
  sequence_.reset();
}

int ScriptInstallController::sequencedialogshown() const {
  return sequence_ && sequence_->window.hwnd() && IsWindowVisible(sequence_->window.hwnd());
}

void FilledUserDialog::storestrings() const {
  for (const auto& string : strings)
    SetStringValue(string.first, string.second);
}

int* ScriptInstallController::integervariable(const char* name) { return services_.integervariable(name); }
char* ScriptInstallController::stringvariable(const char* name) { return services_.stringvariable(name); }
int ScriptInstallController::evaluate(const char* text, int& result) {
  return services_.evaluate(text, result);
}
int ScriptInstallController::expand(const char* text, char* out, int size) {
  return services_.expand(text, out, size);
}
int ScriptInstallController::writelines(const char* text, char* path) {
  return services_.writelines(text, path);
}
void ScriptInstallController::reporterror(const char* text) { reporterrorf("%s", text); }

int ScriptInstallController::componentof(const FileEntry& entry) {
  const FileEntry* first =
      script_.build && !script_.build->entries.empty() ? &script_.build->entries[0] : nullptr;
  if (!first)
    return -1;
  size_t index = static_cast<size_t>(&entry - first);
  return index < entryComponents_.size() ? entryComponents_[index] : -1;
}

// The first component whose file events name an entry, for every entry: asked once per installed
// file, the answer is looked up, not searched.
void ScriptInstallController::mapentrycomponents() {
  entryComponents_.assign(script_.build ? script_.build->entries.size() : 0, -1);
  for (int c = script_.components.count() - 1; c >= 0; --c) {
    for (int e : script_.components.at(c)->events) {
      const Event* event = script_.events.at(e);
      if (!event || event->type() != 3)
        continue;
      for (unsigned reference : event->fields.references[0])
        if (reference < entryComponents_.size())
          entryComponents_[reference] = c;
    }
  }
}
