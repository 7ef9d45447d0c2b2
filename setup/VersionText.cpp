#include "setup/VersionText.h"

namespace {
unsigned Word(const std::uint8_t* p) { return unsigned(p[0]) | unsigned(p[1]) << 8; }
}  // namespace

std::wstring VersionTextFromBytes(const std::uint8_t* data, std::size_t size) {
  // A resource shorter than the bytes read counts as a read error: the result is empty.
  if (!data || size < 56) return L"";
  const unsigned minor = Word(data + 48), major = Word(data + 50), build = Word(data + 52), release = Word(data + 54);
  std::wstring text = std::to_wstring(major) + L"." + std::to_wstring(minor);
  if (release != 0) text += L"." + std::to_wstring(release);
  return text + L" [Build: " + std::to_wstring(build) + L"]";
}
