// Replacing an existing file keeps what belongs to the file rather than to its contents, reports
// a file another program holds as in use, and clears the temporary files of an earlier run that
// was ended half-way.
#include <gtest/gtest.h>
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <cstring>

#include "framework/FileStream.h"
#include "framework/Handles.h"
#include "setup/PayloadExtract.h"
#include "tests/payloads/PayloadTestSupport.h"

namespace {

std::wstring MessageOfReplace(const std::wstring& target, const char* text) {
  return MessageOf([&] { ReplaceFileContents(target, [&](TStream& f) { f.WriteBuffer(text, std::strlen(text)); }); });
}

// The file's access list in the system's text form.
std::wstring DaclText(const std::wstring& path) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  PACL dacl = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr, &sd) != ERROR_SUCCESS)
    return L"<none>";
  wchar_t* text = nullptr;
  ConvertSecurityDescriptorToStringSecurityDescriptorW(sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr);
  std::wstring result = text ? text : L"<none>";
  LocalFree(text);
  LocalFree(sd);
  return result;
}

}  // namespace

// An existing target keeps its attributes; only the contents change.
TEST(FileReplacement, KeepsAttributes) {
  TScratchFolder dir;
  const std::wstring target = dir / L"Prismatone.exe";
  WriteWholeFile(target, BytesOf("old"));
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(MessageOfReplace(target, "new contents"), L"");
  EXPECT_EQ(ReadWholeFile(target), BytesOf("new contents"));
  EXPECT_EQ(GetFileAttributesW(target.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
            DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"Prismatone.exe"});
}

// An existing target keeps its access list: who may use it does not change with its contents.
TEST(FileReplacement, KeepsAccessList) {
  TScratchFolder dir;
  const std::wstring target = dir / L"Prismatone.exe";
  WriteWholeFile(target, BytesOf("old"));
  // Only the system and administrators may use it: no entry for everyone, nothing inherited. (Set
  // through SetFileSecurity: Wine's SetNamedSecurityInfo reports success and changes nothing.)
  PSECURITY_DESCRIPTOR wanted = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;SY)(A;;FA;;;BA)", SDDL_REVISION_1, &wanted, nullptr));
  const BOOL set = SetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, wanted);
  LocalFree(wanted);
  ASSERT_TRUE(set);
  const std::wstring before = DaclText(target);
  // A new file's default list gives everyone read access: this one must not, or the test would
  // compare two defaults.
  ASSERT_EQ(before.find(L";;;WD)"), std::wstring::npos) << before;
  EXPECT_EQ(MessageOfReplace(target, "new contents"), L"");
  EXPECT_EQ(DaclText(target), before);
}

// A target that another program holds open without sharing writes fails with the system's text
// for a file in use, as opening it for writing would, and stays as it was.
TEST(FileReplacement, HeldTargetIsReportedInUse) {
  TScratchFolder dir;
  const std::wstring target = dir / L"bass.dll";
  WriteWholeFile(target, BytesOf("old"));
  {
    TUniqueFile held(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(MessageOfReplace(target, "new"),
              L"Cannot create file \"" + target + L"\". " + SysErrorMessage(ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(ReadWholeFile(target), BytesOf("old"));
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"bass.dll"});
}

// Temporary files that an earlier run left beside the target go; files that only look alike, and
// one still open, stay.
TEST(FileReplacement, RemovesStaleTemporaryFiles) {
  TScratchFolder dir;
  WriteWholeFile(dir / L"~pt1a2b-3.tmp", BytesOf("left by a crash"));
  WriteWholeFile(dir / L"~ptuser.tmp", BytesOf("the user's"));
  WriteWholeFile(dir / L"~pt12-ff.tmp", BytesOf("being written"));
  TUniqueFile open(CreateFileW((dir / L"~pt12-ff.tmp").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(open);
  EXPECT_EQ(MessageOfReplace(dir / L"bass.dll", "new"), L"");
  std::vector<std::wstring> files = dir.Files();
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::wstring>{L"bass.dll", L"~pt12-ff.tmp", L"~ptuser.tmp"}));
}
