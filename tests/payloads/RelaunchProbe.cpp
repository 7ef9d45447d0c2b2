// Stands in for the uninstaller's working copy in the relaunch tests: reads the working copy's
// command line, writes the path it was started from into "ran-from.txt" in the folder named
// there, and reports the exit code 0 through the pipe.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"
#include "payloads/UninstallRelaunch.h"
#include "setup/UninstallRules.h"

int wmain(int argc, wchar_t** argv) {
  const auto args = ParseWorkerArgs(std::vector<std::wstring>(argv + 1, argv + argc));
  if (!args) return kExitFailed;
  const TUniqueKernelHandle parent(reinterpret_cast<HANDLE>(uintptr_t(args->ParentHandle)));
  const TUniqueKernelHandle report(reinterpret_cast<HANDLE>(uintptr_t(args->ReportHandle)));
  const std::wstring self = OwnProgramPath();
  const TUniqueFile file(CreateFileW((args->Folder + L"\\ran-from.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD put = 0;
  if (!file || !WriteFile(file.get(), self.data(), DWORD(self.size() * sizeof(wchar_t)), &put, nullptr)) return kExitFailed;
  ReportExitCode(report.get(), kExitRemoved);
  return kExitRemoved;
}
