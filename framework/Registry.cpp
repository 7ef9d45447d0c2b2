#include "framework/Registry.h"

void TRegistry::SetRootKey(HKEY root) {
  CloseKey();
  root_ = root;
}

bool TRegistry::OpenKey(const std::wstring& key, bool canCreate) {
  CloseKey();
  HKEY h = nullptr;
  LONG rc = canCreate ? RegCreateKeyExW(root_, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr, &h, nullptr)
                      : RegOpenKeyExW(root_, key.c_str(), 0, access_, &h);
  if (rc != ERROR_SUCCESS) return false;
  key_.reset(h);
  return true;
}

void TRegistry::Write(const std::wstring& name, DWORD type, const void* data, DWORD size) {
  if (!key_ || RegSetValueExW(key_.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
    throw ERegistryException(Format(L"Failed to set data for '%s'", {name}));
}

void TRegistry::WriteString(const std::wstring& name, const std::wstring& value) {
  Write(name, REG_SZ, value.c_str(), DWORD((value.size() + 1) * sizeof(wchar_t)));
}

void TRegistry::WriteInteger(const std::wstring& name, DWORD value) { Write(name, REG_DWORD, &value, sizeof(value)); }
