// A folder held open from the moment it is checked until the work in it is done. The handle
// shares reading and writing but not deletion, so that the folder cannot be renamed, moved away or
// replaced by a link while it is held (on Windows neither can a folder above it, as long as a
// folder below is open). A file in it is opened relative to the held folder's handle, never found
// by its path, and what is done to it is done through that handle; and only while its path still
// leads to that very file. A path that has come to lead elsewhere meanwhile is reported, never
// followed.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/Handles.h"

// A file system object as the system tells it from any other: its volume's serial number and
// its index on that volume, the same however the path to it was spelled.
struct TFileIdentity {
  DWORD Volume = 0;
  ULONGLONG Index = 0;
  bool operator==(const TFileIdentity&) const = default;
};
std::optional<TFileIdentity> IdentityOf(HANDLE file);
// A folder (or file) opened only to ask about it, through links, sharing everything.
TUniqueFile OpenToQuery(const std::wstring& path);
// The identity of the folder that path leads to (through links); nothing when it cannot be opened.
std::optional<TFileIdentity> FolderIdentity(const std::wstring& path);
// The path by which the system knows an open file or folder now, links and short names resolved,
// without the "\\?\" prefix ("C:\x", "\\server\share\x"); empty when it gives none.
std::wstring FinalPathOf(HANDLE file);

// What became of a file of the held folder.
enum TChildOutcome {
  tcoDone,
  tcoMissing,    // there was no such file
  tcoElsewhere,  // its path no longer leads into the held folder: nothing was done to it
  tcoFailed      // the system refused; its error code is given back
};

// Open's error when the folder is itself a link (a junction or a symbolic link): never followed.
constexpr DWORD kErrorFolderIsLink = ERROR_CANT_RESOLVE_FILENAME;

class THeldFolder {
 public:
  THeldFolder() = default;
  // Opens the folder that path names. Empty, with the system's error code in error, for a
  // missing folder, a file, or a link (kErrorFolderIsLink).
  static THeldFolder Open(const std::wstring& path, DWORD& error);

  explicit operator bool() const { return bool(handle_); }
  // The path as it was given to Open.
  const std::wstring& Path() const { return path_; }
  HANDLE Handle() const { return handle_.get(); }
  std::optional<TFileIdentity> Identity() const { return IdentityOf(handle_.get()); }
  // The names in the folder other than "." and "..", read through the handle.
  std::vector<std::wstring> Entries() const;

  // What is done to the file name ("bass.dll" or "\bass.dll") directly in the folder: deleted, or
  // moved to target (a full path; an existing file there is not replaced). The file itself is
  // acted on even when it is a link, never what it leads to.
  TChildOutcome DeleteFile(const std::wstring& name, DWORD& error) const;
  TChildOutcome MoveFileOut(const std::wstring& name, const std::wstring& target, DWORD& error) const;

  // Lets the folder go and removes it, which only succeeds when it is empty; ERROR_SUCCESS also
  // when it was let go before, otherwise the system's error code. The hold itself would keep it
  // from being removed, so this goes by the path: should the path lead elsewhere by then, what it
  // leads to goes only if it is an empty folder, or a link (the link alone), never anything in it.
  DWORD Remove();

 private:
  // Opens the file name in this folder through the folder's handle, and checks that its path
  // still leads to it.
  TChildOutcome OpenChild(const std::wstring& name, TUniqueFile& child, DWORD& error) const;

  std::wstring path_;
  TUniqueFile handle_;
};
