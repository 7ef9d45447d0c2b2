// The one failure every decoder reports, plus the size limits shared by all of them.
//
// Skin images come from skin packages and are untrusted: a decoder either returns a complete
// bitmap or throws EImageError. It never prints, never exits, and never reads outside the
// caller's buffer.
#pragma once
#include <cstdint>
#include <stdexcept>

class EImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TImageSize {
  int Width = 0, Height = 0;
  friend bool operator==(const TImageSize&, const TImageSize&) = default;
};

// No skin picture comes anywhere near these; anything larger is a damaged or hostile file, and
// refusing it before allocating keeps a small file from claiming gigabytes.
constexpr int kMaxImageSide = 16384;
constexpr std::int64_t kMaxImagePixels = std::int64_t(64) << 20;

constexpr bool ImageSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}
