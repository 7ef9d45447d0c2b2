// A cover over a form's frame for the length of one default processing step. Some of the
// system's own handling (activation, a caption or icon change) draws the system's caption for a
// moment; a borderless window lying exactly over the form, cut to the frame (the window less its
// client area) and showing the frame part of the form's skinned picture, hides that. It shows at
// once when made and goes when destroyed.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/Form.h"
#include "framework/Graphics.h"
#include "framework/WindowProcHook.h"

class TsCaptionCover {
 public:
  // form: the window to cover; image: its picture, the window's size; client: the client area in
  // window coordinates.
  TsCaptionCover(HWND form, const TBitmap& image, const TRect& client);
  ~TsCaptionCover();
  TsCaptionCover(const TsCaptionCover&) = delete;
  TsCaptionCover& operator=(const TsCaptionCover&) = delete;
  HWND Handle() const { return cover_ ? cover_->Handle() : nullptr; }

 private:
  void Paint(HDC dc);

  const TBitmap& image_;
  std::unique_ptr<TForm> cover_;
  std::unique_ptr<TWindowProcHook> hook_;
};
