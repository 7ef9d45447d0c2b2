// The uninstaller's decisions, free of the platform: which folder it may act on, whether a file
// type still belongs to the installed program, which files and links the setup wrote, and what
// the collected outcome of the steps means for the closing message and the exit code.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "setup/Catalogue.h"

// Paths compared as Windows compares names: "/" as "\", trailing separators dropped, Latin and
// Cyrillic letters without case.
std::wstring FoldPath(std::wstring_view path);
bool SamePath(std::wstring_view a, std::wstring_view b);

// "\\" or "/".
bool IsSeparator(wchar_t c);
// The parts of a path from index from on (after its root: "C:\" or the "\\" before a network
// path's server, whose server and share then count as parts), without the empty ones that
// doubled or trailing separators leave.
std::vector<std::wstring> PathParts(std::wstring_view path, std::size_t from);

// Why a folder must not be acted on; tfsSafe when it may.
enum TFolderSafety {
  tfsSafe,
  tfsNotAbsolute,   // empty, relative, a device or "\\?\" path, a "." or ".." part, a wildcard or stream
  tfsThisMachine,   // a network path to this computer ("\\localhost\C$\..."): a local folder in disguise
  tfsDriveRoot,     // "C:\" or a network share's root
  tfsProtected,     // one of the protected folders, or a folder that contains one
  tfsInsideWindows  // below the Windows folder
};
// The install folder as the Uninstall entry names it, checked by its spelling against the
// system's own folders: protectedFolders holds the Windows folder, the Program Files folders, the
// profiles' root and the profile folders; windowsFolder is also among them; ownNames are the
// computer's own names (NamesThisMachine). Spelling is not identity: the folder that a safe
// spelling leads to must still be compared with those folders as file system objects.
TFolderSafety CheckInstallFolder(std::wstring_view folder, const std::vector<std::wstring>& protectedFolders,
                                 std::wstring_view windowsFolder, const std::vector<std::wstring>& ownNames);

// The folder and every folder above it, up to and with its root ("C:\", "\\server\share"), in
// that order; for a path already resolved by the system (no ".", "..", or doubled separators).
std::vector<std::wstring> FolderAndAncestors(std::wstring_view folder);

// A file type's keys as found at uninstall time: the extension's default value (its ProgID) and
// the ProgID's open command, each absent when the key or value is missing.
struct TFileTypeState {
  std::optional<std::wstring> ExtensionProgId;
  std::optional<std::wstring> OpenCommand;
};
struct TFileTypeDecision {
  bool RemoveProgId;     // the ProgID's open command still starts our program
  bool RemoveExtension;  // the extension still names our ProgID, and that ProgID is still ours
};
TFileTypeDecision DecideFileType(const TFileTypeState& state, std::wstring_view progId, const std::wstring& programPath);

// What the setup wrote into the install folder: the catalogue's rows as paths below the folder
// ("\bass.dll"), last row first; and the path of a shortcut in a special folder.
std::vector<std::wstring> InstalledFileNames(const TPayloadTable& payloadFiles);
std::wstring ShortcutPath(const std::wstring& specialFolder);
// Whether a shortcut's stored target is a file directly in the install folder: only then is the
// shortcut the setup's; one of the same name that leads elsewhere belongs to someone else.
bool IsOwnShortcutTarget(std::wstring_view target, std::wstring_view folder);

// One step's outcome: done, done but something stays (kept on purpose, or removed only at the
// next restart), or failed.
enum TStepOutcome { tsoDone, tsoLeftover, tsoFailed };
struct TStepResult {
  TStepOutcome Outcome;
  std::wstring Text;  // for a leftover or a failure, the sentence shown in the closing message
};

// 0 everything removed, 2 removed with leftovers, 3 a step failed.
constexpr int kExitRemoved = 0, kExitCancelled = 1, kExitLeftovers = 2, kExitFailed = 3;
int ExitCodeFor(const std::vector<TStepResult>& results);
// The closing message: the verdict, then every failure and leftover on its own line.
std::wstring SummaryText(const std::vector<TStepResult>& results);

// The command line of the working copy: "/run", the process handle it waits for, the handle it
// reports its exit code through, the original folder, and "/S" when silent. ParseWorkerArgs reads
// it back from the arguments after the program's name; nothing when they are not such a line.
struct TWorkerArgs {
  unsigned long long ParentHandle = 0;
  unsigned long long ReportHandle = 0;
  std::wstring Folder;
  bool Silent = false;
};
std::wstring WorkerCommandLine(const std::wstring& program, const TWorkerArgs& args);
std::optional<TWorkerArgs> ParseWorkerArgs(const std::vector<std::wstring>& args);
// Whether the arguments ask for the silent mode ("/S", any case).
bool HasSilentSwitch(const std::vector<std::wstring>& args);
