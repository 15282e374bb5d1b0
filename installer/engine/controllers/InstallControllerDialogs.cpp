// InstallController: its dialogs, the busy message and the progress of the copy.
#include <engine/controllers/InstallController.h>

#include <engine/controllers/InstallControllerParts.h>
#include <engine/controllers/Scramble.h>
#include <engine/dialogs/EngineBox.h>
#include <engine/dialogs/PromptDialog.h>
#include <engine/dialogs/UserInfoDialog.h>
#include <engine/expressions/VariableStore.h>
#include <engine/operations/ProgramItem.h>

#include <foundation/dialogs/msgbox.h>
#include <foundation/system/checkfailed.h>
#include <foundation/windows/msgloop.h>

#include <kxlang/kxlangids.h>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace installcontroller;

namespace {

const CheckSite noDiskToAskFor{"ICTRLLER", 612};

} // namespace

int ProgressPercent(long long done, long long total) {
  if (total <= 0 || done >= total)
    return 100;
  if (done <= 0)
    return 0;
  return static_cast<int>(done * 100 / total);
}

int InstallController::showfinishdialog(int type) {
  struct Row {
    UINT text;
    const char* fallback;
    UINT caption;
    const char* captionFallback;
    int restart;
  } rows[] = {
      {TEXT_FINISH_DONE, "Congratulations!\n%s has been installed successfully", TEXT_FINISH_CAPTION,
       "Installation Completed", 0},
      {TEXT_FINISH_ABORTED, "Installation is being aborted", TEXT_FINISH_ABORTED_CAPTION, "Abort", 0},
      {TEXT_FINISH_RESTART_WINDOWS,
       "%s has been installed successfully\nbut we need to restart\nWindows for the changes to take effect",
       TEXT_FINISH_CAPTION, "Installation Completed", 1},
      {0, "", 0, "", 0},
      {TEXT_FINISH_RESTART_DOS,
       "%s has been installed successfully\nbut we need to restart\nDOS for the changes to take effect",
       TEXT_FINISH_CAPTION, "Installation Completed", 1},
  };
  if (type < 0 || type > 4 || type == 3)
    return 0;
  const Row& row = rows[type];
  msgbox box;
  box.settextf(LibraryText(library_, row.text, row.fallback).c_str(), product_);
  box.setstdicon(MB_ICONINFORMATION);
  std::string caption = LibraryText(library_, row.caption, row.captionFallback);
  if (!row.restart) {
    box.setbuttons(MB_OK);
    box.show(caption.c_str());
    return type == 1 ? 1 : 0;
  }
  std::string restart = LibraryText(library_, TEXT_FINISH_RESTART, "&Restart");
  std::string stay = LibraryText(library_, TEXT_FINISH_STAY, "&Stay here");
  box.setbuttons2(restart.c_str(), stay.c_str());
  box.setcancel(1);
  return box.show(caption.c_str()) == 0 ? type : 0;
}

int InstallController::promptfordisk(int disk, int force) {
  if (disk == disk_ && !force)
    return 1;
  if (mediaMode_ == 2) {
    char folder[32];
    std::snprintf(folder, sizeof folder, "disk%03d", disk + 1);
    std::string path = sourceFolder_;
    path = path.substr(0, path.find_last_of('\\') + 1) + folder;
    // A disk folder that is not there is asked for like a disk: never loop on it.
    if (FileExists(path)) {
      CopyCut(sourceFolder_, sizeof sourceFolder_, path.c_str());
      disk_ = disk;
      return 1;
    }
  } else if (mediaMode_ == 0) {
    CheckFailed(noDiskToAskFor, 0);
    return 0;
  }
  const char* label =
      disk >= 0 && disk < static_cast<int>(map_.labels.size()) ? map_.labels[disk].c_str() : "";
  char text[512];
  std::snprintf(text, sizeof text, LibraryText(library_, TEXT_INSERT_DISK, "Please insert disk: %s").c_str(),
                label);
  std::string caption = LibraryText(library_, TEXT_INSERT_DISK_CAPTION, "Insert Disk");
  for (;;) {
    if (EngineMessageBox(text, caption.c_str(), MB_OKCANCEL | MB_ICONINFORMATION) == IDOK) {
      disk_ = disk;
      return 1;
    }
    if (queryabort())
      return 0;
  }
}

int InstallController::addprogress(long units) {
  // The gauge moves in steps of at most 2 units.
  while (units > 0) {
    long chunk = std::min(units, 2L);
    units -= chunk;
    done_ += chunk;
    // A count past the total is the sizes' rounding, not a fault to report.
    percent_ = ProgressPercent(done_, total_);
  }
  windows_.showpercent(percent_);
  crossbillboard();
  // Asking for messages costs a trip to the window server, so they are served at most every few
  // milliseconds: often enough for the windows to answer at once, rarely enough not to slow the copy.
  DWORD now = GetTickCount();
  if (now - pumped_ < PumpInterval)
    return !abortRequested;
  pumped_ = now;
  MessageLoop().pump(1);
  return !abortRequested;
}

// Crossing from one step of the copy to the next changes the billboard.
void InstallController::crossbillboard() {
  int step = BillboardStep(percent_, billboards_);
  if (step == billboard_)
    return;
  if (billboard_ >= 0)
    closebillboard();
  billboard_ = step;
  if (step >= 0)
    showbillboard(step);
}

