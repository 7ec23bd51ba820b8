// Resource and control ids of the tests of the owner-drawn dialog bases and
// controls; only #defines, so the resource script can include it.
#pragma once

#define IDD_UIKIT_FIELDS 9100
#define IDC_UIKIT_PLAIN_EDIT 9101
#define IDC_UIKIT_DISPLAY_EDIT 9102

#define IDD_UIKIT_MENU_DIALOG 9110
#define IDR_UIKIT_DIALOG_MENU 9111
#define IDD_UIKIT_PLAIN_DIALOG 9112

#define IDM_UIKIT_HANDLED 9120
#define IDM_UIKIT_UNHANDLED 9121
#define IDM_UIKIT_SUB_FIRST 9122
#define IDM_UIKIT_SECOND 9123
