/* Identifiers of the list exchange dialogs: the Externals dialog (113), the Movie List Exchange dialog (208) with
   its popup menu 209, and the Movie Import Info dialog (234). Plain macros, read by the resource script and by the
   program, portable code included. */
#ifndef CINELEDGER_EXCHANGE_DIALOG_IDS_H
#define CINELEDGER_EXCHANGE_DIALOG_IDS_H

/* Resources */
#define IDD_EXTERNALS 113
#define IDD_MOVIE_LIST_EXCHANGE 208
#define IDR_EXCHANGE_MENU 209
#define IDD_MOVIE_IMPORT_INFO 234

/* Menu 209, the Movie List Exchange list's popup */
#define IDM_EXCHANGE_ADD_TO_UPCOMING 40077
#define IDM_EXCHANGE_ADD_ALL 40078
#define IDM_EXCHANGE_QUARANTINE_ALL 40079
#define IDM_EXCHANGE_QUARANTINE 40080
#define IDM_EXCHANGE_SEARCH_IMDB 40084
#define IDM_EXCHANGE_REMOVE 40093
#define IDM_EXCHANGE_SAVE 40094
#define IDM_EXCHANGE_INFO 40095

/* Externals (113) */
#define IDC_EXTERNALS_SOURCE 1042
#define IDC_EXTERNALS_IMPORT 1040
#define IDC_EXTERNALS_EXPORT 1041
#define IDC_EXTERNALS_CANCEL 1016
#define IDC_EXTERNALS_MAIN_LIST 1092
#define IDC_EXTERNALS_GIMME_LIST 1093

/* Movie List Exchange (208) */
#define IDC_EXCHANGE_LIST 1144

/* Movie Import Info (234): the value fields */
#define IDC_IMPORT_VIDEO_CODEC 1202
#define IDC_IMPORT_FRAME_RATE 1203
#define IDC_IMPORT_WIDTH 1211
#define IDC_IMPORT_HEIGHT 1212
#define IDC_IMPORT_LENGTH 1213
#define IDC_IMPORT_NAME 1214
#define IDC_IMPORT_MEDIUM 1215
#define IDC_IMPORT_FORMAT 1216
#define IDC_IMPORT_CDS 1217
#define IDC_IMPORT_VIDEO_BIT_RATE 1218
#define IDC_IMPORT_AUDIO_BIT_RATE 1219
#define IDC_IMPORT_AUDIO_CODEC 1220
#define IDC_IMPORT_CHANNELS 1221
#define IDC_IMPORT_SAMPLES 1222

#endif
