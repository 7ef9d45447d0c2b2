#include "setup/PayloadExtract.h"

#include <atomic>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/FileStream.h"
#include "framework/Handles.h"
#include "framework/ResourceStream.h"
#include "setup/PayloadInflate.h"
#include "setup/ShellRules.h"

namespace {
[[noreturn]] void ThrowCannotCreate(const std::wstring& fileName, DWORD code) {
  throw EFCreateError(Format(L"Cannot create file \"%s\". %s", {fileName, SysErrorMessage(code)}), code);
}

// Our temporary files: "~pt", the process id and a counter in hexadecimal, ".tmp".
constexpr wchar_t kTempPattern[] = L"~pt*.tmp";

bool IsOurTempName(std::wstring_view name) {
  if (name.size() < 10 || name.substr(0, 3) != L"~pt" || name.substr(name.size() - 4) != L".tmp") return false;
  const std::wstring_view middle = name.substr(3, name.size() - 7);
  const std::size_t dash = middle.find(L'-');
  if (dash == 0 || dash == std::wstring_view::npos || dash + 1 == middle.size()) return false;
  for (std::size_t i = 0; i < middle.size(); ++i)
    if (i != dash && !std::iswxdigit(middle[i])) return false;
  return true;
}

// Removes the temporary files that an earlier run left beside its targets when it was ended
// half-way. One still open (another setup writing now) cannot be deleted and stays.
void RemoveStaleTemps(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  TUniqueFind find(FindFirstFileW((folder + kTempPattern).c_str(), &found));
  if (!find) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsOurTempName(found.cFileName))
      DeleteFileW((folder + found.cFileName).c_str());
  } while (FindNextFileW(find.get(), &found));
}

// Fails as opening the target for writing would when another program holds it open (a running
// program, an open document): the system's text then says the file is in use.
void ThrowIfHeld(const std::wstring& fileName) {
  TUniqueFile probe(CreateFileW(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!probe) ThrowCannotCreate(fileName, GetLastError());
}

// Gives the file `to` the access list of the file `from` (nothing when it cannot be read).
void CopyAccessList(const std::wstring& from, const std::wstring& to) {
  DWORD size = 0;
  GetFileSecurityW(from.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
  if (size == 0) return;
  std::vector<ULONGLONG> sd((size + sizeof(ULONGLONG) - 1) / sizeof(ULONGLONG));
  if (GetFileSecurityW(from.c_str(), DACL_SECURITY_INFORMATION, sd.data(), size, &size))
    SetFileSecurityW(to.c_str(), DACL_SECURITY_INFORMATION, sd.data());
}

// Creates a new, uniquely named temporary file beside fileName.
TFileStream CreateTempBeside(const std::wstring& fileName) {
  static std::atomic<unsigned> counter{0};
  const std::wstring folder = FolderOf(fileName);
  for (int attempt = 0;; ++attempt) {
    wchar_t name[48];
    std::swprintf(name, 48, L"~pt%lx-%x.tmp", static_cast<unsigned long>(GetCurrentProcessId()), counter++);
    try {
      return TFileStream(folder + name, TFileMode::fmCreateNew);
    } catch (const EFCreateError& e) {
      const bool taken = e.ErrorCode() == ERROR_FILE_EXISTS || e.ErrorCode() == ERROR_ALREADY_EXISTS;
      if (!taken || attempt >= 100) ThrowCannotCreate(fileName, e.ErrorCode());
    }
  }
}
}  // namespace

void ReplaceFileContents(const std::wstring& fileName, const std::function<void(TStream&)>& write) {
  const DWORD oldAttributes = GetFileAttributesW(fileName.c_str());
  const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (oldAttributes & FILE_ATTRIBUTE_READONLY)) ThrowCannotCreate(fileName, ERROR_ACCESS_DENIED);
  if (exists) ThrowIfHeld(fileName);
  RemoveStaleTemps(FolderOf(fileName));

  std::optional<TFileStream> temp(CreateTempBeside(fileName));
  const std::wstring tempName = temp->FileName();
  try {
    write(*temp);
    temp->Flush();
    temp.reset();
    if (exists) {
      // ReplaceFileW gives the new contents the old file's identity: its security descriptor
      // (who may read and write it), attributes and creation time stay. The access list and the
      // attributes are set beforehand as well, for systems whose ReplaceFileW does not carry them
      // over (Wine's keeps neither).
      CopyAccessList(fileName, tempName);
      const DWORD kept = oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
      if (kept) SetFileAttributesW(tempName.c_str(), kept);
      if (!ReplaceFileW(fileName.c_str(), tempName.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        const DWORD code = GetLastError();
        // The target could not be set aside: something opened it since the check above.
        ThrowCannotCreate(fileName, code == ERROR_UNABLE_TO_REMOVE_REPLACED ? ERROR_SHARING_VIOLATION : code);
      }
    } else if (!MoveFileExW(tempName.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      ThrowCannotCreate(fileName, GetLastError());
    }
  } catch (...) {
    temp.reset();
    DeleteFileW(tempName.c_str());
    throw;
  }
}

void ExtractResourceToFile(TStream& resource, const std::wstring& fileName) {
  TMemoryStream source;
  TMemoryStream result;
  source.CopyFrom(resource, 0);  // rewinds the resource and copies all of it
  source.SetPosition(0);
  InflateStream(source, result);
  ReplaceFileContents(fileName, [&](TStream& file) { file.WriteBuffer(result.Memory(), std::size_t(result.Size())); });
}

void ExtractPayload(HMODULE module, const std::wstring& resourceName, const std::wstring& fileName) {
  TResourceStream resource(module, resourceName, RT_RCDATA);
  ExtractResourceToFile(resource, fileName);
}
