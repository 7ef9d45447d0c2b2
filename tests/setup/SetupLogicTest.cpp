#include <gtest/gtest.h>

#include <vector>

#include "setup/Catalogue.h"
#include "setup/InstallFolder.h"
#include "setup/VersionText.h"

namespace {
// The first 56 bytes of a version resource with the given file version.
std::vector<std::uint8_t> VersionBytes(unsigned major, unsigned minor, unsigned release, unsigned build) {
  std::vector<std::uint8_t> b(56, 0xCC);  // the header is not looked at
  auto put = [&](std::size_t at, unsigned w) {
    b[at] = std::uint8_t(w);
    b[at + 1] = std::uint8_t(w >> 8);
  };
  put(48, minor);
  put(50, major);
  put(52, build);
  put(54, release);
  return b;
}
}  // namespace

// The version text drops a zero release number and keeps any other.
TEST(VersionText, ReleaseShownUnlessZero) {
  auto v = VersionBytes(0, 14, 2, 104);
  EXPECT_EQ(VersionTextFromBytes(v.data(), v.size()), L"0.14.2 [Build: 104]");
  v = VersionBytes(1, 2, 0, 7);
  EXPECT_EQ(VersionTextFromBytes(v.data(), v.size()), L"1.2 [Build: 7]");
  v = VersionBytes(1, 2, 3, 7);
  EXPECT_EQ(VersionTextFromBytes(v.data(), v.size()), L"1.2.3 [Build: 7]");
  v = VersionBytes(65535, 0, 65535, 0);
  EXPECT_EQ(VersionTextFromBytes(v.data(), v.size()), L"65535.0.65535 [Build: 0]");
}

// An empty or short resource gives an empty text, not a read past its end.
TEST(VersionText, EmptyOrShortResource) {
  auto v = VersionBytes(1, 2, 3, 4);
  EXPECT_EQ(VersionTextFromBytes(v.data(), 0), L"");
  EXPECT_EQ(VersionTextFromBytes(v.data(), 55), L"");
  EXPECT_EQ(VersionTextFromBytes(nullptr, 56), L"");
}

// The folder rule: confirmed paths without "Prismatone" (case-sensitive) get it appended.
TEST(InstallFolder, AfterDialogRule) {
  struct Case {
    std::wstring in;
    bool action;
    std::wstring out;
  } cases[] = {
      {L"D:\\Apps", true, L"D:\\Apps\\Prismatone"},
      {L"D:\\Prismatone Old", true, L"D:\\Prismatone Old"},
      {L"D:\\prismatone", true, L"D:\\prismatone\\Prismatone"},
      {L"D:\\Apps", false, L"D:\\Apps"},
      {L"D:\\", true, L"D:\\\\Prismatone"},  // joined as is: two backslashes in a row
      {L"", true, L"\\Prismatone"},
  };
  for (auto c : cases) {
    ApplyInstallFolderRule(c.in, c.action);
    EXPECT_EQ(c.in, c.out);
  }
}

// The catalogue's five install rows and the system row that depends on the platform.
TEST(Catalogue, RowsForBothPlatforms) {
  FillPayloadCatalogue(true);
  EXPECT_EQ(SystemFiles[0].fName, L"PTThumbnail64");
  EXPECT_EQ(SystemFiles[0].fFile, L"PTThumbnail64.dll");
  FillPayloadCatalogue(false);
  EXPECT_EQ(SystemFiles[0].fFile, L"PTThumbnail32.dll");
  const wchar_t* names[] = {L"bass", L"basswasapi", L"Prismatone", L"launch_newinstance", L"Prismatone_uninstall"};
  const wchar_t* files[] = {L"bass.dll", L"basswasapi.dll", L"Prismatone.exe", L"launch_newinstance.bat", L"Prismatone_uninstall.exe"};
  for (int i = 0; i < kPayloadRows; ++i) {
    EXPECT_EQ(PayloadFiles[std::size_t(i)].fName, names[i]);
    EXPECT_EQ(PayloadFiles[std::size_t(i)].fFile, files[i]);
    EXPECT_TRUE(PayloadFiles[std::size_t(i)].fFold.empty());
  }
  EXPECT_TRUE(PayloadFiles[5].fName.empty());
  EXPECT_TRUE(SystemFiles[1].fName.empty());
  EXPECT_EQ(PayloadFiles.size(), 23u);
}
