// The folder dialog's texts in the program's string table (PathDialog.rc).
#pragma once

#define IDS_PATHDIALOG_CAPTION 0xE101  // "Select directory"
#define IDS_PATHDIALOG_ROOT 0xE102     // "Root :"
#define IDS_PATHDIALOG_OK 0xE103       // "OK"
#define IDS_PATHDIALOG_CANCEL 0xE104   // "Cancel"
#define IDS_PATHDIALOG_CREATE 0xE105   // "Create"
