// The numbers of the texts that kxmain loads from its resource module. Shared by the language
// libraries' resource scripts, the program's own resources and the code, so every side names one id.
#pragma once

#define TEXT_INVALID_VALUE 1
#define TEXT_NO_HELP 11
#define TEXT_HELP 12

#define TEXT_BUTTON_OK 76
#define TEXT_BUTTON_CANCEL 77
#define TEXT_BUTTON_YES 78
#define TEXT_BUTTON_NO 79
#define TEXT_BUTTON_RETRY 80
#define TEXT_ERROR 81
#define TEXT_BUTTON_HELP 82

// Control ids of the message box, notice, progress and user dialog templates.
#define IDC_MSGBOX_ICON 101
#define IDC_MSGBOX_TEXT 102
#define IDC_MSGBOX_BUTTON1 103
#define IDC_MSGDLG_TEXT 101
#define IDC_MSGDLG_ICON 102
#define IDC_PROG_LINE1 101
#define IDC_PROG_LINE2 102
#define IDC_PROG_LINE3 103
#define IDC_PROG_GAUGE 104
#define IDC_PROG_ICON 105
