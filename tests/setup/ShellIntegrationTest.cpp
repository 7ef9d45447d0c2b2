// Shortcuts, the Uninstall entry and the file types, written for real into the prefix's file
// system and registry, read back through the platform, and removed again.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "framework/Handles.h"
#include "framework/Registry.h"
#include "setup/ShellIntegration.h"
#include "setup/ShellRules.h"

namespace {

std::wstring TempFolder() {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  std::wstring dir = std::wstring(buf) + L"prismatone-shell-test";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring ReadString(HKEY root, const std::wstring& key, const std::wstring& name, REGSAM view = 0) {
  HKEY h;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, &h) != ERROR_SUCCESS) return L"<no key>";
  TUniqueKey k(h);
  wchar_t buf[512] = {};
  DWORD size = sizeof(buf), type = 0;
  if (RegQueryValueExW(h, name.empty() ? nullptr : name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS)
    return L"<no value>";
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, DWORD((wcslen(buf) + 1) * sizeof(wchar_t)));  // the NUL is counted
  return buf;
}

}  // namespace

// A shortcut is a real shell link to the program, working in the program's folder; the name
// gets ".lnk", and a second call replaces the file.
TEST(ShellIntegration, CreatesAShellLink) {
  TComApartment com;
  const std::wstring dir = TempFolder();
  const std::wstring target = dir + L"\\Prismatone.exe";
  CreateShortcut(target, dir + L"\\Prismatone", L"");
  CreateShortcut(target, dir + L"\\Prismatone", L"");
  const std::wstring lnk = dir + L"\\Prismatone.lnk";
  ASSERT_TRUE(std::filesystem::exists(lnk));

  TComPtr<IShellLinkW> link;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void()));
  TComPtr<IPersistFile> file;
  ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put_void()));
  ASSERT_HRESULT_SUCCEEDED(file->Load(lnk.c_str(), STGM_READ));
  wchar_t path[MAX_PATH] = {}, work[MAX_PATH] = {}, args[MAX_PATH] = {L'x'};
  link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
  link->GetWorkingDirectory(work, MAX_PATH);
  link->GetArguments(args, MAX_PATH);
  EXPECT_EQ(_wcsicmp(path, target.c_str()), 0) << path;
  EXPECT_EQ(_wcsicmp(work, (dir + L"\\").c_str()), 0) << work;
  EXPECT_STREQ(args, L"");
  std::filesystem::remove_all(dir);
}

// The Uninstall entry: nine values in the process's own view of HKEY_LOCAL_MACHINE (the 32-bit
// view for the setup), the two log lines, and the commands quoted.
TEST(ShellIntegration, UninstallEntry) {
  const std::wstring folder = L"C:\\Program Files (x86)\\Prismatone";
  std::vector<std::wstring> log;
  WriteUninstallEntry(folder, L"0.14.2 [Build: 104]", L"https://vk.com/prismatone", [&](const std::wstring& s) { log.push_back(s); });
  EXPECT_EQ(log, (std::vector<std::wstring>{L"Занесение данных в реестр", L"Занесение информация о программе"}));
  const REGSAM view = sizeof(void*) == 4 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayIcon", view), folder + L"\\Prismatone.exe");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", view), L"Prismatone");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion", view), L"beta v.0.14.2 [Build: 104]");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", view), folder);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"Publisher", view), L"Quorvane");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString", view), L"\"" + folder + L"\\Prismatone_uninstall.exe\"");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"URLInfoAbout", view), L"https://vk.com/prismatone");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"URLUpdateInfo", view), L"https://vk.com/prismatone");
  HKEY h;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | view, &h), ERROR_SUCCESS);
  TUniqueKey key(h);
  DWORD size = 0, type = 0, value = 0;
  size = sizeof(value);
  ASSERT_EQ(RegQueryValueExW(h, L"EstimatedSize", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_DWORD));
  EXPECT_EQ(value, 5000u);
  DWORD count = 0;
  RegQueryInfoKeyW(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(count, 9u);
  // The uninstaller removes the values by this list: it names exactly the values written.
  std::vector<std::wstring> written, listed(kUninstallValues.begin(), kUninstallValues.end());
  for (DWORD i = 0; i < count; ++i) {
    wchar_t name[64] = {};
    DWORD len = 64;
    ASSERT_EQ(RegEnumValueW(h, i, name, &len, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    written.push_back(name);
  }
  std::sort(written.begin(), written.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(written, listed);
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (wow64) {
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", KEY_WOW64_64KEY), L"<no key>");
  }
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, view, 0);
}

// A value that cannot be written names itself in the error.
TEST(ShellIntegration, RegistryWriteFailureNamesTheValue) {
  TRegistry reg(KEY_READ);
  reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(L"Software", false));
  try {
    reg.WriteString(L"DisplayIcon", L"x");
    FAIL() << "a read-only key took a value";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), L"Failed to set data for 'DisplayIcon'");
  }
  TRegistry none;
  try {
    none.WriteString(L"", L"x");
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), L"Failed to set data for ''");
  }
}

// A file type's four keys under HKEY_CLASSES_ROOT, with the quoted open command.
TEST(ShellIntegration, FileAssociation) {
  const std::wstring program = L"C:\\Program Files (x86)\\Prismatone\\Prismatone.exe";
  const std::wstring ext = L".ptstest", progId = L"Prismatone.TestPreset";
  RegisterFileAssociation(ext, progId, L"Открыть с помощью Prismatone", program, 1);
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, ext, L""), progId);
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, progId + L"\\DefaultIcon", L""), program + L",1");
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, progId + L"\\shell\\Open", L""), L"Открыть с помощью Prismatone");
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, progId + L"\\shell\\Open\\Command", L""), L"\"" + program + L"\" \"%1\"");
  NotifyAssociationsChanged();
  RegDeleteTreeW(HKEY_CLASSES_ROOT, progId.c_str());
  RegDeleteKeyW(HKEY_CLASSES_ROOT, ext.c_str());
}
