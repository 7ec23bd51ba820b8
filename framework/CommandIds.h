#pragma once
// Command and resource ids the framework itself handles or looks for. Plain
// #defines only, so resource scripts can include this file too.

// File menu
#define FWID_FILE_NEW 57600
#define FWID_FILE_OPEN 57601
#define FWID_FILE_CLOSE 57602
#define FWID_FILE_SAVE 57603
#define FWID_FILE_SAVE_AS 57604
#define FWID_FILE_PRINT_SETUP 57606
#define FWID_FILE_PRINT 57607
#define FWID_FILE_PRINT_DIRECT 57608
#define FWID_FILE_PRINT_PREVIEW 57609

// The recent-file list: the menu item with the first id is where the list is
// shown; the framework inserts the others after it.
#define FWID_FILE_MRU_FIRST 57616
#define FWID_FILE_MRU_LAST 57631

// Edit menu
#define FWID_EDIT_CLEAR 57632
#define FWID_EDIT_COPY 57634
#define FWID_EDIT_CUT 57635
#define FWID_EDIT_PASTE 57637
#define FWID_EDIT_SELECT_ALL 57642
#define FWID_EDIT_UNDO 57643
#define FWID_EDIT_REDO 57644

// Application and help
#define FWID_APP_ABOUT 57664
#define FWID_APP_EXIT 57665
#define FWID_HELP_INDEX 57666

// View menu: the standard tool bar and the status bar
#define FWID_VIEW_TOOLBAR 59392
#define FWID_VIEW_STATUS_BAR 59393

// Child window ids inside a frame: the view, and the dock bars along the edges
#define FWID_DOCKBAR_TOP 59419
#define FWID_DOCKBAR_LEFT 59420
#define FWID_DOCKBAR_RIGHT 59421
#define FWID_DOCKBAR_BOTTOM 59422
// The dock bar inside a floating frame
#define FWID_DOCKBAR_FLOAT 59423
#define FWID_PANE_FIRST 59648

// String resource with the application's title; used as the application name
// when the application object is not given one.
#define FWIDS_APP_TITLE 57344
// String resource with the name of the floating frames' close item, which
// hides the bar the frame holds.
#define FWIDS_HIDE 61457

// Commands at or above this id belong to the system (window menu); the menu
// update pass never disables them.
#define FWID_FIRST_SYSTEM_COMMAND 0xF000
