// Resource ids of Update.exe, shared by Update.rc and the code: its icon and
// the texts of its five outcomes.
#pragma once

#define IDI_UPDATE 1
#define IDS_NOT_INSTALLED 129
#define IDS_DIFFERENT_VERSION 130
#define IDS_UNNECESSARY 131
#define IDS_UPDATED 132
#define IDS_FAILED 133
