// Fonts, canvases and pictures over the platform's device contexts.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Handles.h"
#include "framework/Types.h"
#include "imaging/Bitmap32.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A logical font; the platform font is made on first use and again after any change.
class TFont {
 public:
  TFont();
  TFont(const TFont& other) { Assign(other); }
  TFont& operator=(const TFont& other) { Assign(other); return *this; }

  const std::wstring& Name() const { return name_; }
  int Height() const { return height_; }
  TColor Color() const { return color_; }
  unsigned Style() const { return style_; }
  int Charset() const { return charset_; }
  void SetName(std::wstring v);
  void SetHeight(int v);
  void SetColor(TColor v);
  void SetStyle(unsigned v);
  void SetCharset(int v);
  // Copies everything but the change handler, then reports one change.
  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;

  HFONT Handle() const;
  // Raised after every change.
  std::function<void()> OnChange;

  // "Name", "Height", "Color", "Style", "Charset" of the layout.
  bool SetProperty(const std::string& name, const TLayoutValue& value);

 private:
  void Changed();
  std::wstring name_ = L"MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  unsigned style_ = 0;
  int charset_ = DEFAULT_CHARSET;
  mutable TUniqueFont handle_;
};

// Maps a colour value to the platform's COLORREF (system colours resolved).
COLORREF ToColorRef(TColor c);

// Drawing on a device context that the canvas does not own (a paint DC, a bitmap's DC).
class TCanvas {
 public:
  explicit TCanvas(HDC dc = nullptr) : dc_(dc) {}
  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc) { dc_ = dc; }

  TFont Font;
  TColor BrushColor = clWhite;
  bool BrushClear = false;  // no background behind text
  TColor PenColor = clBlack;

  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void TextOut(int x, int y, const std::wstring& text);
  // DrawTextW with the canvas font; returns the text height (or the rectangle in DT_CALCRECT mode).
  int DrawText(const std::wstring& text, TRect& r, UINT format);
  TPoint TextExtent(const std::wstring& text);
  void Line(int x1, int y1, int x2, int y2);

 private:
  HDC dc_;
};

// A picture that can paint itself.
class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // Draws the picture stretched into r.
  virtual void Draw(TCanvas& canvas, const TRect& r) const = 0;
};

// A 32-bit top-down DIB section with its own memory DC: the framework's off-screen bitmap.
// Its pixels are reachable as a TBitmap32 view for the pixel primitives.
class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  TBitmap(int width, int height) { SetSize(width, height); }
  ~TBitmap() override { Release(); }
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  void SetSize(int width, int height);
  int Width() const override { return pixels_.Width(); }
  int Height() const override { return pixels_.Height(); }
  void Draw(TCanvas& canvas, const TRect& r) const override;

  TBitmap32& Pixels() { return pixels_; }
  const TBitmap32& Pixels() const { return pixels_; }
  HDC DC() const { return dc_.get(); }
  HBITMAP Handle() const { return bmp_.get(); }
  // Copies pixels in (sizes adapt).
  void Assign(const TBitmap32& src);

 private:
  TUniqueMemDC dc_;
  TUniqueBitmap bmp_;
  HGDIOBJ oldBmp_ = nullptr;
  TBitmap32 pixels_;
  void Release();
};

// An icon drawn at width × height as a picture with straight alpha: drawn once over black and
// once over white, the difference gives each pixel's coverage, so icons with a mask only and
// icons with alpha come out alike. Empty for no icon or no size.
TBitmap32 IconPicture(HICON icon, int width, int height);

// A JPEG picture, decoded once when its data is loaded.
class TJPEGImage : public TGraphic {
 public:
  void LoadFromBytes(const std::vector<std::uint8_t>& data);
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  void Draw(TCanvas& canvas, const TRect& r) const override { bitmap_.Draw(canvas, r); }
  const TBitmap& Bitmap() const { return bitmap_; }

 private:
  TBitmap bitmap_;
};

// Holds one graphic; the layout stores it as "Picture.Data" (the file's bytes; the format is
// recognised from its signature).
class TPicture {
 public:
  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> g) { graphic_ = std::move(g); }
  void LoadFromBytes(const std::vector<std::uint8_t>& data);
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

 private:
  std::unique_ptr<TGraphic> graphic_;
};
