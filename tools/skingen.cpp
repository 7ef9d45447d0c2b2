// skingen <Options.dat> <outdir>: draws every image of our internal skin "Cobalt3 (internal)".
//        skingen --base R G B: prints the stored colour value that becomes R, G, B on screen.
//        skingen --light <out.png>: draws the gauge's light strip picture (the "ORBL" resource).
//        skingen --edit-glyphs <outdir>: draws the edit button's built-in glyphs SF.png, SR.png,
//        SD.png, SE.png, SC.png (the resources of the same names).
//
// Writes into <outdir>: Master.bmp (the master bitmap, 24 bits, magenta 0xFF00FF where nothing is
// drawn), Huge.bmp (the BUTTON_HUGE border), the five glow pictures CloseAG.png, CloseG.png,
// MaxG.png, MinG.png, NormG.png, and Preview.png (a mock-up of the window's pieces as they look on
// screen, for people; it is not packed).
//
// Where each piece lies in the master bitmap is read from the options text itself: for every
// piece we draw, the value of its key ("^", "@" or "~" form) gives the rectangle, the number of
// frames and the layers, and the painter draws each frame at that size. The options text is the
// only place that holds coordinates.
//
// Colours: the setup window shifts every hue of the skin by 196 degrees when it loads it. Pieces
// are painted in the colours they should have on screen; each pixel is then turned into the stored
// colour whose shifted hue gives it back (a search over the stored hues through the very hue
// transform the loader applies). The close icons keep their hue on screen (BIKEEPHUE 2), so they
// are stored as painted. Nothing depends on time or randomness: every run writes the same files.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "ToolFiles.h"
#include "imaging/Bitmap32.h"
#include "imaging/PngCodec.h"
#include "skin/base/sColorTransforms.h"

namespace {

constexpr int kHueOffset = 196;
constexpr std::uint32_t kKey = 0x00FF00FF;  // B, G, R = FF, 00, FF

// ---- Colours -------------------------------------------------------------------------------

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// A pixel in straight (not premultiplied) floating point, 0…255 per channel, alpha 0…1.
struct Px {
  float r = 0, g = 0, b = 0, a = 0;
};

Px Col(Rgb c, float a = 1) { return {float(c.r), float(c.g), float(c.b), a}; }
Rgb Mix(Rgb x, Rgb y, float t) {
  return {int(std::lround(x.r + (y.r - x.r) * t)), int(std::lround(x.g + (y.g - x.g) * t)),
          int(std::lround(x.b + (y.b - x.b) * t))};
}

// The loader's own hue shift of one colour, so that stored colours can be chosen for their
// on-screen result.
Rgb ShiftHue(Rgb c, int offset) {
  const std::uint32_t p = ChangePixelHue(offset, std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | std::uint32_t(c.b));
  return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

Rgb FromHsv(double h, double s, double v) {
  h = std::fmod(h + 360, 360);
  const double c = v * s, x = c * (1 - std::fabs(std::fmod(h / 60, 2) - 1)), m = v - c;
  double r = 0, g = 0, b = 0;
  if (h < 60) r = c, g = x;
  else if (h < 120) r = x, g = c;
  else if (h < 180) g = c, b = x;
  else if (h < 240) g = x, b = c;
  else if (h < 300) r = x, b = c;
  else r = c, b = x;
  auto q = [&](double u) { return std::clamp(int(std::lround((u + m) * 255)), 0, 255); };
  return {q(r), q(g), q(b)};
}

int Error(Rgb a, Rgb b) { return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)}); }

// The stored colour whose shifted hue is closest to `screen`: first the plain rotation back, then,
// when that misses by more than a step, every stored hue at the same saturation and value, each
// also tried one step lighter and darker.
Rgb StoredFor(Rgb screen) {
  static std::unordered_map<int, Rgb> cache;
  const int keyv = screen.r << 16 | screen.g << 8 | screen.b;
  if (auto it = cache.find(keyv); it != cache.end()) return it->second;
  Rgb best = screen;
  if (!(screen.r == screen.g && screen.g == screen.b)) {
    const double R = screen.r / 255.0, G = screen.g / 255.0, B = screen.b / 255.0;
    const double V = std::max({R, G, B}), m = std::min({R, G, B}), d = V - m, S = d / V;
    double H = V == R ? 60 * std::fmod((G - B) / d, 6) : V == G ? 60 * ((B - R) / d + 2) : 60 * ((R - G) / d + 4);
    best = FromHsv(H - kHueOffset, S, V);
    int bestErr = Error(ShiftHue(best, kHueOffset), screen);
    if (bestErr > 1) {
      for (int h = 0; h < 360 && bestErr > 0; ++h)
        for (double dv : {0.0, -1 / 255.0, 1 / 255.0}) {
          const Rgb c = FromHsv(h, S, std::clamp(V + dv, 0.0, 1.0));
          const int e = Error(ShiftHue(c, kHueOffset), screen);
          if (e < bestErr) bestErr = e, best = c;
        }
    }
  }
  // The key colour is transparency; never store it by accident.
  if (best.r == 255 && best.g == 0 && best.b == 255) best.g = 1;
  cache[keyv] = best;
  return best;
}

// ---- A small floating-point canvas ------------------------------------------------------------

class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h), px_(std::size_t(std::max(w, 0) * std::max(h, 0))) {}
  int W() const { return w_; }
  int H() const { return h_; }
  Px& At(int x, int y) { return px_[std::size_t(y * w_ + x)]; }
  const Px& At(int x, int y) const { return px_[std::size_t(y * w_ + x)]; }

  // Lays colour c with coverage k (0…1) over pixel (x, y).
  void Blend(int x, int y, Px c, float k) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    const float sa = std::clamp(c.a * k, 0.0f, 1.0f);
    if (sa <= 0) return;
    Px& d = At(x, y);
    const float oa = sa + d.a * (1 - sa);
    auto ch = [&](float s, float dd) { return oa > 0 ? (s * sa + dd * d.a * (1 - sa)) / oa : 0.0f; };
    d = {ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), oa};
  }

  // Paints every pixel whose 4 × 4 sub-samples fall inside `inside`, colour by `paint`.
  void Shape(const std::function<bool(float, float)>& inside, const std::function<Px(float, float)>& paint) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        int n = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx)
            if (inside(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4)) ++n;
        if (n) Blend(x, y, paint(x + 0.5f, y + 0.5f), n / 16.0f);
      }
  }

 private:
  int w_, h_;
  std::vector<Px> px_;
};

