// Every resource id of the menu, named once and included by both resource
// files and by the code: the program's own icon, dialog templates and their
// controls (Lumbra.rc), and the texts and skin bitmaps of the resource
// library Lumbra.dll (library/Library.rc). Plain defines, as the resource
// compiler reads them.
#pragma once

// The program file.
#define IDR_MAINFRAME 128
#define IDD_PORTAL 102
#define IDD_SETTINGS 143
#define IDD_ABOUT 144

// Controls of the main window; the about dialog's close button is 1002 too.
#define IDC_MINIMIZE 1001
#define IDC_CLOSE 1002
#define IDC_MOVIE 1003

// Controls of the settings dialog.
#define IDC_AUTOSTART 1004
#define IDC_APP_LIST 1012
#define IDC_VERSION 1013
#define IDC_AUTOSTART_LABEL 1014
#define IDC_UP 1015
#define IDC_DOWN 1016
#define IDC_XP_WIZARD 1017
#define IDC_XP_WIZARD_LABEL 1018
#define IDC_SETTINGS_CLOSE 1019

// Texts of the resource library. 81 and 85 take one integer argument, 35
// and 36 two "%s" counts.
#define IDS_SETTINGS_HEADING 1
#define IDS_SETTINGS_AUTOSTART 2
#define IDS_SETTINGS_XPWIZARD 3
#define IDS_SETTINGS_UP 4
#define IDS_SETTINGS_DOWN 5
#define IDS_SETTINGS_OK 6
#define IDS_SETTINGS_CANCEL 7
#define IDS_SETTINGS_VERSION 8
#define IDS_ABOUT_VERSION_LABEL 9
#define IDS_ABOUT_OK 10
#define IDS_BACK_IMPORT 20
#define IDS_BACK_SETTINGS 21
#define IDS_CLOSE_NAME 22
#define IDS_MINIMIZE_NAME 23
#define IDS_PLAYER_SETTINGS 30
#define IDS_PLAYER_COPY 31
#define IDS_PLAYER_EMPTY 32
#define IDS_PLAYER_UNREADABLE 33
#define IDS_PLAYER_LOOKING 34
#define IDS_PLAYER_LOOKING_PROGRESS 35
#define IDS_PLAYER_PREPARING_PROGRESS 36
#define IDS_EXEC_FAILED 81
#define IDS_AUTOPLAY_DENIED 82
#define IDS_FLASH_TOO_OLD 84
#define IDS_PLUGIN_ERROR 85
// Texts with "%s" arguments: a plug-in's name, or a path.
#define IDS_PLUGIN_SET_ASIDE 86
#define IDS_MENU_NOT_RESPONDING 87
#define IDS_MENU_NOT_RESPONDING_PLAIN 88
#define IDS_TEMP_FOLDER_UNUSABLE 89
#define IDS_DOCUMENT_NOT_WRITTEN 90
#define IDS_MOVIE_MISSING 91

// Skin bitmaps of the resource library: one skin per window, and the state
// images of each button in the order normal, pressed, focus, disabled,
// mouse-over (the label buttons have no mouse-over image).
#define IDB_MAIN_SKIN 100
#define IDB_MINIMIZE_NORMAL 200
#define IDB_MINIMIZE_PRESSED 201
#define IDB_MINIMIZE_FOCUS 202
#define IDB_MINIMIZE_DISABLED 203
#define IDB_MINIMIZE_HOVER 204
#define IDB_CLOSE_NORMAL 210
#define IDB_CLOSE_PRESSED 211
#define IDB_CLOSE_FOCUS 212
#define IDB_CLOSE_DISABLED 213
#define IDB_CLOSE_HOVER 214
#define IDB_SETTINGS_SKIN 300
#define IDB_PUSH_NORMAL 320
#define IDB_PUSH_PRESSED 321
#define IDB_PUSH_FOCUS 322
#define IDB_PUSH_DISABLED 323
#define IDB_PUSH_HOVER 324
#define IDB_VERSION_NORMAL 325
#define IDB_VERSION_PRESSED 326
#define IDB_VERSION_FOCUS 327
#define IDB_VERSION_DISABLED 328
#define IDB_VERSION_HOVER 329
#define IDB_AUTOSTART_LABEL_NORMAL 330
#define IDB_AUTOSTART_LABEL_PRESSED 331
#define IDB_AUTOSTART_LABEL_FOCUS 332
#define IDB_AUTOSTART_LABEL_DISABLED 333
#define IDB_XP_WIZARD_LABEL_NORMAL 340
#define IDB_XP_WIZARD_LABEL_PRESSED 341
#define IDB_XP_WIZARD_LABEL_FOCUS 342
#define IDB_XP_WIZARD_LABEL_DISABLED 343
#define IDB_CHECK_UNCHECKED 400
#define IDB_CHECK_CHECKED 401
#define IDB_CHECK_DISABLED 402
#define IDB_ABOUT_SKIN 500
