// A stream over a file of the file system, and the system's text for an error code.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"
#include "framework/Streams.h"

// A file that could not be created or opened; ErrorCode() is the failing call's system error code.
class EFileError : public EStreamError {
 public:
  EFileError(std::wstring message, DWORD code) : EStreamError(std::move(message)), code_(code) {}
  DWORD ErrorCode() const { return code_; }

 private:
  DWORD code_;
};
class EFCreateError : public EFileError {
 public:
  using EFileError::EFileError;
};
class EFOpenError : public EFileError {
 public:
  using EFileError::EFileError;
};

enum class TFileMode {
  fmCreate,      // create, or truncate an existing file; read and write
  fmCreateNew,   // create; fails when the file exists; read and write
  fmOpenRead,    // open an existing file for reading, others may read too
  fmOpenReadWrite
};

class TFileStream : public TStream {
 public:
  // Throws EFCreateError "Cannot create file \"%s\". %s" for the create modes and EFOpenError
  // "Cannot open file \"%s\". %s" for the open modes, with the name and the system's error text.
  TFileStream(const std::wstring& fileName, TFileMode mode);

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  // Writes the file's data through to the disk; throws EWriteError "Stream write error".
  void Flush();
  // Closes the handle now (the destructor does it otherwise).
  void Close() { file_.reset(); }

  HANDLE Handle() const { return file_.get(); }
  const std::wstring& FileName() const { return name_; }

 private:
  TUniqueFile file_;
  std::wstring name_;
};

// The system's message for an error code, without trailing blanks, line ends and full stops
// (the error box adds its own full stop).
std::wstring SysErrorMessage(DWORD code);
