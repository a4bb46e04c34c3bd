// The numbers and names of the program's resources and controls, shared by the resource
// script and the code. They are the ones the program has always had.
#pragma once

// The menu "MAINMENU".
#define IDM_OPEN 3072
#define IDM_MEMO 3073
#define IDM_GOTO 3074
#define IDM_END 3075
#define IDM_HELP 3076
#define IDM_VERSION 3077

// The controls of the main window.
#define IDC_STATUS 200
#define IDC_RECORDLIST 3079

// The go-to dialog "SETTEXT": the record number field ("Suchen" is IDOK, "Abbruch"
// IDCANCEL).
#define IDC_RECORD_NUMBER 100

// The version box "ABOUT": its button and its six lines.
#define IDC_ABOUT_OK 3078
#define IDC_ABOUT_LINE1 101

// The record images: the record, the large record, the record with a memo.
#define IDI_RECORD 1000
#define IDI_RECORD_LARGE 1001
#define IDI_RECORD_MARKED 1002
#define IDI_RECORD_MEMO 1003

// The menu "&Zeichensatz", made when the window is: "Automatisch", then the code pages in
// the order of the program's list of them.
#define IDM_CODEPAGE_AUTOMATIC 3100
#define IDM_CODEPAGE_FIRST 3101
