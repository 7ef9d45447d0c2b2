#include <gtest/gtest.h>

#include "setup/Catalogue.h"
#include "setup/ShellRules.h"
#include "setup/ThisMachine.h"
#include "setup/UninstallRules.h"

namespace {
const std::wstring kWindows = L"C:\\Windows";
const std::vector<std::wstring> kProtected = {
    kWindows, L"C:\\Program Files", L"C:\\Program Files (x86)", L"C:\\Users", L"C:\\Users\\Иван", L"C:\\Users\\Public",
};
const std::vector<std::wstring> kOwnNames = {L"WORKSTATION7", L"workstation7.corp.example"};
TFolderSafety Check(std::wstring_view folder) { return CheckInstallFolder(folder, kProtected, kWindows, kOwnNames); }
}  // namespace

// Names compare as the file system compares them: case, separators and trailing ones do not
// matter, Cyrillic letters included; the content of the names does.
TEST(UninstallRules, SamePath) {
  EXPECT_TRUE(SamePath(L"C:\\Program Files\\Prismatone", L"c:/PROGRAM FILES/prismatone\\"));
  EXPECT_TRUE(SamePath(L"D:\\Программы\\Prismatone", L"d:\\ПРОГРАММЫ\\PRISMATONE"));
  EXPECT_TRUE(SamePath(L"D:\\Apps\\\\Prismatone", L"D:\\Apps\\Prismatone"));  // the setup's doubled separator
  EXPECT_TRUE(SamePath(L"\\\\srv\\share\\P", L"\\\\SRV\\share\\p"));
  EXPECT_FALSE(SamePath(L"\\\\srv\\share", L"\\srv\\share"));
  EXPECT_FALSE(SamePath(L"C:\\Program Files\\Prismatone", L"C:\\Program Files\\Prismatone2"));
  EXPECT_FALSE(SamePath(L"C:\\Ёлка", L"C:\\Елка"));
}

// Ordinary install folders, wherever the user put them, may be acted on.
TEST(UninstallRules, SafeFolders) {
  EXPECT_EQ(Check(L"C:\\Program Files (x86)\\Prismatone"), tfsSafe);
  EXPECT_EQ(Check(L"D:\\Apps\\\\Prismatone"), tfsSafe);
  EXPECT_EQ(Check(L"C:\\Users\\Иван\\Программы\\Prismatone"), tfsSafe);
  EXPECT_EQ(Check(L"C:\\Windows2\\Prismatone"), tfsSafe);  // a sibling that only begins like it
  EXPECT_EQ(Check(L"\\\\srv\\share\\Prismatone"), tfsSafe);
  EXPECT_EQ(Check(L"C:/Program Files/Prismatone/"), tfsSafe);
}

// A tampered Uninstall entry must never lead to a system folder, in any of its spellings.
TEST(UninstallRules, RefusedFolders) {
  for (auto f : {L"C:\\", L"c:/", L"C:\\\\", L"\\\\srv\\share", L"\\\\srv\\share\\", L"\\\\srv"})
    EXPECT_EQ(Check(f), tfsDriveRoot) << f;
  for (auto f : {L"C:\\Windows", L"c:\\WINDOWS\\", L"C:\\Program Files", L"C:\\Program Files (x86)", L"C:\\Users",
                 L"C:\\users\\иван", L"C:\\Users\\Public"})
    EXPECT_EQ(Check(f), tfsProtected) << f;
  EXPECT_EQ(Check(L"C:\\Windows\\System32"), tfsInsideWindows);
  EXPECT_EQ(Check(L"C:\\WINDOWS\\SysWOW64\\Prismatone"), tfsInsideWindows);
  for (auto f : {L"", L"C:", L"Prismatone", L"\\Prismatone", L"C:Prismatone", L"C:\\Windows.", L"C:\\Windows ", L"C:\\a\\..",
                 L"C:\\Program Files\\..\\Windows", L"C:\\a\\.\\b", L"\\\\?\\C:\\Windows", L"\\\\.\\C:\\x", L"C:\\a*",
                 L"C:\\a\\b:stream", L"C:\\a\"b"})
    EXPECT_EQ(Check(f), tfsNotAbsolute) << f;
}

