#include "payloads/UninstallSteps.h"

#include <shlobj.h>

#include "framework/Exception.h"
#include "framework/FileStream.h"
#include "framework/Handles.h"
#include "platform/SystemInfo.h"
#include "setup/Catalogue.h"
#include "setup/ShellRules.h"

namespace {

void Fail(std::vector<TStepResult>& results, std::wstring_view fmt, std::initializer_list<std::wstring_view> args) {
  results.push_back({tsoFailed, Format(fmt, args)});
}
void Leftover(std::vector<TStepResult>& results, std::wstring_view fmt, std::initializer_list<std::wstring_view> args) {
  results.push_back({tsoLeftover, Format(fmt, args)});
}

bool IsMissing(DWORD err) { return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND; }

// The default value of a key below HKEY_CLASSES_ROOT; nothing when the key or value is missing.
std::optional<std::wstring> ClassDefault(const std::wstring& path) {
  wchar_t text[2048] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(text);
}

// Deletes a key of root when nothing is left in it. ERROR_SUCCESS also when it is missing or kept.
LSTATUS DeleteKeyIfEmpty(HKEY root, const std::wstring& path, REGSAM view) {
  HKEY raw = nullptr;
  LSTATUS rc = RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, &raw);
  if (rc == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (rc != ERROR_SUCCESS) return rc;
  DWORD subkeys = 0, values = 0;
  {
    const TUniqueKey key(raw);
    rc = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
  }
  if (rc != ERROR_SUCCESS) return rc;
  if (subkeys != 0 || values != 0) return ERROR_SUCCESS;
  rc = RegDeleteKeyExW(root, path.c_str(), view, 0);
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

// Deletes the default value the setup wrote into a key of HKEY_CLASSES_ROOT, then the key when
// that was all it held.
LSTATUS DeleteClassDefault(const std::wstring& path) {
  HKEY raw = nullptr;
  LSTATUS rc = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_SET_VALUE, &raw);
  if (rc == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (rc != ERROR_SUCCESS) return rc;
  {
    const TUniqueKey key(raw);
    rc = RegDeleteValueW(key.get(), nullptr);
  }
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;
  return DeleteKeyIfEmpty(HKEY_CLASSES_ROOT, path, 0);
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return name.empty() || name[0] == L'\\' ? folder + name : folder + L"\\" + name;
}

// A file of the install folder whose path no longer leads into the folder that was checked.
void Redirected(std::vector<TStepResult>& results, const std::wstring& path) {
  Fail(results, L"Файл %s не удалён: путь к нему ведёт уже не в проверенную папку установки.", {path});
}

// Deletes a file of the held install folder, or reports why it stays.
void DeleteInstalledFile(const THeldFolder& folder, const std::wstring& name, std::vector<TStepResult>& results) {
  const std::wstring path = Join(folder.Path(), name);
  DWORD err = ERROR_SUCCESS;
  switch (folder.DeleteFile(name, err)) {
    case tcoDone:
    case tcoMissing:
      return;
    case tcoElsewhere:
      Redirected(results, path);
      return;
    case tcoFailed:
      Fail(results, L"Не удалось удалить файл %s: %s", {path, SysErrorMessage(err)});
      return;
  }
}

// Removes the emptied install folder; one that is gone already, or not empty after all, is no
// failure of its own (what stays in it is reported by then).
void RemoveInstallFolder(THeldFolder& folder, std::vector<TStepResult>& results) {
  const DWORD err = folder.Remove();
  if (err != ERROR_SUCCESS && !IsMissing(err) && err != ERROR_DIR_NOT_EMPTY)
    Fail(results, L"Не удалось удалить папку %s: %s", {folder.Path(), SysErrorMessage(err)});
}

// The target path stored in a shell link file, as stored (no search for a moved target); nothing
// when the file is no link the shell can read or holds no path.
std::optional<std::wstring> ShortcutTarget(const std::wstring& linkFile) {
  TComPtr<IShellLinkW> link;
  TComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())) || FAILED(file->Load(linkFile.c_str(), STGM_READ)))
    return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  if (link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) != S_OK) return std::nullopt;
  return std::wstring(path);
}

bool IsOwnName(const std::wstring& name, const std::vector<std::wstring>& ownPaths) {
  for (const auto& own : ownPaths)
    if (SamePath(L"\\" + name, own)) return true;
  return false;
}

}  // namespace

TUninstallContext ProductContext(THeldFolder folder) {
  TUninstallContext ctx;
  ctx.Folder = std::move(folder);
  ctx.Entry = ProductUninstallEntry();
  // The thumbnail library and its folder as the setup chose them.
  const bool windows64 = IsWindows64();
  FillPayloadCatalogue(windows64);
  const std::wstring windows = WindowsFolder();
  ctx.SystemFolder = windows + (windows64 ? L"\\SysWOW64" : L"\\System32");
  ctx.ThumbnailFile = SystemFiles[0].fFile;
  // The library registers itself in its own bitness: the native regsvr32.
  ctx.Regsvr32 = NativeSystemFolder() + L"\\regsvr32.exe";
  for (int csidl : {CSIDL_DESKTOP, CSIDL_PROGRAMS}) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) ctx.ShortcutFolders.push_back(path);
  }
  return ctx;
}

