/* Resource and command ids, shared by the resource scripts and the code. */
#pragma once

/* Skin bitmaps */
#define IDB_CORNER_BOTTOM_LEFT   102
#define IDB_CORNER_BOTTOM_RIGHT  103
#define IDB_BAR_CLOSE            104
#define IDB_BAR_CLOSE_HOVER      105
#define IDB_BAR_CLOSE_PRESSED    106
#define IDB_BAR_INACTIVE         107
#define IDB_BAR_LEFT             108
#define IDB_BAR_ZOOM             109
#define IDB_BAR_ZOOM_HOVER       110
#define IDB_BAR_ZOOM_PRESSED     111
#define IDB_BAR_MIDDLE           112
#define IDB_BAR_MINIMIZE         113
#define IDB_BAR_MINIMIZE_HOVER   114
#define IDB_BAR_MINIMIZE_PRESSED 115
#define IDB_MINI_BACKGROUND      116
#define IDB_MINI_CLOSE           117
#define IDB_MINI_CLOSE_HOVER     118
#define IDB_MINI_CLOSE_PRESSED   119
#define IDB_MINI_INACTIVE        120
#define IDB_MINI_ZOOM            121
#define IDB_MINI_ZOOM_HOVER      122
#define IDB_MINI_ZOOM_PRESSED    123
#define IDB_MINI_MINIMIZE        124
#define IDB_MINI_MINIMIZE_HOVER  125
#define IDB_MINI_MINIMIZE_PRESSED 126
#define IDB_BAR_RIGHT            127
#define IDB_TITLE_ACTIVE         128
#define IDB_TITLE_INACTIVE       129
#define IDB_EQ_TITLE_INACTIVE    138
#define IDB_EQ_TITLE_ACTIVE      139
#define IDB_EQ_MIDDLE            140

/* Menus and the dialog */
#define IDM_TITLE_POPUP  131
#define IDD_OPTIONS      132
#define IDM_MENU_BAR     133

/* Right-click menu commands */
#define ID_OPTIONS       40007
#define ID_FIND_LYRICS   40009

/* Menu bar commands that are carried out without keystrokes */
#define ID_PLAY_PAUSE    40010
#define ID_CLOSE_WINDOW  40017
#define ID_EXIT          40027
#define ID_NEXT_SONG     40041
#define ID_PREVIOUS_SONG 40042
#define ID_ABOUT         40077
#define ID_MINI_PLAYER   40058

/* Options dialog controls */
#define IDC_SKIN                1002
#define IDC_MULTIMEDIA          1005
#define IDC_CLIPBOARD           1006
#define IDC_WINAMP              1011
#define IDC_FILE                1012
#define IDC_CAPTION             1013
#define IDC_MENU                1015
#define IDC_TRAY                1018
#define IDC_TASKBAR_ALWAYS      1019
#define IDC_TASKBAR_NEVER       1020
#define IDC_TASKBAR_NOT_ON_TOP  1021
#define IDC_ON_TOP_ALWAYS       1022
#define IDC_ON_TOP_NEVER        1023
#define IDC_ON_TOP_MINI         1025
#define IDC_DONT_OFFSET         1027
#define IDC_TASKBAR_FULL_MODE   1028
/* Added to the dialog when it opens, not in the template */
#define IDC_SONG_FILE_PATH      1029
#define IDC_SONG_FOLDER         1030
#define IDC_MEDIA_CONTROLS      1031
/* The files beside the song file */
#define IDC_LINE_FORMAT_LABEL   1040
#define IDC_LINE_FORMAT         1041
#define IDC_LINE_PREVIEW        1042
#define IDC_COVER               1043
