/* Dialogs and controls of the Movie Info dialog (125), its four pages, the Title Search dialog and the two wait
   windows of the retrievals. Plain macros for the resource compiler and C++ alike. */
#ifndef CINELEDGER_MOVIE_INFO_DIALOG_IDS_H
#define CINELEDGER_MOVIE_INFO_DIALOG_IDS_H

/* Movie Info (125) */
#define IDD_MOVIE_INFO 125
#define IDC_INFO_TABS 1124

/* Page "CineLedger" (101): the list entry */
#define IDD_INFO_ENTRY 101
#define IDC_ENTRY_MOVIE 1050
#define IDC_ENTRY_CATEGORY 1001
#define IDC_ENTRY_STATUS 1025
#define IDC_ENTRY_LOCATION 1003
#define IDC_ENTRY_MEDIUM 1187
#define IDC_ENTRY_NUMBER 1065
#define IDC_ENTRY_COMMENTS 1177
#define IDC_ENTRY_CATEGORY_LABEL 1136
#define IDC_ENTRY_STATUS_LABEL 1034
#define IDC_ENTRY_NUMBER_LABEL 1067

/* Page "IMDb" (203): the database information */
#define IDD_INFO_IMDB 203
#define IDC_IMDB_TITLE 1135
#define IDC_IMDB_DIRECTOR 1127
#define IDC_IMDB_TAGLINE 1131
#define IDC_IMDB_PLOT 1126
#define IDC_IMDB_GENRE 1141
#define IDC_IMDB_YEAR 1134
#define IDC_IMDB_ACTORS 1133
#define IDC_IMDB_LANGUAGE 1130
#define IDC_IMDB_RUNTIME 1129
#define IDC_IMDB_COVER_FRAME 1154
#define IDC_IMDB_UPDATE 1142
#define IDC_IMDB_SOURCE_IMDB 1183
#define IDC_IMDB_SOURCE_INTERNAL 1184

/* Page "History" (231) */
#define IDD_INFO_HISTORY 231
#define IDC_HISTORY_DATE 1192
#define IDC_HISTORY_VIEWS 1193
#define IDC_HISTORY_LOANS 1159

/* Page "Divx/VCD" (232): the video file details */
#define IDD_INFO_MEDIA 232
#define IDC_MEDIA_CDS 1197
#define IDC_MEDIA_FORMAT 1210
#define IDC_MEDIA_WIDTH 1195
#define IDC_MEDIA_HEIGHT 1196
#define IDC_MEDIA_LENGTH 1198
#define IDC_MEDIA_BIT_RATE 1201
#define IDC_MEDIA_FRAME_RATE 1199
#define IDC_MEDIA_CODEC 1200
#define IDC_MEDIA_AUDIO_BIT_RATE 1206
#define IDC_MEDIA_AUDIO_CODEC 1205
#define IDC_MEDIA_CHANNELS 1208
#define IDC_MEDIA_SAMPLES 1209
#define IDC_MEDIA_UPDATE 1203

/* Title Search (204) */
#define IDD_TITLE_SEARCH 204
#define IDC_TITLE_SEARCH_LIST 1140
#define IDC_TITLE_SEARCH_OK 1015
#define IDC_TITLE_SEARCH_CANCEL 1016

/* The wait windows: the database retrieval (205) and the file information (233) */
#define IDD_DOWNLOAD_WAIT 205
#define IDD_FILE_INFO_WAIT 233

#endif
