/* Identifiers of the add/edit movie dialog (106), shared by its template and its code. */
#ifndef CINELEDGER_EDIT_DIALOG_IDS_H
#define CINELEDGER_EDIT_DIALOG_IDS_H

#define IDD_ADD_EDIT 106
#define IDC_ADDEDIT_TITLE 1010
#define IDC_ADDEDIT_CATEGORY 1008
#define IDC_ADDEDIT_PRESENCE 1014
#define IDC_ADDEDIT_LOCATION 1003
#define IDC_ADDEDIT_MEDIUM 1187
#define IDC_ADDEDIT_COMMENTS 1177
#define IDC_ADDEDIT_SAVE 1015
#define IDC_ADDEDIT_CANCEL 1016

#endif
