// Inflating a payload: one zlib stream (RFC 1950) from a source stream into a destination stream.
#pragma once
#include "framework/Streams.h"

// A failure of the decompressor; the message is zlib's text for the failing code ("data error",
// "stream error", "insufficient memory", "buffer error", "incompatible version", "file error").
class EDecompressionError : public Exception {
 public:
  using Exception::Exception;
};

// Reads one zlib stream (zlib header, window bits 15) from source's current position and appends
// the inflated bytes to dest, in chunks of 4096 bytes (only the last chunk is shorter). Bytes after
// the end of the zlib stream are not looked at. A source that ends before the zlib stream does,
// with no fault in what is there, ends the output early without an error. Throws
// EDecompressionError for corrupt data and EWriteError "Stream write error" when dest takes fewer
// bytes than it is given.
void InflateStream(TStream& source, TStream& dest);

// The size of the chunks that carry data from the source to the decompressor and from the
// decompressor to the destination.
constexpr std::size_t kInflateChunk = 4096;
