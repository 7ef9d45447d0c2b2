// The uninstaller cannot delete its own running file. The first process copies itself into a
// fresh private folder and starts the copy, which does the work while the first waits for its exit
// code; the copy moves the first one's file out of the install folder before it reports, deletes
// it once the first process has ended, and leaves its own file and folder to the next restart.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "setup/UninstallRules.h"

// The full path of the running program, and its folder ("C:\x", a root as "C:\").
std::wstring OwnProgramPath();
std::wstring OwnProgramFolder();

// Creates a folder with a name no one can guess, below the temporary folder, that only the
// administrators and the system may change. Fails (empty) rather than use a folder that existed.
std::wstring CreatePrivateFolder();

// Copies program into a private folder and starts the copy as the working copy for folder, passing
// it a handle to this process and a pipe for its exit code. Returns the copy's exit code, or
// kExitFailed with the reason in error when it could not be started or ended without reporting.
int RunPrivateCopy(const std::wstring& program, const std::wstring& folder, bool silent, std::wstring& error);

// The working copy's side: hands the exit code to the first process through the pipe handle.
void ReportExitCode(HANDLE pipe, int code);
// Asks the system to delete the running copy and its folder at the next restart.
void ScheduleOwnRemoval(std::vector<TStepResult>& results);
