/* Dialogs and controls of the Find and search results dialogs, the erotic-category lock, the Settings dialog, and
   the Quarantine, Main Locations and Category Search dialogs of the View menu. Plain macros for the resource
   compiler and C++ alike. */
#ifndef CINELEDGER_FIND_DIALOG_IDS_H
#define CINELEDGER_FIND_DIALOG_IDS_H

/* Find (110) */
#define IDD_FIND 110
#define IDC_FIND_TEXT 1021
#define IDC_FIND_TITLES 1155
#define IDC_FIND_NUMBERS 1156
#define IDC_FIND_ACTORS 1173
#define IDC_FIND_DIRECTORS 1176
#define IDC_FIND_SENSITIVITY 1174
#define IDC_FIND_TRACK 1015
#define IDC_FIND_CANCEL 1016

/* Search Results (230) */
#define IDD_SEARCH_RESULTS 230
#define IDC_RESULTS_LIST 1159

/* Password Entry (115) */
#define IDD_PASSWORD_ENTRY 115
#define IDC_PASSWORD_EDIT 1051
#define IDC_PASSWORD_OK 1015
#define IDC_PASSWORD_CANCEL 1016

/* Password Change (116) */
#define IDD_PASSWORD_CHANGE 116
#define IDC_PASSWORD_CURRENT 1059
#define IDC_PASSWORD_NEW 1055
#define IDC_PASSWORD_CONFIRM 1056
#define IDC_PASSWORD_CHANGE_OK 1015
#define IDC_PASSWORD_CHANGE_CANCEL 1016

/* Settings (210) */
#define IDD_SETTINGS 210
#define IDC_SETTINGS_PG13 1147
#define IDC_SETTINGS_RATED_X 1148
#define IDC_SETTINGS_FORMAT 1149
#define IDC_SETTINGS_AUTO_SAVE 1150
#define IDC_SETTINGS_AUTO_BACKUP 1151
#define IDC_SETTINGS_AUTO_IMDB 1158
#define IDC_SETTINGS_TITLE_CORRECTION 1135
#define IDC_SETTINGS_APPLY 1146
#define IDC_SETTINGS_CANCEL 1016

/* Quarantine (114) */
#define IDD_QUARANTINE 114
#define IDC_QUARANTINE_LIST 1045
#define IDC_QUARANTINE_REMOVE 1046
#define IDC_QUARANTINE_EXIT 1048

/* Main Locations (103) */
#define IDD_MAIN_LOCATIONS 103
#define IDC_LOCATIONS_COMBO 1037
#define IDC_LOCATIONS_TRACK 1036
#define IDC_LOCATIONS_CANCEL 1016

/* Category Search (229); OK and Cancel are IDOK and IDCANCEL */
#define IDD_CATEGORY_SEARCH 229
#define IDC_CATEGORY_COMBO 1170

#endif