// Inside a rectangle with rounded corners of radius r (edges in pixel coordinates).
bool InRound(float x, float y, float x0, float y0, float x1, float y1, float r) {
  if (x < x0 || y < y0 || x > x1 || y > y1) return false;
  const float cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

float SegDist(float x, float y, float ax, float ay, float bx, float by) {
  const float vx = bx - ax, vy = by - ay;
  const float t = std::clamp(((x - ax) * vx + (y - ay) * vy) / std::max(vx * vx + vy * vy, 1e-6f), 0.0f, 1.0f);
  const float dx = x - ax - t * vx, dy = y - ay - t * vy;
  return std::sqrt(dx * dx + dy * dy);
}

void FillRound(Canvas& c, float x0, float y0, float x1, float y1, float r, const std::function<Px(float, float)>& paint) {
  c.Shape([=](float x, float y) { return InRound(x, y, x0, y0, x1, y1, r); }, paint);
}
void FillRound(Canvas& c, float x0, float y0, float x1, float y1, float r, Px colour) {
  FillRound(c, x0, y0, x1, y1, r, [=](float, float) { return colour; });
}
// A ring of width `t` just inside the rounded rectangle.
void StrokeRound(Canvas& c, float x0, float y0, float x1, float y1, float r, float t, Px colour) {
  c.Shape(
      [=](float x, float y) {
        return InRound(x, y, x0, y0, x1, y1, r) && !InRound(x, y, x0 + t, y0 + t, x1 - t, y1 - t, std::max(r - t, 0.0f));
      },
      [=](float, float) { return colour; });
}
void Polyline(Canvas& c, const std::vector<std::array<float, 2>>& pts, float width, Px colour) {
  c.Shape(
      [&](float x, float y) {
        for (std::size_t i = 0; i + 1 < pts.size(); ++i)
          if (SegDist(x, y, pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1]) <= width / 2) return true;
        return false;
      },
      [=](float, float) { return colour; });
}
// Vertical gradient between two colours over y0…y1.
std::function<Px(float, float)> VGrad(Rgb top, Rgb bottom, float y0, float y1) {
  return [=](float, float y) { return Col(Mix(top, bottom, std::clamp((y - y0) / std::max(y1 - y0, 1.0f), 0.0f, 1.0f))); };
}
std::function<Px(float, float)> HGrad(Rgb left, Rgb right, float x0, float x1) {
  return [=](float x, float) { return Col(Mix(left, right, std::clamp((x - x0) / std::max(x1 - x0, 1.0f), 0.0f, 1.0f))); };
}

// ---- The palette, as it looks on screen ------------------------------------------------------

const Rgb kClient{28, 26, 50};           // the window's client area (FORM)
const Rgb kTitleTop{62, 56, 122}, kTitleBottom{34, 31, 72};
const Rgb kTitleTopOff{54, 52, 74}, kTitleBottomOff{38, 37, 54};
const Rgb kFrameOuter{92, 84, 170}, kFrameOuterOff{74, 72, 98};
const Rgb kFrameInner{18, 17, 36};
const Rgb kTeal{44, 176, 206}, kTealDeep{30, 118, 150}, kAqua{70, 232, 236};
const Rgb kFaceTop{74, 68, 140}, kFaceBottom{44, 40, 90}, kFaceEdge{108, 100, 188};
const Rgb kFaceHotTop{86, 80, 160}, kFaceHotBottom{50, 46, 104};
const Rgb kFaceDownTop{30, 28, 64}, kFaceDownBottom{48, 44, 96};
const Rgb kGlyph{196, 198, 226}, kGlyphHot{230, 250, 252};
const Rgb kWell{12, 12, 24};  // check boxes, tracks

// ---- Pieces ----------------------------------------------------------------------------------

// One frame of a piece: its size, its index (normally the state), and its canvas.
using Painter = std::function<void(Canvas&, int frame)>;

// A button face filling the frame: rounded, vertical gradient, a light top edge; frame 0 normal,
// 1 hot (teal rim), 2 pressed, 3 default.
void ButtonFace(Canvas& c, int f, float radius) {
  const float w = float(c.W()), h = float(c.H());
  Rgb top = kFaceTop, bottom = kFaceBottom, rim = kFaceEdge;
  if (f == 1 || f == 3) top = kFaceHotTop, bottom = kFaceHotBottom, rim = kTeal;
  if (f == 2) top = kFaceDownTop, bottom = kFaceDownBottom, rim = kTealDeep;
  FillRound(c, 0, 0, w, h, radius, Col(rim));
  FillRound(c, 1, 1, w - 1, h - 1, std::max(radius - 1, 0.0f), VGrad(top, bottom, 1, h - 1));
  if (f != 2) {  // a soft highlight along the top inside edge
    c.Shape([=](float x, float y) { return InRound(x, y, 1, 1, w - 1, h - 1, std::max(radius - 1, 0.0f)) && y < 2.2f; },
            [=](float, float) { return Col(Mix(top, Rgb{255, 255, 255}, f == 1 ? 0.35f : 0.22f)); });
  }
  if (f == 1)  // the hot face glows from its lower edge
    c.Shape([=](float x, float y) { return InRound(x, y, 1, 1, w - 1, h - 1, std::max(radius - 1, 0.0f)) && y > h - 4; },
            [=](float, float y) { return Col(kTeal, 0.18f * (y - (h - 4)) / 3); });
}

// The window frame: an outer line and a dark inner line, rounded bottom corners.
void FramePiece(Canvas& c, int f) {
  const float w = float(c.W()), h = float(c.H());
  const Rgb outer = f ? kFrameOuter : kFrameOuterOff;
  FillRound(c, 0, 0, w, h, 3, Col(outer));
  FillRound(c, 1, 1, w - 1, h - 1, 2, Col(Mix(outer, kClient, 0.55f)));
  FillRound(c, 2, 2, w - 2, h - 2, 1, Col(kFrameInner));
  FillRound(c, 3, 3, w - 3, h - 3, 0, Col(kClient));
}

