#include "setup/InstallFolder.h"

void ApplyInstallFolderRule(std::wstring& name, bool action) {
  if (action && name.find(L"Prismatone") == std::wstring::npos) name += L"\\Prismatone";
}
