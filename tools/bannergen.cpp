// bannergen <out.jpg>: draws the setup window's 200 × 500 banner and writes it as a JPEG.
//
// The picture is a prism splitting a beam of white light into a fan of spectral beams, over a
// deep blue to teal gradient with broad diagonal colour bands and a few soft glowing discs. It is
// drawn in floating point, with soft (Gaussian) edges everywhere so nothing needs separate
// anti-aliasing, then rounded to 8 bits with a fixed dither pattern. Nothing depends on time,
// randomness or input, so every run gives the same file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <vector>

#include "ToolFiles.h"
#include "imaging/JpegCodec.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 500;
constexpr int kQuality = 90;

struct TRgb {
  float r = 0, g = 0, b = 0;
};

TRgb operator*(TRgb c, float k) { return {c.r * k, c.g * k, c.b * k}; }
TRgb operator+(TRgb a, TRgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
TRgb Mix(TRgb a, TRgb b, float t) { return a * (1 - t) + b * t; }

float Smooth(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Saturated colour for a hue in 0…1 (0 red, 1/6 yellow, 1/3 green, 1/2 cyan, 2/3 blue).
TRgb Hue(float h) {
  auto channel = [&](float offset) {
    const float k = std::fmod(h * 6 + offset, 6.0f);
    return std::clamp(std::min(k, 4 - k), 0.0f, 1.0f);
  };
  return {channel(5), channel(3), channel(1)};
}

class TCanvas {
 public:
  TCanvas() : px_(std::size_t(kWidth) * kHeight) {}
  TRgb& At(int x, int y) { return px_[std::size_t(y) * kWidth + x]; }

  template <class Shade>
  void Each(Shade shade) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) shade(At(x, y), x + 0.5f, y + 0.5f);
  }

  // A beam of light from (x0, y0) along the unit direction (dx, dy): Gaussian across, widening
  // with distance, fading in over `fadeIn` and out towards `length`.
  void Beam(float x0, float y0, float angleDeg, float width, float spread, float length, float fadeIn, TRgb colour) {
    const float a = angleDeg * 3.14159265f / 180;
    const float dx = std::cos(a), dy = std::sin(a);
    Each([&](TRgb& p, float x, float y) {
      const float along = (x - x0) * dx + (y - y0) * dy;
      if (along <= 0) return;
      const float across = -(x - x0) * dy + (y - y0) * dx;
      const float w = width + along * spread;
      const float fall = Smooth(0, fadeIn, along) * (1 - Smooth(length * 0.4f, length, along));
      p = p + colour * (std::exp(-(across * across) / (w * w)) * fall * (width / w));
    });
  }

  // A soft glowing disc with a faint brighter rim.
  void Glow(float cx, float cy, float radius, TRgb colour) {
    Each([&](TRgb& p, float x, float y) {
      const float d = std::hypot(x - cx, y - cy) / radius;
      const float body = std::exp(-d * d * 1.6f) * 0.8f;
      const float rim = std::exp(-(d - 1) * (d - 1) * 40) * 0.25f;
      p = p + colour * (body + rim);
    });
  }

  // Distance-based soft line from a to b.
  void Line(float ax, float ay, float bx, float by, float width, TRgb colour) {
    const float lx = bx - ax, ly = by - ay, len2 = lx * lx + ly * ly;
    Each([&](TRgb& p, float x, float y) {
      const float t = std::clamp(((x - ax) * lx + (y - ay) * ly) / len2, 0.0f, 1.0f);
      const float ex = ax + t * lx - x, ey = ay + t * ly - y;
      p = p + colour * std::exp(-(ex * ex + ey * ey) / (width * width));
    });
  }

  // A filled triangle with soft edges (signed distance to the three edges).
  void Triangle(const float (&v)[3][2], TRgb fill) {
    Each([&](TRgb& p, float x, float y) {
      float inside = 1;
      for (int i = 0; i < 3; ++i) {
        const float* a = v[i];
        const float* b = v[(i + 1) % 3];
        const float ex = b[0] - a[0], ey = b[1] - a[1];
        const float d = ((x - a[0]) * ey - (y - a[1]) * ex) / std::hypot(ex, ey);  // > 0 inside (clockwise)
        inside = std::min(inside, Smooth(-0.8f, 0.8f, d));
      }
      // A little brighter towards the lit top.
      p = p + fill * (inside * (1.3f - y / kHeight));
    });
  }

  TBitmap32 ToBitmap() const {
    TBitmap32 b(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const TRgb& c = px_[std::size_t(y) * kWidth + x];
        // 4 × 4 ordered dither breaks up banding in the smooth gradients.
        static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
        const float dither = (kBayer[y & 3][x & 3] + 0.5f) / 16;
        auto to8 = [&](float v) {
          // Soft shoulder so bright overlaps bloom towards white instead of clipping hard.
          const float knee = 0.75f;
          if (v > knee) v = knee + (1 - knee) * (1 - std::exp(-(v - knee) / (1 - knee)));
          return std::uint32_t(std::clamp(int(v * 255 + dither), 0, 255));
        };
        b.Pixel(x, y) = to8(c.r) << 16 | to8(c.g) << 8 | to8(c.b);
      }
    return b;
  }

 private:
  std::vector<TRgb> px_;
};