// The title strip's rim: rounded top corners, a light top line, a separator at the bottom; the
// middle stays transparent (the section's gradient shows through).
void TitlePiece(Canvas& c, int f) {
  const float w = float(c.W()), h = float(c.H());
  const Rgb outer = f ? kFrameOuter : kFrameOuterOff;
  const Rgb top = f ? kTitleTop : kTitleTopOff, bottom = f ? kTitleBottom : kTitleBottomOff;
  FillRound(c, 0, 0, w, h + 6, 5, Col(outer));
  FillRound(c, 1, 1, w - 1, h + 6, 4, VGrad(Mix(top, Rgb{255, 255, 255}, 0.18f), top, 1, 3));
  FillRound(c, 2, 2, w - 2, h + 6, 3, VGrad(top, bottom, 0, h));
  for (int x = 0; x < c.W(); ++x) {
    c.Blend(x, c.H() - 2, Col(kFrameInner), 1);
    c.Blend(x, c.H() - 1, Col(f ? Mix(outer, kTeal, 0.5f) : outer), 1);
  }
  // The middle is left to the section (the centre is not drawn; clear it anyway).
  for (int y = 4; y < c.H() - 2; ++y)
    for (int x = 6; x < c.W() - 6; ++x) c.At(x, y) = {};
}

// A darker tab behind the caption buttons that fades in from the left.
void TitleBarPiece(Canvas& c, int) {
  const float w = float(c.W()), h = float(c.H());
  c.Shape([=](float x, float y) { return y >= 1 && y < h - 2; },
          [=](float x, float) { return Col(Rgb{18, 16, 40}, 0.55f * std::clamp(x / 14.0f, 0.0f, 1.0f)); });
  (void)w;
}

// Caption-button glyphs.
enum class Glyph { Close, Max, Norm, Min, Help, None };

void DrawGlyph(Canvas& c, Glyph g, float cx, float cy, float s, Px ink, float pen) {
  switch (g) {
    case Glyph::Close:
      Polyline(c, {{cx - s, cy - s}, {cx + s, cy + s}}, pen, ink);
      Polyline(c, {{cx - s, cy + s}, {cx + s, cy - s}}, pen, ink);
      break;
    case Glyph::Max:
      StrokeRound(c, cx - s - 0.5f, cy - s - 0.5f, cx + s + 0.5f, cy + s + 0.5f, 1, pen * 0.75f, ink);
      Polyline(c, {{cx - s, cy - s + 1}, {cx + s, cy - s + 1}}, pen, ink);
      break;
    case Glyph::Norm:
      StrokeRound(c, cx - s + 1.5f, cy - s - 0.5f, cx + s + 0.5f, cy + s - 1.5f, 1, pen * 0.7f, ink);
      StrokeRound(c, cx - s - 0.5f, cy - s + 1.5f, cx + s - 1.5f, cy + s + 0.5f, 1, pen * 0.7f, ink);
      break;
    case Glyph::Min: Polyline(c, {{cx - s, cy + s - 0.5f}, {cx + s, cy + s - 0.5f}}, pen, ink); break;
    case Glyph::Help:
      Polyline(c, {{cx - s * 0.8f, cy - s * 0.45f}, {cx - s * 0.4f, cy - s}, {cx + s * 0.4f, cy - s}, {cx + s * 0.8f, cy - s * 0.5f},
                   {cx, cy + s * 0.15f}, {cx, cy + s * 0.45f}},
               pen * 0.85f, ink);
      FillRound(c, cx - 0.9f, cy + s * 0.75f, cx + 0.9f, cy + s * 0.75f + 1.8f, 0.9f, ink);
      break;
    case Glyph::None: break;
  }
}

// A caption button frame: 0 normal, 1 hot, 2 pressed. Close buttons turn red when hot.
void CaptionButton(Canvas& c, int f, Glyph g, bool big) {
  const float w = float(c.W()), h = float(c.H());
  const bool close = g == Glyph::Close;
  const float r = big ? 4 : 3;
  if (f == 0) {
    FillRound(c, 0.5f, 0.5f, w - 0.5f, h - 0.5f, r, Col(Rgb{255, 255, 255}, 0.07f));
  } else {
    const Rgb hot = close ? Rgb{212, 52, 74} : Rgb{70, 150, 196};
    const Rgb down = close ? Rgb{150, 30, 52} : Rgb{40, 96, 140};
    const Rgb base = f == 1 ? hot : down;
    FillRound(c, 0, 0, w, h, r, Col(Mix(base, Rgb{255, 255, 255}, 0.2f)));
    FillRound(c, 1, 1, w - 1, h - 1, r - 1, VGrad(Mix(base, Rgb{255, 255, 255}, 0.12f), Mix(base, Rgb{0, 0, 0}, 0.18f), 1, h - 1));
  }
  const Px ink = Col(f == 0 ? kGlyph : Rgb{255, 255, 255});
  const float s = big ? 4.5f : 3.5f;
  DrawGlyph(c, g, w / 2, h / 2, s, ink, big ? 1.7f : 1.5f);
}

// Check-box glyph, 15 × 15 frames: 0 normal, 1 hot, 2 pressed. mark: 0 none, 1 check, 2 grey.
void CheckGlyph(Canvas& c, int f, int mark) {
  const float w = float(c.W()), h = float(c.H());
  const Rgb rim = f == 0 ? Rgb{112, 104, 186} : f == 1 ? kTeal : kTealDeep;
  FillRound(c, 1, 1, w - 1, h - 1, 3, Col(rim));
  FillRound(c, 2, 2, w - 2, h - 2, 2, VGrad(Rgb{8, 8, 18}, f == 1 ? Rgb{22, 40, 60} : Rgb{26, 24, 52}, 2, h - 2));
  if (mark == 1) {
    const Rgb ink = f == 2 ? kTeal : kAqua;
    Polyline(c, {{4.2f, 7.6f}, {6.6f, 10.2f}, {11.0f, 4.6f}}, 2.1f, Col(ink));
  } else if (mark == 2) {
    FillRound(c, 4.5f, 4.5f, w - 4.5f, h - 4.5f, 1, Col(Rgb{96, 110, 150}));
  }
}

