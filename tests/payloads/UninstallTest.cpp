// The uninstaller's work against the prefix's real file system and registry: an install laid out
// in scratch folders (files, shortcuts, an Uninstall entry under a test key, the file types, the
// thumbnail extension registered by the system's regsvr32), then removed step by step.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/FileStream.h"
#include "framework/Handles.h"
#include "payloads/UninstallRelaunch.h"
#include "payloads/UninstallSteps.h"
#include "payloads/UninstallTarget.h"
#include "platform/SystemInfo.h"
#include "setup/Catalogue.h"
#include "setup/ShellIntegration.h"
#include "setup/ShellRules.h"
#include "tests/payloads/PayloadTestSupport.h"

namespace {

const std::wstring kThumbClsid = L"CLSID\\{FE80ED9A-4E3F-4FCC-92BD-123BCE958577}";

TUninstallEntry TestEntry() {
  return {L"Software\\Prismatone-uninstall-test-" + std::to_wstring(GetCurrentProcessId()), KEY_WOW64_32KEY};
}

void SetString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value, REGSAM view = 0) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &h, nullptr), ERROR_SUCCESS);
  const TUniqueKey k(h);
  RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD((value.size() + 1) * sizeof(wchar_t)));
}

bool KeyExists(HKEY root, const std::wstring& key, REGSAM view = 0) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

std::wstring Default(const std::wstring& key) {
  wchar_t text[512] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return L"<none>";
  return text;
}

void Touch(const std::wstring& path) { WriteWholeFile(path, BytesOf("x")); }

// The folder held as the uninstaller holds the install folder once it has checked it.
THeldFolder Hold(const std::wstring& path) {
  DWORD error = ERROR_SUCCESS;
  THeldFolder folder = THeldFolder::Open(path, error);
  EXPECT_TRUE(folder) << "cannot hold " << path << ": " << SysErrorMessage(error);
  return folder;
}

// Removes a folder with everything below it.
void RemoveTree(const std::wstring& path) {
  std::wstring from = path + L'\0';  // the list of names ends with a second NUL
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
}

bool HasText(const std::vector<TStepResult>& results, TStepOutcome outcome, const std::wstring& part) {
  return std::any_of(results.begin(), results.end(), [&](const TStepResult& r) { return r.Outcome == outcome && r.Text.find(part) != std::wstring::npos; });
}

// The file names the system will act on at restart (every first name of the pairs).
std::wstring PendingRenames() {
  wchar_t data[32768] = {};
  DWORD size = sizeof data - 2 * sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager", L"PendingFileRenameOperations",
                   RRF_RT_REG_MULTI_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return {};
  std::wstring all(data, size / sizeof(wchar_t));
  std::replace(all.begin(), all.end(), L'\0', L'|');
  return all;
}

// Takes the renames of files below folder out of PendingFileRenameOperations again, so that the
// test leaves the prefix's restart list as it found it.
void DropPendingRenames(const std::wstring& folder) {
  const wchar_t* key = L"System\\CurrentControlSet\\Control\\Session Manager";
  std::vector<wchar_t> data(32768);
  DWORD size = DWORD((data.size() - 2) * sizeof(wchar_t));
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, data.data(), &size) != ERROR_SUCCESS)
    return;
  std::vector<std::wstring> names;
  for (const wchar_t* p = data.data(); p < data.data() + size / sizeof(wchar_t) && *p; p += wcslen(p) + 1) names.push_back(p);
  std::wstring kept;
  for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
    if (_wcsnicmp(names[i].c_str() + (names[i].rfind(L"\\??\\", 0) == 0 ? 4 : 0), folder.c_str(), folder.size()) == 0) continue;
    kept += names[i] + L'\0' + names[i + 1] + L'\0';
  }
  if (kept.empty()) {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key, L"PendingFileRenameOperations");
  } else {
    kept += L'\0';
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, L"PendingFileRenameOperations", REG_MULTI_SZ, kept.data(), DWORD(kept.size() * sizeof(wchar_t)));
  }
}

#ifdef PRISMATONE_THUMBNAIL
// Runs a program and returns its exit code.
DWORD RunProgram(const std::wstring& program, std::wstring line) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) return 999;
  const TUniqueKernelHandle p(pi.hProcess), t(pi.hThread);
  WaitForSingleObject(pi.hProcess, 120000 * Slowness());
  DWORD code = 998;
  GetExitCodeProcess(pi.hProcess, &code);
  return code;
}
#endif

// The install as the setup lays it out, in scratch folders: the five files, both shortcuts (and a
// foreign one beside them), the Uninstall entry's nine values under a test key.
struct TSandbox {
  TComApartment com;
  TScratchFolder root;
  TScratchFolder install{root.Path()}, desktop{root.Path()}, programs{root.Path()}, system{root.Path()};
  TUninstallContext ctx;
  TSandbox() {
    FillPayloadCatalogue(true);
    for (int i = 0; i < kPayloadRows; ++i) Touch(install / PayloadFiles[i].fFile);
    for (const auto* f : {&desktop, &programs}) {
      CreateShortcut(install / L"Prismatone.exe", *f / L"Prismatone", L"");
      Touch(*f / L"Other.lnk");
    }
    ctx.Folder = Hold(install.Path());
    ctx.Entry = TestEntry();
    for (const wchar_t* name : kUninstallValues) SetString(HKEY_LOCAL_MACHINE, ctx.Entry.Key, name, L"v", ctx.Entry.View);
    ctx.SystemFolder = system.Path();
    ctx.ThumbnailFile = L"PTThumbnail-test.dll";
    ctx.Regsvr32 = WindowsFolder() + L"\\System32\\regsvr32.exe";
    ctx.ShortcutFolders = {desktop.Path(), programs.Path()};
  }
  ~TSandbox() { RegDeleteKeyExW(HKEY_LOCAL_MACHINE, ctx.Entry.Key.c_str(), ctx.Entry.View, 0); }
};

// The file types live in the prefix's shared classes: none of ours may be there before, and none
// are left after.
struct TFileTypesScope {
  TFileTypesScope() {
    for (const wchar_t* k : {L".pts", L".ptt", L"Prismatone.Preset", L"Prismatone.Theme"})
      EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, k)) << "left from an earlier run: " << k;
  }
  ~TFileTypesScope() {
    for (const wchar_t* k : {L".pts", L".ptt", L"Prismatone.Preset", L"Prismatone.Theme"}) RegDeleteTreeW(HKEY_CLASSES_ROOT, k);
  }
};

}  // namespace

