// The "ASzf" package reader and writer, and what damaged packages end in.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <random>

#include "SkinTestUtil.h"
#include "skin/data/sSkinPack.h"

using namespace skintest;

namespace {
std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 g(seed);
  std::vector<std::uint8_t> v(n);
  for (auto& b : v) b = std::uint8_t(g());
  return v;
}

std::unique_ptr<TsSkinConvertor> Read(std::vector<std::uint8_t> package) {
  auto c = std::make_unique<TsSkinConvertor>();
  c->SetPackedData(std::make_unique<TMemoryStream>(std::move(package)));
  ReadSkinPackage(c);
  return c;
}

std::vector<std::uint8_t> Le32(std::int32_t v) {
  const auto u = std::uint32_t(v);
  return {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
}

void Append(std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) { a.insert(a.end(), b.begin(), b.end()); }

// A stream that hands out at most three bytes per read, like a slow source would.
class TDribbleStream : public TStream {
 public:
  explicit TDribbleStream(std::vector<std::uint8_t> d) : m_(std::move(d)) {}
  std::size_t Read(void* b, std::size_t n) override { return m_.Read(b, std::min<std::size_t>(n, 3)); }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t o, TSeekOrigin r) override { return m_.Seek(o, r); }
  std::int64_t Size() override { return m_.Size(); }

 private:
  TMemoryStream m_;
};
}  // namespace

// Entries come back in package order with their names, bitmap flags and exact bytes; the options
// entry is taken out of the image list.
TEST(SkinPackage, RoundTripKeepsOrderAndRoles) {
  const auto pkg = WriteSkinPackage({{"Options.dat", Bytes("[GLOBALINFO]\r\nVERSION=7.20\r\n")},
                                     {"Huge.bmp", Bytes("bmp-one")},
                                     {"Master.BmP", Bytes("bmp-two")},
                                     {"CloseG.png", Bytes("png")},
                                     {"noext", Bytes("x")}});
  const auto c = Read(pkg);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->ImageCount, 4);
  ASSERT_EQ(c->Files.size(), 4u);
  EXPECT_EQ(c->Files[0].FileName, L"Huge.bmp");
  EXPECT_TRUE(c->Files[0].IsBitmap);
  EXPECT_TRUE(c->Files[1].IsBitmap);  // ".BmP" in any mix of cases
  EXPECT_FALSE(c->Files[2].IsBitmap);
  EXPECT_FALSE(c->Files[3].IsBitmap);
  EXPECT_EQ(c->Files[1].FileStream->Bytes(), Bytes("bmp-two"));
  ASSERT_TRUE(c->Options);
  EXPECT_EQ(c->Options->Bytes(), Bytes("[GLOBALINFO]\r\nVERSION=7.20\r\n"));
}

// OPTIONS.DAT in capitals is the options text; a later options entry replaces an earlier one.
TEST(SkinPackage, OptionsNameIgnoresCase) {
  const auto c = Read(WriteSkinPackage({{"OPTIONS.DAT", Bytes("first")}, {"a.png", Bytes("p")}, {"options.Dat", Bytes("second")}}));
  ASSERT_TRUE(c->Options);
  EXPECT_EQ(c->Options->Bytes(), Bytes("second"));
  EXPECT_EQ(c->Files.size(), 1u);
  EXPECT_EQ(c->ImageCount, 2);  // N − 1 as stored
  EXPECT_EQ(c->SearchableImageCount(), 1);  // but searches never pass the real entries
}

// The next entry's length is read right after each zlib stream: entries larger than the reader's
// read-ahead, incompressible ones, empty ones, and a stream that hands out three bytes per read.
TEST(SkinPackage, PositionAfterEveryStreamIsExact) {
  std::vector<TsPackageEntry> entries = {{"Options.dat", Bytes("[A]\r\nB=1\r\n")},
                                         {"big.bmp", RandomBytes(200000, 1)},
                                         {"zero.png", {}},
                                         {"tiny.png", Bytes("t")},
                                         {"repeat.png", std::vector<std::uint8_t>(300000, 7)},
                                         {"last.png", RandomBytes(70000, 2)}};
  for (int level : {0, 1, 9}) {
    const auto pkg = WriteSkinPackage(entries, level);
    const auto c = Read(pkg);
    ASSERT_EQ(c->Files.size(), 5u) << level;
    for (std::size_t i = 1; i < entries.size(); ++i) EXPECT_EQ(c->Files[i - 1].FileStream->Bytes(), entries[i].Data);

    auto d = std::make_unique<TsSkinConvertor>();
    TDribbleStream slow(pkg);
    d->LendPackedData(slow);
    ReadSkinPackage(d);
    ASSERT_EQ(d->Files.size(), 5u);
    EXPECT_EQ(d->Files[4].FileStream->Bytes(), entries[5].Data);
    EXPECT_EQ(slow.Position(), std::int64_t(pkg.size()));
  }
}

