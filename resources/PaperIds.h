// Resource ids of the paper dialogs and their controls (included by resource.h).
#pragma once

// Change Label Paper (IDD_LABEL_PAPER)
#define IDC_PAPER_DISC_CAPTION          1062
#define IDC_PAPER_DISC_EDIT             1071
#define IDC_PAPER_JEWEL_EDIT            1082
#define IDC_PAPER_DISC_LIST             1104
#define IDC_PAPER_JEWEL_CAPTION         1119
#define IDC_PAPER_DISC_PREVIEW_CAPTION  1120
#define IDC_PAPER_PAGE2_CAPTION         1121
#define IDC_PAPER_JEWEL_LIST            1125
#define IDC_PAPER_DISC_PREVIEW          1126
#define IDC_PAPER_PAGE2_PREVIEW         1127
#define IDC_PAPER_PAGE3_PREVIEW         1128
#define IDC_PAPER_DISC_UP               1129
#define IDC_PAPER_JEWEL_DELETE          1130
#define IDC_PAPER_DISC_DOWN             1131
#define IDC_PAPER_JEWEL_UP              1132
#define IDC_PAPER_JEWEL_DOWN            1133
#define IDC_PAPER_PAGE3_CAPTION         1166
#define IDC_PAPER_DISC_CREATE           1179
#define IDC_PAPER_JEWEL_CREATE          1181
#define IDC_PAPER_DISC_DELETE           1189

// Label Alignment Wizard (IDD_ALIGN_WIZARD)
#define IDC_WIZARD_UNITS                1038
#define IDC_WIZARD_NAME_CAPTION         1062
#define IDC_WIZARD_NAME                 1071
#define IDC_WIZARD_UNITS_CAPTION        1119
#define IDC_WIZARD_LEFT1_CAPTION        1120
#define IDC_WIZARD_TOP1_CAPTION         1121
#define IDC_WIZARD_PREVIEW              1126
#define IDC_WIZARD_PRINT_TEST           1127
#define IDC_WIZARD_LEFT1_SPIN           1161
#define IDC_WIZARD_TOP1_SPIN            1162
#define IDC_WIZARD_LEFT2_CAPTION        1166
#define IDC_WIZARD_TOP2_CAPTION         1168
#define IDC_WIZARD_WIDTH1_CAPTION       1170
#define IDC_WIZARD_HEIGHT1_CAPTION      1171
#define IDC_WIZARD_FOLDED_CAPTION       1173
#define IDC_WIZARD_ORIENTATION          1176
#define IDC_WIZARD_FOLDED               1178
#define IDC_WIZARD_WIDTH1               1183
#define IDC_WIZARD_HEIGHT1              1184
#define IDC_WIZARD_LEFT1                1185
#define IDC_WIZARD_TOP1                 1186
#define IDC_WIZARD_LEFT2                1187
#define IDC_WIZARD_TOP2                 1188
#define IDC_WIZARD_LEFT2_SPIN           1190
#define IDC_WIZARD_TOP2_SPIN            1191
#define IDC_WIZARD_WIDTH1_SPIN          1192
#define IDC_WIZARD_HEIGHT1_SPIN         1195
#define IDC_WIZARD_PAPER_SIZE           1200
#define IDC_WIZARD_PAPER_SIZE_CAPTION   1201
#define IDC_WIZARD_PAGES_CAPTION        1202
#define IDC_WIZARD_ORIENTATION_CAPTION  1203
#define IDC_WIZARD_SIDE                 1204
#define IDC_WIZARD_PAGES                1205
