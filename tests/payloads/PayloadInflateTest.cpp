#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "setup/PayloadInflate.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

// Packs bytes the way the build's payloadpack does: one zlib stream at level 9.
Bytes Pack(const Bytes& data) {
  uLongf size = compressBound(uLong(data.size()));
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, data.data(), uLong(data.size()), Z_BEST_COMPRESSION), Z_OK);
  out.resize(size);
  return out;
}

// Text-like bytes that compress well but not to nothing.
Bytes Sample(std::size_t size, unsigned seed = 1) {
  std::mt19937 rng(seed);
  Bytes b(size);
  for (auto& x : b) x = std::uint8_t('a' + rng() % 8);
  return b;
}

Bytes Inflate(const Bytes& packed) {
  TReadOnlyMemoryStream source(packed.data(), packed.size());
  TMemoryStream dest;
  InflateStream(source, dest);
  return dest.Bytes();
}

std::wstring InflateError(const Bytes& packed) {
  try {
    Inflate(packed);
  } catch (const EDecompressionError& e) {
    return e.Message();
  }
  return L"(no error)";
}

// Records the size of every write it is given.
class TChunkLog : public TMemoryStream {
 public:
  std::size_t Write(const void* buffer, std::size_t count) override {
    sizes.push_back(count);
    return TMemoryStream::Write(buffer, count);
  }
  std::vector<std::size_t> sizes;
};

// Takes the first `room` bytes, then refuses to write more (a full disk).
class TFullAfter : public TMemoryStream {
 public:
  explicit TFullAfter(std::size_t room) : room_(room) {}
  std::size_t Write(const void* buffer, std::size_t count) override {
    const std::size_t n = std::min(count, room_);
    room_ -= n;
    return n ? TMemoryStream::Write(buffer, n) : 0;
  }

 private:
  std::size_t room_;
};
}  // namespace

// The packer's form: header 78 DA, and what comes back is what went in.
TEST(InflateStream, RoundTripOfLevel9Stream) {
  const Bytes data = Sample(100000);
  const Bytes packed = Pack(data);
  ASSERT_GE(packed.size(), 6u);
  EXPECT_EQ(packed[0], 0x78);
  EXPECT_EQ(packed[1], 0xDA);
  EXPECT_EQ(Inflate(packed), data);
}

// The batch file's text inflates to exactly its 33 bytes, without a line end.
TEST(InflateStream, BatchFileTextExact) {
  const std::string text = "start Prismatone.exe -newinstance";
  const Bytes packed = Pack(Bytes(text.begin(), text.end()));
  const Bytes out = Inflate(packed);
  ASSERT_EQ(out.size(), 33u);
  EXPECT_EQ(std::string(out.begin(), out.end()), text);
}