// A network path back to this computer is a local folder spelled so that no protected folder
// matches it: refused whatever share and folder it names, in every spelling of the host.
TEST(UninstallRules, NetworkPathsToThisMachine) {
  for (auto f : {L"\\\\localhost\\C$\\Windows", L"\\\\127.0.0.1\\c$\\Program Files", L"//LocalHost/share/Prismatone",
                 L"\\\\127.1\\c$\\x", L"\\\\127.255.0.9\\c$\\x", L"\\\\0x7f000001\\c$\\x", L"\\\\2130706433\\c$\\x",
                 L"\\\\0177.0.0.1\\c$\\x", L"\\\\0.0.0.0\\c$\\x", L"\\\\0--1.ipv6-literal.net\\c$\\x",
                 L"\\\\0-0-0-0-0-0-0-1.IPV6-LITERAL.NET\\c$\\x", L"\\\\--1s4.ipv6-literal.net\\c$\\x",
                 L"\\\\--ffff-7f00-1.ipv6-literal.net\\c$\\x", L"\\\\--ffff-127.0.0.1.ipv6-literal.net\\c$\\x",
                 L"\\\\workstation7\\Apps\\Prismatone", L"\\\\WORKSTATION7.corp.example\\c$\\x", L"\\\\localhost\\c$"})
    EXPECT_EQ(Check(f), tfsThisMachine) << f;
  // Other machines, and names that only look alike.
  for (auto f : {L"\\\\srv\\share\\Prismatone", L"\\\\128.0.0.1\\s\\P", L"\\\\10.0.0.127\\s\\P", L"\\\\localhost2\\s\\P",
                 L"\\\\workstation70\\s\\P", L"\\\\127.0.0.1.example\\s\\P", L"\\\\1--1.ipv6-literal.net\\s\\P",
                 L"\\\\fe80--1.ipv6-literal.net\\s\\P", L"\\\\--ffff-a00-1.ipv6-literal.net\\s\\P", L"\\\\0x100000000\\s\\P",
                 L"\\\\127.0.0.256\\s\\P", L"\\\\08.0.0.1\\s\\P"})
    EXPECT_EQ(Check(f), tfsSafe) << f;
  EXPECT_FALSE(NamesThisMachine(L"workstation7", {}));
  EXPECT_FALSE(NamesThisMachine(L"", {L""}));
}

// The chain of folders whose identities the uninstaller compares: each folder above the given
// one, up to the drive or share root, never past it.
TEST(UninstallRules, FolderAndAncestors) {
  using V = std::vector<std::wstring>;
  EXPECT_EQ(FolderAndAncestors(L"C:\\Program Files (x86)\\Prismatone\\"), (V{L"C:\\Program Files (x86)\\Prismatone", L"C:\\Program Files (x86)", L"C:\\"}));
  EXPECT_EQ(FolderAndAncestors(L"C:\\"), V{L"C:\\"});
  EXPECT_EQ(FolderAndAncestors(L"\\\\srv\\share\\a\\b"), (V{L"\\\\srv\\share\\a\\b", L"\\\\srv\\share\\a", L"\\\\srv\\share"}));
  EXPECT_EQ(FolderAndAncestors(L"\\\\srv\\share\\"), V{L"\\\\srv\\share"});
}

// A folder that holds a protected one (here the profiles' root through the profile) is refused
// too, even when it is not listed itself.
TEST(UninstallRules, FolderContainingProtected) {
  const std::vector<std::wstring> onlyProfile = {L"D:\\Home\\Иван"};
  EXPECT_EQ(CheckInstallFolder(L"D:\\Home", onlyProfile, kWindows, kOwnNames), tfsProtected);
  EXPECT_EQ(CheckInstallFolder(L"D:\\Home\\Иван\\Prismatone", onlyProfile, kWindows, kOwnNames), tfsSafe);
  EXPECT_EQ(CheckInstallFolder(L"D:\\Home2", onlyProfile, kWindows, kOwnNames), tfsSafe);
}

