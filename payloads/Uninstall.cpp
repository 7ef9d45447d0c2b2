// The product's uninstaller. Started from the install folder (the Uninstall entry's command), it
// checks the entry against its own folder, asks once, and hands the work to a private copy of
// itself (UninstallRelaunch), which removes what the setup wrote (UninstallSteps) and says what
// stayed. "/S" asks nothing and shows nothing. Exit code: 0 removed, 1 cancelled, 2 removed with
// leftovers, 3 failed or refused.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "framework/Handles.h"
#include "payloads/UninstallRelaunch.h"
#include "payloads/UninstallSteps.h"
#include "payloads/UninstallTarget.h"
#include "platform/SafeLibrary.h"
#include "platform/SystemInfo.h"
#include "setup/Catalogue.h"
#include "setup/ShellRules.h"
#include "setup/UninstallRules.h"

namespace {

constexpr wchar_t kCaption[] = L"Удаление Prismatone";

// The arguments after the program's name.
std::vector<std::wstring> Arguments() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> args;
  for (int i = 1; argv && i < count; ++i) args.push_back(argv[i]);
  LocalFree(argv);
  return args;
}

void Show(bool silent, const std::wstring& text, UINT icon) {
  if (!silent) MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | icon | MB_SETFOREGROUND);
}

// The process started from the install folder.
int RunFirst(bool silent) {
  const std::wstring program = OwnProgramPath();
  const std::wstring folder = OwnProgramFolder();
  std::wstring refusal;
  // Checked here only to refuse early: the folder is let go at once, as the working copy holds it
  // for itself and checks it again.
  if (!ResolveInstallFolder(ProductUninstallEntry(), folder, refusal)) {
    Show(silent, refusal, MB_ICONERROR);
    return kExitFailed;
  }
  // Started with the install folder as its current folder, this process would keep it from
  // being removed.
  SetCurrentDirectoryW(WindowsFolder().c_str());
  if (!silent && MessageBoxW(nullptr, L"Удалить Prismatone и все его компоненты?", kCaption,
                             MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) != IDYES)
    return kExitCancelled;
  std::wstring error;
  const int code = RunPrivateCopy(program, folder, silent, error);
  if (!error.empty()) Show(silent, error, MB_ICONERROR);
  return code;
}

// The private copy: the original folder is checked again, as the copy trusts nothing it was given.
int RunWorker(const TWorkerArgs& args) {
  const TUniqueKernelHandle parent(reinterpret_cast<HANDLE>(uintptr_t(args.ParentHandle)));
  TUniqueKernelHandle report(reinterpret_cast<HANDLE>(uintptr_t(args.ReportHandle)));
  std::wstring refusal;
  THeldFolder folder = ResolveInstallFolder(ProductUninstallEntry(), args.Folder, refusal);
  if (!folder) {
    ReportExitCode(report.get(), kExitFailed);
    Show(args.Silent, refusal, MB_ICONERROR);
    return kExitFailed;
  }
  TUninstallContext ctx = ProductContext(std::move(folder));
  ctx.DeferredFile = L"\\" + PayloadFiles[kPayloadRows - 1].fFile;  // the first process's own file
  std::vector<TStepResult> results = RemoveProduct(ctx);
  // The first process's file leaves the install folder before the code is reported, so that the
  // code also covers the folder; the file itself goes once that process has ended.
  const std::wstring original = SetAsideDeferredFile(ctx, OwnProgramFolder(), results);
  ReportExitCode(report.get(), ExitCodeFor(results));
  report.reset();
  if (WaitForSingleObject(parent.get(), 60 * 1000) == WAIT_OBJECT_0) DeleteSetAsideFile(ctx, original);
  ScheduleOwnRemoval(results);
  const int code = ExitCodeFor(results);
  Show(args.Silent, SummaryText(results), code == kExitRemoved ? MB_ICONINFORMATION : code == kExitLeftovers ? MB_ICONWARNING : MB_ICONERROR);
  return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before anything else can load a library: none may come from the program's own folder.
  RestrictLibrarySearch();
  const std::vector<std::wstring> args = Arguments();
  if (const auto worker = ParseWorkerArgs(args)) return RunWorker(*worker);
  return RunFirst(HasSilentSwitch(args));
}
