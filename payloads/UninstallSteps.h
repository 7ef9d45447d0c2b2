// The removal of what the setup wrote, in the reverse order of the install: the file types, the
// thumbnail extension, the Uninstall entry, the shortcuts, the program files and the folder.
// Every step runs, whatever the steps before it did; each reports what it could not do.
#pragma once
#include <string>
#include <vector>

#include "payloads/UninstallTarget.h"
#include "setup/UninstallRules.h"

struct TUninstallContext {
  std::wstring Folder;                        // the install folder, checked (ResolveInstallFolder)
  TUninstallEntry Entry;                      // the Uninstall entry to remove
  std::wstring SystemFolder;                  // where the thumbnail library lies
  std::wstring ThumbnailFile;                 // its file name
  std::wstring Regsvr32;                      // the system's regsvr32 of the library's bitness
  std::vector<std::wstring> ShortcutFolders;  // the desktop and the Start-menu programs folder
  // A file of the folder that is still in use now (the uninstaller started from there): kept by
  // RemoveProduct and removed with the folder by FinishFolder. Empty for none.
  std::wstring DeferredFile;
};

// The product's context on this machine for the folder: the setup's catalogue for this Windows,
// its system folder and the native regsvr32 (through "Sysnative" from a 32-bit process).
TUninstallContext ProductContext(const std::wstring& folder);

std::vector<TStepResult> RemoveProduct(const TUninstallContext& ctx);
// Removes the deferred file (at restart when it stays in use) and the folder when it is empty.
void FinishFolder(const TUninstallContext& ctx, std::vector<TStepResult>& results);

// The steps one by one, as RemoveProduct runs them.
void RemoveFileTypes(const std::wstring& programPath, std::vector<TStepResult>& results);
void RemoveThumbnailExtension(const TUninstallContext& ctx, std::vector<TStepResult>& results);
void RemoveUninstallEntry(const TUninstallEntry& entry, std::vector<TStepResult>& results);
void RemoveShortcuts(const std::vector<std::wstring>& folders, std::vector<TStepResult>& results);
void RemoveProgramFiles(const TUninstallContext& ctx, std::vector<TStepResult>& results);

// Deletes a file now or, when it is in use, at the next restart. Missing files count as removed.
void DeleteOrSchedule(const std::wstring& path, std::vector<TStepResult>& results);
