#include "setup/PayloadExtract.h"

#include <atomic>
#include <cwchar>
#include <optional>

#include "framework/FileStream.h"
#include "framework/ResourceStream.h"
#include "setup/PayloadInflate.h"

namespace {
[[noreturn]] void ThrowCannotCreate(const std::wstring& fileName, DWORD code) {
  throw EFCreateError(Format(L"Cannot create file \"%s\". %s", {fileName, SysErrorMessage(code)}), code);
}

// The folder part of a path, with its trailing separator ("" for a bare file name).
std::wstring FolderOf(const std::wstring& fileName) {
  const std::size_t cut = fileName.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : fileName.substr(0, cut + 1);
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

  std::optional<TFileStream> temp(CreateTempBeside(fileName));
  const std::wstring tempName = temp->FileName();
  try {
    write(*temp);
    temp->Flush();
    temp.reset();
    if (exists) {
      const DWORD kept = oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
      if (kept) SetFileAttributesW(tempName.c_str(), kept);
    }
    if (!MoveFileExW(tempName.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      ThrowCannotCreate(fileName, GetLastError());
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
