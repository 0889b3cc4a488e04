// Numbers of the shell's resources and controls, shared by the resource script and the code,
// so only plain #defines may live here.
#pragma once

#define IDI_APP 1
#define IDI_SYNC_ON 2
#define IDI_SYNC_OFF 3
#define IDI_ADD 4
#define IDI_MODIFY 5
#define IDI_DELETE 6
#define IDI_UP 7
#define IDI_DOWN 8
#define IDI_BROWSE 9
#define IDI_ABOUT_SIDE 10

#define IDD_INPUTBOX 100
#define IDC_INPUT_PROMPT 101
#define IDC_INPUT_TEXT 102

#define IDD_ABOUT 200
#define IDC_ABOUT_PICTURE1 201
#define IDC_ABOUT_DESCRIPTION 202
#define IDC_ABOUT_LABEL1 203
#define IDC_ABOUT_URL1 204
#define IDC_ABOUT_EMAIL 205
#define IDC_ABOUT_URL2 206
#define IDC_ABOUT_LINE1 207
#define IDC_ABOUT_PICICON 208
#define IDC_ABOUT_DISCLAIMER 209
