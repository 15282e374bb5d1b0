#pragma once

#include <calendar2/EventDataFile.h>
#include <calendar2/Form2.h>
#include <calendar2/Form9.h>
#include <calendar2/MonthCalendars.h>
#include <calendar2/PloveraSettings.h>

#include <formsrt/Controls.h>
#include <formsrt/FlexGrid.h>
#include <formsrt/Form.h>

#include <memory>
#include <string>
#include <vector>

namespace plovera {

// The main form: the event list, two month calendars, today's date, the data file's path and the number
// of events, nine buttons and the menus. The list has unsaved changes exactly when Save is enabled.
class Form1 : public formsrt::Form {
public:
  // `folder` holds "PLOVERA.DAT" and the help file.
  explicit Form1(std::string folder);
  ~Form1() override;

  formsrt::FlexGrid Grid0;
  formsrt::Frame fMonth1;
  formsrt::FlexGrid Grid1;
  formsrt::Frame fMonth2;
  formsrt::FlexGrid Grid2;
  formsrt::Label lblDay;
  formsrt::Label lblDate;
  formsrt::Label lblKwes;
  formsrt::Label lblInfo1;
  formsrt::Label lblInfo2;
  formsrt::CommandButton bAdd;
  formsrt::CommandButton bUpdate;
  formsrt::CommandButton bDelete;
  formsrt::CommandButton bPrint;
  formsrt::CommandButton bMonthD;
  formsrt::CommandButton bToday;
  formsrt::CommandButton bMonthU;
  formsrt::CommandButton bSave;
  formsrt::CommandButton bExit;

  formsrt::MenuItem mnuFile;
  formsrt::MenuItem mnuSettings;
  formsrt::MenuItem mnuSave;
  formsrt::MenuItem mnuSep1;
  formsrt::MenuItem mnuPrint;
  formsrt::MenuItem mnuSep4;
  formsrt::MenuItem mnuExit;
  formsrt::MenuItem mnuuAction;
  formsrt::MenuItem mnuAdd;
  formsrt::MenuItem mnuUpdate;
  formsrt::MenuItem mnuDelete;
  formsrt::MenuItem mnuSep2;
  formsrt::MenuItem mnuMonthD;
  formsrt::MenuItem mnuToday;
  formsrt::MenuItem mnuMonthU;
  formsrt::MenuItem mnuHelp;
  formsrt::MenuItem mnuContents;
  formsrt::MenuItem mnuSep3;
  formsrt::MenuItem mnuAbout;

  static const char kProgramTitle[];

  void Form_Load() override;
  void Form_Paint() override;
  void Form_Unload(int& cancel) override;

  // The menu commands; each button runs its entry's command.
  void mnuSettings_Click();
  void mnuSave_Click();
  void mnuPrint_Click();
  void mnuExit_Click();
  void mnuAdd_Click();
  void mnuUpdate_Click();
  void mnuDelete_Click();
  void mnuMonthD_Click();
  void mnuMonthU_Click();
  void mnuToday_Click();
  void mnuContents_Click();
  void mnuAbout_Click();

  // The event form, created on its first use and kept, hidden, between uses.
  Form2& eventForm();
  // The settings form, likewise created on its first use and kept.
  Form9& settingsForm();
  int EventCount() const { return dataFile_.EventCount; }
  int CurrentMonth = 0;
  PloveraSettings Settings;
  std::string AboutText;

private:
  void wireEvents();
  void layOutCalendars();
  void Grid0_KeyDown(int keyCode);
  void reportUnreadSettings(const std::vector<std::string>& keys);
  void ShowAbout();
  // Asks the Confirm setting's question; `defaultButton` makes No the default where Yes destroys.
  bool confirm(const std::string& action, const std::string& what, int defaultButton = 0);
  void markChanged();
  void showEventCount();
  void selectRow(int row, int lastCol);
  void moveMonth(int direction);
  void printList();
  void printHeading();
  void printRule();

  std::string folder_;
  EventDataFile dataFile_;
  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form9> form9_;
};

} // namespace plovera