// The install folder is accepted only when the entry names the uninstaller's own folder, however
// spelled, and never when it names a system folder, a drive root, a folder below the Windows
// folder or a network path back to this computer, however spelled.
TEST(UninstallTarget, ResolvesOnlyItsOwnSafeFolder) {
  TScratchFolder own, other;
  const TUninstallEntry entry = TestEntry();
  std::wstring refusal;
  EXPECT_FALSE(ResolveInstallFolder(entry, own.Path(), refusal));  // no entry at all
  EXPECT_NE(refusal.find(L"не найдены"), std::wstring::npos);

  std::wstring spelled = own.Path() + L"\\";
  std::transform(spelled.begin(), spelled.end(), spelled.begin(), ::towupper);
  SetString(HKEY_LOCAL_MACHINE, entry.Key, L"InstallLocation", spelled, entry.View);
  refusal.clear();
  EXPECT_EQ(ResolveInstallFolder(entry, own.Path(), refusal).Path(), spelled);
  EXPECT_EQ(refusal, L"");
  EXPECT_FALSE(ResolveInstallFolder(entry, other.Path(), refusal));
  EXPECT_NE(refusal.find(L"не совпадает"), std::wstring::npos) << refusal;

  // A tampered entry that names a system folder is refused even when the uninstaller runs there.
  const std::wstring windows = WindowsFolder();
  std::vector<std::wstring> targets = {windows, windows + L"\\System32", windows + L"\\.", windows + L"\\..\\Windows",
                                       // drive roots: the system's, and one that holds no system folder
                                       windows.substr(0, 3), L"C:/", OwnProgramPath().substr(0, 3),
                                       L"\\\\localhost\\C$\\Windows", L"\\\\127.0.0.1\\c$\\Program Files"};
  for (const auto& name : ThisMachineNames()) targets.push_back(L"\\\\" + name + L"\\C$\\Windows");
  // A drive whose root is the Windows folder (uninstall_tests.sh makes one): the path names no
  // system folder, only the folder's identity shows it lies inside one.
  if (const char* drive = std::getenv("PRISMATONE_WINDOWS_DRIVE")) {
    const std::wstring letter(drive, drive + std::strlen(drive));
    ASSERT_TRUE(IsSameFolder(letter + L"\\", windows));
    targets.push_back(letter + L"\\System32");
    targets.push_back(letter + L"\\Temp");
  }
  for (const std::wstring& target : targets) {
    SetString(HKEY_LOCAL_MACHINE, entry.Key, L"InstallLocation", target, entry.View);
    refusal.clear();
    EXPECT_FALSE(ResolveInstallFolder(entry, target, refusal)) << target;
    EXPECT_NE(refusal.find(L"системная папка"), std::wstring::npos) << target << ": " << refusal;
  }
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, entry.Key.c_str(), entry.View, 0);

  EXPECT_TRUE(IsSameFolder(own.Path(), own.Path() + L"\\"));
  EXPECT_FALSE(IsSameFolder(own.Path(), other.Path()));
  EXPECT_FALSE(IsSameFolder(own.Path(), own.Path() + L"\\missing"));
  const std::vector<std::wstring> protectedFolders = ProtectedFolders();
  EXPECT_NE(std::find(protectedFolders.begin(), protectedFolders.end(), windows), protectedFolders.end());
}

// This machine's context: the setup's catalogue for 64-bit Windows, and the regsvr32 of the
// library's bitness (a 64-bit process reaches the native one in System32).
TEST(UninstallTarget, ProductContext) {
  const TUninstallContext ctx = ProductContext(THeldFolder());
  EXPECT_EQ(ctx.Entry.Key, kUninstallKey);
  EXPECT_EQ(ctx.Entry.View, REGSAM(KEY_WOW64_32KEY));
  if (sizeof(void*) == 8) {
    EXPECT_EQ(ctx.ThumbnailFile, L"PTThumbnail64.dll");
    EXPECT_EQ(ctx.SystemFolder, WindowsFolder() + L"\\SysWOW64");
    EXPECT_EQ(ctx.Regsvr32, WindowsFolder() + L"\\System32\\regsvr32.exe");
  } else {
    // A 32-bit process: 64-bit Windows under WOW64 (through "Sysnative"), or 32-bit Windows.
    const bool wow64 = ctx.ThumbnailFile == L"PTThumbnail64.dll";
    EXPECT_EQ(ctx.SystemFolder, WindowsFolder() + (wow64 ? L"\\SysWOW64" : L"\\System32"));
    EXPECT_EQ(ctx.Regsvr32, WindowsFolder() + (wow64 ? L"\\Sysnative" : L"\\System32") + L"\\regsvr32.exe");
  }
  ASSERT_EQ(ctx.ShortcutFolders.size(), 2u);
}