void RemoveFileTypes(const std::wstring& programPath, std::vector<TStepResult>& results) {
  bool changed = false;
  for (const TFileType& type : kFileTypes) {
    const std::wstring progId = type.ProgID;
    const TFileTypeDecision d =
        DecideFileType({ClassDefault(type.Extension), ClassDefault(progId + L"\\shell\\Open\\Command")}, progId, programPath);
    LSTATUS rc = ERROR_SUCCESS;
    // The keys the setup wrote, deepest first; a key goes only when nothing else is left in it.
    if (d.RemoveExtension) rc = DeleteClassDefault(type.Extension);
    if (d.RemoveProgId) {
      for (const wchar_t* sub : {L"\\shell\\Open\\Command", L"\\shell\\Open", L"\\DefaultIcon"}) {
        const LSTATUS r = DeleteClassDefault(progId + sub);
        if (rc == ERROR_SUCCESS) rc = r;
      }
      for (const wchar_t* sub : {L"\\shell", L""}) {
        const LSTATUS r = DeleteKeyIfEmpty(HKEY_CLASSES_ROOT, progId + sub, 0);
        if (rc == ERROR_SUCCESS) rc = r;
      }
    }
    if (rc != ERROR_SUCCESS)
      Fail(results, L"Не удалось удалить ассоциацию файлов %s: %s", {type.Extension, SysErrorMessage(DWORD(rc))});
    changed = changed || d.RemoveExtension || d.RemoveProgId;
  }
  if (changed) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void RemoveThumbnailExtension(const TUninstallContext& ctx, std::vector<TStepResult>& results) {
  const std::wstring library = ctx.SystemFolder + L"\\" + ctx.ThumbnailFile;
  if (GetFileAttributesW(library.c_str()) == INVALID_FILE_ATTRIBUTES) {
    // Without the library its own unregistration cannot run; nothing of it is left to delete.
    if (!IsMissing(GetLastError())) Fail(results, L"Не удалось найти файл %s: %s", {library, SysErrorMessage(GetLastError())});
    return;
  }
  std::wstring command = L"\"" + ctx.Regsvr32 + L"\" /u /s \"" + library + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(ctx.Regsvr32.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      ctx.SystemFolder.c_str(), &si, &pi)) {
    Fail(results, L"Не удалось запустить %s: %s", {ctx.Regsvr32, SysErrorMessage(GetLastError())});
  } else {
    const TUniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    DWORD code = 1;
    if (WaitForSingleObject(process.get(), 5 * 60 * 1000) != WAIT_OBJECT_0) {
      Fail(results, L"Отмена регистрации расширения проводника (%s) не завершилась вовремя", {ctx.ThumbnailFile});
    } else if (!GetExitCodeProcess(process.get(), &code) || code != 0) {
      Fail(results, L"Не удалось отменить регистрацию расширения проводника %s (regsvr32 вернул %s)",
           {ctx.ThumbnailFile, std::to_wstring(code)});
    }
  }
  DeleteOrSchedule(library, results);
}

void DeleteOrSchedule(const std::wstring& path, std::vector<TStepResult>& results) {
  if (DeleteFileW(path.c_str())) return;
  const DWORD err = GetLastError();
  if (IsMissing(err)) return;
  // A library that Explorer holds, or a program still running, goes when Windows restarts.
  if ((err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION) && MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    Leftover(results, L"Файл %s используется и будет удалён после перезагрузки компьютера.", {path});
    return;
  }
  Fail(results, L"Не удалось удалить файл %s: %s", {path, SysErrorMessage(err)});
}

void RemoveUninstallEntry(const TUninstallEntry& entry, std::vector<TStepResult>& results) {
  HKEY raw = nullptr;
  LSTATUS rc = RegOpenKeyExW(HKEY_LOCAL_MACHINE, entry.Key.c_str(), 0, KEY_SET_VALUE | entry.View, &raw);
  if (rc == ERROR_FILE_NOT_FOUND) return;
  if (rc == ERROR_SUCCESS) {
    const TUniqueKey key(raw);
    // Only the values the setup writes; anything else another program put there stays.
    for (const wchar_t* name : kUninstallValues) {
      const LSTATUS r = RegDeleteValueW(key.get(), name);
      if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND && rc == ERROR_SUCCESS) rc = r;
    }
  }
  if (rc == ERROR_SUCCESS) rc = DeleteKeyIfEmpty(HKEY_LOCAL_MACHINE, entry.Key, entry.View);
  if (rc != ERROR_SUCCESS) Fail(results, L"Не удалось удалить сведения об установке из реестра: %s", {SysErrorMessage(DWORD(rc))});
}

