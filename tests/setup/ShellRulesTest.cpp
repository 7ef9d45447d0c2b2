#include <gtest/gtest.h>

#include "setup/ShellRules.h"

// The link name: an extension after the last separator is replaced, otherwise ".lnk" appended.
TEST(ShellRules, LinkFileName) {
  EXPECT_EQ(LinkFileName(L"C:\\Users\\u\\Desktop\\Prismatone"), L"C:\\Users\\u\\Desktop\\Prismatone.lnk");
  EXPECT_EQ(LinkFileName(L"C:\\d\\Prismatone.exe"), L"C:\\d\\Prismatone.lnk");
  EXPECT_EQ(LinkFileName(L"C:\\d\\a.b.c"), L"C:\\d\\a.b.lnk");
  EXPECT_EQ(LinkFileName(L"C:\\dir.x\\Prismatone"), L"C:\\dir.x\\Prismatone.lnk");  // dot in a folder only
  EXPECT_EQ(LinkFileName(L"C:name"), L"C:name.lnk");
  EXPECT_EQ(LinkFileName(L"\\Prismatone"), L"\\Prismatone.lnk");
}

// The working folder keeps its final separator; a bare name has none.
TEST(ShellRules, FolderOf) {
  EXPECT_EQ(FolderOf(L"C:\\Program Files\\Prismatone\\Prismatone.exe"), L"C:\\Program Files\\Prismatone\\");
  EXPECT_EQ(FolderOf(L"C:Prismatone.exe"), L"C:");
  EXPECT_EQ(FolderOf(L"Prismatone.exe"), L"");
  EXPECT_EQ(FolderOf(L"Z:/tmp/PTThumbnail32.dll"), L"Z:/tmp/");
}

// Commands written to the registry quote the program path, so a path with spaces cannot start
// "C:\Program.exe" instead.
TEST(ShellRules, QuotedCommands) {
  EXPECT_EQ(OpenCommand(L"C:\\Program Files (x86)\\Prismatone\\Prismatone.exe"),
            L"\"C:\\Program Files (x86)\\Prismatone\\Prismatone.exe\" \"%1\"");
  EXPECT_EQ(UninstallCommand(L"C:\\Program Files\\Prismatone"), L"\"C:\\Program Files\\Prismatone\\Prismatone_uninstall.exe\"");
  EXPECT_EQ(kFileTypes[0].IconIndex, 1);
  EXPECT_STREQ(kFileTypes[1].ProgID, L"Prismatone.Theme");
}