// A whole removal: exactly what the setup wrote goes, in every place; the user's file, the foreign
// shortcuts, a foreign value of the entry, a verb another program added and an extension another
// program took over stay; the kept folder is named, and the exit code says there are leftovers.
TEST(Uninstall, RemovesWhatTheSetupWrote) {
  TFileTypesScope types;
  TSandbox box;
  Touch(box.install / L"my preset.pts");
  SetString(HKEY_LOCAL_MACHINE, box.ctx.Entry.Key, L"Foreign", L"kept", box.ctx.Entry.View);
  const std::wstring program = box.install / L"Prismatone.exe";
  for (const TFileType& t : kFileTypes) RegisterFileAssociation(t.Extension, t.ProgID, t.Caption, program, t.IconIndex);
  SetString(HKEY_CLASSES_ROOT, L".pts", nullptr, L"Other.Preset");                            // taken over since
  SetString(HKEY_CLASSES_ROOT, L"Prismatone.Theme\\shell\\Edit\\Command", nullptr, L"x.exe");  // a verb of another program

  const std::vector<TStepResult> results = RemoveProduct(box.ctx);
  EXPECT_EQ(ExitCodeFor(results), kExitLeftovers) << SummaryText(results);
  EXPECT_TRUE(HasText(results, tsoLeftover, box.install.Path())) << SummaryText(results);
  EXPECT_TRUE(HasText(results, tsoLeftover, L"my preset.pts"));

  EXPECT_EQ(box.install.Files(), std::vector<std::wstring>{L"my preset.pts"});
  EXPECT_EQ(box.desktop.Files(), std::vector<std::wstring>{L"Other.lnk"});
  EXPECT_EQ(box.programs.Files(), std::vector<std::wstring>{L"Other.lnk"});
  for (const wchar_t* name : kUninstallValues) {
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, box.ctx.Entry.Key.c_str(), 0, KEY_READ | box.ctx.Entry.View, &h), ERROR_SUCCESS);
    const TUniqueKey k(h);
    EXPECT_NE(RegQueryValueExW(h, name, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS) << name;
    EXPECT_EQ(RegQueryValueExW(h, L"Foreign", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  }
  EXPECT_EQ(Default(L".pts"), L"Other.Preset");
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Prismatone.Preset"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L".ptt"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Prismatone.Theme\\shell\\Open"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Prismatone.Theme\\DefaultIcon"));
  EXPECT_EQ(Default(L"Prismatone.Theme\\shell\\Edit\\Command"), L"x.exe");

  // Once the user's file is gone, a second run removes the folder and the emptied entry key.
  DeleteFileW((box.install / L"my preset.pts").c_str());
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, box.ctx.Entry.Key.c_str(), L"Foreign");
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, box.ctx.Entry.Key.c_str(), box.ctx.Entry.View, 0);
  const std::vector<TStepResult> again = RemoveProduct(box.ctx);
  EXPECT_EQ(ExitCodeFor(again), kExitRemoved) << SummaryText(again);
  EXPECT_EQ(GetFileAttributesW(box.install.Path().c_str()), INVALID_FILE_ATTRIBUTES);
}

// The entry key goes with its values when nothing else is in it; a file type whose ProgID now
// opens another program is left whole, extension included.
TEST(Uninstall, EntryKeyAndForeignFileType) {
  TFileTypesScope types;
  TSandbox box;
  for (const TFileType& t : kFileTypes) RegisterFileAssociation(t.Extension, t.ProgID, t.Caption, L"C:\\Other\\Other.exe", t.IconIndex);
  std::vector<TStepResult> results;
  RemoveFileTypes(box.install / L"Prismatone.exe", results);
  RemoveUninstallEntry(box.ctx.Entry, results);
  EXPECT_TRUE(results.empty()) << SummaryText(results);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, box.ctx.Entry.Key, box.ctx.Entry.View));
  EXPECT_EQ(Default(L".pts"), L"Prismatone.Preset");
  EXPECT_EQ(Default(L"Prismatone.Theme\\shell\\Open\\Command"), OpenCommand(L"C:\\Other\\Other.exe"));
}

