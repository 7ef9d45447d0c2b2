// A read-only stream over a resource of a module (the program's own, by default).
#pragma once
#include <windows.h>

#include <string>

#include "framework/Streams.h"

class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

class TResourceStream : public TReadOnlyMemoryStream {
 public:
  // Throws EResNotFound "Resource %s not found" (with the name) when the module lacks it.
  // Names are matched without regard to case, as the platform does.
  TResourceStream(HMODULE module, const std::wstring& name, LPCWSTR type);
  TResourceStream(HMODULE module, LPCWSTR name, LPCWSTR type);

 private:
  static TReadOnlyMemoryStream Open(HMODULE module, LPCWSTR name, LPCWSTR type, const std::wstring& shownName);
};
