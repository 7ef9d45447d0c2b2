#include "setup/ThisMachine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "setup/UninstallRules.h"

namespace {

int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if ((c | 0x20) >= L'a' && (c | 0x20) <= L'f') return (c | 0x20) - L'a' + 10;
  return -1;
}

// An IPv4 address as the resolver reads a numeric host: one to four parts separated by dots, each
// decimal, octal (a leading 0) or hexadecimal (a leading 0x); the last part fills the bytes left.
std::optional<std::uint32_t> ParseIpv4(std::wstring_view text) {
  std::array<std::uint64_t, 4> parts{};
  std::size_t count = 0, i = 0;
  for (;;) {
    if (count == 4 || i >= text.size() || DigitValue(text[i]) < 0 || DigitValue(text[i]) > 9) return std::nullopt;
    unsigned base = 10;
    if (text[i] == L'0' && i + 1 < text.size() && (text[i + 1] | 0x20) == L'x') {
      base = 16;
      i += 2;
    } else if (text[i] == L'0') {
      base = 8;
    }
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] != L'.'; ++i) {
      const int d = DigitValue(text[i]);
      if (d < 0 || unsigned(d) >= base) return std::nullopt;
      value = value * base + unsigned(d);
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    parts[count++] = value;
    if (i == text.size()) break;
    ++i;  // the dot
  }
  std::uint32_t address = 0;
  for (std::size_t k = 0; k + 1 < count; ++k) {
    if (parts[k] > 255) return std::nullopt;
    address |= std::uint32_t(parts[k]) << (24 - 8 * k);
  }
  const unsigned lastBits = 32 - 8 * unsigned(count - 1);
  if (lastBits < 32 && parts[count - 1] >> lastBits) return std::nullopt;
  return address | std::uint32_t(parts[count - 1]);
}

bool IsLocalIpv4(std::uint32_t address) { return address >> 24 == 127 || address == 0; }

// An IPv6 address in its text form ("::1", "::ffff:127.0.0.1"), as eight 16-bit groups.
std::optional<std::array<std::uint16_t, 8>> ParseIpv6(std::wstring_view text) {
  std::array<std::uint16_t, 8> head{}, tail{};
  std::size_t heads = 0, tails = 0;
  bool gap = false;
  std::size_t i = 0;
  if (text.substr(0, 2) == L"::") {
    gap = true;
    i = 2;
  }
  while (i < text.size()) {
    const std::size_t end = std::min(text.find(L':', i), text.size());
    const std::wstring_view part = text.substr(i, end - i);
    std::uint32_t pair[2];
    std::size_t groups = 1;
    if (part.find(L'.') != std::wstring_view::npos) {
      // An IPv4 address ends the text: strictly four decimal parts.
      const auto v4 = ParseIpv4(part);
      if (!v4 || end != text.size() || std::count(part.begin(), part.end(), L'.') != 3) return std::nullopt;
      pair[0] = *v4 >> 16, pair[1] = *v4 & 0xFFFF, groups = 2;
    } else {
      if (part.empty() || part.size() > 4) return std::nullopt;
      pair[0] = 0;
      for (wchar_t c : part) {
        if (DigitValue(c) < 0) return std::nullopt;
        pair[0] = pair[0] * 16 + unsigned(DigitValue(c));
      }
    }
    for (std::size_t g = 0; g < groups; ++g) {
      if (heads + tails == 8) return std::nullopt;
      (gap ? tail[tails++] : head[heads++]) = std::uint16_t(pair[g]);
    }
    if (end == text.size()) break;
    i = end + 1;
    if (i < text.size() && text[i] == L':') {
      if (gap) return std::nullopt;
      gap = true;
      ++i;
    } else if (i == text.size()) {
      return std::nullopt;  // a single ":" at the end
    }
  }
  if (gap ? heads + tails > 7 : heads != 8) return std::nullopt;
  std::array<std::uint16_t, 8> groups{};
  for (std::size_t k = 0; k < heads; ++k) groups[k] = head[k];
  for (std::size_t k = 0; k < tails; ++k) groups[8 - tails + k] = tail[k];
  return groups;
}

// ::1 and ::, and IPv4 loopback addresses mapped (::ffff:a.b.c.d) or embedded (::a.b.c.d).
bool IsLocalIpv6(const std::array<std::uint16_t, 8>& g) {
  for (std::size_t k = 0; k < 5; ++k)
    if (g[k] != 0) return false;
  if (g[5] == 0 && g[6] == 0) return g[7] <= 1;
  return (g[5] == 0 || g[5] == 0xFFFF) && IsLocalIpv4(std::uint32_t(g[6]) << 16 | g[7]);
}

}  // namespace

bool NamesThisMachine(std::wstring_view host, const std::vector<std::wstring>& ownNames) {
  const std::wstring name = FoldPath(host);
  if (name.empty()) return false;
  if (name == L"localhost") return true;
  for (const auto& own : ownNames)
    if (!own.empty() && name == FoldPath(own)) return true;
  if (const auto v4 = ParseIpv4(name)) return IsLocalIpv4(*v4);
  // A UNC path cannot hold ":": IPv6 addresses are written with "-" for ":" and "s" before a zone.
  constexpr std::wstring_view kLiteral = L".ipv6-literal.net";
  if (name.size() > kLiteral.size() && name.compare(name.size() - kLiteral.size(), kLiteral.size(), kLiteral) == 0) {
    std::wstring text = name.substr(0, name.size() - kLiteral.size());
    text = text.substr(0, text.find(L's'));
    for (auto& c : text)
      if (c == L'-') c = L':';
    if (const auto v6 = ParseIpv6(text)) return IsLocalIpv6(*v6);
  }
  return false;
}