// A small chevron pointing down (dir 0), up (1), left (2) or right (3).
void Chevron(Canvas& c, int f, int dir, Rgb normal) {
  const float w = float(c.W()), h = float(c.H()), cx = w / 2, cy = h / 2;
  const Rgb ink = f == 0 ? normal : f == 1 ? kAqua : kTeal;
  const float a = std::min(w, h) * 0.36f, b = a * 0.55f;
  std::vector<std::array<float, 2>> p;
  switch (dir) {
    case 0: p = {{cx - a, cy - b}, {cx, cy + b}, {cx + a, cy - b}}; break;
    case 1: p = {{cx - a, cy + b}, {cx, cy - b}, {cx + a, cy + b}}; break;
    case 2: p = {{cx + b, cy - a}, {cx - b, cy}, {cx + b, cy + a}}; break;
    default: p = {{cx - b, cy - a}, {cx + b, cy}, {cx - b, cy + a}}; break;
  }
  Polyline(c, p, 1.6f, Col(ink));
}

// Edit border, 2-pixel bands: an outer line and a dark inner line; 0 normal, 1 focused.
void EditPiece(Canvas& c, int f) {
  const float w = float(c.W()), h = float(c.H());
  FillRound(c, 0, 0, w, h, 1.6f, Col(f ? kTeal : Rgb{78, 72, 136}));
  FillRound(c, 1, 1, w - 1, h - 1, 0.8f, Col(f ? Rgb{14, 40, 54} : Rgb{20, 19, 38}));
  for (int y = 2; y < c.H() - 2; ++y)
    for (int x = 2; x < c.W() - 2; ++x) c.At(x, y) = {};
}

// Gauge well and progress fill.
void GaugeWell(Canvas& c, int) {
  const float w = float(c.W()), h = float(c.H());
  FillRound(c, 0, 0, w, h, 4, Col(Rgb{70, 66, 124}));
  FillRound(c, 1, 1, w - 1, h - 1, 3, VGrad(Rgb{6, 6, 14}, Rgb{20, 19, 40}, 1, h - 1));
}
void ProgressFill(Canvas& c, int, bool vertical) {
  const float w = float(c.W()), h = float(c.H());
  auto g = vertical ? HGrad(Rgb{96, 226, 240}, Rgb{24, 120, 168}, 2, w - 2) : VGrad(Rgb{96, 226, 240}, Rgb{24, 120, 168}, 2, h - 2);
  FillRound(c, 1, 1, w - 1, h - 1, 3, g);
  if (vertical)
    c.Shape([=](float x, float y) { return InRound(x, y, 1, 1, w - 1, h - 1, 3) && x < 4; },
            [=](float, float) { return Col(Rgb{255, 255, 255}, 0.28f); });
  else
    c.Shape([=](float x, float y) { return InRound(x, y, 1, 1, w - 1, h - 1, 3) && y < 4; },
            [=](float, float) { return Col(Rgb{255, 255, 255}, 0.28f); });
}
// The light strip's region: black where the light may show, transparent (key) outside the fill.
void ProgressRegion(Canvas& c, int) {
  const float w = float(c.W()), h = float(c.H());
  c.Shape([=](float x, float y) { return InRound(x, y, 1, 1, w - 1, h - 1, 3); }, [](float, float) { return Col(Rgb{0, 0, 0}); });
}

// Scroll-bar pieces.
void ScrollButton(Canvas& c, int f) {
  const float w = float(c.W()), h = float(c.H());
  Rgb top = f == 0 ? Rgb{50, 46, 96} : f == 1 ? Rgb{66, 62, 128} : Rgb{28, 26, 58};
  Rgb bottom = f == 0 ? Rgb{36, 33, 70} : f == 1 ? Rgb{44, 42, 90} : Rgb{40, 37, 80};
  FillRound(c, 1, 1, w - 1, h - 1, 3, Col(f == 1 ? kTeal : Rgb{82, 76, 146}));
  FillRound(c, 2, 2, w - 2, h - 2, 2, VGrad(top, bottom, 2, h - 2));
}
void ScrollSlider(Canvas& c, int f, bool vertical) {
  const float w = float(c.W()), h = float(c.H());
  const Rgb rim = f ? kTeal : Rgb{96, 90, 170};
  const Rgb a = f ? Rgb{84, 78, 156} : Rgb{66, 60, 124}, b = f ? Rgb{56, 52, 112} : Rgb{44, 40, 88};
  if (vertical) {
    FillRound(c, 2, 1, w - 2, h - 1, 4, Col(rim));
    FillRound(c, 3, 2, w - 3, h - 2, 3, HGrad(a, b, 3, w - 3));
  } else {
    FillRound(c, 1, 2, w - 1, h - 2, 4, Col(rim));
    FillRound(c, 2, 3, w - 2, h - 3, 3, VGrad(a, b, 3, h - 3));
  }
}
void SliderGrip(Canvas& c, int f, bool vertical) {
  const Rgb ink = f ? kAqua : Rgb{150, 146, 210};
  for (int i = 0; i < 3; ++i) {
    if (vertical)
      Polyline(c, {{1.5f, 1.5f + 2 * i}, {c.W() - 1.5f, 1.5f + 2 * i}}, 1, Col(ink));
    else
      Polyline(c, {{1.5f + 2 * i, 1.5f}, {1.5f + 2 * i, c.H() - 1.5f}}, 1, Col(ink));
  }
}
// Track: frame 0 plain (drawn only in states 1 and 2), 1 hot, 2 pressed: a faint inner rim.
void TrackPiece(Canvas& c, int f) {
  const float w = float(c.W()), h = float(c.H());
  StrokeRound(c, 0, 0, w, h, 3, 1, Col(f == 2 ? kTealDeep : Rgb{60, 56, 110}));
}
// Track texture: the well with a faint groove along the bar.
void TrackTexture(Canvas& c, int hot, bool vertical) {
  const int n = vertical ? c.W() : c.H();
  for (int y = 0; y < c.H(); ++y)
    for (int x = 0; x < c.W(); ++x) {
      const int k = vertical ? x : y;
      const float d = std::fabs(k - (n - 1) / 2.0f);
      Rgb col = Mix(hot ? Rgb{22, 22, 46} : Rgb{16, 15, 32}, hot ? Rgb{30, 30, 60} : Rgb{22, 21, 44}, std::clamp(d / (n / 2.0f), 0.0f, 1.0f));
      if (d < 1) col = Mix(col, hot ? kTealDeep : Rgb{40, 38, 80}, 0.6f);
      c.At(x, y) = Col(col);
    }
}

