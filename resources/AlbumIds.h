// Resource ids of the album dialogs and their controls (included by resource.h).
#pragma once

// The album-information dialog (IDD_ALBUM_IMPORT).
#define IDC_ALBUM_PROMPT                1062
#define IDC_ALBUM_MATCHES               1125
#define IDC_ALBUM_PREVIEW_LABEL         1119
#define IDC_ALBUM_PREVIEW               1104
#define IDC_ALBUM_SOURCES               1166
#define IDC_ALBUM_USE_FREEDB            1133
#define IDC_ALBUM_USE_CDTEXT            1116
#define IDC_ALBUM_USE_CDPLAYER          1132
#define IDC_ALBUM_USE_MP3               1172
#define IDC_ALBUM_NOTE                  1120
#define IDC_ALBUM_ADVANCED              1126
#define IDC_ALBUM_ROW_UP                1127
#define IDC_ALBUM_ROW_DOWN              1128
#define IDC_ALBUM_TIMES_ONLY            1134
#define IDC_ALBUM_MP3_LIST              1135

// The Search Settings dialog (IDD_SEARCH_SETTINGS).
#define IDC_SEARCH_FREEDB_GROUP         1062
#define IDC_SEARCH_SERVER_LABEL         1120
#define IDC_SEARCH_SERVER               1038
#define IDC_SEARCH_GET_SERVERS          1126
#define IDC_SEARCH_USE_PROXY            1116
#define IDC_SEARCH_PROXY_HOST_LABEL     1121
#define IDC_SEARCH_PROXY_PORT_LABEL     1166
#define IDC_SEARCH_PROXY_USER_LABEL     1168
#define IDC_SEARCH_PROXY_PASSWORD_LABEL 1170
#define IDC_SEARCH_PROXY_HOST           1071
#define IDC_SEARCH_PROXY_PORT           1082
#define IDC_SEARCH_PROXY_USER           1073
#define IDC_SEARCH_PROXY_PASSWORD       1074
#define IDC_SEARCH_CDPLAYER_GROUP       1119
#define IDC_SEARCH_CDPLAYER_LABEL       1171
#define IDC_SEARCH_CDPLAYER_PATH        1169
#define IDC_SEARCH_BROWSE               1127
#define IDC_SEARCH_MP3_GROUP            1173
#define IDC_SEARCH_USE_ID3              1132
