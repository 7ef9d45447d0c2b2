// ASCII case folding: skin section, key and entry names, INI names. Other characters are kept,
// so names compare the same whatever the user's locale.
#pragma once
#include <string>
#include <string_view>

inline std::wstring UpperCaseAscii(std::wstring_view text) {
  std::wstring s(text);
  for (auto& c : s)
    if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
  return s;
}