// A lent stream is given back untouched: the convertor never frees or keeps it.
TEST(SkinPackage, LentStreamStaysWithItsOwner) {
  TMemoryStream owned(WriteSkinPackage({{"Options.dat", Bytes("x")}}));
  auto c = std::make_unique<TsSkinConvertor>();
  c->LendPackedData(owned);
  ReadSkinPackage(c);
  c->ReleasePackedData();
  EXPECT_EQ(c->PackedData(), nullptr);
  c.reset();
  EXPECT_GT(owned.Size(), 8);
}

// A wrong magic clears and destroys the convertor and raises the format message.
TEST(SkinPackage, WrongMagic) {
  auto c = std::make_unique<TsSkinConvertor>();
  auto bad = WriteSkinPackage({{"Options.dat", Bytes("x")}});
  bad[3] = 'F';
  c->SetPackedData(std::make_unique<TMemoryStream>(bad));
  try {
    ReadSkinPackage(c);
    FAIL();
  } catch (const ESkinPackageError& e) {
    EXPECT_EQ(e.Message(), L"Loaded data is not a packed Velour file");
  }
  EXPECT_EQ(c, nullptr);
  // Shorter than the magic: the same error.
  auto d = std::make_unique<TsSkinConvertor>();
  d->SetPackedData(std::make_unique<TMemoryStream>(Bytes("AS")));
  EXPECT_THROW(ReadSkinPackage(d), ESkinPackageError);
}

// The message for a package without options names the skin in double quotes.
TEST(SkinPackage, MissingOptionsMessage) {
  EXPECT_EQ(PackageWithoutOptionsMessage(L"Zeta"),
            L"\"Zeta\" skin have internal format error. Please update this skin to latest version.");
}

// Truncation anywhere ends in an error, never in stale values or a long loop.
TEST(SkinPackage, TruncatedPackageFails) {
  const auto pkg = WriteSkinPackage({{"Options.dat", Bytes("[A]\r\nB=1\r\n")}, {"x.bmp", RandomBytes(500, 3)}});
  for (std::size_t n = 4; n < pkg.size(); ++n) {
    std::vector<std::uint8_t> cut(pkg.begin(), pkg.begin() + std::ptrdiff_t(n));
    EXPECT_ANY_THROW(Read(cut)) << n;
  }
  EXPECT_NO_THROW(Read(pkg));
}

// Absurd counts and lengths fail at once without allocating what they claim.
TEST(SkinPackage, AbsurdNumbersFail) {
  std::vector<std::uint8_t> p = Bytes("ASzf");
  Append(p, Le32(0x7FFFFFFF));  // entries
  EXPECT_THROW(Read(p), EReadError);

  std::vector<std::uint8_t> q = Bytes("ASzf");
  Append(q, Le32(1));
  Append(q, Le32(0x7FFFFFF0));  // name length
  Append(q, Bytes("abc"));
  EXPECT_THROW(Read(q), EReadError);

  std::vector<std::uint8_t> r = Bytes("ASzf");
  Append(r, Le32(1));
  Append(r, Le32(-5));  // negative name length
  EXPECT_THROW(Read(r), EReadError);

  std::vector<std::uint8_t> s = Bytes("ASzf");
  Append(s, Le32(1));
  Append(s, Le32(1));
  Append(s, Bytes("a"));
  Append(s, Le32(0x7FFFFFFF));  // inflated size far beyond what the input could hold
  Append(s, ZlibCompress(Bytes("abc")));
  EXPECT_THROW(Read(s), EReadError);

  // Zero or negative entry counts read nothing.
  std::vector<std::uint8_t> t = Bytes("ASzf");
  Append(t, Le32(-3));
  const auto c = Read(t);
  EXPECT_EQ(c->Files.size(), 0u);
  EXPECT_EQ(c->SearchableImageCount(), 0);
}

