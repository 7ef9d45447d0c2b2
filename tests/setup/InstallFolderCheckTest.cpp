#include <gtest/gtest.h>

#include "setup/Catalogue.h"
#include "setup/InstallFolderCheck.h"
#include "setup/UninstallRules.h"

namespace {
const std::wstring kWindows = L"C:\\Windows";
const std::vector<std::wstring> kProtected = {kWindows, L"C:\\Program Files", L"C:\\Users", L"C:\\Users\\Иван"};

// A folder of exactly length characters.
std::wstring FolderOfLength(std::size_t length) { return L"D:\\Apps\\" + std::wstring(length - 8, L'x'); }
}  // namespace

// Typed folders by the first fault each has. Every folder accepted here is one the uninstaller
// will act on later.
TEST(InstallFolderCheck, Table) {
  FillPayloadCatalogue(false);
  const struct {
    TFolderFault fault;
    std::vector<std::wstring> folders;
  } cases[] = {
      {tffNone,
       {L"C:\\Program Files\\Prismatone", L"c:/Apps/Prismatone/", L"D:\\Apps\\\\Prismatone", L"\\\\srv\\share\\Prismatone",
        L"C:\\Users\\Иван\\Программы\\Prismatone.v2", L"D:\\CONSOLE\\COM10\\LPT\\nul_", L"C:\\Windows2\\Prismatone",
        FolderOfLength(234)}},  // with "\Prismatone_uninstall.exe": 259 characters
      {tffNotAbsolute,
       {L"", L"Prismatone", L".\\Prismatone", L"\\Prismatone", L"C:Prismatone", L"C:", L" C:\\Prismatone", L"\\\\?\\C:\\Prismatone",
        L"\\\\.\\C:\\Prismatone", L"\\\\\\srv\\share\\Prismatone"}},
      {tffBadCharacter, {L"D:\\a<b", L"D:\\a>b", L"D:\\a:b", L"D:\\a\"b", L"D:\\a|b", L"D:\\a?b", L"D:\\a*b", L"D:\\a\tb"}},
      {tffDotOrBlankAtEnd,
       {L"D:\\Prismatone.", L"D:\\Prismatone ", L"D:\\Apps.\\Prismatone", L"D:\\Apps \\Prismatone", L"D:\\Apps\\..\\Prismatone",
        L"D:\\.\\Prismatone", L"\\\\srv\\share.\\Prismatone"}},
      {tffReservedName,
       {L"D:\\CON", L"D:\\nul\\Prismatone", L"D:\\Apps\\aux.txt", L"D:\\Com1 .log", L"D:\\LPT9", L"D:\\lpt\u00B2", L"D:\\com0",
        L"D:\\conout$"}},
      // The text counts as typed: a trailing separator is joined as it stands.
      {tffTooLong, {FolderOfLength(235), FolderOfLength(234) + L"\\"}},
      {tffThisMachine, {L"\\\\localhost\\C$\\Apps"}},
      {tffDriveRoot, {L"C:\\", L"d:/", L"C:\\\\", L"\\\\srv\\share\\"}},
      {tffSystemFolder, {L"C:\\Windows", L"c:\\windows\\Prismatone", L"C:\\Program Files", L"C:\\Users"}},
  };
  for (const auto& c : cases) {
    for (const std::wstring& folder : c.folders) {
      EXPECT_EQ(CheckFolderToInstall(folder, LongestInstalledName(PayloadFiles), kProtected, kWindows, {}), c.fault) << folder;
      if (c.fault == tffNone) {
        EXPECT_EQ(CheckInstallFolder(folder, kProtected, kWindows, {}), tfsSafe) << folder;
      }
    }
  }
}

// The limit follows the catalogue's longest name when it is longer than the uninstaller's.
TEST(InstallFolderCheck, LimitFollowsTheCatalogue) {
  TPayloadTable files;
  files[0] = {L"bass", L"bass.dll", L"\\plugins"};
  EXPECT_EQ(LongestInstalledName(files), 25u);  // "\Prismatone_uninstall.exe"
  files[1] = {L"long", L"a_rather_long_library_name.dll", L"\\plugins"};
  EXPECT_EQ(LongestInstalledName(files), 39u);
}
