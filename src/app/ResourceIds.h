#pragma once
// Identifiers shared by the resource script, the code and the tests.

#define IDI_MAINICON 1

#define IDS_WEB_ADDRESS 0
#define IDS_COMPANY 2
#define IDS_NOTICE 3
#define IDS_PRODUCT 4
#define IDS_VERSION 5
#define IDS_TRAY_TIP 6
#define IDS_MUTEX_PREFIX 7
#define IDS_STARTUP_LINE 8
#define IDS_APPDATA_FOLDER 9
#define IDS_REGISTRY_KEY 10
