// Identifiers of the setup dialog's resource and of its controls (shared by fomSetup.rc and
// fomSetup.cpp; the resource compiler reads plain definitions only).
#pragma once

#define IDD_SETUP 100

#define IDC_SETUP_LABEL1 1000
#define IDC_SETUP_CYCLE 1001
#define IDC_SETUP_TOPMOST 1002
#define IDC_SETUP_ICONGRAPH 1003
/* The four option buttons, left to right (the fourth came later, hence its number). */
#define IDC_SETUP_OPTION0 1004
#define IDC_SETUP_OPTION1 1005
#define IDC_SETUP_OPTION2 1006
#define IDC_SETUP_NOTRAY 1007
#define IDC_SETUP_AUTOSTART 1008
#define IDC_SETUP_FRAME1 1009
#define IDC_SETUP_THEMENAME 1010
#define IDC_SETUP_THEMEFILE 1011
#define IDC_SETUP_SAVEAS 1012
#define IDC_SETUP_DELETE 1013
#define IDC_SETUP_EDIT 1014
#define IDC_SETUP_UPDATE 1015
#define IDC_SETUP_CPUFIGURE 1016
#define IDC_SETUP_CPUVIEW 1030
#define IDC_SETUP_OPTION3 1017
/* The alert on a sustained load: its box, the percent and the seconds with their captions. */
#define IDC_SETUP_ALERT 1018
#define IDC_SETUP_ALERTPERCENTLABEL 1019
#define IDC_SETUP_ALERTPERCENT 1020
#define IDC_SETUP_ALERTPERCENTUNIT 1021
#define IDC_SETUP_ALERTSECONDSLABEL 1022
#define IDC_SETUP_ALERTSECONDS 1023
#define IDC_SETUP_ALERTSECONDSUNIT 1024
/* OK and キャンセル are IDOK and IDCANCEL, so that Enter and Esc reach them. */
