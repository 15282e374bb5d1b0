#pragma once

// The framework's command and window identifiers.
constexpr unsigned ID_SEPARATOR = 0;
constexpr unsigned ID_FILE_NEW = 0xE100;
constexpr unsigned ID_FILE_OPEN = 0xE101;
constexpr unsigned ID_FILE_PRINT_SETUP = 0xE106;
constexpr unsigned ID_FILE_MRU_FILE1 = 0xE110;
constexpr unsigned ID_APP_ABOUT = 0xE140;
constexpr unsigned ID_APP_EXIT = 0xE141;
constexpr unsigned ID_HELP_INDEX = 0xE142;
constexpr unsigned ID_HELP = 0xE146;
constexpr unsigned AFX_IDW_STATUS_BAR = 0xE801;
constexpr unsigned AFX_IDW_DIALOGBAR = 0xE805;
constexpr unsigned AFX_IDW_PANE_FIRST = 0xE900;
// The code a command's update-UI query travels with (in WM_COMMAND's high word).
constexpr unsigned CN_UPDATE_COMMAND_UI = 0xFFFF;
