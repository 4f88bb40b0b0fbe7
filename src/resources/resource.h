// Resource and control numbers shared by the resource script and the code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_QUORREX_DIALOG 102
#define IDD_ATTRIBUTES 129
#define IDB_BANNER 130
#define IDB_ABOUT_BACKGROUND 132
#define IDR_MAINFRAME 143

// Main dialog
#define IDC_DOMAIN_NAME 1000
#define IDC_FILTER 1001
#define IDC_CLOSE 1003
#define IDC_GENERATE 1011
#define IDC_ADVANCED 1012
#define IDC_RESULT_LIST 1013
#define IDC_OBJECT_COUNT 1014
#define IDC_GENERATE_CSV 1015
#define IDC_BANNER 1016
#define IDC_ABOUT 1017
#define IDC_USER 1023
#define IDC_PASSWORD 1024

// Attribute chooser
#define IDC_ADD 1002
#define IDC_CHOOSER_OK 1003
#define IDC_SELECTED_LIST 1004
#define IDC_AVAILABLE_LIST 1006
#define IDC_ADD_ALL 1007
#define IDC_REMOVE 1008
#define IDC_REMOVE_ALL 1009
#define IDC_CHOOSER_CANCEL 1010

// About box
#define IDC_ABOUT_OK 1003
#define IDC_PRODUCT_NAME 1018
#define IDC_RIGHTS_NOTICE 1019
#define IDC_WEB_SITE_LINK 1020
#define IDC_SUPPORT_LINK 1021
#define IDC_SALES_LINK 1022
#define IDC_VERSION_LABEL 1024

#define IDM_ABOUTBOX 0x0010

// The result list's shortcut menu
#define IDM_COPY_ROWS 32771
#define IDM_SELECT_ALL_ROWS 32772
#define IDM_SAVE_AS_CSV 32773
#define IDM_SAVE_AS_CSV_UTF8 32774