// A file that cannot be deleted is reported and the steps after it still run; a file in use is
// left to the next restart, named in PendingFileRenameOperations, and said to stay.
TEST(Uninstall, FailuresAreCollected) {
  TSandbox box;
  const std::wstring held = box.install / L"Prismatone.exe";
  {
    const TUniqueFile open(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open);
    std::vector<TStepResult> results;
    RemoveProgramFiles(box.ctx, results);
    RemoveShortcuts(box.ctx.ShortcutFolders, box.ctx.Folder.Path(), results);
    EXPECT_EQ(ExitCodeFor(results), kExitFailed);
    EXPECT_TRUE(HasText(results, tsoFailed, held)) << SummaryText(results);
    EXPECT_FALSE(HasText(results, tsoLeftover, L"сохранена"));  // our own file is no reason to speak of user files
    EXPECT_EQ(box.install.Files(), std::vector<std::wstring>{L"Prismatone.exe"});
    EXPECT_EQ(box.desktop.Files(), std::vector<std::wstring>{L"Other.lnk"});

    std::vector<TStepResult> scheduled;
    DeleteOrSchedule(held, scheduled);
    ASSERT_EQ(scheduled.size(), 1u);
    EXPECT_EQ(scheduled[0].Outcome, tsoLeftover);
    EXPECT_NE(scheduled[0].Text.find(L"после перезагрузки"), std::wstring::npos);
    std::wstring pending = PendingRenames(), lower = held;
    std::transform(pending.begin(), pending.end(), pending.begin(), ::towlower);
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
    EXPECT_NE(pending.find(lower), std::wstring::npos) << pending;
  }
  DropPendingRenames(box.root.Path());
  EXPECT_EQ(PendingRenames().find(box.root.Path()), std::wstring::npos);
  std::vector<TStepResult> missing;
  DeleteOrSchedule(box.install / L"gone.dll", missing);
  EXPECT_TRUE(missing.empty());
}

// A shortcut of the setup's name that leads elsewhere, or is no shortcut, is someone else's.
TEST(Uninstall, ForeignShortcutsStay) {
  TSandbox box;
  CreateShortcut(L"C:\\Other\\Prismatone.exe", box.desktop / L"Prismatone", L"");
  Touch(box.programs / L"Prismatone.lnk");
  std::vector<TStepResult> results;
  RemoveShortcuts(box.ctx.ShortcutFolders, box.ctx.Folder.Path(), results);
  EXPECT_EQ(ExitCodeFor(results), kExitLeftovers);
  EXPECT_TRUE(HasText(results, tsoLeftover, L"C:\\Other\\Prismatone.exe")) << SummaryText(results);
  EXPECT_EQ(box.desktop.Files(), (std::vector<std::wstring>{L"Other.lnk", L"Prismatone.lnk"}));
  EXPECT_EQ(box.programs.Files(), (std::vector<std::wstring>{L"Other.lnk", L"Prismatone.lnk"}));
}

// The uninstaller's own file is still running when the rest is removed: it moves into the private
// folder, so that the install folder is gone before the exit code is reported.
TEST(Uninstall, DeferredOwnFileSetAside) {
  TSandbox box;
  TScratchFolder aside(box.root.Path());
  box.ctx.DeferredFile = L"\\Prismatone_uninstall.exe";
  std::vector<TStepResult> results;
  RemoveProgramFiles(box.ctx, results);
  EXPECT_TRUE(results.empty()) << SummaryText(results);
  EXPECT_EQ(box.install.Files(), std::vector<std::wstring>{L"Prismatone_uninstall.exe"});
  const std::wstring running = box.install / L"Prismatone_uninstall.exe";
  // Held as a running program's image is held: deleting fails, renaming does not.
  const TUniqueFile image(CreateFileW(running.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(image);
  const std::wstring now = SetAsideDeferredFile(box.ctx, aside.Path(), results);
  EXPECT_TRUE(results.empty()) << SummaryText(results);
  EXPECT_EQ(now, aside / L"first-Prismatone_uninstall.exe");
  EXPECT_EQ(GetFileAttributesW(box.install.Path().c_str()), INVALID_FILE_ATTRIBUTES);
  DropPendingRenames(box.root.Path());
}

// Where the file cannot move, it and the folder are left to the restart, and the code says so.
TEST(Uninstall, DeferredOwnFileLeftToRestart) {
  TSandbox box;
  box.ctx.DeferredFile = L"\\Prismatone_uninstall.exe";
  std::vector<TStepResult> results;
  RemoveProgramFiles(box.ctx, results);
  const std::wstring running = box.install / L"Prismatone_uninstall.exe";
  std::wstring now;
  {
    const TUniqueFile held(CreateFileW(running.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    now = SetAsideDeferredFile(box.ctx, box.root / L"no such folder", results);
    EXPECT_EQ(now, running);
    EXPECT_EQ(ExitCodeFor(results), kExitLeftovers) << SummaryText(results);
    std::wstring pending = PendingRenames(), lower = box.install.Path();
    std::transform(pending.begin(), pending.end(), pending.begin(), ::towlower);
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
    EXPECT_NE(pending.find(lower + L"\\prismatone_uninstall.exe"), std::wstring::npos) << pending;
    EXPECT_NE(pending.find(lower + L'|'), std::wstring::npos) << "the folder is not left to the restart";
  }
  // Once the program has ended, its file and the folder go at once.
  DeleteSetAsideFile(box.ctx, now);
  EXPECT_EQ(GetFileAttributesW(box.install.Path().c_str()), INVALID_FILE_ATTRIBUTES);
  DropPendingRenames(box.root.Path());
}

#ifdef PRISMATONE_THUMBNAIL
// The thumbnail extension unregisters itself through the system's regsvr32 /u /s, and its file goes.
TEST(Uninstall, ThumbnailExtension) {
  TSandbox box;
  const std::wstring library = box.system / box.ctx.ThumbnailFile;
  ASSERT_TRUE(CopyFileW(PRISMATONE_THUMBNAIL, library.c_str(), FALSE));
  ASSERT_EQ(RunProgram(box.ctx.Regsvr32, L"regsvr32 /s \"" + library + L"\""), 0u);
  ASSERT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kThumbClsid));
  std::vector<TStepResult> results;
  RemoveThumbnailExtension(box.ctx, results);
  EXPECT_TRUE(results.empty()) << SummaryText(results);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kThumbClsid));
  EXPECT_FALSE(FileExists(library));
  // Gone already: nothing to do, nothing to report.
  RemoveThumbnailExtension(box.ctx, results);
  EXPECT_TRUE(results.empty()) << SummaryText(results);
}
#endif

