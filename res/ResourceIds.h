/* Identifiers shared by the resource script and the program: resources, controls and commands of the main
   window. Plain macros, so that the resource compiler and C++ (portable code included) read the same file. */
#ifndef CINELEDGER_RESOURCE_IDS_H
#define CINELEDGER_RESOURCE_IDS_H

/* Resources */
#define IDI_CINELEDGER 223
#define IDC_LOGO_CURSOR 200
#define IDB_WAIT 228
#define IDR_LIST_MENU 107

/* Child windows of the main window. The list box and the caption field share id 6. */
#define IDC_VIEW_BUTTON 1
#define IDC_ADD_BUTTON 2
#define IDC_FIND_BUTTON 3
#define IDC_EXTERNALS_BUTTON 4
#define IDC_MOVIE_LIST 6
#define IDC_STATUS_CAPTION 6
#define IDC_STATUS_COUNT 7
#define IDC_STATUS_SELECTION 8
#define IDC_CLOSE_BUTTON 10
#define IDC_MINIMIZE_BUTTON 11
#define IDC_MENU_BUTTON 12
#define IDC_LOGO 13

/* Commands of the main window's menu and accelerators */
#define IDM_MAIN_LIST 40020
#define IDM_UPCOMING_LIST 40021
#define IDM_PRESENT 40022
#define IDM_ABSENT 40023
#define IDM_BACKUP 40036
#define IDM_LOAD_BACKUP 40037
#define IDM_SAVE 40038
#define IDM_EXIT 40040
#define IDM_MAIN_LOCATIONS 40042
#define IDM_ABOUT 40043
#define IDM_QUARANTINE 40044
#define IDM_SHOW_EROTIC 40045
#define IDM_HIDE_EROTIC 40046
#define IDM_CHANGE_PASSWORD 40047
#define IDM_UPCOMING_LOCATIONS 40049
#define IDM_START_SERVER 40051
#define IDM_SEND_GIMME 40055
#define IDM_IMPORT_GIMME 40056
#define IDM_CLOSE_IMPORTED_GIMME 40060
#define IDM_INTERNAL_GIMME 40061
#define IDM_IMPORTED_GIMME 40062
#define IDM_DELETE_GIMME 40063
#define IDM_SAVE_IMPORTED_GIMME 40064
#define IDM_READ_HELP 40065
#define IDM_SETTINGS 40076
#define IDM_SEND_MAIN_LIST 40081
#define IDM_PRINT 40083
#define IDM_SKINS 40089
#define IDM_SKIN_TUTORIAL 40091
#define IDM_BY_CATEGORY 40092

#endif