int InstallController::openmessage(int which) {
  static const UINT texts[] = {TEXT_BUSY_FIRST, TEXT_BUSY_SECOND, TEXT_BUSY_THIRD};
  if (which < 0 || which > 2)
    return 0;
  busy_.show(500, 500, EngineTextf(texts[which]).c_str(), product_, BusyTime);
  return 1;
}

int InstallController::closemessage(int) {
  busy_.hide();
  return 1;
}

int InstallController::showmessage(const MessageWindowRecord& record) {
  busy_.show(record.x, record.y, record.first, record.second, record.time);
  return 1;
}

int InstallController::hidemessage() {
  busy_.hide();
  return 1;
}

// Goes on (0) or stops the run (2); a nonzero style also offers the abort, confirmed before it
// answers 1.
int InstallController::querydialog(int style, const char* text) {
  for (;;) {
    msgbox box;
    box.settextf("%s", text);
    std::string first = EngineTextf(TEXT_CONTINUE_FIRST), second = EngineTextf(TEXT_CONTINUE_SECOND);
    if (style)
      box.setbuttons3(first.c_str(), second.c_str(), EngineTextf(TEXT_CONTINUE_THIRD).c_str());
    else
      box.setbuttons2(first.c_str(), second.c_str());
    box.setcancel(1);
    box.setdefault(1);
    box.setstdicon(MB_ICONQUESTION);
    int answer = box.show(EngineTextf(TEXT_CONTINUE_CAPTION).c_str());
    if (answer != 2)
      return answer == 0 ? 0 : 2;
    std::string question = EngineTextf(TEXT_CONTINUE_THIRD_QUESTION);
    // Yes ends the installation: Enter keeps it going.
    if (EngineMessageBox(question.c_str(), product_, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
      return 1;
  }
}

void InstallController::queryfailed() {}

// The variables: name and company in and out, then the scrambled copies of each where named. The
// first number shows the information read-only.
int InstallController::userinfo(int readonly, int, char* const variables[6]) {
  UserInfoRequest request;
  request.readonly = readonly != 0;
  if (variables[0])
    CopyCut(request.name, sizeof request.name, variables[0]);
  if (variables[1])
    CopyCut(request.company, sizeof request.company, variables[1]);
  for (;;) {
    int result = RunUserInfoDialog(request);
    if (result < 0)
      return 0;
    if (result == 1)
      break;
    if (queryabort())
      return 0;
  }
  const char* fields[2] = {request.name, request.company};
  for (int i = 0; i < 2; ++i) {
    if (variables[i])
      SetStringValue(variables[i], fields[i]);
    if (!variables[i + 2])
      continue;
    // Room for the scrambled form of the longest field.
    char scrambled[ScrambledSize(sizeof request.company)];
    CopyCut(scrambled, sizeof scrambled, fields[i]);
    if (!ScrambleString(scrambled, sizeof scrambled))
      return 0;
    SetStringValue(variables[i + 2], scrambled);
  }
  return 1;
}

// The mode is the box's icon kind (an MB_ICON value); the box has OK only.
int InstallController::showtext(int mode, const char* text) {
  EngineMessageBox(text, product_, MB_OK | (static_cast<UINT>(mode) & MB_ICONMASK));
  return 1;
}

// The four numbers: kind, help context, space needed on the folder's drive (units of 10 KB, 0 for no
// check) and whether to create the folder.
int InstallController::promptstring(const int values[4], const char* const texts[4], char* answer) {
  PromptRequest request;
  request.kind = values[0];
  request.initial = texts[0];
  request.prompt = texts[1];
  request.title = texts[2];
  request.helpcontext = values[1];
  std::string groups;
  if (request.kind == 2 && installer_.grouplist(groups))
    request.groups = ListingLines(groups);
  auto acceptfolder = [&](const char* folder) -> int {
    if (values[2] > 0 && installer_.checkfreespace(DriveRoot(folder).c_str(), values[2]) != 0)
      return 0;
    return !values[3] || createfolder(folder);
  };
  for (;;) {
    int result = RunPromptDialog(request, acceptfolder);
    if (result == 1) {
      CopyCut(answer, 256, request.answer);
      return 1;
    }
    if (result < 0 || queryabort())
      return 0;
  }
}

// Yes or No set the answer; the third button aborts the run (0) once the abort is confirmed. The mode
// is the message box icon.
int InstallController::askyesno(int mode, const char* question, int& yes) {
  for (;;) {
    msgbox box;
    box.settextf("%s", question);
    box.setbuttons3(EngineTextf(TEXT_THREE_FIRST).c_str(), EngineTextf(TEXT_THREE_SECOND).c_str(),
                    EngineTextf(TEXT_THREE_THIRD).c_str());
    box.setcancel(2);
    box.setdefault(2);
    box.setstdicon(mode);
    int answer = box.show(EngineTextf(TEXT_THREE_CAPTION).c_str());
    if (answer == 0 || answer == 1) {
      yes = answer == 0;
      return 1;
    }
    if (answer < 0 || queryabort())
      return 0;
  }
}