// A file type is removed only while it still opens our program; its extension only while it
// still names our ProgID.
TEST(UninstallRules, FileTypeStillOurs) {
  const std::wstring program = L"C:\\Program Files (x86)\\Prismatone\\Prismatone.exe";
  const std::wstring ours = OpenCommand(program);
  auto decide = [&](std::optional<std::wstring> ext, std::optional<std::wstring> command) {
    const TFileTypeDecision d = DecideFileType({ext, command}, L"Prismatone.Preset", program);
    return std::pair(d.RemoveProgId, d.RemoveExtension);
  };
  EXPECT_EQ(decide(L"Prismatone.Preset", ours), std::pair(true, true));
  EXPECT_EQ(decide(L"prismatone.preset", L"\"c:\\program files (x86)\\prismatone\\PRISMATONE.EXE\" \"%1\""), std::pair(true, true));
  EXPECT_EQ(decide(L"Prismatone.Preset", program + L" \"%1\""), std::pair(true, true));  // an unquoted earlier entry
  // Another program took the extension over: our ProgID goes, the extension stays.
  EXPECT_EQ(decide(L"Other.Preset", ours), std::pair(true, false));
  EXPECT_EQ(decide(std::nullopt, ours), std::pair(true, false));
  // Our ProgID now opens another program, or a program of ours in another folder: all stays.
  EXPECT_EQ(decide(L"Prismatone.Preset", L"\"C:\\Other\\other.exe\" \"%1\""), std::pair(false, false));
  EXPECT_EQ(decide(L"Prismatone.Preset", OpenCommand(L"D:\\Prismatone\\Prismatone.exe")), std::pair(false, false));
  EXPECT_EQ(decide(L"Prismatone.Preset", std::nullopt), std::pair(false, false));
  EXPECT_EQ(decide(L"Prismatone.Preset", ours + L" /extra"), std::pair(false, false));
}

// The files removed are exactly the catalogue's five rows, last first, and the shortcuts carry
// the setup's link names.
TEST(UninstallRules, WhatTheSetupWrote) {
  FillPayloadCatalogue(true);
  const std::vector<std::wstring> names = InstalledFileNames(PayloadFiles);
  ASSERT_EQ(names.size(), std::size_t(kPayloadRows));
  for (int i = 0; i < kPayloadRows; ++i) EXPECT_EQ(names[kPayloadRows - 1 - i], L"\\" + PayloadFiles[i].fFile);
  EXPECT_EQ(names.front(), L"\\Prismatone_uninstall.exe");
  EXPECT_EQ(ShortcutPath(L"C:\\Users\\u\\Desktop"), L"C:\\Users\\u\\Desktop\\Prismatone.lnk");
  // A shortcut of that name is ours only while it leads into the install folder itself.
  const std::wstring folder = L"C:\\Program Files (x86)\\Prismatone";
  EXPECT_TRUE(IsOwnShortcutTarget(L"c:/program files (x86)/PRISMATONE/Prismatone.exe", folder));
  EXPECT_FALSE(IsOwnShortcutTarget(L"C:\\Program Files (x86)\\Prismatone\\sub\\Prismatone.exe", folder));
  EXPECT_FALSE(IsOwnShortcutTarget(L"C:\\Program Files (x86)\\Prismatone2\\Prismatone.exe", folder));
  EXPECT_FALSE(IsOwnShortcutTarget(folder + L"\\", folder));
  EXPECT_FALSE(IsOwnShortcutTarget(L"Prismatone.exe", folder));
  EXPECT_FALSE(IsOwnShortcutTarget(L"", folder));
}

