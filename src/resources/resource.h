// Identifiers of the dialog templates, the menu, the bitmaps and every
// control. Control ids repeat across pages (each page is its own dialog);
// names carry the page when the role is the page's own.
#pragma once

// Templates, menu and bitmaps
#define IDD_MAIN 101
#define IDM_MAIN_MENU 102
#define IDD_ABOUT 103
#define IDB_ABOUT 105
#define IDD_FONTS 106
#define IDD_DUMP 108
#define IDD_STRINGS 109
#define IDD_REGISTERS 110
#define IDD_PCIR 120
#define IDD_VESA 121
#define IDD_MODES 124
#define IDD_LOGO 125
#define IDB_PLL_FORMULA 129

// Menu commands, all on the menu bar
#define IDM_EXIT 40001
#define IDM_LOAD 40002
#define IDM_SAVE 40003
#define IDM_ABOUT 40004
#define IDM_HELP 40006
#define IDM_RELOAD 40007

// Main window and About box
#define IDC_TABS 1000
#define IDC_ABOUT_EMAIL 1087
#define IDC_ABOUT_WEB 1088

// Apply and Restore of the editing pages
#define IDC_APPLY 1071
#define IDC_RESTORE 1072

// Dump page
#define IDC_DUMP_LISTING 1002

// Boot-up Strings page
#define IDC_STRING1_TEXT 1004
#define IDC_STRING2_TEXT 1005
#define IDC_STRING1_LENGTH 1006
#define IDC_STRING1_OFFSET 1007
#define IDC_STRING1_MAX 1008
#define IDC_STRING2_LENGTH 1009
#define IDC_STRING2_MAX 1010
#define IDC_STRING2_OFFSET 1011
#define IDC_DATE_OFFSET 1012
#define IDC_DATE 1015

// Logo page text lines
#define IDC_LOGO_LINE1 1159
#define IDC_LOGO_LINE2 1161
#define IDC_LOGO_LINE3 1163
#define IDC_LOGO_LINE4 1165
#define IDC_LOGO_LINE5 1167
