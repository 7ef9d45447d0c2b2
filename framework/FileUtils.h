// Folder helpers over the platform's file system.
#pragma once
#include <string>

#include "framework/Exception.h"

bool DirectoryExists(const std::wstring& path);
// Creates path with every missing parent. Returns whether the folder exists afterwards; an empty
// path raises "Unable to create directory".
bool ForceDirectories(const std::wstring& path);

// A file-system call that failed; the message is the system's reason, ErrorCode() its code.
class EInOutError : public Exception {
 public:
  EInOutError(std::wstring message, unsigned long code) : Exception(std::move(message)), code_(code) {}
  unsigned long ErrorCode() const { return code_; }

 private:
  unsigned long code_;
};

// Makes path the process's current directory; raises EInOutError with the system's reason when
// that fails.
void SetCurrentDir(const std::wstring& path);