// Between the check and the deletion (the extension's unregistration may take minutes) the
// install folder's path is made to lead into another program's folder that holds files of the
// same names: the folder itself, or the folder above it, renamed away and the other put in its
// place. (The same redirection a junction would make; this Wine makes no junctions.) Nothing of
// the other folder is touched: the held folder cannot be renamed, and where a folder above it
// can, the deletion sees that the path leads elsewhere and reports it.
TEST(Uninstall, FolderSwappedAfterTheCheck) {
  FillPayloadCatalogue(true);
  for (const bool above : {false, true}) {
    TScratchFolder root;
    const std::wstring install = root / L"a\\Prismatone", victim = root / L"v\\Prismatone";
    for (const std::wstring& folder : {root / L"a", install, root / L"v", victim}) ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    for (int i = 0; i < kPayloadRows; ++i) {
      Touch(install + L"\\" + PayloadFiles[i].fFile);
      WriteWholeFile(victim + L"\\" + PayloadFiles[i].fFile, BytesOf("the other program's"));
    }
    bool swapped = false;
    std::vector<TStepResult> results;
    {
      TUninstallContext ctx;
      ctx.Folder = Hold(install);
      const std::wstring moved = above ? root / L"a" : install, replacement = above ? root / L"v" : victim;
      swapped = MoveFileW(moved.c_str(), (moved + L"-away").c_str()) && MoveFileW(replacement.c_str(), moved.c_str());
      RemoveProgramFiles(ctx, results);
    }
    // Wherever the other program's folder is now, its files are as they were.
    const std::wstring victimNow = swapped ? install : victim;
    for (int i = 0; i < kPayloadRows; ++i) {
      const std::wstring file = victimNow + L"\\" + PayloadFiles[i].fFile;
      EXPECT_TRUE(FileExists(file) && ReadWholeFile(file) == BytesOf("the other program's")) << above << " " << file;
    }
    if (swapped) {
      EXPECT_EQ(ExitCodeFor(results), kExitFailed) << above;
      EXPECT_TRUE(HasText(results, tsoFailed, L"проверенную папку")) << SummaryText(results);
    } else {
      EXPECT_EQ(ExitCodeFor(results), kExitRemoved) << above << SummaryText(results);
      EXPECT_EQ(GetFileAttributesW(install.c_str()), INVALID_FILE_ATTRIBUTES) << above;
    }
    RemoveTree(root / L"a");
    RemoveTree(root / L"a-away");
    RemoveTree(root / L"v");
  }
}

