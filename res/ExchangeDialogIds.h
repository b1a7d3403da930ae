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

#endif
