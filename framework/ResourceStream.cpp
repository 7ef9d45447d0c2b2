#include "framework/ResourceStream.h"

namespace {
std::wstring NameText(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name));
  return name;
}
}  // namespace

TReadOnlyMemoryStream TResourceStream::Open(HMODULE module, LPCWSTR name, LPCWSTR type, const std::wstring& shownName) {
  HRSRC info = FindResourceW(module, name, type);
  if (!info) throw EResNotFound(Format(L"Resource %s not found", {shownName}));
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw EResNotFound(Format(L"Resource %s not found", {shownName}));
  // Resources stay mapped for the module's lifetime: nothing to free.
  return TReadOnlyMemoryStream(bytes, SizeofResource(module, info));
}

TResourceStream::TResourceStream(HMODULE module, const std::wstring& name, LPCWSTR type)
    : TReadOnlyMemoryStream(Open(module, name.c_str(), type, name)) {}

TResourceStream::TResourceStream(HMODULE module, LPCWSTR name, LPCWSTR type)
    : TReadOnlyMemoryStream(Open(module, name, type, NameText(name))) {}