void SizeGrip(Canvas& c, int) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j <= i; ++j) FillRound(c, 9 - 4 * j + 0.0f, 1 + 4 * i + 0.0f, 11 - 4 * j + 0.0f, 3 + 4 * i + 0.0f, 0.5f, Col(Rgb{120, 116, 190}));
}

void DividerPiece(Canvas& c, int) {
  for (int y = 0; y < c.H(); ++y) {
    c.At(0, y) = Col(kFrameInner);
    c.At(1, y) = Col(Rgb{74, 70, 130});
  }
}

void HintPiece(Canvas& c, int) {
  const float w = float(c.W()), h = float(c.H());
  FillRound(c, 0, 0, w, h, 3, Col(kTeal));
  FillRound(c, 1, 1, w - 1, h - 1, 2, VGrad(Rgb{34, 32, 70}, Rgb{22, 21, 46}, 1, h - 1));
}

void SelectionPiece(Canvas& c, int f) {
  const float w = float(c.W()), h = float(c.H());
  FillRound(c, 0, 0, w, h, 2, Col(f ? kTeal : Rgb{44, 120, 156}));
  FillRound(c, 1, 1, w - 1, h - 1, 1, VGrad(Rgb{32, 100, 136}, Rgb{22, 70, 102}, 1, h - 1));
}

// ---- The options text: where each piece goes --------------------------------------------------

struct Placement {
  int left = 0, top = 0, right = 0, bottom = 0;
  int imageCount = 1, maskType = 0;
};

std::map<std::string, std::map<std::string, std::string>> ReadOptions(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::map<std::string, std::map<std::string, std::string>> ini;
  std::string line, section;
  auto trim = [](std::string s) {
    const auto a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return std::string();
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
  };
  while (std::getline(in, line)) {
    line = trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = trim(line.substr(1, line.size() - 2));
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    auto& keys = ini[section];
    const std::string k = trim(line.substr(0, eq));
    if (!keys.count(k)) keys[k] = trim(line.substr(eq + 1));
  }
  return ini;
}

int Digits(const std::string& v, std::size_t pos1, std::size_t n) {
  if (v.size() < pos1 - 1 + n) throw std::runtime_error("value too short: " + v);
  return std::stoi(v.substr(pos1 - 1, n));
}

// "^" border pieces, "@" glyphs and "~" textures of the master bitmap.
Placement Place(const std::string& v) {
  Placement p;
  p.left = Digits(v, 2, 4), p.top = Digits(v, 7, 4), p.right = Digits(v, 12, 4), p.bottom = Digits(v, 17, 4);
  if (v[0] == '^') p.imageCount = Digits(v, 42, 1), p.maskType = Digits(v, 44, 1);
  else if (v[0] == '@') p.imageCount = Digits(v, 22, 1), p.maskType = Digits(v, 24, 1);
  else if (v[0] == '~') p.imageCount = 1, p.maskType = v.size() >= 25 ? Digits(v, 25, 1) : 0;
  else throw std::runtime_error("not a master-bitmap piece: " + v);
  return p;
}

// The stored pixel of a painted one, with the matte colour behind partly covered pixels.
std::uint32_t Store(Px p, Rgb matte, bool keepHue) {
  Rgb c{int(std::lround(p.r * p.a + matte.r * (1 - p.a))), int(std::lround(p.g * p.a + matte.g * (1 - p.a))),
        int(std::lround(p.b * p.a + matte.b * (1 - p.a)))};
  if (!keepHue) c = StoredFor(c);
  if (c.r == 255 && c.g == 0 && c.b == 255) c.g = 1;
  return std::uint32_t(c.b) | std::uint32_t(c.g) << 8 | std::uint32_t(c.r) << 16;
}

// Draws the frames of a piece into `bmp` at its place: one layer (pixels below ~4 % coverage are
// the key colour, others laid over `matte`) or two layers (the image, then the mask below it:
// black where the image covers, white where it does not).
void PutPiece(TBitmap32& bmp, const Placement& p, const Painter& paint, Rgb matte, bool keepHue) {
  const int frames = std::max(p.imageCount, 1);
  const int fw = (p.right - p.left) / frames;
  const int fh = (p.bottom - p.top) / (p.maskType + 1);
  if (p.right > bmp.Width() || p.bottom > bmp.Height() || fw <= 0 || fh <= 0)
    throw std::runtime_error("piece outside the master bitmap");
  for (int f = 0; f < frames; ++f) {
    Canvas c(fw, fh);
    paint(c, f);
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) {
        const Px px = c.At(x, y);
        const int dx = p.left + f * fw + x, dy = p.top + y;
        if (p.maskType == 0) {
          bmp.Pixel(dx, dy) = px.a < 0.04f ? kKey : Store(px, matte, keepHue);
        } else {
          const bool none = px.a < 0.004f;
          bmp.Pixel(dx, dy) = none ? kKey : Store({px.r, px.g, px.b, 1}, matte, keepHue);
          const int m = 255 - int(std::lround(std::clamp(px.a, 0.0f, 1.0f) * 255));
          bmp.Pixel(dx, dy + fh) = std::uint32_t(m) | std::uint32_t(m) << 8 | std::uint32_t(m) << 16;
        }
      }
  }
}

// ---- Files -------------------------------------------------------------------------------------

// A 24-bit bottom-up .bmp of the bitmap (alpha dropped).
std::vector<std::uint8_t> EncodeBmp24(const TBitmap32& b) {
  const int w = b.Width(), h = b.Height();
  const int stride = (w * 3 + 3) & ~3;
  const std::uint32_t image = std::uint32_t(stride * h), size = 54 + image;
  std::vector<std::uint8_t> out(size, 0);
  auto le = [&](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
  };
  out[0] = 'B', out[1] = 'M';
  le(2, size, 4), le(10, 54, 4), le(14, 40, 4), le(18, std::uint32_t(w), 4), le(22, std::uint32_t(h), 4);
  le(26, 1, 2), le(28, 24, 2), le(34, image, 4), le(38, 2835, 4), le(42, 2835, 4);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = out.data() + 54 + std::size_t(stride) * std::size_t(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t v = b.Pixel(x, y);
      row[3 * x] = std::uint8_t(v), row[3 * x + 1] = std::uint8_t(v >> 8), row[3 * x + 2] = std::uint8_t(v >> 16);
    }
  }
  return out;
}

