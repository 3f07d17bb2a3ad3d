#pragma once
// WM_COMMAND identifiers of the bar's actions. Other programs (and the tests) may send
// them to the bar window, so they never change.

#define CMD_MINIMIZE 101
#define CMD_RESTORE 102
#define CMD_PAUSE 103
#define CMD_LOAD_FILE 104
#define CMD_OPTIONS 105
#define CMD_HELP 106
#define CMD_ABOUT 107
#define CMD_EXIT 108
#define CMD_SOURCES 109
#define CMD_REFRESH 110
