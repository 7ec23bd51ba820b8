// Resource and command ids of the window-layer tests; only #defines, so the
// resource script can include it. Chosen away from the program's own ids
// (its resources are linked into the test program too).
#pragma once

#define IDR_TEST_FRAME 64120

#define IDD_TEST_MODAL 64100
#define IDD_TEST_MODELESS 64101

#define IDC_TEST_EDIT 1001
#define IDC_TEST_OTHER 1002
#define IDC_TEST_LABEL 1003

#define IDM_TEST_ROUTED 40001
#define IDM_TEST_CHECKED 40002
#define IDM_TEST_HANDLED_ONLY 40003
#define IDM_TEST_UNHANDLED 40004
#define IDM_TEST_SUB_FIRST 40005
#define IDM_TEST_SYSTEM_RANGE 0xF1F0

// Tool-bar resources that are damaged in one way each.
#define IDR_TEST_TOOLBAR_WRONG_VERSION 64130
#define IDR_TEST_TOOLBAR_SHORT 64131
#define IDR_TEST_TOOLBAR_NO_IMAGE_SIZE 64132
#define IDR_TEST_TOOLBAR_HEADER_ONLY 64133
// A good one, with a strip of 16 x 16 images of the same id.
#define IDR_TEST_TOOLBAR 64134
