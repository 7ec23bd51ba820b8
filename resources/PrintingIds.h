// Resource ids of the printing dialogs and their controls (included by resource.h).
#pragma once

// The print dialog (IDD_PRINT, 1538): the program's controls on the common
// print dialog's template.
#define IDC_PRINT_OFFSET_GROUP          1062
#define IDC_PRINT_OFFSET_X              1071
#define IDC_PRINT_PARTS_GROUP           1072
#define IDC_PRINT_PAPER_GROUP           1073
#define IDC_PRINT_DISC_PAPER_NAME       1074
#define IDC_PRINT_PRINTER_GROUP         1075
#define IDC_PRINT_OFFSET_Y              1082
#define IDC_PRINT_OFFSET_X_CAPTION      1119
#define IDC_PRINT_OFFSET_Y_CAPTION      1120
#define IDC_PRINT_FRONT                 1126
#define IDC_PRINT_BACK                  1127
#define IDC_PRINT_DISC1                 1128
#define IDC_PRINT_DISC2                 1129
#define IDC_PRINT_OFFSET_X_SPIN         1161
#define IDC_PRINT_OFFSET_Y_SPIN         1162
#define IDC_PRINT_COVER_PAPER_NAME      1169
#define IDC_PRINT_COPIES_CAPTION        1170
#define IDC_PRINT_DISC_PAPER_CAPTION    1171
#define IDC_PRINT_COVER_PAPER_CAPTION   1173
#define IDC_PRINT_COPIES_GROUP          1201
#define IDC_PRINT_PAGE_TOTAL            1202
#define IDC_PRINT_CALIBRATION_TEXT      1203
#define IDC_PRINT_PAPER_TAB             1204
#define IDC_PRINT_SELECT_PAPER          1206

// The common print dialog's own controls that the template carries.
#define IDC_PRINT_PROPERTIES            1025
#define IDC_PRINT_TO_FILE               1040
#define IDC_PRINT_COLLATE               1041
#define IDC_PRINT_ALL                   1056
#define IDC_PRINT_SELECTION             1057
#define IDC_PRINT_PAGES                 1058
#define IDC_PRINT_COLLATE_PICTURE       1086
#define IDC_PRINT_FROM_CAPTION          1089
#define IDC_PRINT_TO_CAPTION            1090
#define IDC_PRINT_COPIES_LABEL          1092
#define IDC_PRINT_NAME_LABEL            1093
#define IDC_PRINT_TYPE_LABEL            1094
#define IDC_PRINT_STATUS_LABEL          1095
#define IDC_PRINT_COMMENT_LABEL         1096
#define IDC_PRINT_WHERE_LABEL           1097
#define IDC_PRINT_TYPE                  1098
#define IDC_PRINT_STATUS                1099
#define IDC_PRINT_COMMENT               1100
#define IDC_PRINT_WHERE                 1101
#define IDC_PRINT_PRINTER_LIST          1139
#define IDC_PRINT_FROM_PAGE             1152
#define IDC_PRINT_TO_PAGE               1153
#define IDC_PRINT_COPIES                1154

// The paper pages of the print dialog's tab (IDD_PRINT_FRONT_PAGE,
// IDD_PRINT_BACK_PAGE, IDD_PRINT_DISC_PAGE).
#define IDC_PAPER_LIST                  1038
#define IDC_PAPER_CAPTION               1062
#define IDC_PAPER_POSITION_GROUP        1119
#define IDC_PAPER_PREVIEW               1126
#define IDC_PAPER_EDIT                  1127
#define IDC_PAPER_TOP                   1129
#define IDC_PAPER_BOTTOM                1130
#define IDC_PAPER_DUPLICATE             1131