// A glow picture: the hot caption button in the middle and a soft aqua halo `margin` pixels wide
// around it, straight alpha with colour already weighted by alpha (so that it shows the same
// whether or not a reader premultiplies). Stored in pre-shift colours.
TBitmap32 GlowPicture(int bw, int bh, int margin, Glyph g) {
  const int w = bw + 2 * margin, h = bh + 2 * margin;
  Canvas c(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float cx = std::clamp(x + 0.5f, float(margin + 4), float(margin + bw - 4));
      const float cy = std::clamp(y + 0.5f, float(margin + 4), float(margin + bh - 4));
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) - 4;
      const float a = d <= 0 ? 0.85f : 0.85f * std::exp(-d * d / (2 * (margin / 2.6f) * (margin / 2.6f)));
      c.Blend(x, y, Col(g == Glyph::Close ? Rgb{250, 90, 110} : kAqua), a);
    }
  Canvas btn(bw, bh);
  CaptionButton(btn, 1, g, true);
  for (int y = 0; y < bh; ++y)
    for (int x = 0; x < bw; ++x) c.Blend(margin + x, margin + y, btn.At(x, y), 1);
  TBitmap32 out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Px p = c.At(x, y);
      const int a = int(std::lround(p.a * 255));
      if (a == 0) {
        out.Pixel(x, y) = 0;
        continue;
      }
      Rgb s = StoredFor({int(std::lround(p.r)), int(std::lround(p.g)), int(std::lround(p.b))});
      s = {s.r * a / 255, s.g * a / 255, s.b * a / 255};
      out.Pixel(x, y) = std::uint32_t(a) << 24 | std::uint32_t(s.r) << 16 | std::uint32_t(s.g) << 8 | std::uint32_t(s.b);
    }
  return out;
}

// ---- The skin ----------------------------------------------------------------------------------

struct Piece {
  const char* section;
  const char* key;
  Painter paint;
  Rgb matte;
  bool keepHue = false;
};

std::vector<Piece> Pieces() {
  const Rgb title = Mix(kTitleTop, kTitleBottom, 0.5f);
  std::vector<Piece> v = {
      {"FORM", "BORDERSMASK", FramePiece, kClient},
      {"FORM", "TITLEBAR", TitleBarPiece, title},
      {"FORMTITLE", "BORDERSMASK", TitlePiece, title},
      {"EDIT", "BORDERSMASK", EditPiece, kClient},
      {"COMBOBOX", "BORDERSMASK", EditPiece, kClient},
      {"COMBOBOX", "GLYPHMASK", [](Canvas& c, int f) { Chevron(c, f, 0, Rgb{150, 146, 200}); }, Rgb{0, 0, 0}},
      {"BUTTON", "BORDERSMASK", [](Canvas& c, int f) { ButtonFace(c, f, 4.5f); }, kClient},
      {"SPEEDBUTTON", "BORDERSMASK", [](Canvas& c, int f) { ButtonFace(c, f, 4); }, kClient},
      {"SPEEDBUTTON_SMALL", "BORDERSMASK", [](Canvas& c, int f) { ButtonFace(c, f, 3); }, kClient},
      {"GAUGE", "BORDERSMASK", GaugeWell, kClient},
      {"PROGRESSH", "BORDERSMASK", [](Canvas& c, int f) { ProgressFill(c, f, false); }, kWell},
      {"PROGRESSH", "LRGN", ProgressRegion, Rgb{0, 0, 0}},
      {"PROGRESSV", "BORDERSMASK", [](Canvas& c, int f) { ProgressFill(c, f, true); }, kWell},
      {"PROGRESSV", "LRGN", ProgressRegion, Rgb{0, 0, 0}},
      {"SCROLLBTNTOP", "BORDERSMASK", ScrollButton, kWell},
      {"SCROLLBTNBOTTOM", "BORDERSMASK", ScrollButton, kWell},
      {"SCROLLBTNLEFT", "BORDERSMASK", ScrollButton, kWell},
      {"SCROLLBTNRIGHT", "BORDERSMASK", ScrollButton, kWell},
      {"SCROLLBTNTOP", "GLYPHMASK", [](Canvas& c, int f) { Chevron(c, f, 1, kGlyph); }, Rgb{44, 40, 84}},
      {"SCROLLBTNBOTTOM", "GLYPHMASK", [](Canvas& c, int f) { Chevron(c, f, 0, kGlyph); }, Rgb{44, 40, 84}},
      {"SCROLLBTNLEFT", "GLYPHMASK", [](Canvas& c, int f) { Chevron(c, f, 2, kGlyph); }, Rgb{44, 40, 84}},
      {"SCROLLBTNRIGHT", "GLYPHMASK", [](Canvas& c, int f) { Chevron(c, f, 3, kGlyph); }, Rgb{44, 40, 84}},
      {"SCROLLSLIDERV", "BORDERSMASK", [](Canvas& c, int f) { ScrollSlider(c, f, true); }, kWell},
      {"SCROLLSLIDERH", "BORDERSMASK", [](Canvas& c, int f) { ScrollSlider(c, f, false); }, kWell},
      {"SCROLLSLIDERV", "GLYPHMASK", [](Canvas& c, int f) { SliderGrip(c, f, true); }, Rgb{56, 52, 108}},
      {"SCROLLSLIDERH", "GLYPHMASK", [](Canvas& c, int f) { SliderGrip(c, f, false); }, Rgb{56, 52, 108}},
      {"SCROLLBAR1V", "BORDERSMASK", TrackPiece, kWell},
      {"SCROLLBAR2V", "BORDERSMASK", TrackPiece, kWell},
      {"SCROLLBAR1H", "BORDERSMASK", TrackPiece, kWell},
      {"SCROLLBAR2H", "BORDERSMASK", TrackPiece, kWell},
      {"SCROLLBAR1V", "PATTERN", [](Canvas& c, int) { TrackTexture(c, 0, true); }, kWell},
      {"SCROLLBAR1V", "HOTPATTERN", [](Canvas& c, int) { TrackTexture(c, 1, true); }, kWell},
      {"SCROLLBAR2V", "PATTERN", [](Canvas& c, int) { TrackTexture(c, 0, true); }, kWell},
      {"SCROLLBAR2V", "HOTPATTERN", [](Canvas& c, int) { TrackTexture(c, 1, true); }, kWell},
      {"SCROLLBAR1H", "PATTERN", [](Canvas& c, int) { TrackTexture(c, 0, false); }, kWell},
      {"SCROLLBAR1H", "HOTPATTERN", [](Canvas& c, int) { TrackTexture(c, 1, false); }, kWell},
      {"SCROLLBAR2H", "PATTERN", [](Canvas& c, int) { TrackTexture(c, 0, false); }, kWell},
      {"SCROLLBAR2H", "HOTPATTERN", [](Canvas& c, int) { TrackTexture(c, 1, false); }, kWell},
      {"SELECTION", "BORDERSMASK", SelectionPiece, kClient},
      {"HINT", "BORDERSMASK", HintPiece, kClient},
      {"DIVIDER", "BORDERSMASK", DividerPiece, kClient},
      {"GLOBALINFO", "BOXCHECKED", [](Canvas& c, int f) { CheckGlyph(c, f, 1); }, kClient},
      {"GLOBALINFO", "BOXUNCHECKED", [](Canvas& c, int f) { CheckGlyph(c, f, 0); }, kClient},
      {"GLOBALINFO", "BOXGRAYED", [](Canvas& c, int f) { CheckGlyph(c, f, 2); }, kClient},
      {"GLOBALINFO", "GRIPIMAGE", SizeGrip, kClient},
      {"GLOBALINFO", "TITLEBUTTON", [](Canvas& c, int f) { CaptionButton(c, f, Glyph::None, false); }, title},
  };
  struct Cap {
    const char* key;
    Glyph g;
    bool big;
  };
  for (const Cap& b : {Cap{"SICONCLOSE", Glyph::Close, false}, Cap{"SICONMAX", Glyph::Max, false}, Cap{"SICONNORM", Glyph::Norm, false},
                       Cap{"SICONMIN", Glyph::Min, false}, Cap{"SICONHELP", Glyph::Help, false}, Cap{"BICONCLOSE", Glyph::Close, true},
                       Cap{"BICLOSEALONE", Glyph::Close, true}, Cap{"BICONMAX", Glyph::Max, true}, Cap{"BICONNORM", Glyph::Norm, true},
                       Cap{"BICONMIN", Glyph::Min, true}, Cap{"BICONHELP", Glyph::Help, true}}) {
    const Glyph g = b.g;
    const bool big = b.big;
    // The close icons keep their hue on screen (BIKEEPHUE 2): they are stored as painted, over
    // the title's on-screen colour.
    v.push_back({"GLOBALINFO", b.key, [g, big](Canvas& c, int f) { CaptionButton(c, f, g, big); }, title, g == Glyph::Close});
  }
  return v;
}

