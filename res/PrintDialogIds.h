/* Identifiers of the window shown while a movie list prints (225); its one button is IDCANCEL (2). */
#ifndef CINELEDGER_PRINT_DIALOG_IDS_H
#define CINELEDGER_PRINT_DIALOG_IDS_H

#define IDD_PRINTING 225

#endif
