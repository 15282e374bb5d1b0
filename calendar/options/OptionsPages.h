#pragma once

#include <appframe/CDialog.h>

// What the option pages share: the sound test and browse buttons and the time fields, which show and
// take times in the effective time format.
namespace optionspages {

// Plays the file named in the edit control; tells the user when it cannot be played.
void TestSound(CDialog& page, int editId);
// Lets the user choose a wave file for the edit control.
void BrowseSound(CDialog& page, int editId, const char* title);
// Sets an hour spin's range for the time format and shows the AM/PM radios or the 24-hour label.
void ShowTimeFormat(CDialog& page, bool with24Hour, int spinId, int amId, int pmId, int label24Id);

} // namespace optionspages
