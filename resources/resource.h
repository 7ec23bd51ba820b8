// Resource and command ids of Sleevory. Shared by the resource script and the
// code; only #defines, so windres can read it too.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Main frame: menu, accelerators, program icon and the document-type string.
#define IDR_MAINFRAME                   128
#define IDR_CONTEXT_MENU                195
#define IDR_STANDARD_TOOLBAR            258
#define IDR_OBJECT_TOOLBAR              262

// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_FONT_DIALOG                 266
#define IDD_APP_MESSAGE                 273
#define IDD_COLOR_DIALOG                275
#define IDD_ALBUM_IMPORT                276
#define IDD_NEW_DOCUMENT                280
#define IDD_DISC_CHOICE                 281
#define IDD_LABEL_PAPER                 282
#define IDD_GRID_SIZE                   284
#define IDD_SPLASH                      288
#define IDD_SEARCH_SETTINGS             372
#define IDD_IMAGE_SEARCH                381
#define IDD_ALIGN_WIZARD                390
#define IDD_UNITS                       396
#define IDD_PRINT_FRONT_PAGE            398
#define IDD_PRINT_BACK_PAGE             399
#define IDD_PRINT_DISC_PAGE             400
#define IDD_PRINT                       1538

// Bitmaps
#define IDB_VIEW_TOOLBAR_NORMAL         246
#define IDB_STANDARD_TOOLBAR_NORMAL     261
#define IDB_STANDARD_TOOLBAR_DISABLED   264
#define IDB_DOCUMENT_ICONS              272
#define IDB_OBJECT_TOOLBAR_NORMAL       279
#define IDB_SPLASH                      289
#define IDB_PICTURE_STATIC_A            346
#define IDB_PICTURE_STATIC_B            347
#define IDB_VIEW_TOOLBAR_HOT            348
#define IDB_OBJECT_TOOLBAR_HOT          349
#define IDB_PANEL_TEXTURE               356
#define IDB_VIEW_SURROUND               357
#define IDB_VIEW_TOOLBAR_DISABLED       358
#define IDB_OBJECT_TOOLBAR_DISABLED     359
#define IDB_MENU_IMAGES                 360
#define IDB_MARKER_YES                  373
#define IDB_MARKER_NO                   374
#define IDB_MARKER_NO_CHOICE            375
#define IDB_MARKER_DISABLED_ON          380
#define IDB_CHECK_BOX_DISABLED          387
#define IDB_CHECK_BOX_CLEAR             388
#define IDB_CHECK_BOX_SET               389
#define IDB_ARROW_HEADS                 393
#define IDB_SIDE_SWITCH_FRONT           394
#define IDB_SIDE_SWITCH_BACK            395

// Images of the menu image strip (bitmap 360), by position
#define MENU_IMAGE_NEW                  0
#define MENU_IMAGE_OPEN                 1
#define MENU_IMAGE_SAVE                 2
#define MENU_IMAGE_PRINT                3
#define MENU_IMAGE_CUT                  4
#define MENU_IMAGE_COPY                 5
#define MENU_IMAGE_PASTE                6
#define MENU_IMAGE_DELETE               7
#define MENU_IMAGE_UNDO                 8
#define MENU_IMAGE_REDO                 9
#define MENU_IMAGE_HELP_CONTENTS        10
#define MENU_IMAGE_PRINT_PREVIEW        11
#define MENU_IMAGE_CHECK_MARK           12
#define MENU_IMAGE_CENTER_HORIZONTALLY  13
#define MENU_IMAGE_CENTER_VERTICALLY    14
#define MENU_IMAGE_SET_AS_BACKGROUND    15
#define MENU_IMAGE_MOVE_UP              16
#define MENU_IMAGE_MOVE_DOWN            17
#define MENU_IMAGE_DIALOG_ICON          18
#define MENU_IMAGE_ADVANCED_SETTINGS    19
#define MENU_IMAGE_STOP_SEARCH          20
#define MENU_IMAGE_CLOSE                21
#define MENU_IMAGE_BRING_TO_FRONT       22
#define MENU_IMAGE_IMAGE_SEARCH         23
#define MENU_IMAGE_CHANGE_LABEL_PAPER   24
#define MENU_IMAGE_COUNT                25

// Icons (the program icon is IDR_MAINFRAME)
#define IDI_CHECK_SET                   342
#define IDI_CHECK_CLEAR                 343

// Cursors
#define IDC_NO_DROP_CURSOR              172
#define IDC_DROP_CURSOR                 182
#define IDC_LINK_CURSOR                 286

// Program message box controls
#define IDC_MESSAGE_BUTTON1             1110
#define IDC_MESSAGE_BUTTON2             1111
#define IDC_MESSAGE_BUTTON3             1112
#define IDC_MESSAGE_ICON                1113
#define IDC_MESSAGE_TEXT                1114
#define IDC_MESSAGE_DONT_SHOW           1137

// About box controls
#define IDC_ABOUT_VERSION               1119
#define IDC_ABOUT_SUBTITLE              1120
#define IDC_ABOUT_THANKS                1121
#define IDC_ABOUT_LINK                  1126

