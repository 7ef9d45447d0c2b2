#include "payloads/HeldFolder.h"

#include <winternl.h>

#include <cstring>

namespace {

bool IsMissing(DWORD err) { return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND; }

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return !name.empty() && name[0] == L'\\' ? folder + name : folder + L"\\" + name;
}

// The form a rename by handle takes a full path in: the system's own ("\??\C:\x", "\??\UNC\s\x").
std::wstring SystemPathForm(const std::wstring& path) {
  if (path.rfind(L"\\\\", 0) == 0) return L"\\??\\UNC\\" + path.substr(2);
  return L"\\??\\" + path;
}

}  // namespace

std::optional<TFileIdentity> IdentityOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (file == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file, &info)) return std::nullopt;
  return TFileIdentity{info.dwVolumeSerialNumber, ULONGLONG(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
}

TUniqueFile OpenToQuery(const std::wstring& path) {
  return TUniqueFile(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::optional<TFileIdentity> FolderIdentity(const std::wstring& path) {
  const TUniqueFile folder = OpenToQuery(path);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!folder || !GetFileInformationByHandle(folder.get(), &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return IdentityOf(folder.get());
}

std::wstring FinalPathOf(HANDLE file) {
  std::wstring s(1024, L'\0');
  const DWORD n = GetFinalPathNameByHandleW(file, s.data(), DWORD(s.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n == 0 || n >= s.size()) return {};
  s.resize(n);
  if (s.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + s.substr(8);
  if (s.rfind(L"\\\\?\\", 0) == 0) return s.substr(4);
  return s;
}

THeldFolder THeldFolder::Open(const std::wstring& path, DWORD& error) {
  THeldFolder folder;
  folder.path_ = path;
  // The link itself, not what it leads to: a folder that is a link is refused below. No right to
  // delete is asked for: that would keep others from even listing the folder meanwhile.
  folder.handle_.reset(CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!folder.handle_) {
    error = GetLastError();
    return {};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(folder.handle_.get(), &info)) {
    error = GetLastError();
    return {};
  }
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    error = kErrorFolderIsLink;
    return {};
  }
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = ERROR_DIRECTORY;
    return {};
  }
  error = ERROR_SUCCESS;
  return folder;
}

std::vector<std::wstring> THeldFolder::Entries() const {
  std::vector<std::wstring> names;
  if (!handle_) return names;
  std::vector<ULONGLONG> buffer(8 * 1024);  // 64 KB, aligned as the records are
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
  for (FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
       GetFileInformationByHandleEx(handle_.get(), kind, buffer.data(), DWORD(buffer.size() * sizeof buffer[0]));
       kind = FileIdBothDirectoryInfo) {
    for (std::size_t offset = 0;;) {
      const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + offset);
      const std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") names.push_back(name);
      if (entry->NextEntryOffset == 0) break;
      offset += entry->NextEntryOffset;
    }
  }
  return names;
}

TChildOutcome THeldFolder::OpenChild(const std::wstring& name, TUniqueFile& child, DWORD& error) const {
  if (!handle_) {
    error = ERROR_INVALID_HANDLE;
    return tcoFailed;
  }
  // The file of that name in the held folder itself, opened relative to the folder's handle:
  // whatever paths lead to meanwhile, this is the file in the folder that was checked. Not shared
  // for deletion: nobody can move it away between the check below and the deed.
  std::wstring leaf = !name.empty() && name[0] == L'\\' ? name.substr(1) : name;
  UNICODE_STRING text{USHORT(leaf.size() * sizeof(wchar_t)), USHORT(leaf.size() * sizeof(wchar_t)), leaf.data()};
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, handle_.get(), nullptr);
  IO_STATUS_BLOCK io{};
  HANDLE raw = nullptr;
  const NTSTATUS status =
      NtCreateFile(&raw, DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, &attributes, &io, nullptr, 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                   FILE_OPEN, FILE_OPEN_REPARSE_POINT | FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (status < 0) {
    error = RtlNtStatusToDosError(status);
    return IsMissing(error) ? tcoMissing : tcoFailed;
  }
  child.reset(raw);
  // Its path must still lead to that very file; where it leads elsewhere now, the folder has been
  // moved or replaced under the path since the check, and nothing is done.
  const TUniqueFile named(CreateFileW(Join(path_, name).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  const auto own = IdentityOf(child.get());
  if (!own || !named || IdentityOf(named.get()) != own) {
    child.reset();
    return tcoElsewhere;
  }
  return tcoDone;
}

TChildOutcome THeldFolder::DeleteFile(const std::wstring& name, DWORD& error) const {
  TUniqueFile child;
  const TChildOutcome opened = OpenChild(name, child, error);
  if (opened != tcoDone) return opened;
  FILE_DISPOSITION_INFO dispose{TRUE};
  if (!SetFileInformationByHandle(child.get(), FileDispositionInfo, &dispose, sizeof dispose)) {
    error = GetLastError();
    return tcoFailed;
  }
  return tcoDone;
}

TChildOutcome THeldFolder::MoveFileOut(const std::wstring& name, const std::wstring& target, DWORD& error) const {
  TUniqueFile child;
  const TChildOutcome opened = OpenChild(name, child, error);
  if (opened != tcoDone) return opened;
  const std::wstring to = SystemPathForm(target);
  std::vector<unsigned char> data(sizeof(FILE_RENAME_INFO) + to.size() * sizeof(wchar_t));
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(data.data());
  rename->ReplaceIfExists = FALSE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = DWORD(to.size() * sizeof(wchar_t));
  std::memcpy(rename->FileName, to.c_str(), to.size() * sizeof(wchar_t));
  if (!SetFileInformationByHandle(child.get(), FileRenameInfo, rename, DWORD(data.size()))) {
    error = GetLastError();
    return tcoFailed;
  }
  return tcoDone;
}

DWORD THeldFolder::Remove() {
  if (!handle_) return ERROR_SUCCESS;
  handle_.reset();
  return RemoveDirectoryW(path_.c_str()) ? ERROR_SUCCESS : GetLastError();
}
