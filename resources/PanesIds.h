// Resource ids of the panes dialogs and their controls (included by resource.h).
#pragma once

// The colour and font dialogs are the system's common dialogs on templates of
// our own: their standard controls keep the ids the system looks for.
#define IDC_STYLE_SET_ALL               1116
#define IDC_STYLE_HELP                  1038

#define IDC_COLOR_LUMINANCE_BAR         702
#define IDC_COLOR_HUE                   703
#define IDC_COLOR_SATURATION            704
#define IDC_COLOR_LUMINANCE             705
#define IDC_COLOR_RED                   706
#define IDC_COLOR_GREEN                 707
#define IDC_COLOR_BLUE                  708
#define IDC_COLOR_SAMPLE                709
#define IDC_COLOR_RAINBOW               710
#define IDC_COLOR_ADD_CUSTOM            712
#define IDC_COLOR_SOLID                 713
#define IDC_COLOR_DEFINE_CUSTOM         719
#define IDC_COLOR_BASIC_BOX             720
#define IDC_COLOR_CUSTOM_BOX            721
#define IDC_COLOR_HUE_LABEL             723
#define IDC_COLOR_SATURATION_LABEL      724
#define IDC_COLOR_LUMINANCE_LABEL       725
#define IDC_COLOR_RED_LABEL             726
#define IDC_COLOR_GREEN_LABEL           727
#define IDC_COLOR_BLUE_LABEL            728
#define IDC_COLOR_SOLID_LEFT            730
#define IDC_COLOR_SOLID_RIGHT           731
#define IDC_COLOR_BASIC_LABEL           1120
#define IDC_COLOR_CUSTOM_LABEL          1119

#define IDC_FONT_APPLY                  1026
#define IDC_FONT_STRIKEOUT              1040
#define IDC_FONT_UNDERLINE              1041
#define IDC_FONT_ACTUAL_SIZE_LABEL      1062
#define IDC_FONT_ACTUAL_SIZE            1071
#define IDC_FONT_EFFECTS                1072
#define IDC_FONT_SAMPLE_GROUP           1073
#define IDC_FONT_FACE_LABEL             1088
#define IDC_FONT_STYLE_LABEL            1089
#define IDC_FONT_SIZE_LABEL             1090
#define IDC_FONT_COLOR_LABEL            1091
#define IDC_FONT_SAMPLE                 1092
#define IDC_FONT_SCRIPT_LABEL           1094
#define IDC_FONT_AUTOFIT                1124
#define IDC_FONT_FACE                   1136
#define IDC_FONT_STYLE                  1137
#define IDC_FONT_SIZE                   1138
#define IDC_FONT_COLOR                  1139
#define IDC_FONT_SCRIPT                 1140
