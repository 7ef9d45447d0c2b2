// Byte streams: the abstract stream, and the memory stream. File and resource streams need the
// platform and live in FileStream.h / ResourceStream.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Exception.h"

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
  virtual std::int64_t Size();

  // Read or write exactly count bytes, or throw "Stream read error" / "Stream write error".
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
  // Copies count bytes from source (all of it from the start when count is 0).
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
  // A hint that about this many more bytes will be written; streams that can make room ahead
  // (memory streams) do, the others ignore it.
  virtual void ExpectWrite(std::int64_t bytes) {}
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return std::int64_t(data_.size()); }

  void ExpectWrite(std::int64_t bytes) override;
  void Clear() { data_.clear(); pos_ = 0; }
  void SetSize(std::size_t size) { data_.resize(size); if (pos_ > size) pos_ = size; }
  const std::uint8_t* Memory() const { return data_.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
  std::size_t pos_ = 0;
};

// Reads a stream that only views memory owned elsewhere (a resource, a layout blob).
class TReadOnlyMemoryStream : public TStream {
 public:
  TReadOnlyMemoryStream(const void* data, std::size_t size) : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return std::int64_t(size_); }
  const std::uint8_t* Memory() const { return data_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};
