// UTF-8 ⇄ UTF-16 conversion for texts stored as UTF-8 (the window layout, the skin options)
// and shown as UTF-16. Works whether wchar_t holds 16 bits (Windows) or 32 (native builds).
#pragma once
#include <string>
#include <string_view>

// Malformed sequences become U+FFFD; nothing is dropped silently.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
