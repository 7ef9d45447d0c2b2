// Extraction of the real payload resources (linked into this test from payloads/Payloads.rc) into
// real files of the Wine prefix.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>

#include "framework/FileStream.h"
#include "framework/ResourceStream.h"
#include "setup/Catalogue.h"
#include "setup/PayloadExtract.h"
#include "setup/PayloadInflate.h"
#include "tests/payloads/PayloadTestSupport.h"

namespace {
const HMODULE kSelf = GetModuleHandleW(nullptr);

Bytes Pack(const Bytes& data) {
  uLongf size = compressBound(uLong(data.size()));
  Bytes out(size);
  compress2(out.data(), &size, data.data(), uLong(data.size()), Z_BEST_COMPRESSION);
  out.resize(size);
  return out;
}

// The stored bytes of a payload resource.
Bytes ResourceBytes(const std::wstring& name) {
  TResourceStream res(kSelf, name, RT_RCDATA);
  Bytes b(std::size_t(res.Size()));
  res.ReadBuffer(b.data(), b.size());
  return b;
}

void ExtractBytes(const Bytes& stored, const std::wstring& target) {
  TReadOnlyMemoryStream res(stored.data(), stored.size());
  ExtractResourceToFile(res, target);
}

struct TPayload {
  const wchar_t* resource;
  const wchar_t* builtFile;  // the file as the build made it
};
const TPayload kPayloads[] = {
    {L"BASS", PAYLOAD_DIR L"/bass.dll"},
    {L"BASSWASAPI", PAYLOAD_DIR L"/basswasapi.dll"},
    {L"PRISMATONE", PAYLOAD_DIR L"/Prismatone.exe"},
    {L"LAUNCH_NEWINSTANCE", PAYLOAD_DIR L"/launch_newinstance.bat"},
    {L"PRISMATONE_UNINSTALL", PAYLOAD_DIR L"/Prismatone_uninstall.exe"},
    {L"PTTHUMBNAIL32", PAYLOAD_DIR L"/PTThumbnail32.dll"},
    {L"PTTHUMBNAIL64", PAYLOAD64_DIR L"/PTThumbnail64.dll"},
};
}  // namespace

// LAUNCH_NEWINSTANCE becomes exactly the 33 bytes of the batch line, no line end.
TEST(ExtractPayload, LaunchNewInstanceExact) {
  TScratchFolder dir;
  ExtractPayload(kSelf, L"launch_newinstance", dir / L"launch_newinstance.bat");
  EXPECT_EQ(ReadWholeFile(dir / L"launch_newinstance.bat"), BytesOf("start Prismatone.exe -newinstance"));
}

// Every payload, extracted by its catalogue name, equals the file the build made, byte for byte.
TEST(ExtractPayload, EveryPayloadEqualsTheBuiltFile) {
  FillPayloadCatalogue(false);
  std::vector<Tfile> rows(PayloadFiles.begin(), PayloadFiles.begin() + kPayloadRows);
  rows.push_back(SystemFiles[0]);
  FillPayloadCatalogue(true);
  rows.push_back(SystemFiles[0]);
  ASSERT_EQ(rows.size(), 7u);
  TScratchFolder dir;
  for (const Tfile& row : rows) {
    SCOPED_TRACE(std::string(row.fFile.begin(), row.fFile.end()));
    const auto* built = std::find_if(std::begin(kPayloads), std::end(kPayloads),
                                     [&](const TPayload& p) { return _wcsicmp(p.resource, row.fName.c_str()) == 0; });
    ASSERT_NE(built, std::end(kPayloads));
    ExtractPayload(kSelf, row.fName, dir / row.fFile);
    const Bytes extracted = ReadWholeFile(dir / row.fFile);
    EXPECT_EQ(extracted, ReadWholeFile(built->builtFile));
    EXPECT_GT(extracted.size(), 0u);
  }
  EXPECT_EQ(dir.Files().size(), 7u);  // and no temporary file left behind
}

