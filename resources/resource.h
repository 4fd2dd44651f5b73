// Resource ids of the menu program itself (the resource library has its own).
#pragma once

#define IDR_MAINFRAME 128
#define IDD_PORTAL 102
#define IDD_SETTINGS 143
#define IDD_ABOUT 144

#define IDC_MINIMIZE 1001
#define IDC_CLOSE 1002
#define IDC_MOVIE 1003
