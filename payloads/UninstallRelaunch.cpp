#include "payloads/UninstallRelaunch.h"

#include <objbase.h>
#include <sddl.h>

#include "framework/Exception.h"
#include "framework/FileStream.h"
#include "framework/Handles.h"
#include "setup/ShellRules.h"

namespace {

// LocalFree on scope exit (the security descriptor made from its text form).
struct TLocalMem {
  void* p = nullptr;
  ~TLocalMem() { LocalFree(p); }
};

std::wstring WithoutTrailingSeparator(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

std::wstring OwnProgramPath() {
  std::wstring path(1024, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
  if (n == 0 || n >= path.size()) return {};
  path.resize(n);
  return path;
}

std::wstring OwnProgramFolder() { return WithoutTrailingSeparator(FolderOf(OwnProgramPath())); }

THeldFolder CreatePrivateFolder() {
  wchar_t windows[MAX_PATH] = {};
  const UINT n = GetSystemWindowsDirectoryW(windows, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  const std::wstring temp = WithoutTrailingSeparator(windows) + L"\\Temp\\";
  // Full access for the system and the administrators only, nothing inherited: an unelevated
  // program must not change the copy that the elevated uninstaller is about to start, nor put a
  // library beside it.
  TLocalMem sd;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", SDDL_REVISION_1, &sd.p, nullptr))
    return {};
  SECURITY_ATTRIBUTES sa{sizeof sa, sd.p, FALSE};
  for (int attempt = 0; attempt < 8; ++attempt) {
    GUID id{};
    if (FAILED(CoCreateGuid(&id))) return {};
    wchar_t text[40] = {};
    StringFromGUID2(id, text, 40);
    const std::wstring folder = temp + L"Prismatone-uninstall-" + std::wstring(text).substr(1, 36);
    // CreateDirectory fails on a folder that already exists: one planted there is never used.
    if (CreateDirectoryW(folder.c_str(), &sa)) {
      DWORD error = ERROR_SUCCESS;
      THeldFolder held = THeldFolder::Open(folder, error);
      if (!held) SetLastError(error);
      return held;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

int RunPrivateCopy(const std::wstring& program, const std::wstring& folder, bool silent, std::wstring& error) {
  THeldFolder privateFolder = CreatePrivateFolder();
  if (!privateFolder) {
    error = L"Не удалось создать временную папку для программы удаления: " + SysErrorMessage(GetLastError());
    return kExitFailed;
  }
  return RunCopyIn(privateFolder, program, folder, silent, error);
}

int RunCopyIn(THeldFolder& privateFolder, const std::wstring& program, const std::wstring& folder, bool silent, std::wstring& error) {
  const std::wstring path = privateFolder.Path();
  const std::wstring copy = path + L"\\" + program.substr(program.find_last_of(L'\\') + 1);
  // An unused folder goes again; it is let go first, as the hold keeps it from being removed.
  auto giveUp = [&](const std::wstring& reason) {
    error = reason;
    privateFolder = THeldFolder();
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(path.c_str());
    return kExitFailed;
  };
  if (!CopyFileW(program.c_str(), copy.c_str(), TRUE))
    return giveUp(Format(L"Не удалось скопировать программу удаления в %s: %s", {path, SysErrorMessage(GetLastError())}));
  // Two handles for the copy, inherited by it alone (nothing else is started with inheritance):
  // this process, to wait for its end by the handle and not by a number that may be reused, and
  // the writing end of a pipe for the exit code.
  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, SYNCHRONIZE, TRUE, 0))
    return giveUp(L"Не удалось запустить копию программы удаления: " + SysErrorMessage(GetLastError()));
  const TUniqueKernelHandle selfHandle(self);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
    return giveUp(L"Не удалось запустить копию программы удаления: " + SysErrorMessage(GetLastError()));
  const TUniqueKernelHandle reader(readEnd);
  TUniqueKernelHandle writer(writeEnd);
  SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

  TWorkerArgs args;
  args.ParentHandle = reinterpret_cast<uintptr_t>(selfHandle.get());
  args.ReportHandle = reinterpret_cast<uintptr_t>(writer.get());
  args.Folder = WithoutTrailingSeparator(folder);
  args.Silent = silent;
  std::wstring line = WorkerCommandLine(copy, args);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(copy.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, path.c_str(), &si, &pi))
    return giveUp(L"Не удалось запустить копию программы удаления: " + SysErrorMessage(GetLastError()));
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  writer.reset();  // only the copy holds the writing end now: a copy that ends early breaks the pipe
  int code = kExitFailed;
  DWORD got = 0;
  if (!ReadFile(reader.get(), &code, sizeof code, &got, nullptr) || got != sizeof code || code < kExitRemoved || code > kExitFailed) {
    error = L"Копия программы удаления завершилась, не сообщив результат.";
    return kExitFailed;
  }
  return code;
}

void ReportExitCode(HANDLE pipe, int code) {
  DWORD written = 0;
  WriteFile(pipe, &code, sizeof code, &written, nullptr);
}

void ScheduleOwnRemoval(std::vector<TStepResult>& results) {
  const std::wstring self = OwnProgramPath();
  const std::wstring folder = OwnProgramFolder();
  // The file first: the system removes a folder at restart only when it is empty by then.
  if (self.empty() || !MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ||
      !MoveFileExW(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
    results.push_back({tsoLeftover, Format(L"Не удалось запланировать удаление временной копии %s: %s", {self, SysErrorMessage(GetLastError())})});
}
