#include "framework/Graphics.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "framework/Exception.h"
#include "framework/Utf.h"
#include "imaging/JpegCodec.h"

TFont::TFont() = default;

void TFont::Changed() {
  handle_.reset();
  if (OnChange) OnChange();
}

void TFont::SetName(std::wstring v) {
  if (v != name_) { name_ = std::move(v); Changed(); }
}
void TFont::SetHeight(int v) {
  if (v != height_) { height_ = v; Changed(); }
}
void TFont::SetColor(TColor v) {
  // The colour is no part of the platform font: the font made stays.
  if (v != color_) {
    color_ = v;
    if (OnChange) OnChange();
  }
}
void TFont::SetStyle(unsigned v) {
  if (v != style_) { style_ = v; Changed(); }
}
void TFont::SetCharset(int v) {
  if (v != charset_) { charset_ = v; Changed(); }
}

void TFont::Assign(const TFont& other) {
  if (this == &other) return;
  // Making and realising a platform font is slow: a font that only changes colour keeps it.
  const bool sameFace = name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
                        charset_ == other.charset_ && handle_;
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  charset_ = other.charset_;
  if (sameFace) {
    if (OnChange) OnChange();
  } else {
    Changed();
  }
}

bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ && charset_ == o.charset_;
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) != 0;
    lf.lfUnderline = (style_ & fsUnderline) != 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) != 0;
    lf.lfCharSet = BYTE(charset_);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.reset(CreateFontIndirectW(&lf));
  }
  return handle_.get();
}

bool TFont::SetProperty(const std::string& name, const TLayoutValue& v) {
  if (name == "Name") SetName(v.AsString());
  else if (name == "Height") SetHeight(int(v.AsInteger()));
  else if (name == "Color") SetColor(ColorFromLayout(v));
  else if (name == "Charset") SetCharset(v.kind == TLayoutValue::Kind::Integer ? int(v.AsInteger()) : DEFAULT_CHARSET);
  else if (name == "Style") {
    if (v.kind != TLayoutValue::Kind::Set) throw ELayoutError("set value expected");
    unsigned s = 0;
    for (const auto& m : v.items) {
      if (m == L"fsBold") s |= fsBold;
      else if (m == L"fsItalic") s |= fsItalic;
      else if (m == L"fsUnderline") s |= fsUnderline;
      else if (m == L"fsStrikeOut") s |= fsStrikeOut;
      else throw ELayoutError("unknown font style");
    }
    SetStyle(s);
  } else {
    return false;
  }
  return true;
}

COLORREF ToColorRef(TColor c) { return COLORREF(ColorToRGB(c) & 0xFFFFFF); }


void TCanvas::FillRect(const TRect& r) {
  TUniqueBrush brush(CreateSolidBrush(ToColorRef(BrushColor)));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc_, &rc, brush.get());
}

void TCanvas::FrameRect(const TRect& r) {
  TUniqueBrush brush(CreateSolidBrush(ToColorRef(PenColor)));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FrameRect(dc_, &rc, brush.get());
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  TSelectObject font(dc_, Font.Handle());
  SetTextColor(dc_, ToColorRef(Font.Color()));
  SetBkMode(dc_, BrushClear ? TRANSPARENT : OPAQUE);
  SetBkColor(dc_, ToColorRef(BrushColor));
  ExtTextOutW(dc_, x, y, 0, nullptr, text.c_str(), UINT(text.size()), nullptr);
}

int TCanvas::DrawText(const std::wstring& text, TRect& r, UINT format) {
  TSelectObject font(dc_, Font.Handle());
  SetTextColor(dc_, ToColorRef(Font.Color()));
  SetBkMode(dc_, BrushClear ? TRANSPARENT : OPAQUE);
  SetBkColor(dc_, ToColorRef(BrushColor));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  const int h = ::DrawTextW(dc_, text.c_str(), int(text.size()), &rc, format);
  if (format & DT_CALCRECT) r = {rc.left, rc.top, rc.right, rc.bottom};
  return h;
}

TPoint TCanvas::TextExtent(const std::wstring& text) {
  TSelectObject font(dc_, Font.Handle());
  SIZE sz{};
  GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &sz);
  return {sz.cx, sz.cy};
}

void TCanvas::Line(int x1, int y1, int x2, int y2) {
  TUniquePen pen(CreatePen(PS_SOLID, 1, ToColorRef(PenColor)));
  TSelectObject sel(dc_, pen.get());
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void TBitmap::Release() {
  if (dc_ && oldBmp_) SelectObject(dc_.get(), oldBmp_);
  oldBmp_ = nullptr;
  bmp_.reset();
  dc_.reset();
  pixels_ = TBitmap32();
}

void TBitmap::SetSize(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down: row 0 first, positive stride
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TWindowDC screen(nullptr);
  bmp_.reset(CreateDIBSection(screen.dc(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp_ || !bits) throw Exception(L"Out of system resources");
  dc_.reset(CreateCompatibleDC(screen.dc()));
  oldBmp_ = SelectObject(dc_.get(), bmp_.get());
  pixels_ = TBitmap32::View(bits, std::ptrdiff_t(width) * 4, width, height);
}

void TBitmap::Assign(const TBitmap32& src) {
  if (src.Width() != Width() || src.Height() != Height()) SetSize(src.Width(), src.Height());
  GdiFlush();
  for (int y = 0; y < src.Height(); ++y) std::memcpy(pixels_.Row(y), src.Row(y), std::size_t(src.Width()) * 4);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) const {
  if (Empty()) return;
  GdiFlush();
  if (r.Width() == Width() && r.Height() == Height())
    BitBlt(canvas.Handle(), r.Left, r.Top, Width(), Height(), dc_.get(), 0, 0, SRCCOPY);
  else {
    SetStretchBltMode(canvas.Handle(), HALFTONE);
    StretchBlt(canvas.Handle(), r.Left, r.Top, r.Width(), r.Height(), dc_.get(), 0, 0, Width(), Height(), SRCCOPY);
  }
}

void TJPEGImage::LoadFromBytes(const std::vector<std::uint8_t>& data) {
  bitmap_.Assign(DecodeJpeg(data.data(), data.size()));
}

void TPicture::LoadFromBytes(const std::vector<std::uint8_t>& data) {
  if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8) {
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromBytes(data);
    graphic_ = std::move(jpeg);
  } else {
    throw Exception(L"Unsupported picture format");
  }
}

TBitmap32 IconPicture(HICON icon, int width, int height) {
  if (!icon || width <= 0 || height <= 0) return {};
  TBitmap black(width, height), white(width, height);
  PatBlt(black.DC(), 0, 0, width, height, BLACKNESS);
  PatBlt(white.DC(), 0, 0, width, height, WHITENESS);
  DrawIconEx(black.DC(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  DrawIconEx(white.DC(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  GdiFlush();
  TBitmap32 out = black.Pixels();
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* b = black.Pixels().Row(y);
    const std::uint32_t* w = white.Pixels().Row(y);
    std::uint32_t* o = out.Row(y);
    for (int x = 0; x < width; ++x) {
      // Over black a pixel is c·a, over white c·a + (1 − a): the green channels give a.
      const int a = std::clamp(255 - int((w[x] >> 8) & 0xFF) + int((b[x] >> 8) & 0xFF), 0, 255);
      std::uint32_t px = std::uint32_t(a) << 24;
      if (a > 0)
        for (int shift = 0; shift <= 16; shift += 8)
          px |= std::uint32_t(std::min(255, int((b[x] >> shift) & 0xFF) * 255 / a)) << shift;
      o[x] = px;
    }
  }
  return out;
}
