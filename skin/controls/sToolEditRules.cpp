#include "skin/controls/sToolEditRules.h"

#include <algorithm>
#include <map>

TPoint PopupPlace(const TRect& control, const TRect& desktop, TSize size, TPopupWindowAlign align) {
  TPoint p{control.Left, control.Bottom};
  if (p.Y + size.H > desktop.Bottom) p.Y = control.Top - size.H;
  if (align == TPopupWindowAlign::pwaRight) {
    p.X = control.Right - size.W;
    if (p.X < desktop.Left) p.X = control.Left;
  } else if (p.X + size.W > desktop.Right) {
    p.X = control.Right - size.W;
  }
  p.X = std::max(desktop.Left, std::min(p.X, desktop.Right - size.W));
  return p;
}

int GlyphImageCount(int width, int height) {
  if (width <= 0 || height <= 0 || width % height != 0) return 1;
  return width / height;
}

int GlyphImageWidth(int width, int height) { return width <= 0 ? 0 : width / GlyphImageCount(width, height); }

int StateImageIndex(int normal, int hot, int pressed, int state, int count) {
  const int chosen = state == 1 ? hot : state == 2 ? pressed : normal;
  return chosen >= 0 && chosen < count ? chosen : normal;
}

std::wstring AcceptDroppedName(const std::wstring& name, bool isExistingFile, const std::wstring& currentText,
                               bool multipleDirs) {
  std::wstring taken = name;
  if (isExistingFile) {
    const std::size_t sep = name.find_last_of(L"\\/:");
    taken = sep == std::wstring::npos ? std::wstring() : name.substr(0, sep + 1);
  }
  if (multipleDirs && !currentText.empty()) return currentText + L";" + taken;
  return taken;
}

std::wstring NewFolderName(const std::wstring& parent, const std::function<bool(const std::wstring&)>& exists) {
  std::wstring base = parent;
  if (!base.empty() && base.back() != L'\\' && base.back() != L'/') base += L'\\';
  base += L"New folder";
  for (unsigned long i = 1;; ++i) {
    std::wstring name = base + std::to_wstring(i);
    if (!exists(name)) return name;
  }
}

bool IsTypedFolderUsable(const std::wstring& name) {
  const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  const bool drive = name.size() >= 3 && ((name[0] | 0x20) >= L'a' && (name[0] | 0x20) <= L'z') && name[1] == L':' &&
                     separator(name[2]);
  const bool share = name.size() >= 3 && separator(name[0]) && separator(name[1]) && name[2] != L'?' && name[2] != L'.' &&
                     !separator(name[2]);
  if (!drive && !share) return false;
  // Wildcards, and a colon past the drive's (a stream), name no folder.
  return name.find_first_of(L"*?") == std::wstring::npos && name.find(L':', 2) == std::wstring::npos;
}

std::optional<int> RootFolderCsidl(const std::wstring& name) {
  // The platform's CSIDL numbers.
  static const std::map<std::wstring, int> roots = {
      {L"rfDesktop", 0x00},         {L"rfMyComputer", 0x11},          {L"rfNetwork", 0x12},
      {L"rfRecycleBin", 0x0a},      {L"rfAppData", 0x1a},             {L"rfCommonDesktopDirectory", 0x19},
      {L"rfCommonPrograms", 0x17},  {L"rfCommonStartMenu", 0x16},     {L"rfCommonStartup", 0x18},
      {L"rfControlPanel", 0x03},    {L"rfDesktopDirectory", 0x10},    {L"rfFavorites", 0x06},
      {L"rfFonts", 0x14},           {L"rfInternet", 0x01},            {L"rfPersonal", 0x05},
      {L"rfPrinters", 0x04},        {L"rfPrintHood", 0x1b},           {L"rfPrograms", 0x02},
      {L"rfRecent", 0x08},          {L"rfSendTo", 0x09},              {L"rfStartMenu", 0x0b},
      {L"rfStartup", 0x07},         {L"rfTemplates", 0x15}};
  // Letter case does not count: a layout may write "RFDESKTOP".
  const auto same = [](const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
             return (x >= L'A' && x <= L'Z' ? x + 32 : x) == (y >= L'A' && y <= L'Z' ? y + 32 : y);
           });
  };
  auto it = roots.begin();
  while (it != roots.end() && !same(it->first, name)) ++it;
  if (it == roots.end()) return std::nullopt;
  return it->second;
}

int RootFolderCsidlOrDesktop(const std::wstring& name) { return RootFolderCsidl(name).value_or(0); }

