/* Identifiers of the movie list's context menus, the presence dialogs (108, 102) and the Upcoming Locations
   dialog (117). Plain macros, read by ListDialogs.rc and by the program, portable code included. */
#ifndef CINELEDGER_LIST_DIALOG_IDS_H
#define CINELEDGER_LIST_DIALOG_IDS_H

/* Resources */
#define IDR_UPCOMING_MENU 201
#define IDD_PRESENCE_CHANGE 108
#define IDD_RELOCATED 102
#define IDD_UPCOMING_LOCATIONS 117

/* Menu 107, the main list's context menu (IDR_LIST_MENU) */
#define IDM_LIST_EDIT 40011
#define IDM_LIST_PRESENT 40012
#define IDM_LIST_ABSENT 40013
#define IDM_LIST_DELETE 40015
#define IDM_LIST_MOVIE_INFO 40016
#define IDM_LIST_MAIN_SHIFT 40050
#define IDM_LIST_ADD_TO_GIMME 40054
#define IDM_LIST_ALL_PRESENT 40066
#define IDM_LIST_ALL_ABSENT 40067
#define IDM_LIST_SEARCH_IMDB 40069

/* Menu 201, the Upcoming Locations list's context menu */
#define IDM_UPCOMING_DELETE 40070
#define IDM_UPCOMING_ADD_TO_GIMME 40071
#define IDM_UPCOMING_EDIT 40072
#define IDM_UPCOMING_ADD_ALL_TO_GIMME 40073

/* Dialog 108 "Presense Change..." */
#define IDC_PRESENCE_LOCATION 1060
#define IDC_PRESENCE_SAVE 1015
#define IDC_PRESENCE_CANCEL 1016

/* Dialog 102: statics 0 to 9 show the ten slots of the selection */
#define IDC_RELOCATED_FIRST_SLOT 0
#define IDC_RELOCATED_LOCATION 1003
#define IDC_RELOCATED_STATUS 1025
#define IDC_RELOCATED_OK 1015

/* Dialog 117 "Upcoming Locations..." */
#define IDC_UPCOMING_LOCATION 1061
#define IDC_UPCOMING_LIST 1062
#define IDC_UPCOMING_TRACK 1063
#define IDC_UPCOMING_EXIT 1016
#define IDC_UPCOMING_COUNT 1119

#endif
