#include "framework/Image.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  SetBoundsFields(0, 0, 105, 105);
  controlStyle_ |= csOpaque;
}

void TImage::PictureChanged() {
  // An auto-sized image takes its picture's size, keeping its position.
  if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0)
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

void TImage::Loaded() {
  TGraphicControl::Loaded();
  PictureChanged();
}

void TImage::PaintPlain(TCanvas& canvas) {
  TGraphic* g = picture_.Graphic();
  if (!g) return;
  g->Draw(canvas, stretch_ ? ClientRect() : Bounds(0, 0, g->Width(), g->Height()));
}

bool TImage::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "AutoSize") autoSize_ = v.AsBoolean();
  else if (name == "Stretch") stretch_ = v.AsBoolean();
  else if (name == "Picture.Data") {
    if (v.kind != TLayoutValue::Kind::Binary) throw ELayoutError("binary value expected");
    picture_.LoadFromBytes(v.bytes);
    if (!Loading()) PictureChanged();
  } else return TGraphicControl::SetProperty(name, v, ctx);
  return true;
}