namespace {

std::wstring ProbeProgram() { return OwnProgramFolder() + L"\\relaunch_probe.exe"; }

// The private folder's access list: the SDDL text of each entry that allows anything to anyone
// but the system, the administrators and the folder's owner (Wine keeps access lists as the
// file's mode bits, and shows the administrators' entry as the owner's).
std::vector<std::wstring> ForeignAccess(const std::wstring& path) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  PACL dacl = nullptr;
  PSID owner = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, &owner, nullptr,
                            &dacl, nullptr, &sd) != ERROR_SUCCESS)
    return {L"<no security information>"};
  std::vector<std::wstring> foreign;
  if (!dacl) foreign.push_back(L"<no access list: everyone may do everything>");
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    ACE_HEADER* ace = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace)) || ace->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    PSID sid = &reinterpret_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart;
    if (IsWellKnownSid(sid, WinLocalSystemSid) || IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || EqualSid(sid, owner)) continue;
    wchar_t* text = nullptr;
    ConvertSidToStringSidW(sid, &text);
    foreign.push_back(text ? text : L"?");
    LocalFree(text);
  }
  LocalFree(sd);
  return foreign;
}

}  // namespace

// The private folder: a new one each time, below the system's temporary folder, with a name
// nobody could have chosen before, and an access list that gives nobody else any access.
TEST(UninstallRelaunch, PrivateFolder) {
  std::wstring a, b;
  {
    const THeldFolder heldA = CreatePrivateFolder(), heldB = CreatePrivateFolder();
    ASSERT_TRUE(heldA);
    ASSERT_TRUE(heldB);
    a = heldA.Path(), b = heldB.Path();
    EXPECT_NE(a, b);
    EXPECT_NE(a.find(L"Prismatone-uninstall-"), std::wstring::npos);
    EXPECT_TRUE(IsSameFolder(FolderOf(a), WindowsFolder() + L"\\Temp")) << a;
    const DWORD attributes = GetFileAttributesW(a.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    const std::vector<std::wstring> foreign = ForeignAccess(a);
    EXPECT_TRUE(foreign.empty()) << "also allowed: " << foreign.front();
  }
  RemoveDirectoryW(a.c_str());
  RemoveDirectoryW(b.c_str());
  EXPECT_NE(OwnProgramPath().find(L"uninstall_tests"), std::wstring::npos);
}

// Between the private folder's creation and the copy into it, another program of the user tries
// to rename the folder away and put one of its own in its place. The folder is held: the rename
// is refused, and the copy that runs is the one in the folder that was created.
TEST(UninstallRelaunch, PrivateFolderCannotBeSwapped) {
  TScratchFolder report;
  THeldFolder folder = CreatePrivateFolder();
  ASSERT_TRUE(folder);
  const std::wstring path = folder.Path(), away = path + L"-away";
  const auto created = folder.Identity();
  ASSERT_TRUE(created);
  const bool renamed = MoveFileW(path.c_str(), away.c_str());
  if (renamed) CreateDirectoryW(path.c_str(), nullptr);  // the folder planted in its place
  std::wstring error;
  const int code = RunCopyIn(folder, ProbeProgram(), report.Path(), true, error);
  EXPECT_FALSE(renamed) << "the private folder was renamed while the uninstaller held it";
  EXPECT_EQ(code, kExitRemoved) << error;
  const Bytes ran = FileExists(report / L"ran-from.txt") ? ReadWholeFile(report / L"ran-from.txt") : Bytes();
  const std::wstring ranFrom(reinterpret_cast<const wchar_t*>(ran.data()), ran.size() / sizeof(wchar_t));
  EXPECT_TRUE(SamePath(ranFrom, path + L"\\relaunch_probe.exe")) << ranFrom;
  EXPECT_EQ(FolderIdentity(FolderOf(ranFrom)), created) << "the copy ran from a folder planted in the private one's place";
  folder = THeldFolder();
  for (const std::wstring& f : {path, away}) {
    DeleteFileW((f + L"\\relaunch_probe.exe").c_str());
    RemoveDirectoryW(f.c_str());
  }
}
