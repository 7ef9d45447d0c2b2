// The registry object: a root key and one open key at a time, closed when the object goes.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Exception.h"
#include "framework/Handles.h"

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

class TRegistry {
 public:
  // access as for RegCreateKeyExW (for example KEY_ALL_ACCESS; no view flag means the
  // process's own view of the registry).
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : access_(access) {}

  HKEY RootKey() const { return root_; }
  void SetRootKey(HKEY root);
  // Opens key below the root, creating it when missing and canCreate is set. Returns whether
  // it is open; a previously open key is closed first.
  bool OpenKey(const std::wstring& key, bool canCreate);
  void CloseKey() { key_.reset(); }
  bool HasOpenKey() const { return bool(key_); }

  // REG_SZ with the terminating NUL counted; REG_DWORD. A missing key or a failed write raises
  // "Failed to set data for '%s'" with the value name.
  void WriteString(const std::wstring& name, const std::wstring& value);
  void WriteInteger(const std::wstring& name, DWORD value);

 private:
  void Write(const std::wstring& name, DWORD type, const void* data, DWORD size);
  REGSAM access_;
  HKEY root_ = HKEY_CURRENT_USER;
  TUniqueKey key_;
};