// New Document dialog controls
#define IDC_NEW_DOCUMENT_LIST           1104
#define IDC_NEW_DOCUMENT_DEFAULT        1116

// Disc chooser controls
#define IDC_DISC_CHOICE_PROMPT          1062
#define IDC_DISC_CHOICE_ICON            1119
#define IDC_DISC_CHOICE_DISC1           1129
#define IDC_DISC_CHOICE_DISC2           1130

// Units dialog controls
#define IDC_UNITS_GROUP                 1062
#define IDC_UNITS_LIST                  1038

// Grid Size dialog controls
#define IDC_GRID_SIZE_GROUP             1062
#define IDC_GRID_SIZE_HORIZONTAL        1071
#define IDC_GRID_SIZE_VERTICAL          1082
#define IDC_GRID_SIZE_HORIZONTAL_LABEL  1119
#define IDC_GRID_SIZE_VERTICAL_LABEL    1120

// Control bars of the main frame
#define ID_BAR_TEXT                     1048
#define ID_BAR_PROPERTIES               1049
#define ID_BAR_STANDARD                 1052
#define ID_BAR_VIEW                     1054
#define ID_BAR_OBJECT                   1055
#define ID_BAR_OBJECT_LIST              1056
#define ID_BAR_IMAGES                   1057
#define ID_OBJECT_LIST_SLOT             141

// File commands
#define ID_FILE_NEW                     57600
#define ID_FILE_OPEN                    57601
#define ID_FILE_SAVE                    57603
#define ID_FILE_SAVE_AS                 57604
#define ID_FILE_PRINT_SETUP             57606
#define ID_FILE_PRINT                   57607
#define ID_FILE_PRINT_PREVIEW           57609
#define ID_FILE_MRU_FILE1               0xE110
#define ID_FILE_MRU_FILE2               0xE111
#define ID_FILE_MRU_FILE3               0xE112
#define ID_FILE_MRU_FILE4               0xE113
#define ID_FILE_SAVE_AS_DEFAULT_TEMPLATE 32845
#define ID_FILE_CHANGE_LABEL_PAPER      32867
#define ID_FILE_PRINTER_CALIBRATION     32870
#define ID_APP_ABOUT                    57664
#define ID_APP_EXIT                     57665

// Edit commands
#define ID_EDIT_COPY                    57634
#define ID_EDIT_CUT                     57635
#define ID_EDIT_PASTE                   57637
#define ID_EDIT_UNDO                    57643
#define ID_EDIT_REDO                    57644
#define ID_EDIT_DELETE                  32788
#define ID_INSERT_ARTIST                32789
#define ID_INSERT_TITLE                 32790
#define ID_INSERT_TRACK_LIST            32791
#define ID_INSERT_YEAR                  32792
#define ID_INSERT_TIME                  32793
#define ID_INSERT_GENRE                 32794
#define ID_INSERT_TEXT                  32795
#define ID_INSERT_IMAGE                 32796
#define ID_READ_TRACK_DATA              32828
#define ID_DOWNLOAD_ALBUM_INFO          32808
#define ID_SHOW_PROPERTIES_AT_CURSOR    32786

// View commands
#define ID_VIEW_SHOW_GUIDES             32798
#define ID_VIEW_ZOOM_OUT                32799
#define ID_VIEW_FRONT_COVER             32800
#define ID_VIEW_BACK_COVER              32801
#define ID_VIEW_DISC_LABEL              32802
#define ID_VIEW_ZOOM_IN                 32803
#define ID_VIEW_DISC2                   32865
#define ID_VIEW_OBJECT_TOOLBAR          32805
#define ID_VIEW_PROPERTIES              32806
#define ID_VIEW_TEXT_EDITOR             32807
#define ID_VIEW_VIEW_TOOLBAR            32846
#define ID_VIEW_SELECTED_TOOLBAR        32857
#define ID_VIEW_IMAGES                  32877
#define ID_VIEW_STANDARD_TOOLBAR        59392

// Layout commands
#define ID_LAYOUT_CENTER_HORIZONTALLY   32858
#define ID_LAYOUT_CENTER_VERTICALLY     32859
#define ID_LAYOUT_SET_AS_BACKGROUND     32860
#define ID_LAYOUT_SNAP_TO_GRID          32861
#define ID_LAYOUT_SHOW_GRID             32862
#define ID_LAYOUT_GRID_SIZE             32863
#define ID_LAYOUT_BRING_TO_FRONT        32888
#define ID_LAYOUT_UNITS                 32889

// Help commands
#define ID_HELP_CONTENTS                32868

// Object tool bar: one button per kind of object it adds
#define ID_ADD_ARTIST                   32834
#define ID_ADD_TITLE                    32835
#define ID_ADD_TRACK_LIST               32836
#define ID_ADD_YEAR                     32837
#define ID_ADD_TOTAL_TIME               32838
#define ID_ADD_GENRE                    32839
#define ID_ADD_TEXT                     32840
#define ID_ADD_IMAGE                    32841
#define ID_ADD_SPARE                    32843
#include "PaperIds.h"
#include "PrintingIds.h"
#include "ImagesIds.h"
#include "PanesIds.h"
#include "AlbumIds.h"