// Each payload is an RCDATA resource in Russian (0x0419) holding one zlib stream: header 78 DA,
// the stream ends (with its check value) exactly at the resource's last byte.
TEST(PayloadResources, RussianRcdataWithOneWholeZlibStream) {
  for (const TPayload& p : kPayloads) {
    SCOPED_TRACE(std::string(p.resource, p.resource + wcslen(p.resource)));
    EXPECT_NE(FindResourceExW(kSelf, RT_RCDATA, p.resource, MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT)), nullptr);
    const Bytes stored = ResourceBytes(p.resource);
    ASSERT_GT(stored.size(), 6u);
    EXPECT_EQ(stored[0], 0x78);
    EXPECT_EQ(stored[1], 0xDA);
    z_stream z{};
    ASSERT_EQ(inflateInit(&z), Z_OK);
    Bytes out(1 << 16);
    z.next_in = const_cast<Bytef*>(stored.data());
    z.avail_in = uInt(stored.size());
    int rc;
    do {
      z.next_out = out.data();
      z.avail_out = uInt(out.size());
      rc = inflate(&z, Z_NO_FLUSH);
    } while (rc == Z_OK);
    EXPECT_EQ(rc, Z_STREAM_END);
    EXPECT_EQ(z.avail_in, 0u);  // nothing after the stream
    inflateEnd(&z);
  }
}

// Resource names are found whatever their case: the catalogue's mixed case, lower and upper case.
TEST(ExtractPayload, NameLookupIgnoresCase) {
  TScratchFolder dir;
  for (const wchar_t* name : {L"launch_newinstance", L"LAUNCH_NEWINSTANCE", L"Launch_NewInstance"}) {
    const std::wstring target = dir / L"a.bat";
    ExtractPayload(kSelf, name, target);
    EXPECT_EQ(ReadWholeFile(target).size(), 33u);
  }
  ExtractPayload(kSelf, L"Prismatone_uninstall", dir / L"u.exe");
  EXPECT_EQ(ReadWholeFile(dir / L"u.exe"), ReadWholeFile(PAYLOAD_DIR L"/Prismatone_uninstall.exe"));
}

// A name that is no resource fails with "Resource %s not found" and creates no file.
TEST(ExtractPayload, MissingResource) {
  TScratchFolder dir;
  EXPECT_EQ(MessageOf([&] { ExtractPayload(kSelf, L"Prismatone_missing", dir / L"x.exe"); }), L"Resource Prismatone_missing not found");
  EXPECT_TRUE(dir.Files().empty());
}

// An existing longer file is replaced completely by a shorter payload: no old tail remains.
TEST(ExtractPayload, ReplacesLongerFileCompletely) {
  TScratchFolder dir;
  const std::wstring target = dir / L"launch_newinstance.bat";
  WriteWholeFile(target, Bytes(100000, 'Z'));
  ExtractPayload(kSelf, L"launch_newinstance", target);
  EXPECT_EQ(ReadWholeFile(target), BytesOf("start Prismatone.exe -newinstance"));
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"launch_newinstance.bat"});
}

// A payload that inflates to nothing creates an empty file, and truncates an existing one.
TEST(ExtractResourceToFile, EmptyPayloadCreatesOrTruncates) {
  TScratchFolder dir;
  const Bytes empty = Pack({});
  ExtractBytes(empty, dir / L"new.txt");
  ASSERT_TRUE(FileExists(dir / L"new.txt"));
  EXPECT_TRUE(ReadWholeFile(dir / L"new.txt").empty());
  WriteWholeFile(dir / L"old.txt", BytesOf("old content"));
  ExtractBytes(empty, dir / L"old.txt");
  EXPECT_TRUE(ReadWholeFile(dir / L"old.txt").empty());
}

// The resource stream is read from its start, wherever its position was left.
TEST(ExtractResourceToFile, RewindsTheResourceStream) {
  TScratchFolder dir;
  const Bytes stored = ResourceBytes(L"LAUNCH_NEWINSTANCE");
  TReadOnlyMemoryStream res(stored.data(), stored.size());
  res.SetPosition(10);
  ExtractResourceToFile(res, dir / L"l.bat");
  EXPECT_EQ(ReadWholeFile(dir / L"l.bat").size(), 33u);
}