// Output goes out in 4096-byte chunks; only the last one is shorter.
TEST(InflateStream, WritesWholeChunksExceptTheLast) {
  const Bytes data = Sample(4096 * 5 + 123);
  const Bytes packed = Pack(data);
  TReadOnlyMemoryStream source(packed.data(), packed.size());
  TChunkLog dest;
  InflateStream(source, dest);
  EXPECT_EQ(dest.Bytes(), data);
  ASSERT_EQ(dest.sizes.size(), 6u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(dest.sizes[i], 4096u) << i;
  EXPECT_EQ(dest.sizes[5], 123u);
}

// An exact multiple of the chunk size ends without an empty trailing write.
TEST(InflateStream, ExactMultipleOfChunk) {
  const Bytes data = Sample(4096 * 3);
  const Bytes packed = Pack(data);
  TReadOnlyMemoryStream source(packed.data(), packed.size());
  TChunkLog dest;
  InflateStream(source, dest);
  EXPECT_EQ(dest.Bytes(), data);
  EXPECT_EQ(dest.sizes, (std::vector<std::size_t>{4096, 4096, 4096}));
}

// A payload of no bytes inflates to nothing, without error.
TEST(InflateStream, EmptyPayload) {
  const Bytes packed = Pack({});
  TReadOnlyMemoryStream source(packed.data(), packed.size());
  TChunkLog dest;
  InflateStream(source, dest);
  EXPECT_EQ(dest.Size(), 0);
  EXPECT_TRUE(dest.sizes.empty());
}

// Output is appended at the destination's position, after what it already holds.
TEST(InflateStream, AppendsToDestination) {
  const Bytes packed = Pack({'x', 'y'});
  TReadOnlyMemoryStream source(packed.data(), packed.size());
  TMemoryStream dest;
  dest.WriteBuffer("ab", 2);
  InflateStream(source, dest);
  EXPECT_EQ(dest.Bytes(), (Bytes{'a', 'b', 'x', 'y'}));
}

// One flipped byte in the deflate data gives zlib's "data error".
TEST(InflateStream, CorruptByteIsDataError) {
  const Bytes data = Sample(50000, 7);
  Bytes packed = Pack(data);
  packed[packed.size() / 2] ^= 0xFF;
  EXPECT_EQ(InflateError(packed), L"data error");
}

// A damaged check value is caught at the end ("data error").
TEST(InflateStream, WrongAdlerIsDataError) {
  Bytes packed = Pack(Sample(1000));
  packed.back() ^= 0x01;
  EXPECT_EQ(InflateError(packed), L"data error");
}

// A bad header (not a zlib stream at all) is a data error too.
TEST(InflateStream, BadHeaderIsDataError) {
  Bytes packed = Pack(Sample(1000));
  packed[0] = 0x00;
  EXPECT_EQ(InflateError(packed), L"data error");
  const Bytes raw = {'P', 'K', 3, 4, 0, 0, 0, 0};
  EXPECT_EQ(InflateError(raw), L"data error");
}

// A stream that asks for a preset dictionary cannot be a payload: reported as corrupt data.
TEST(InflateStream, PresetDictionaryIsDataError) {
  const Bytes data = Sample(1000);
  z_stream z{};
  ASSERT_EQ(deflateInit(&z, 9), Z_OK);
  const Bytes dict = {'a', 'b', 'c', 'd'};
  ASSERT_EQ(deflateSetDictionary(&z, dict.data(), uInt(dict.size())), Z_OK);
  Bytes out(2000);
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = uInt(data.size());
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  EXPECT_EQ(InflateError(out), L"data error");
}

// A cut-off stream yields the bytes that were there, shorter than the whole, and no error.
TEST(InflateStream, CutOffStreamGivesShorterOutput) {
  const Bytes data = Sample(200000, 3);
  const Bytes packed = Pack(data);
  const Bytes cut(packed.begin(), packed.begin() + std::ptrdiff_t(packed.size() / 2));
  Bytes out;
  ASSERT_NO_THROW(out = Inflate(cut));
  EXPECT_LT(out.size(), data.size());
  EXPECT_GT(out.size(), 0u);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin()));
  // Only the header: nothing comes out, still no error.
  EXPECT_TRUE(Inflate(Bytes(packed.begin(), packed.begin() + 2)).empty());
  // An empty source: nothing at all, no error.
  EXPECT_TRUE(Inflate({}).empty());
}

// Bytes after the end of the zlib stream are not read as data.
TEST(InflateStream, IgnoresBytesAfterTheStream) {
  const Bytes data = Sample(3000);
  Bytes packed = Pack(data);
  packed.insert(packed.end(), {0xDE, 0xAD, 0xBE, 0xEF});
  EXPECT_EQ(Inflate(packed), data);
}

// A destination that stops taking bytes part-way raises "Stream write error".
TEST(InflateStream, FailingWriteIsStreamWriteError) {
  const Bytes packed = Pack(Sample(20000));
  TReadOnlyMemoryStream source(packed.data(), packed.size());
  TFullAfter dest(5000);
  try {
    InflateStream(source, dest);
    FAIL() << "no error";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), L"Stream write error");
  }
}

// The source is read from its current position, not rewound.
TEST(InflateStream, ReadsFromSourcePosition) {
  const Bytes data = Sample(500);
  Bytes prefixed = {1, 2, 3};
  const Bytes packed = Pack(data);
  prefixed.insert(prefixed.end(), packed.begin(), packed.end());
  TReadOnlyMemoryStream source(prefixed.data(), prefixed.size());
  source.SetPosition(3);
  TMemoryStream dest;
  InflateStream(source, dest);
  EXPECT_EQ(dest.Bytes(), data);
}
