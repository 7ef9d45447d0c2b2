#include "platform/FolderDialog.h"

#include <shlobj.h>

#include <map>

#include "framework/Handles.h"

namespace {
int CALLBACK StartAt(HWND wnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}
}  // namespace

int RootFolderCsidl(const std::wstring& root) {
  static const std::map<std::wstring, int> roots = {
      {L"rfDesktop", CSIDL_DESKTOP},       {L"rfMyComputer", CSIDL_DRIVES},     {L"rfNetwork", CSIDL_NETWORK},
      {L"rfRecycleBin", CSIDL_BITBUCKET},  {L"rfAppData", CSIDL_APPDATA},       {L"rfPersonal", CSIDL_PERSONAL},
      {L"rfPrograms", CSIDL_PROGRAMS},     {L"rfStartMenu", CSIDL_STARTMENU},   {L"rfDesktopDirectory", CSIDL_DESKTOPDIRECTORY},
      {L"rfFavorites", CSIDL_FAVORITES},   {L"rfFonts", CSIDL_FONTS},           {L"rfTemplates", CSIDL_TEMPLATES},
      {L"rfCommonPrograms", CSIDL_COMMON_PROGRAMS}, {L"rfCommonStartMenu", CSIDL_COMMON_STARTMENU},
      {L"rfCommonDesktopDirectory", CSIDL_COMMON_DESKTOPDIRECTORY}, {L"rfRecent", CSIDL_RECENT}, {L"rfSendTo", CSIDL_SENDTO},
      {L"rfStartup", CSIDL_STARTUP},       {L"rfCommonStartup", CSIDL_COMMON_STARTUP}, {L"rfControlPanel", CSIDL_CONTROLS},
      {L"rfPrinters", CSIDL_PRINTERS},     {L"rfPrintHood", CSIDL_PRINTHOOD},   {L"rfInternet", CSIDL_INTERNET}};
  auto it = roots.find(root);
  return it == roots.end() ? CSIDL_DESKTOP : it->second;
}

bool BrowseForFolder(HWND owner, const std::wstring& caption, int rootCsidl, std::wstring& path) {
  TCoTaskMem<ITEMIDLIST> root;
  SHGetSpecialFolderLocation(owner, rootCsidl, root.put());
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.pidlRoot = root.get();
  bi.lpszTitle = caption.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  bi.lpfn = StartAt;
  bi.lParam = reinterpret_cast<LPARAM>(path.c_str());
  TCoTaskMem<ITEMIDLIST> chosen(SHBrowseForFolderW(&bi));
  if (!chosen.get()) return false;
  wchar_t buf[MAX_PATH];
  if (!SHGetPathFromIDListW(chosen.get(), buf)) return false;
  path = buf;
  return true;
}
