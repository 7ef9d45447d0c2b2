// A list of equal-size 32-bit images with alpha (glyphs of buttons and check boxes), and the
// alpha blend that draws them.
#pragma once
#include <vector>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"

// Blends srcRect of src (Right/Bottom exclusive, clipped to src) over dst with its top-left corner
// at `at`, through src's straight alpha a: each colour channel d + (((s − d)·w) >> 8) with
// w = a + (a >> 7), so that opaque pixels are copied exactly and transparent ones leave dst.
// dst's alpha is kept; nothing is written outside dst.
void BlendThroughAlpha(TBitmap32& dst, TPoint at, const TBitmap32& src, const TRect& srcRect);

class TImageList {
 public:
  // Every image is width × height; sizes below 1 make a list that takes no image.
  TImageList(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return int(images_.size()); }

  // Adds the images of a picture as high as the list, cut from the left into pieces as wide as
  // the list (a rest narrower than that is dropped). Returns the index of the first image added,
  // −1 when the picture has another height or is narrower than one image.
  int Add(const TBitmap32& picture);
  void Delete(int index);
  void Clear() { images_.clear(); }

  // Image `index`; an empty bitmap when the index is out of range.
  const TBitmap32& Image(int index) const;
  // Draws image `index` at (x, y) of dst through its alpha; nothing for an index out of range.
  void Draw(TBitmap32& dst, int x, int y, int index) const;

 private:
  int width_, height_;
  std::vector<TBitmap32> images_;
};
