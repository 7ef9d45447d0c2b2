// The uninstaller cannot delete its own running file. The first process copies itself into a
// fresh private folder and starts the copy, which does the work while the first waits for its exit
// code; the copy moves the first one's file out of the install folder before it reports, deletes
// it once the first process has ended, and leaves its own file and folder to the next restart.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "payloads/HeldFolder.h"
#include "setup/UninstallRules.h"

// The full path of the running program, and its folder ("C:\x", a root as "C:\").
std::wstring OwnProgramPath();
std::wstring OwnProgramFolder();

// Creates a folder with a name no one can guess below the system's temporary folder (the Windows
// folder's "Temp", where users may add folders but neither rename nor remove any of another's),
// that only the administrators and the system may change, and holds it open from then on without
// delete sharing: nobody can rename it away and put a folder of their own in its place before the
// copy in it has started. Fails (empty, the system's error in GetLastError) rather than use a
// folder that existed.
THeldFolder CreatePrivateFolder();

// Copies program into privateFolder and starts the copy as the working copy for folder, passing
// it a handle to this process and a pipe for its exit code; the folder stays held until the copy
// has reported. Returns the copy's exit code, or kExitFailed with the reason in error when it
// could not be started or ended without reporting; a folder that was not used is removed.
int RunCopyIn(THeldFolder& privateFolder, const std::wstring& program, const std::wstring& folder, bool silent, std::wstring& error);
// The same in a new private folder.
int RunPrivateCopy(const std::wstring& program, const std::wstring& folder, bool silent, std::wstring& error);

// The working copy's side: hands the exit code to the first process through the pipe handle.
void ReportExitCode(HANDLE pipe, int code);
// Asks the system to delete the running copy and its folder at the next restart.
void ScheduleOwnRemoval(std::vector<TStepResult>& results);