void RemoveShortcuts(const std::vector<std::wstring>& folders, const std::wstring& installFolder, std::vector<TStepResult>& results) {
  const TComApartment com;  // the shell's link object
  for (const auto& folder : folders) {
    const std::wstring link = ShortcutPath(folder);
    if (GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError())) continue;
    const auto target = ShortcutTarget(link);
    if (!target || !IsOwnShortcutTarget(*target, installFolder)) {
      Leftover(results, L"Ярлык %s сохранён: он ведёт не к установленной программе (%s).", {link, target ? *target : L"не ярлык"});
      continue;
    }
    if (!DeleteFileW(link.c_str()) && !IsMissing(GetLastError()))
      Fail(results, L"Не удалось удалить ярлык %s: %s", {link, SysErrorMessage(GetLastError())});
  }
}

void RemoveProgramFiles(TUninstallContext& ctx, std::vector<TStepResult>& results) {
  const std::vector<std::wstring> own = InstalledFileNames(PayloadFiles);
  for (const auto& name : own) {
    if (!ctx.DeferredFile.empty() && SamePath(name, ctx.DeferredFile)) continue;
    DeleteInstalledFile(ctx.Folder, name, results);
  }
  // Never recursive: what the user added stays, and so does the folder that holds it.
  std::wstring foreign;
  int count = 0;
  for (const auto& name : ctx.Folder.Entries()) {
    if (IsOwnName(name, own)) continue;
    if (count++ < 5) foreign += (foreign.empty() ? L"" : L", ") + name;
  }
  if (count > 5) foreign += L", …";
  if (count > 0) {
    Leftover(results, L"Папка %s сохранена: в ней остались файлы, которые установка не создавала (%s).", {ctx.Folder.Path(), foreign});
    return;
  }
  if (ctx.DeferredFile.empty()) RemoveInstallFolder(ctx.Folder, results);
}

std::wstring SetAsideDeferredFile(TUninstallContext& ctx, const std::wstring& asideFolder, std::vector<TStepResult>& results) {
  if (ctx.DeferredFile.empty()) return {};
  const std::wstring path = Join(ctx.Folder.Path(), ctx.DeferredFile);
  // Its own name in the private folder: the working copy there already has the same one.
  const std::wstring aside = Join(asideFolder, L"first-" + ctx.DeferredFile.substr(ctx.DeferredFile.find_last_of(L'\\') + 1));
  std::wstring now = path;
  DWORD err = ERROR_SUCCESS;
  const TChildOutcome moved = ctx.Folder.MoveFileOut(ctx.DeferredFile, aside, err);
  if (moved == tcoElsewhere) {
    Redirected(results, path);
    return {};
  }
  if (moved == tcoDone) {
    now = aside;
    // With the private folder at restart; removed before if the first process has ended by then.
    MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  } else if (moved == tcoMissing) {
    now.clear();  // gone already
  } else {
    // It cannot move (another drive): deleted now, or where it lies at the next restart.
    const TChildOutcome deleted = ctx.Folder.DeleteFile(ctx.DeferredFile, err);
    if (deleted == tcoElsewhere) {
      Redirected(results, path);
      return {};
    }
    if (deleted != tcoFailed) {
      now.clear();
    } else if ((err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION) && MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
      Leftover(results, L"Файл %s используется и будет удалён после перезагрузки компьютера.", {path});
    } else {
      Fail(results, L"Не удалось удалить файл %s: %s", {path, SysErrorMessage(err)});
    }
  }
  const std::vector<std::wstring> left = ctx.Folder.Entries();
  if (left.empty()) {
    RemoveInstallFolder(ctx.Folder, results);
  } else if (now == path && left.size() == 1) {
    // Only the scheduled file is left: the folder goes after it at restart.
    MoveFileExW(ctx.Folder.Path().c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
  return now;
}

void DeleteSetAsideFile(TUninstallContext& ctx, const std::wstring& path) {
  if (path.empty()) return;
  const bool inFolder = SamePath(Join(ctx.Folder.Path(), ctx.DeferredFile), path);
  // The process that ran it may take a moment to let go of its file.
  for (int i = 0; i < 20; ++i) {
    DWORD err = ERROR_SUCCESS;
    if (inFolder ? ctx.Folder.DeleteFile(ctx.DeferredFile, err) != tcoFailed
                 : DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
      break;
    Sleep(100);
  }
  if (inFolder && ctx.Folder.Entries().empty()) ctx.Folder.Remove();
}

std::vector<TStepResult> RemoveProduct(TUninstallContext& ctx) {
  std::vector<TStepResult> results;
  RemoveFileTypes(Join(ctx.Folder.Path(), L"Prismatone.exe"), results);
  RemoveThumbnailExtension(ctx, results);
  RemoveUninstallEntry(ctx.Entry, results);
  RemoveShortcuts(ctx.ShortcutFolders, ctx.Folder.Path(), results);
  RemoveProgramFiles(ctx, results);
  return results;
}
