// Resource and control identifiers. The numbers are fixed: tests, the dialog
// templates and the code all address the windows by them.
#pragma once

#define IDD_MAIN 101
#define IDD_ADD_CONFIGURATION 102
#define IDI_NICSET 106
#define IDD_SPLASH 118
#define IDB_SPLASH 119
// The splash picture at twice the size, for screens of 144 DPI and more.
#define IDB_SPLASH_LARGE 120

// Main window (101).
#define IDC_INTERFACES 1000
#define IDC_ADD 1009
#define IDC_DELETE 1010
#define IDC_IP_ADDRESS 1012
#define IDC_DHCP 1013
#define IDC_MAC_ADDRESS 1014
#define IDC_MASK 1015
#define IDC_GATEWAY 1016
#define IDC_DNS1 1017
#define IDC_DNS2 1018
#define IDC_APPLY 1019
#define IDC_EXIT 1021
#define IDC_BACKUP 1023
#define IDC_CONFIGURATIONS 1029
#define IDC_HELP_DOCUMENT 1030
#define IDC_MAKER_LABEL 1032
#define IDC_SHOWN_GROUP 1033
#define IDC_RESTART_INTERFACE 1034
// Made by the window, not by its template: what the interface uses now.
#define IDC_STATUS_BAR 1035

// Add Configuration dialog (102); the address fields share the main window's
// ids, and its Add button is IDC_ADD.
#define IDC_NAME 1019
#define IDC_CANCEL 1020

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