// The exit code and the closing message follow the worst outcome; every failure and leftover is
// named, failures first, and a clean run claims nothing else.
TEST(UninstallRules, OutcomeAndSummary) {
  const TStepResult done{tsoDone, L""};
  const TStepResult kept{tsoLeftover, L"папка сохранена"};
  const TStepResult failed{tsoFailed, L"ключ не удалён"};
  EXPECT_EQ(ExitCodeFor({}), kExitRemoved);
  EXPECT_EQ(ExitCodeFor({done, done}), kExitRemoved);
  EXPECT_EQ(ExitCodeFor({done, kept}), kExitLeftovers);
  EXPECT_EQ(ExitCodeFor({kept, failed, kept}), kExitFailed);
  EXPECT_EQ(SummaryText({done}), L"Prismatone удалён с компьютера.");
  const std::wstring mixed = SummaryText({kept, done, failed});
  EXPECT_EQ(mixed.find(L"Удаление Prismatone завершено с ошибками:"), 0u);
  EXPECT_LT(mixed.find(failed.Text), mixed.find(kept.Text));
  const std::wstring leftovers = SummaryText({kept, done});
  EXPECT_NE(leftovers.find(kept.Text), std::wstring::npos);
  EXPECT_EQ(leftovers.find(L"ошибк"), std::wstring::npos);
}

// The working copy's command line survives the system's splitting (a folder ending in "\" is the
// case that breaks naive quoting), and anything else is not taken for it.
TEST(UninstallRules, WorkerArguments) {
  // Splits as the system's command-line parser does for the quoting WorkerCommandLine uses.
  auto split = [](const std::wstring& line) {
    std::vector<std::wstring> out;
    std::wstring cur;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == L'\\') {
        std::size_t n = 0;
        while (i < line.size() && line[i] == L'\\') ++n, ++i;
        if (i < line.size() && line[i] == L'"') {
          cur.append(n / 2, L'\\');
          if (n % 2) cur += L'"', any = true; else --i;
        } else {
          cur.append(n, L'\\');
          --i;
        }
        continue;
      }
      if (line[i] == L'"') { quoted = !quoted; any = true; continue; }
      if (line[i] == L' ' && !quoted) {
        if (any || !cur.empty()) out.push_back(cur);
        cur.clear(), any = false;
        continue;
      }
      cur += line[i];
    }
    if (any || !cur.empty()) out.push_back(cur);
    return out;
  };
  for (const std::wstring folder : {L"C:\\Program Files (x86)\\Prismatone", L"D:\\Apps\\Prismatone\\", L"\\\\srv\\s p\\"}) {
    for (bool silent : {false, true}) {
      const std::wstring line = WorkerCommandLine(L"C:\\Temp\\x y\\Prismatone_uninstall.exe", {1234, 56, folder, silent});
      std::vector<std::wstring> args = split(line);
      ASSERT_FALSE(args.empty());
      EXPECT_EQ(args[0], L"C:\\Temp\\x y\\Prismatone_uninstall.exe");
      args.erase(args.begin());
      const auto parsed = ParseWorkerArgs(args);
      ASSERT_TRUE(parsed) << line;
      EXPECT_EQ(parsed->ParentHandle, 1234u);
      EXPECT_EQ(parsed->ReportHandle, 56u);
      EXPECT_EQ(parsed->Folder, folder);
      EXPECT_EQ(parsed->Silent, silent);
    }
  }
  EXPECT_FALSE(ParseWorkerArgs({}));
  EXPECT_FALSE(ParseWorkerArgs({L"/S"}));
  EXPECT_TRUE(ParseWorkerArgs({L"/run", L"12", L"3", L"C:\\P"}));
  EXPECT_FALSE(ParseWorkerArgs({L"/run", L"12x", L"3", L"C:\\P"}));
  EXPECT_FALSE(ParseWorkerArgs({L"/run", L"0", L"3", L"C:\\P"}));
  EXPECT_FALSE(ParseWorkerArgs({L"/run", L"12", L"-3", L"C:\\P"}));
  EXPECT_FALSE(ParseWorkerArgs({L"/run", L"99999999999999999999", L"3", L"C:\\P"}));
  EXPECT_FALSE(ParseWorkerArgs({L"/run", L"12", L"3", L""}));
  EXPECT_FALSE(ParseWorkerArgs({L"/run", L"12", L"3", L"C:\\P", L"/X"}));
  EXPECT_FALSE(ParseWorkerArgs({L"/RUN", L"12", L"3", L"C:\\P"}));
  EXPECT_TRUE(HasSilentSwitch({L"/s"}));
  EXPECT_FALSE(HasSilentSwitch({L"/Silent", L"S"}));
}
