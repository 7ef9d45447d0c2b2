// Geometry and colour types shared by every module, with no Windows dependency.
#pragma once
#include <cstdint>

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int W = 0, H = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Left and Top inclusive; whether Right and Bottom are inclusive is stated by each user.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Horizontal alignment and vertical layout of a text in its box.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

constexpr TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
constexpr TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }

// Colour value: 0x00BBGGRR for plain colours; top byte 0xFF names a system colour by its low
// byte; 0xFF00FF is the key colour ("no colour" as an argument); clNone means "not set".
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == clSystemColor; }
constexpr TColor RGBColor(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }

// The platform answers system-colour references; without a provider (native builds) a fixed
// classic palette is used so that portable code and its tests are deterministic.
using TSysColorProvider = TColor (*)(int index);
void SetSysColorProvider(TSysColorProvider provider);
// Plain colours pass unchanged; system-colour references become their current RGB value.
TColor ColorToRGB(TColor c);
