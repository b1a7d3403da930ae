/* Identifiers of the network exchange dialogs: Networking (118), Server Status (121) and Export Source (123).
   Plain macros, read by the resource script and by the program. */
#ifndef CINELEDGER_NETWORK_DIALOG_IDS_H
#define CINELEDGER_NETWORK_DIALOG_IDS_H

/* Resources */
#define IDD_NETWORKING 118
#define IDD_SERVER_STATUS 121
#define IDD_EXPORT_SOURCE 123

/* Networking (118) */
#define IDC_NETWORKING_ADDRESS 1089
#define IDC_NETWORKING_DIAL 1101
#define IDC_NETWORKING_LOG 1073

/* Server Status (121) */
#define IDC_SERVER_LOG 1087

/* Export Source (123) */
#define IDC_EXPORT_SOURCE_EDIT 1090
#define IDC_EXPORT_SOURCE_OK 1015
#define IDC_EXPORT_SOURCE_CANCEL 1016

#endif