// An entry size that does not match the stream's data is an error either way.
TEST(SkinPackage, LyingEntrySizeFails) {
  for (std::int32_t size : {0, 9, 11, -1}) {
    std::vector<std::uint8_t> p = Bytes("ASzf");
    Append(p, Le32(2));
    Append(p, Le32(1));
    Append(p, Bytes("a"));
    Append(p, Le32(size));
    Append(p, ZlibCompress(Bytes("0123456789")));
    Append(p, Le32(1));
    Append(p, Bytes("b"));
    Append(p, Le32(1));
    Append(p, ZlibCompress(Bytes("z")));
    EXPECT_THROW(Read(p), EReadError) << size;
  }
}

// A damaged zlib stream ends with zlib's message.
TEST(SkinPackage, CorruptStreamFails) {
  std::vector<std::uint8_t> p = Bytes("ASzf");
  Append(p, Le32(1));
  Append(p, Le32(1));
  Append(p, Bytes("a"));
  Append(p, Le32(10));
  auto z = ZlibCompress(Bytes("0123456789"));
  z[0] ^= 0x55;  // header check fails
  Append(p, z);
  try {
    Read(p);
    FAIL();
  } catch (const ESkinInflateError& e) {
    EXPECT_FALSE(e.Message().empty());
  }
  // A flipped Adler-32 trailer is caught too.
  std::vector<std::uint8_t> q(p.begin(), p.end() - std::ptrdiff_t(z.size()));
  auto z2 = ZlibCompress(Bytes("0123456789"));
  z2.back() ^= 1;
  Append(q, z2);
  EXPECT_THROW(Read(q), ESkinInflateError);
}

// Entry names are ANSI text: Windows-1252 natively.
TEST(SkinPackage, NamesAreAnsi) {
  const auto c = Read(WriteSkinPackage({{"\x80uro.png", Bytes("x")}}));
  ASSERT_EQ(c->Files.size(), 1u);
  EXPECT_EQ(c->Files[0].FileName, std::wstring(1, wchar_t(0x20AC)) + L"uro.png");
}

// Clear frees everything and leaves an empty convertor.
TEST(SkinPackage, ClearEmptiesEverything) {
  auto c = Read(WriteSkinPackage({{"Options.dat", Bytes("x")}, {"a.bmp", Bytes("y")}}));
  c->Clear();
  EXPECT_TRUE(c->Files.empty());
  EXPECT_EQ(c->Options, nullptr);
  EXPECT_EQ(c->PackedData(), nullptr);
}

// Image search: upper-cased entry names against the given text, within the searchable entries.
TEST(SkinPackage, FindImageComparesUpperCasedNames) {
  const auto c = Read(WriteSkinPackage({{"Options.dat", Bytes("x")}, {"CloseG.png", Bytes("y")}}));
  EXPECT_EQ(c->FindImage(L"CLOSEG.PNG"), 0);
  EXPECT_EQ(c->FindImage(L"closeg.png"), -1);
  EXPECT_EQ(c->FindImage(L"CloseG.png"), -1);
}

// Loading a package file: a missing file changes nothing; an existing one fills the convertor
// and, with the drop flag, frees the raw bytes.
TEST(SkinPackage, LoadFromFile) {
  TempDir dir;
  std::unique_ptr<TsSkinConvertor> c;
  LoadSkinPackageFile(dir.Text() + L"missing.asz", c, true);
  EXPECT_EQ(c, nullptr);
  dir.Write("Skin.asz", WriteSkinPackage({{"Options.dat", Bytes("x")}, {"a.bmp", Bytes("y")}}));
  LoadSkinPackageFile(dir.Text() + L"Skin.asz", c, true);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Files.size(), 1u);
  EXPECT_EQ(c->PackedData(), nullptr);
  LoadSkinPackageFile(dir.Text() + L"SKIN.ASZ", c, false);  // file names ignore case
  EXPECT_NE(c->PackedData(), nullptr);
}
