// Helpers of the payload tests under Wine: a scratch folder in the prefix's temp folder, whole-file
// reads and writes, folder listings.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Exception.h"

using Bytes = std::vector<std::uint8_t>;

// A new, empty folder under the temp folder (or under `parent`), removed with its files at the end.
class TScratchFolder {
 public:
  explicit TScratchFolder(const std::wstring& parent = {});
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  // The names of the files in the folder.
  std::vector<std::wstring> Files() const;

 private:
  std::wstring path_;
};

Bytes ReadWholeFile(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, const Bytes& bytes);
Bytes BytesOf(const std::string& text);
bool FileExists(const std::wstring& path);

// Runs f and returns the message of the framework exception it throws ("" when none).
template <typename F>
std::wstring MessageOf(F&& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return L"";
}
// How many times slower than usual programs start here (PRISMATONE_SLOWNESS from the test
// scripts: several tens where 32-bit code is emulated; 1 when unset): waits scale with it.
int Slowness();