// BUTTON_HUGE's own bitmap: three 80 × 80 frames with 31-pixel bands.
TBitmap32 HugeBitmap() {
  TBitmap32 bmp(240, 80);
  Placement p{0, 0, 240, 80, 3, 0};
  PutPiece(bmp, p, [](Canvas& c, int f) { ButtonFace(c, f, 12); }, kClient, false);
  return bmp;
}

// ---- The gauge's light ------------------------------------------------------------------------

// The soft highlight the gauge sweeps along its filled part: 60 × 20, white, its alpha highest in
// the middle and towards the top, falling to nothing at both ends so that the stretched strip has
// no edge. Straight (not premultiplied) alpha; the gauge stretches it to 300 pixels.
TBitmap32 LightPicture() {
  constexpr int kW = 60, kH = 20;
  TBitmap32 out(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const double u = (x + 0.5 - kW / 2.0) / (kW / 2.0);   // −1 … 1 along the strip
      const double v = (y + 0.5) / kH;                     // 0 … 1 from the top
      const double along = std::pow(std::cos(u * 1.5707963267948966), 2);
      const double across = 0.45 + 0.55 * std::exp(-std::pow((v - 0.3) / 0.32, 2));
      const int a = std::clamp(int(std::lround(215 * along * across)), 0, 255);
      out.Pixel(x, y) = std::uint32_t(a) << 24 | 0x00FFFFFFu;
    }
  return out;
}

// ---- The edit button's built-in glyphs ----------------------------------------------------------

// Five 48 × 16 pictures of three 16-pixel frames (normal, hot, pressed), on a transparent
// background: a page, a folder, a calendar, a calculator and a down arrow. The hot frame is a
// shade lighter, the pressed one shifted a pixel down and right.
TBitmap32 EditGlyph(int which) {
  TBitmap32 out(48, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x) out.Pixel(x, y) = 0;
  for (int f = 0; f < 3; ++f) {
    const int ox = f * 16 + (f == 2 ? 1 : 0), oy = f == 2 ? 1 : 0;
    const std::uint32_t ink = f == 1 ? 0xFF5A5A5Au : 0xFF303030u;
    const std::uint32_t fill = which == 1 ? (f == 1 ? 0xFFF5D77Au : 0xFFE8C050u) : (f == 1 ? 0xFFFFFFFFu : 0xFFF0F0F0u);
    auto put = [&](int x, int y, std::uint32_t v) {
      if (x >= 0 && x < 15 && y >= 0 && y < 15) out.Pixel(ox + x, oy + y) = v;
    };
    auto box = [&](int l, int t, int r, int b) {  // outlined and filled, r and b inclusive
      for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x) put(x, y, (x == l || x == r || y == t || y == b) ? ink : fill);
    };
    switch (which) {
      case 0:  // a page with a folded corner
        box(3, 1, 11, 14);
        for (int i = 0; i < 3; ++i) put(11 - i, 1 + i, ink);
        for (int y = 5; y <= 11; y += 2)
          for (int x = 5; x <= 9; ++x) put(x, y, ink);
        break;
      case 1:  // a folder: its tab, then the body
        box(1, 3, 6, 5);
        box(1, 5, 14, 13);
        break;
      case 2:  // a calendar: a sheet with a grid of days
        box(1, 2, 14, 14);
        for (int x = 1; x <= 14; ++x) put(x, 5, ink);
        for (int y = 7; y <= 13; y += 2)
          for (int x = 3; x <= 12; x += 3) put(x, y, ink);
        break;
      case 3:  // a calculator: a body, a display and keys
        box(3, 1, 12, 14);
        for (int x = 5; x <= 10; ++x) put(x, 3, ink);
        for (int y = 6; y <= 12; y += 3)
          for (int x = 5; x <= 10; x += 2) put(x, y, ink);
        break;
      default:  // a down arrow
        for (int i = 0; i < 4; ++i)
          for (int x = 4 + i; x <= 10 - i; ++x) put(x, 6 + i, ink);
        break;
    }
  }
  return out;
}

