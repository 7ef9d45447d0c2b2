// Skin files and folders: name resolution, the skin directory, listing and extracting skins.
//
// Paths are Windows paths: joined by plain concatenation with "\" and never normalised. File
// names compare without regard to case, as on Windows; native builds reach the same behaviour by
// turning "\" into "/" and matching each path component case-insensitively when the exact name
// does not exist.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/StringList.h"
#include "skin/data/sConst.h"
#include "skin/data/sStoredSkins.h"

// File-system access, Windows semantics.
bool SkinFileExists(const std::wstring& path);
bool SkinDirectoryExists(const std::wstring& path);
// Creates the folder and its missing parents; false when that fails.
bool SkinForceDirectories(const std::wstring& path);
// The whole file; throws Exception("Cannot open file \"<path>\"") when it cannot be read.
std::vector<std::uint8_t> ReadSkinFile(const std::wstring& path);
// Creates or replaces the file; throws Exception("Cannot create file \"<path>\"") on failure.
void WriteSkinFile(const std::wstring& path, const std::vector<std::uint8_t>& data);
// Names of the entries of a folder (no "." / ".."), each with a folder flag.
struct TSkinDirEntry {
  std::wstring Name;
  bool IsFolder = false;
};
std::vector<TSkinDirEntry> ListSkinDirectory(const std::wstring& path);

// The trailing-separator rule: "" stays ""; a final "\" stays; a final "/" becomes "\"; a single
// character (a bare drive letter) gets ":\"; anything else gets "\".
std::wstring AddSkinDirSeparator(const std::wstring& dir);

// The skin directory resolved against `programFolder` (the running program's folder including
// its final separator); no trailing separator is added.
std::wstring GetFullSkinDirectory(const std::wstring& skinDirectory, const std::wstring& programFolder);

// Removes a final ".asz" (any case) from a name longer than four characters.
std::wstring StripPackageSuffix(const std::wstring& skinName);

// Where a skin name leads.
enum class TsSkinSourceKind { ssPackageFile, ssFolder, ssInternal, ssNone };
struct TsSkinSource {
  TsSkinSourceKind Kind = TsSkinSourceKind::ssNone;
  std::wstring SkinName;     // the name to keep (suffix stripped; the internal skin's name on fall-back)
  std::wstring SkinPath;     // with its final "\"; empty for internal skins
  std::wstring PackageFile;  // ssPackageFile: the file to read
  int InternalIndex = -1;    // ssInternal: the item used
};
// Resolves a skin name: a package file in the stored skin directory, then a folder holding
// "Options.dat" in the resolved directory, then the internal skin of that name, then the first
// internal skin. ssNone when there are no internal skins (the manager then turns itself off).
TsSkinSource ResolveSkinSource(const std::wstring& skinName, const std::wstring& skinDirectory,
                               const std::wstring& programFolder, const TsStoredSkins& internalSkins);

// Fills `list` with the internal skins' names and the skins found in the resolved directory
// (folders holding "Options.dat", files ending in ".asz"), sorted; returns the first name added.
std::wstring GetSkinNames(TStringList& list, TsSkinTypes kind, const std::wstring& skinDirectory,
                          const std::wstring& programFolder, const TsStoredSkins& internalSkins);
// The same without the internal skins.
std::wstring GetExternalSkinNames(TStringList& list, TsSkinTypes kind, const std::wstring& skinDirectory,
                                  const std::wstring& programFolder);
// One name of GetSkinNames(stAllSkins) chosen at random (freshly seeded); empty when none.
std::wstring GetRandomSkin(const std::wstring& skinDirectory, const std::wstring& programFolder,
                           const TsStoredSkins& internalSkins);

// Shows an error message in a box captioned "Error" (the platform's message box on Windows).
using TsErrorSink = std::function<void(const std::wstring& message)>;
// Writes item `index`'s package to <folder>\<name> extracted.asz, creating the folder.
void ExtractByIndex(const TsStoredSkins& internalSkins, int index, const std::wstring& folder, const TsErrorSink& showError);
// Extracts every item named exactly `skinName` into an existing folder.
void ExtractInternalSkin(const TsStoredSkins& internalSkins, const std::wstring& skinName, const std::wstring& folder,
                         const TsErrorSink& showError);
