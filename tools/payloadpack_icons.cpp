// payloadicons <app|preset|theme> <out.ico>: draws one of the main program's icons (the program,
// its preset files, its theme files) as a 32-bit icon file with 16, 32 and 48 pixel images.
//   app    - a blue prism with a lit inner face
//   preset - a white page with a green swatch
//   theme  - a white page with an orange swatch
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ToolFiles.h"

namespace {
struct Rgba {
  std::uint8_t r, g, b, a;
};

// Picks the colour of point (x, y) in a 1 × 1 design square, or transparent.
using Shader = Rgba (*)(double x, double y);

bool InTriangle(double x, double y, double ax, double ay, double bx, double by, double cx, double cy) {
  auto side = [](double px, double py, double qx, double qy, double rx, double ry) { return (qx - px) * (ry - py) - (qy - py) * (rx - px); };
  const double d1 = side(ax, ay, bx, by, x, y), d2 = side(bx, by, cx, cy, x, y), d3 = side(cx, cy, ax, ay, x, y);
  const bool neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
  return !(neg && pos);
}

Rgba App(double x, double y) {
  if (InTriangle(x, y, 0.5, 0.3, 0.74, 0.76, 0.26, 0.76)) return {150, 190, 255, 255};  // lit inner face
  if (InTriangle(x, y, 0.5, 0.08, 0.94, 0.88, 0.06, 0.88)) {
    const auto shade = std::uint8_t(200 + 40 * (1 - y));
    return {std::uint8_t(40 + 40 * x), 70, shade, 255};
  }
  return {0, 0, 0, 0};
}

// A page with a folded corner and a round swatch of the given colour in its middle.
Rgba Page(double x, double y, Rgba swatch) {
  if (x < 0.16 || x > 0.84 || y < 0.06 || y > 0.94) return {0, 0, 0, 0};
  if (x > 0.64 && y < 0.26) {  // the folded top right corner
    if (y - 0.06 < x - 0.64) return {0, 0, 0, 0};
    return {190, 190, 200, 255};
  }
  const double dx = x - 0.5, dy = y - 0.55;
  if (dx * dx + dy * dy < 0.27 * 0.27) return swatch;
  const bool edge = x < 0.2 || x > 0.8 || y < 0.1 || y > 0.9;
  return edge ? Rgba{150, 150, 160, 255} : Rgba{250, 250, 250, 255};
}
Rgba Preset(double x, double y) { return Page(x, y, {20, 170, 70, 255}); }
Rgba Theme(double x, double y) { return Page(x, y, {235, 110, 20, 255}); }

// One image: 32-bit BGRA rows bottom-up after a BITMAPINFOHEADER of twice the height, then the
// 1-bit AND mask (all zero: the alpha channel decides).
std::vector<std::uint8_t> Image(Shader shader, int size) {
  std::vector<std::uint8_t> out(40, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) { for (int i = 0; i < 4; ++i) out[at + i] = std::uint8_t(v >> (8 * i)); };
  put32(0, 40);
  put32(4, std::uint32_t(size));
  put32(8, std::uint32_t(size * 2));
  out[12] = 1;   // planes
  out[14] = 32;  // bits per pixel
  const int sub = 4;
  for (int row = size - 1; row >= 0; --row) {
    for (int col = 0; col < size; ++col) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < sub; ++sy)
        for (int sx = 0; sx < sub; ++sx) {
          const Rgba c = shader((col + (sx + 0.5) / sub) / size, (row + (sy + 0.5) / sub) / size);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      const double n = sub * sub;
      out.push_back(a ? std::uint8_t(b / a + 0.5) : 0);
      out.push_back(a ? std::uint8_t(g / a + 0.5) : 0);
      out.push_back(a ? std::uint8_t(r / a + 0.5) : 0);
      out.push_back(std::uint8_t(a / n + 0.5));
    }
  }
  const std::size_t maskRow = std::size_t((size + 31) / 32 * 4);
  out.resize(out.size() + maskRow * std::size_t(size), 0);
  return out;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: payloadicons <app|preset|theme> <out.ico>\n");
    return 2;
  }
  const std::string kind = argv[1];
  const Shader shader = kind == "app" ? App : kind == "preset" ? Preset : kind == "theme" ? Theme : nullptr;
  if (!shader) {
    std::fprintf(stderr, "payloadicons: unknown icon %s\n", argv[1]);
    return 2;
  }
  const int sizes[] = {16, 32, 48};
  std::vector<std::vector<std::uint8_t>> images;
  for (int s : sizes) images.push_back(Image(shader, s));

  std::vector<std::uint8_t> file;
  auto put16 = [&](std::uint16_t v) { file.push_back(std::uint8_t(v)); file.push_back(std::uint8_t(v >> 8)); };
  auto put32 = [&](std::uint32_t v) { put16(std::uint16_t(v)); put16(std::uint16_t(v >> 16)); };
  put16(0);
  put16(1);  // icon
  put16(std::uint16_t(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    file.push_back(std::uint8_t(sizes[i]));
    file.push_back(std::uint8_t(sizes[i]));
    file.push_back(0);  // colour count
    file.push_back(0);
    put16(1);   // planes
    put16(32);  // bits per pixel
    put32(std::uint32_t(images[i].size()));
    put32(offset);
    offset += std::uint32_t(images[i].size());
  }
  for (const auto& img : images) file.insert(file.end(), img.begin(), img.end());
  return tools::RunTool("payloadicons", [&] {
    tools::WriteWholeFile(argv[2], file);
    return 0;
  });
}