// ---- Preview -----------------------------------------------------------------------------------

// What a few pieces look like on screen: every stored pixel shifted back, the close icons as
// stored. Pieces are shown as stored (not stretched), on the client colour.
TBitmap32 Preview(const TBitmap32& master, const std::map<std::string, std::map<std::string, std::string>>& ini,
                  const TBitmap32& huge) {
  const int scale = 3;
  const int W = master.Width() * scale, H = (master.Height() + huge.Height() + 8) * scale;
  TBitmap32 out(W, H);
  auto onScreen = [&](std::uint32_t v, bool keep) -> std::uint32_t {
    if (v == kKey) return 0xFF000000u | (std::uint32_t(kClient.r) << 16) | (std::uint32_t(kClient.g) << 8) | std::uint32_t(kClient.b);
    Rgb c{int(v >> 16 & 255), int(v >> 8 & 255), int(v & 255)};
    if (!keep) c = ShiftHue(c, kHueOffset);
    return 0xFF000000u | std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | std::uint32_t(c.b);
  };
  std::vector<std::array<int, 4>> kept;
  for (const char* k : {"SICONCLOSE", "BICONCLOSE", "BICLOSEALONE"}) {
    const Placement p = Place(ini.at("GLOBALINFO").at(k));
    kept.push_back({p.left, p.top, p.right, p.bottom});
  }
  for (int y = 0; y < master.Height(); ++y)
    for (int x = 0; x < master.Width(); ++x) {
      bool keep = false;
      for (auto& r : kept) keep = keep || (x >= r[0] && x < r[2] && y >= r[1] && y < r[3]);
      const std::uint32_t v = onScreen(master.Pixel(x, y), keep);
      for (int sy = 0; sy < scale; ++sy)
        for (int sx = 0; sx < scale; ++sx) out.Pixel(x * scale + sx, y * scale + sy) = v;
    }
  for (int y = 0; y < huge.Height(); ++y)
    for (int x = 0; x < huge.Width() && x * scale < W; ++x) {
      const std::uint32_t v = onScreen(huge.Pixel(x, y), false);
      for (int sy = 0; sy < scale; ++sy)
        for (int sx = 0; sx < scale; ++sx) out.Pixel(x * scale + sx, (master.Height() + 8 + y) * scale + sy) = v;
    }
  return out;
}

int Run(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--base") {
    const Rgb screen{std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4])};
    const Rgb s = StoredFor(screen);
    const Rgb back = ShiftHue(s, kHueOffset);
    std::printf("%d  (stored %d %d %d, on screen %d %d %d)\n", s.b << 16 | s.g << 8 | s.r, s.r, s.g, s.b, back.r, back.g, back.b);
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--light") {
    tools::WriteWholeFile(argv[2], EncodePng(LightPicture()));
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--edit-glyphs") {
    const char* names[] = {"SF", "SR", "SD", "SE", "SC"};
    for (int i = 0; i < 5; ++i) tools::WriteWholeFile(std::string(argv[2]) + "/" + names[i] + ".png", EncodePng(EditGlyph(i)));
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: skingen <Options.dat> <outdir> | skingen --base R G B | skingen --light <out.png> | "
                         "skingen --edit-glyphs <outdir>\n");
    return 2;
  }
  const auto ini = ReadOptions(argv[1]);
  const std::string dir = std::string(argv[2]) + "/";
  const auto& global = ini.at("GLOBALINFO");
  (void)global;

  TBitmap32 master(560, 200);
  for (int y = 0; y < master.Height(); ++y)
    for (int x = 0; x < master.Width(); ++x) master.Pixel(x, y) = kKey;
  for (const Piece& p : Pieces()) {
    const auto s = ini.find(p.section);
    if (s == ini.end() || !s->second.count(p.key))
      throw std::runtime_error(std::string("the options name no ") + p.section + " " + p.key);
    PutPiece(master, Place(s->second.at(p.key)), p.paint, p.matte, p.keepHue);
  }
  const TBitmap32 huge = HugeBitmap();
  tools::WriteWholeFile(dir + "Master.bmp", EncodeBmp24(master));
  tools::WriteWholeFile(dir + "Huge.bmp", EncodeBmp24(huge));
  // Big caption buttons are 29 × 19 per state, their glows reach 10 pixels beyond them.
  tools::WriteWholeFile(dir + "CloseG.png", EncodePng(GlowPicture(29, 19, 10, Glyph::Close)));
  tools::WriteWholeFile(dir + "CloseAG.png", EncodePng(GlowPicture(29, 19, 10, Glyph::Close)));
  tools::WriteWholeFile(dir + "MaxG.png", EncodePng(GlowPicture(29, 19, 10, Glyph::Max)));
  tools::WriteWholeFile(dir + "MinG.png", EncodePng(GlowPicture(29, 19, 10, Glyph::Min)));
  tools::WriteWholeFile(dir + "NormG.png", EncodePng(GlowPicture(29, 19, 10, Glyph::Norm)));
  tools::WriteWholeFile(dir + "Preview.png", EncodePng(Preview(master, ini, huge)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return tools::RunTool("skingen", [&] { return Run(argc, argv); });
}
