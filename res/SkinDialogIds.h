/* Identifiers of the Skins dialog (226), the About box (112) and the documentation dialog (124). Plain macros, read
   by the resource script and by the program. */
#ifndef CINELEDGER_SKIN_DIALOG_IDS_H
#define CINELEDGER_SKIN_DIALOG_IDS_H

/* Resources */
#define IDD_ABOUT 112
#define IDD_DOCUMENTATION 124
#define IDD_SKINS 226

/* Skins dialog */
#define IDC_SKINS_EXIT 1048
#define IDC_SKINS_APPLY 1100
#define IDC_SKINS_LIST 1159
#define IDC_SKINS_INSERT 1160
#define IDC_SKINS_AUTHOR 1163
#define IDC_SKINS_EMAIL 1164
#define IDC_SKINS_HOMEPAGE 1165
#define IDC_SKINS_PREVIEW 1169

/* About box */
#define IDC_ABOUT_HOMEPAGE 1094
#define IDC_ABOUT_EMAIL 1118
#define IDC_ABOUT_SKIN_NAME 1167
#define IDC_ABOUT_SKIN_ARTIST 1168

/* Documentation dialog */
#define IDC_DOC_TEXT 1112
#define IDC_DOC_HIDDEN 1117

#endif
