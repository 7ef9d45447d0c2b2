// The removal of what the setup wrote, in the reverse order of the install: the file types, the
// thumbnail extension, the Uninstall entry, the shortcuts, the program files and the folder.
// Every step runs, whatever the steps before it did; each reports what it could not do.
#pragma once
#include <string>
#include <vector>

#include "payloads/UninstallTarget.h"
#include "setup/UninstallRules.h"

struct TUninstallContext {
  THeldFolder Folder;                         // the install folder, checked and held (ResolveInstallFolder)
  TUninstallEntry Entry;                      // the Uninstall entry to remove
  std::wstring SystemFolder;                  // where the thumbnail library lies
  std::wstring ThumbnailFile;                 // its file name
  std::wstring Regsvr32;                      // the system's regsvr32 of the library's bitness
  std::vector<std::wstring> ShortcutFolders;  // the desktop and the Start-menu programs folder
  // A file of the folder that is still in use now (the uninstaller started from there): kept by
  // RemoveProduct and moved out of the folder by SetAsideDeferredFile. Empty for none.
  std::wstring DeferredFile;
};

// The product's context on this machine for the folder: the setup's catalogue for this Windows,
// its system folder and the native regsvr32 (through "Sysnative" from a 32-bit process).
TUninstallContext ProductContext(THeldFolder folder);

// Files of the install folder are deleted through the held folder (THeldFolder): one whose path
// has come to lead elsewhere since the check is not touched, and that is a failure.
std::vector<TStepResult> RemoveProduct(TUninstallContext& ctx);

// The deferred file belongs to a running process, so it cannot be deleted yet; it can be moved
// (the system lets a running program's file be renamed on its own drive). It goes into
// asideFolder, a private folder that is itself left to the restart, so that the install folder
// goes now and the exit code reports the whole removal. Where it cannot be moved, it is left to
// the restart where it lies, with the folder when nothing else is in it, and that is reported.
// Returns where the file lies now (empty for none), for DeleteSetAsideFile.
std::wstring SetAsideDeferredFile(TUninstallContext& ctx, const std::wstring& asideFolder, std::vector<TStepResult>& results);
// Once the process that ran the file has ended: deletes it, and the install folder when it was
// the last thing there. Nothing is reported: what stays is already left to the restart.
void DeleteSetAsideFile(TUninstallContext& ctx, const std::wstring& path);

// The steps one by one, as RemoveProduct runs them.
void RemoveFileTypes(const std::wstring& programPath, std::vector<TStepResult>& results);
void RemoveThumbnailExtension(const TUninstallContext& ctx, std::vector<TStepResult>& results);
void RemoveUninstallEntry(const TUninstallEntry& entry, std::vector<TStepResult>& results);
// Removes the shortcuts of the setup's name that lead into the install folder; one that leads
// elsewhere, or that is no shortcut at all, is someone else's and stays (a leftover).
void RemoveShortcuts(const std::vector<std::wstring>& folders, const std::wstring& installFolder, std::vector<TStepResult>& results);
void RemoveProgramFiles(TUninstallContext& ctx, std::vector<TStepResult>& results);

// Deletes a file now or, when it is in use, at the next restart. Missing files count as removed.
void DeleteOrSchedule(const std::wstring& path, std::vector<TStepResult>& results);
