// Resource and control ids of the tests of the owner-drawn buttons and the
// splash window; only #defines, so the resource script can include it.
#pragma once

#define IDD_BUTTON_TEST 9500
#define IDC_BUTTON_TEST_FIRST 9501
#define IDC_BUTTON_TEST_SECOND 9502
#define IDC_BUTTON_TEST_DEFAULT 9503
#define IDC_BUTTON_TEST_CHECK 9504
#define IDC_BUTTON_TEST_FRAME 9505
#define IDC_BUTTON_TEST_RADIO 9506
#define IDR_BUTTON_TEST_MENU 9510
#define IDM_BUTTON_TEST_FIRST 9511
#define IDM_BUTTON_TEST_SECOND 9512
