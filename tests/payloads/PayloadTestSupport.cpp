#include "tests/payloads/PayloadTestSupport.h"

#include <cstdlib>
#include <stdexcept>

TScratchFolder::TScratchFolder(const std::wstring& parent) {
  static unsigned counter = 0;
  std::wstring base = parent;
  if (base.empty()) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    base = temp;
  }
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  // Wine reuses small process ids: a folder that an ended run left behind takes the next number.
  for (int attempt = 0;; ++attempt) {
    path_ = base + L"ptpayload-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    if (CreateDirectoryW(path_.c_str(), nullptr)) return;
    if (GetLastError() != ERROR_ALREADY_EXISTS || attempt >= 1000) throw std::runtime_error("cannot create the scratch folder");
  }
}

TScratchFolder::~TScratchFolder() {
  for (const auto& name : Files()) {
    const std::wstring file = path_ + L"\\" + name;
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());
  }
  RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> TScratchFolder::Files() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

Bytes ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open a file to read it");
  Bytes bytes(GetFileSize(file, nullptr));
  DWORD got = 0;
  const BOOL ok = bytes.empty() || ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr);
  CloseHandle(file);
  if (!ok || got != bytes.size()) throw std::runtime_error("cannot read a file");
  return bytes;
}

void WriteWholeFile(const std::wstring& path, const Bytes& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a file");
  DWORD put = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), DWORD(bytes.size()), &put, nullptr);
  CloseHandle(file);
  if (!ok || put != bytes.size()) throw std::runtime_error("cannot write a file");
}

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int Slowness() {
  const char* text = std::getenv("PRISMATONE_SLOWNESS");
  const int n = text ? std::atoi(text) : 1;
  return n > 1 ? n : 1;
}
