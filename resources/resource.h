// Resource identifiers, numbered as the templates give them.
#pragma once

#define IDR_MAINFRAME 128
#define IDS_ABOUTBOX 101
#define IDS_VERSION 102

// Wizard window
#define IDD_VIDMORPH_DIALOG 102
#define IDC_BTN_ABOUT 1015
#define IDC_BTN_HELP 1014
#define IDC_BTN_WEBSITE 1016
#define IDC_BTN_LANGUAGE 1006
#define IDC_BTN_CLOSE 1005
#define IDC_PAGE_FRAME 1007
#define IDC_BTN_SAVELOG 1022
#define IDC_BTN_PREV 1002
#define IDC_BTN_NEXT 1003
#define IDC_BTN_REPEAT 1004

#define IDM_ABOUTBOX 0x0010
