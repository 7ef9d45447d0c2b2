// Skin names, the skin directory, listing and extracting skins.
#include <gtest/gtest.h>

#include "SkinTestUtil.h"
#include "skin/data/sSkinFiles.h"

using namespace skintest;

namespace {
TsStoredSkin Stored(const std::wstring& name, std::vector<std::uint8_t> data = {}) {
  TsStoredSkin s;
  s.Name = name;
  s.ReadData(data);
  return s;
}
}  // namespace

// The trailing-separator rule, case by case.
TEST(SkinFiles, TrailingSeparatorRule) {
  EXPECT_EQ(AddSkinDirSeparator(L""), L"");
  EXPECT_EQ(AddSkinDirSeparator(L"c:\\Skins\\"), L"c:\\Skins\\");
  EXPECT_EQ(AddSkinDirSeparator(L"c:\\Skins/"), L"c:\\Skins\\");
  EXPECT_EQ(AddSkinDirSeparator(L"d"), L"d:\\");
  EXPECT_EQ(AddSkinDirSeparator(L"c:\\Skins"), L"c:\\Skins\\");
}

// The three documented resolutions with the program in C:\A\B\, and the other forms.
TEST(SkinFiles, FullSkinDirectory) {
  const std::wstring p = L"C:\\A\\B\\";
  EXPECT_EQ(GetFullSkinDirectory(L"..\\Skins", p), L"C:\\A\\Skins");
  EXPECT_EQ(GetFullSkinDirectory(L"Skins", p), L"C:\\A\\B\\Skins");
  EXPECT_EQ(GetFullSkinDirectory(L".", p), L"C:\\A\\B\\");
  EXPECT_EQ(GetFullSkinDirectory(L".\\Skins", p), L"C:\\A\\B\\Skins");
  EXPECT_EQ(GetFullSkinDirectory(L"./Skins", p), L"C:\\A\\B\\Skins");
  EXPECT_EQ(GetFullSkinDirectory(L"c:\\Skins", p), L"c:\\Skins");
  EXPECT_EQ(GetFullSkinDirectory(L"\\\\server\\share", p), L"\\\\server\\share");
  EXPECT_EQ(GetFullSkinDirectory(L"Sub\\Skins", p), L"C:\\A\\B\\Sub\\Skins");
  // A program folder without any parent separator does not underflow.
  EXPECT_EQ(GetFullSkinDirectory(L"..\\Skins", L"X"), L"Skins");
  EXPECT_EQ(GetFullSkinDirectory(L"..", L""), L"");
}

// ".asz" in any case is stripped from names longer than four characters only.
TEST(SkinFiles, PackageSuffixStrip) {
  EXPECT_EQ(StripPackageSuffix(L"Cobalt3 (internal).asz"), L"Cobalt3 (internal)");
  EXPECT_EQ(StripPackageSuffix(L"Zeta.ASZ"), L"Zeta");
  EXPECT_EQ(StripPackageSuffix(L".asz"), L".asz");
  EXPECT_EQ(StripPackageSuffix(L"x.asz"), L"x");
  EXPECT_EQ(StripPackageSuffix(L"Zeta"), L"Zeta");
}

// Resolution order: package file, folder with Options.dat, internal skin of that name, first
// internal skin; none at all without internal skins.
TEST(SkinFiles, ResolveSkinSource) {
  TempDir dir;
  const std::wstring skins = dir.Text() + L"Skins";
  TsStoredSkins internal;
  internal.push_back(Stored(L"First", Bytes("x")));
  internal.push_back(Stored(L"Cobalt3 (internal)", Bytes("y")));

  // The ".asz" suffix is stripped and, with no file or folder, the internal skin of that name is used.
  TsSkinSource s = ResolveSkinSource(L"Cobalt3 (internal).asz", skins, dir.Text(), internal);
  EXPECT_EQ(s.Kind, TsSkinSourceKind::ssInternal);
  EXPECT_EQ(s.SkinName, L"Cobalt3 (internal)");
  EXPECT_EQ(s.InternalIndex, 1);
  EXPECT_EQ(s.SkinPath, L"");

  // No match anywhere: the first internal skin, whose name the manager takes over.
  s = ResolveSkinSource(L"Nothing", skins, dir.Text(), internal);
  EXPECT_EQ(s.Kind, TsSkinSourceKind::ssInternal);
  EXPECT_EQ(s.InternalIndex, 0);
  EXPECT_EQ(s.SkinName, L"First");

  // Internal names compare exactly.
  s = ResolveSkinSource(L"cobalt3 (internal)", skins, dir.Text(), internal);
  EXPECT_EQ(s.InternalIndex, 0);

  // A folder holding Options.dat (any case of the file name).
  dir.Write("Skins/Folder/options.DAT", Bytes("[GLOBALINFO]"));
  s = ResolveSkinSource(L"Folder", skins, dir.Text(), internal);
  EXPECT_EQ(s.Kind, TsSkinSourceKind::ssFolder);
  EXPECT_EQ(s.SkinPath, skins + L"\\Folder\\");

  // A package file wins over a folder of the same name; SkinPath is the directory.
  dir.Write("Skins/Folder.asz", Bytes("ASzf"));
  s = ResolveSkinSource(L"Folder.ASZ", skins, dir.Text(), internal);
  EXPECT_EQ(s.Kind, TsSkinSourceKind::ssPackageFile);
  EXPECT_EQ(s.SkinName, L"Folder");
  EXPECT_EQ(s.PackageFile, skins + L"\\Folder.asz");
  EXPECT_EQ(s.SkinPath, skins + L"\\");

  // Without internal skins nothing is found.
  s = ResolveSkinSource(L"Nothing", skins, dir.Text(), TsStoredSkins());
  EXPECT_EQ(s.Kind, TsSkinSourceKind::ssNone);
}

// Listing: Zeta.asz is listed as Zeta, Zeta.ASZ is not, a folder without Options.dat is not,
// dot-names are skipped; internal names are sorted in with the rest; the first name added is
// returned; the kinds filter folders and files.
TEST(SkinFiles, GetSkinNames) {
  TempDir dir;
  dir.Write("Skins/Zeta.asz", Bytes("p"));
  dir.Write("Skins/Upper.ASZ", Bytes("p"));
  dir.Write("Skins/Multi.part.asz", Bytes("p"));
  dir.Write("Skins/.hidden.asz", Bytes("p"));
  dir.Write("Skins/Alpha/Options.dat", Bytes("o"));
  dir.Write("Skins/Empty/readme.txt", Bytes("o"));
  dir.Write("Skins/notes.txt", Bytes("o"));
  TsStoredSkins internal;
  internal.push_back(Stored(L"Mid"));

  TStringList list;
  std::wstring first = GetSkinNames(list, TsSkinTypes::stAllSkins, L"Skins", dir.Text(), internal);
  EXPECT_EQ(first, L"Mid");
  std::vector<std::wstring> names(list.begin(), list.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha", L"Mid", L"Multi", L"Zeta"}));

  first = GetExternalSkinNames(list, TsSkinTypes::stPacked, L"Skins", dir.Text());
  names.assign(list.begin(), list.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Multi", L"Zeta"}));
  EXPECT_TRUE(first == L"Multi" || first == L"Zeta");

  first = GetExternalSkinNames(list, TsSkinTypes::stUnpacked, L"Skins", dir.Text());
  names.assign(list.begin(), list.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha"}));
  EXPECT_EQ(first, L"Alpha");

  // A missing directory lists the internal skins only.
  first = GetSkinNames(list, TsSkinTypes::stAllSkins, L"NoSuch", dir.Text(), internal);
  EXPECT_EQ(list.Count(), 1);

  // The random pick is one of the listed names; nothing at all gives an empty name.
  const std::wstring r = GetRandomSkin(L"Skins", dir.Text(), internal);
  EXPECT_TRUE(r == L"Alpha" || r == L"Mid" || r == L"Multi" || r == L"Zeta") << WideToUtf8(r);
  EXPECT_EQ(GetRandomSkin(L"NoSuch", dir.Text(), TsStoredSkins()), L"");
}

// Extraction writes "<name> extracted.asz", creating the folder; the three messages.
TEST(SkinFiles, Extraction) {
  TempDir dir;
  TsStoredSkins internal;
  internal.push_back(Stored(L"One", Bytes("ASzf-bytes")));
  internal.push_back(Stored(L"Empty"));
  std::vector<std::wstring> shown;
  auto sink = [&](const std::wstring& m) { shown.push_back(m); };

  ExtractByIndex(internal, 0, dir.Text() + L"new/sub", sink);
  EXPECT_TRUE(shown.empty());
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "new/sub/One extracted.asz"));
  ExtractByIndex(internal, 1, dir.Text() + L"new/sub", sink);  // no data: nothing written
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "new/sub/Empty extracted.asz"));
  ExtractByIndex(internal, 7, dir.Text(), sink);  // no such item: nothing happens
  EXPECT_TRUE(shown.empty());

  dir.Write("file", Bytes("x"));
  ExtractByIndex(internal, 0, dir.Text() + L"file/below", sink);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], L"Directory " + dir.Text() + L"file/below\\ creation error.");

  shown.clear();
  ExtractInternalSkin(internal, L"One", dir.Text() + L"missing", sink);
  EXPECT_EQ(shown, std::vector<std::wstring>{L"Directory does not exists."});
  shown.clear();
  ExtractInternalSkin(internal, L"one", dir.Text(), sink);
  EXPECT_EQ(shown, std::vector<std::wstring>{L"Skin does not exists."});
  shown.clear();
  ExtractInternalSkin(internal, L"One", dir.Text(), sink);
  EXPECT_TRUE(shown.empty());
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "One extracted.asz"));
}

// The stored-skin collection: IndexOf is exact, copies carry the package bytes, every change
// is announced.
TEST(SkinFiles, StoredSkins) {
  int changes = 0;
  TsStoredSkins skins;
  skins.OnChange = [&] { ++changes; };
  skins.Add(Stored(L"A", Bytes("abc")));
  skins.Add(Stored(L"B"));
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(skins.IndexOf(L"B"), 1);
  EXPECT_EQ(skins.IndexOf(L"a"), -1);
  TsStoredSkin copy = skins.Items(0);
  EXPECT_EQ(copy.WriteData(), Bytes("abc"));
  EXPECT_EQ(copy.Shadow1Blur, -1);
  EXPECT_EQ(copy.BorderColor, 0xFF00FFu);
  skins.Delete(0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(skins.IndexOf(L"B"), 0);
}