// A target folder that does not exist: "Cannot create file" naming the target, with the system's text.
TEST(ExtractResourceToFile, MissingFolder) {
  TScratchFolder dir;
  const std::wstring target = dir / L"no such folder\\bass.dll";
  const std::wstring message = MessageOf([&] { ExtractPayload(kSelf, L"bass", target); });
  EXPECT_EQ(message, L"Cannot create file \"" + target + L"\". " + SysErrorMessage(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(SysErrorMessage(ERROR_PATH_NOT_FOUND).empty());
  EXPECT_TRUE(dir.Files().empty());
}

// One corrupted byte: zlib's "data error", the existing target unchanged, nothing else written.
TEST(ExtractResourceToFile, CorruptByteLeavesTargetUnchanged) {
  TScratchFolder dir;
  Bytes stored = ResourceBytes(L"PRISMATONE");
  stored[stored.size() / 3] ^= 0x5A;
  const std::wstring target = dir / L"Prismatone.exe";
  WriteWholeFile(target, BytesOf("the old program"));
  EXPECT_EQ(MessageOf([&] { ExtractBytes(stored, target); }), L"data error");
  EXPECT_EQ(ReadWholeFile(target), BytesOf("the old program"));
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"Prismatone.exe"});
  // With no old file, none is created.
  EXPECT_EQ(MessageOf([&] { ExtractBytes(stored, dir / L"fresh.exe"); }), L"data error");
  EXPECT_FALSE(FileExists(dir / L"fresh.exe"));
}

// A cut-off payload gives a shorter file (the start of the real one) and no error.
TEST(ExtractResourceToFile, CutOffStreamGivesShorterFile) {
  TScratchFolder dir;
  const Bytes stored = ResourceBytes(L"PRISMATONE");
  const Bytes cut(stored.begin(), stored.begin() + std::ptrdiff_t(stored.size() / 2));
  const std::wstring target = dir / L"Prismatone.exe";
  EXPECT_EQ(MessageOf([&] { ExtractBytes(cut, target); }), L"");
  const Bytes whole = ReadWholeFile(PAYLOAD_DIR L"/Prismatone.exe");
  const Bytes part = ReadWholeFile(target);
  EXPECT_LT(part.size(), whole.size());
  EXPECT_GT(part.size(), 0u);
  EXPECT_TRUE(std::equal(part.begin(), part.end(), whole.begin()));
}

// A write that fails part-way leaves the old file as it was and removes the partial new one.
TEST(ReplaceFileContents, FailingWriteKeepsOldFile) {
  TScratchFolder dir;
  const std::wstring target = dir / L"bass.dll";
  WriteWholeFile(target, BytesOf("old library"));
  const std::wstring message = MessageOf([&] {
    ReplaceFileContents(target, [](TStream& file) {
      file.WriteBuffer("partly written", 14);
      throw EWriteError(L"Stream write error");
    });
  });
  EXPECT_EQ(message, L"Stream write error");
  EXPECT_EQ(ReadWholeFile(target), BytesOf("old library"));
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"bass.dll"});
}

// A read-only target is not replaced: "Cannot create file", access denied, content unchanged.
TEST(ReplaceFileContents, ReadOnlyTargetRefused) {
  TScratchFolder dir;
  const std::wstring target = dir / L"ro.bat";
  WriteWholeFile(target, BytesOf("keep"));
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(MessageOf([&] { ExtractPayload(kSelf, L"launch_newinstance", target); }),
            L"Cannot create file \"" + target + L"\". " + SysErrorMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadWholeFile(target), BytesOf("keep"));
  EXPECT_EQ(dir.Files().size(), 1u);
}

// A hidden target stays hidden after it is replaced.
TEST(ReplaceFileContents, KeepsHiddenAttribute) {
  TScratchFolder dir;
  const std::wstring target = dir / L"h.bat";
  WriteWholeFile(target, BytesOf("old"));
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN);
  ExtractPayload(kSelf, L"launch_newinstance", target);
  EXPECT_EQ(ReadWholeFile(target).size(), 33u);
  EXPECT_TRUE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// A full disk (a tiny file system given in PRISMATONE_FULL_DISK by payload_tests.sh): the
// write fails part-way with "Stream write error", the old file stays whole, no partial file remains.
TEST(DiskFull, OldFileSurvivesAFullDisk) {
  const char* root = std::getenv("PRISMATONE_FULL_DISK");
  if (!root) GTEST_SKIP() << "runs only on the tiny file system of payload_tests.sh";
  TScratchFolder dir(std::wstring(root, root + strlen(root)));
  const std::wstring target = dir / L"Prismatone.exe";
  WriteWholeFile(target, BytesOf("the old program"));
  EXPECT_EQ(MessageOf([&] { ExtractPayload(kSelf, L"Prismatone", target); }), L"Stream write error");
  EXPECT_EQ(ReadWholeFile(target), BytesOf("the old program"));
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"Prismatone.exe"});
}
