#include "skin/controls/sButtonGlyph.h"

#include <algorithm>

#include "framework/ImageList.h"
#include "skin/base/sTransform.h"

namespace {

bool HasAlpha(const TBitmap32& b) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) >> 24) return true;
  return false;
}

// One frame of src as a picture with straight alpha: a classic strip's pixels of the key colour
// (its bottom-left pixel) become transparent, the others opaque.
TBitmap32 FramePicture(const TBitmap32& src, const TRect& frame, bool alpha) {
  const int w = std::max(0, std::min(frame.Right, src.Width()) - frame.Left);
  const int h = std::max(0, std::min(frame.Bottom, src.Height()) - frame.Top);
  TBitmap32 out(w, h);
  if (w == 0 || h == 0) return out;
  const std::uint32_t key = src.Pixel(frame.Left, frame.Top + h - 1) & 0xFFFFFFu;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = src.Pixel(frame.Left + x, frame.Top + y);
      out.Pixel(x, y) = alpha ? p : (p & 0xFFFFFFu) == key ? 0u : (p | 0xFF000000u);
    }
  return out;
}

// The alpha of every pixel scaled by percent / 100.
void ScaleAlpha(TBitmap32& b, int percent) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      std::uint32_t& p = b.Pixel(x, y);
      const std::uint32_t a = (p >> 24) * std::uint32_t(percent) / 100u;
      p = (p & 0xFFFFFFu) | (a << 24);
    }
}

// The lower rows of the picture mirrored under it, fading from a third of its opacity to none.
TBitmap32 Reflection(const TBitmap32& b) {
  const int h = b.Height() / 3;
  TBitmap32 out(b.Width(), h);
  for (int y = 0; y < h; ++y) {
    const std::uint32_t share = std::uint32_t(h - y) * 85u / std::uint32_t(h);
    for (int x = 0; x < b.Width(); ++x) {
      const std::uint32_t p = b.Pixel(x, b.Height() - 1 - y);
      out.Pixel(x, y) = (p & 0xFFFFFFu) | (((p >> 24) * share / 255u) << 24);
    }
  }
  return out;
}

}  // namespace

bool GlyphIsGrey(bool greyed, int state, bool enabled, unsigned disabledKind) {
  return (state == 0 && greyed) || (!enabled && (disabledKind & dgGrayed));
}

int GlyphBlend(const TsGlyphRequest& r) {
  const int rest = r.State == 0 ? std::clamp(r.Blend, 0, 100) : 0;
  const int disabled = !r.Enabled && (r.DisabledKind & dgBlended) ? 50 : 0;
  return std::max(rest, disabled);
}

int GlyphFrame(const TsGlyphRequest& r, bool alphaGlyph) {
  const int frames = std::max(1, r.NumGlyphs);
  if (alphaGlyph) return std::clamp(r.State, 0, frames - 1);
  if (!r.Enabled) return frames > 1 ? 1 : 0;
  if (r.Pressed && frames > 3) return 3;
  if (r.State == 2 && frames > 2) return 2;
  return 0;
}

void DrawButtonGlyph(const TsGlyphRequest& r) {
  if (!r.Dst || r.Rect.Width() <= 0 || r.Rect.Height() <= 0) return;
  TBitmap32 picture;
  if (r.Images && r.ImageIndex >= 0 && r.ImageIndex < r.Images->Count()) {
    const TBitmap32& image = r.Images->Image(r.ImageIndex);
    picture = FramePicture(image, Rect(0, 0, image.Width(), image.Height()), true);
  } else if (r.Glyph && !r.Glyph->Empty()) {
    const bool alpha = HasAlpha(*r.Glyph);
    const int w = r.Rect.Width();
    const int frame = GlyphFrame(r, alpha);
    picture = FramePicture(*r.Glyph, Bounds(frame * w, 0, w, r.Glyph->Height()), alpha);
  } else {
    return;
  }
  if (picture.Empty()) return;
  if (r.GreyColor != clNone) ToGrayscale(picture);
  if (const int blend = GlyphBlend(r); blend > 0) ScaleAlpha(picture, 100 - blend);
  BlendThroughAlpha(*r.Dst, {r.Rect.Left, r.Rect.Top}, picture, Rect(0, 0, picture.Width(), picture.Height()));
  if (r.Reflected) {
    const TBitmap32 mirror = Reflection(picture);
    BlendThroughAlpha(*r.Dst, {r.Rect.Left, r.Rect.Top + picture.Height()}, mirror,
                      Rect(0, 0, mirror.Width(), mirror.Height()));
  }
}
