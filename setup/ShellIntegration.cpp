#include "setup/ShellIntegration.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "framework/Exception.h"
#include "framework/FileStream.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "setup/ShellRules.h"

namespace {

// The system's text for a COM error, or its number when the system has none.
std::wstring SystemErrorText(HRESULT hr) {
  std::wstring text = SysErrorMessage(DWORD(hr));
  return text.empty() ? L"Error " + std::to_wstring(unsigned(hr)) : text;
}

std::wstring GuidText(REFGUID id) {
  wchar_t buf[40] = {};
  StringFromGUID2(id, buf, 40);
  return buf;
}

// The command interpreter by its full path in the system folder: a bare "cmd.exe" would be
// looked for in the setup's own folder first.
std::wstring SystemCmd() {
  wchar_t dir[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
  return std::wstring(dir, n) + L"\\cmd.exe";
}

}  // namespace

void CreateShortcut(const std::wstring& sourceFile, const std::wstring& shortCutName, const std::wstring& sourceParams) {
  TComPtr<IUnknown> object;
  const HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown, object.put_void());
  if (FAILED(hr)) throw Exception(Format(L"%s, ClassID: %s", {SystemErrorText(hr), GuidText(CLSID_ShellLink)}));
  TComPtr<IShellLinkW> link;
  TComPtr<IPersistFile> file;
  if (FAILED(object->QueryInterface(IID_IShellLinkW, link.put_void())) || FAILED(object->QueryInterface(IID_IPersistFile, file.put_void())))
    throw Exception(L"Interface not supported");
  // As the shell link object reports nothing useful on these, their results are not checked.
  link->SetPath(sourceFile.c_str());
  link->SetArguments(sourceParams.c_str());
  link->SetWorkingDirectory(FolderOf(sourceFile).c_str());
  file->Save(LinkFileName(shortCutName).c_str(), FALSE);
}

void WriteUninstallEntry(const std::wstring& folder, const std::wstring& versionText, const std::wstring& communityUrl,
                         const std::function<void(const std::wstring&)>& log) {
  // No view flag: a 32-bit setup on 64-bit Windows writes the 32-bit view, where Windows lists
  // 32-bit programs.
  TRegistry reg(KEY_ALL_ACCESS);
  log(L"Занесение данных в реестр");
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  reg.OpenKey(kUninstallKey, true);  // a failure shows at the first write
  log(L"Занесение информация о программе");
  reg.WriteString(L"DisplayIcon", folder + L"\\Prismatone.exe");
  reg.WriteString(L"DisplayName", L"Prismatone");
  reg.WriteString(L"DisplayVersion", L"beta v." + versionText);
  reg.WriteString(L"InstallLocation", folder);
  reg.WriteString(L"Publisher", L"Quorvane");
  reg.WriteString(L"UninstallString", UninstallCommand(folder));
  reg.WriteString(L"URLInfoAbout", communityUrl);
  reg.WriteString(L"URLUpdateInfo", communityUrl);
  reg.WriteInteger(L"EstimatedSize", 5000);
}

void StartExtensionRegistration(const std::wstring& systemFolder, const std::wstring& fileName) {
  const std::wstring params = L"/c regsvr32 /s " + fileName;
  ShellExecuteW(nullptr, L"open", SystemCmd().c_str(), params.c_str(), systemFolder.c_str(), SW_SHOW);
}

void RegisterFileAssociation(const std::wstring& extension, const std::wstring& progId, const std::wstring& caption,
                             const std::wstring& programPath, int iconIndex) {
  const std::pair<std::wstring, std::wstring> keys[] = {
      {extension, progId},
      {progId + L"\\DefaultIcon", programPath + L"," + std::to_wstring(iconIndex)},
      {progId + L"\\shell\\Open", caption},
      {progId + L"\\shell\\Open\\Command", OpenCommand(programPath)},
  };
  for (const auto& [key, value] : keys) {
    TRegistry reg(KEY_ALL_ACCESS);
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    reg.OpenKey(key, true);
    reg.WriteString(L"", value);
  }
}

void NotifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }
