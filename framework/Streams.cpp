#include "framework/Streams.h"

#include <algorithm>
#include <cstring>

std::int64_t TStream::Size() {
  const std::int64_t pos = Seek(0, TSeekOrigin::soCurrent);
  const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(pos, TSeekOrigin::soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<std::uint8_t> buf(std::size_t(std::min<std::int64_t>(count, 65536)));
  std::int64_t left = count;
  while (left > 0) {
    const std::size_t n = std::size_t(std::min<std::int64_t>(left, std::int64_t(buf.size())));
    source.ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    left -= std::int64_t(n);
  }
  return count;
}

namespace {
// Clamps a seek target to 0 … size (the position may not run past the data of a read-only view).
std::size_t SeekTarget(std::int64_t offset, TSeekOrigin origin, std::size_t pos, std::size_t size, bool clampEnd) {
  std::int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? std::int64_t(pos) : std::int64_t(size);
  std::int64_t target = std::max<std::int64_t>(0, base + offset);
  if (clampEnd) target = std::min<std::int64_t>(target, std::int64_t(size));
  return std::size_t(target);
}
}  // namespace

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (pos_ >= data_.size()) return 0;
  const std::size_t n = std::min(count, data_.size() - pos_);
  std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  const auto* src = static_cast<const std::uint8_t*>(buffer);
  if (pos_ > data_.size()) data_.resize(pos_);  // a gap left by seeking past the end reads as zeros
  // Bytes over existing data are copied in place; the rest is appended, which grows the buffer
  // geometrically and writes each new byte once (no zero fill first).
  const std::size_t overlap = std::min(count, data_.size() - pos_);
  if (overlap > 0) std::memcpy(data_.data() + pos_, src, overlap);
  data_.insert(data_.end(), src + overlap, src + count);
  pos_ += count;
  return count;
}

void TMemoryStream::ExpectWrite(std::int64_t bytes) {
  if (bytes <= 0) return;
  // Room that is reserved but never written costs address space only, not memory.
  const std::uint64_t want = std::uint64_t(pos_) + std::uint64_t(bytes);
  if (want <= data_.max_size() && want > data_.capacity()) data_.reserve(std::size_t(want));
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  pos_ = SeekTarget(offset, origin, pos_, data_.size(), false);
  return std::int64_t(pos_);
}

std::size_t TReadOnlyMemoryStream::Read(void* buffer, std::size_t count) {
  if (pos_ >= size_) return 0;
  const std::size_t n = std::min(count, size_ - pos_);
  std::memcpy(buffer, data_ + pos_, n);
  pos_ += n;
  return n;
}

std::int64_t TReadOnlyMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  pos_ = SeekTarget(offset, origin, pos_, size_, true);
  return std::int64_t(pos_);
}