TBitmap32 DrawBanner() {
  TCanvas c;

  // Background: deep navy at the top to teal near the bottom, darker again at the very foot,
  // with a gentle vignette at the sides.
  const TRgb top{0.02f, 0.04f, 0.14f}, middle{0.03f, 0.14f, 0.30f}, low{0.02f, 0.32f, 0.38f}, foot{0.01f, 0.16f, 0.22f};
  c.Each([&](TRgb& p, float x, float y) {
    const float t = y / kHeight;
    p = t < 0.45f ? Mix(top, middle, Smooth(0, 0.45f, t))
                  : t < 0.85f ? Mix(middle, low, Smooth(0.45f, 0.85f, t)) : Mix(low, foot, Smooth(0.85f, 1, t));
    const float side = (x / kWidth - 0.5f) * 2;
    p = p * (1 - 0.25f * side * side);
  });

  // Broad diagonal colour bands running from the lower left to the upper right.
  const struct {
    float offset, width;
    TRgb colour;
  } bands[] = {{120, 40, {0.02f, 0.10f, 0.16f}}, {260, 70, {0.05f, 0.04f, 0.14f}}, {390, 35, {0.00f, 0.12f, 0.10f}},
               {470, 60, {0.03f, 0.08f, 0.16f}}};
  for (const auto& band : bands)
    c.Each([&](TRgb& p, float x, float y) {
      const float d = (y + x * 0.7f - band.offset) / band.width;
      p = p + band.colour * std::exp(-d * d);
    });

  // Soft glowing discs, like out-of-focus lights.
  c.Glow(160, 62, 26, {0.05f, 0.12f, 0.20f});
  c.Glow(28, 300, 18, {0.04f, 0.14f, 0.16f});
  c.Glow(150, 380, 34, {0.05f, 0.10f, 0.18f});
  c.Glow(64, 446, 12, {0.10f, 0.20f, 0.22f});
  c.Glow(182, 236, 9, {0.10f, 0.14f, 0.24f});
  c.Glow(112, 30, 7, {0.12f, 0.16f, 0.22f});

  // The prism: an upward-pointing glass triangle near the top left.
  const float prism[3][2] = {{66, 112}, {112, 192}, {20, 192}};
  c.Triangle(prism, {0.05f, 0.08f, 0.11f});
  c.Line(prism[0][0], prism[0][1], prism[1][0], prism[1][1], 0.9f, {0.25f, 0.35f, 0.45f});
  c.Line(prism[1][0], prism[1][1], prism[2][0], prism[2][1], 0.9f, {0.12f, 0.20f, 0.28f});
  c.Line(prism[2][0], prism[2][1], prism[0][0], prism[0][1], 0.9f, {0.30f, 0.40f, 0.50f});

  // White light arrives from the upper left and meets the prism's left face.
  c.Line(-10, 118, 40, 154, 1.6f, {0.75f, 0.80f, 0.85f});
  c.Line(-10, 118, 40, 154, 5.0f, {0.10f, 0.12f, 0.16f});

  // Inside the glass it runs, dimmer, across to the right face...
  c.Line(40, 154, 86, 151, 1.4f, {0.22f, 0.24f, 0.28f});

  // ...and leaves the right face as a fan, red bent least and violet most.
  constexpr int kBeams = 7;
  for (int i = 0; i < kBeams; ++i) {
    const float f = float(i) / (kBeams - 1);
    const TRgb colour = Hue(f * 0.78f) * 0.30f;
    c.Beam(86, 150 + f * 3, 46 + f * 32, 2.2f, 0.018f, 560, 14, colour);
  }
  // A faint wide halo around the whole fan.
  c.Beam(86, 152, 62, 10, 0.05f, 500, 30, {0.05f, 0.07f, 0.09f});

  // Bright point where the light enters the prism.
  c.Glow(40, 154, 5, {0.6f, 0.65f, 0.7f});
  return c.ToBitmap();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bannergen <out.jpg>\n");
    return 2;
  }
  return tools::RunTool("bannergen", [&] {
    tools::WriteWholeFile(argv[1], EncodeJpeg(DrawBanner(), kQuality));
    return 0;
  });
}
