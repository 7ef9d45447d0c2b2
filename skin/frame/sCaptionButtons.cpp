#include "skin/frame/sCaptionButtons.h"

#include <algorithm>

#include "skin/base/sClip.h"
#include "skin/base/sFill.h"
#include "skin/base/sTexture.h"
#include "skin/data/sSkinManager.h"
#include "skin/frame/sFrameLayout.h"
#include "skin/paint/sMaskFrame.h"

namespace {

bool Big(TFormBorderStyle s) { return s == TFormBorderStyle::bsSingle || s == TFormBorderStyle::bsSizeable; }

const TsMaskData* ButtonMask(const TsSkinManager& m, int index) {
  return m.IsValidImgIndex(index) ? &m.ma()[std::size_t(index)] : nullptr;
}

int Usable(const TsSkinManager& m, int index) { return UsableButtonImage(m, index) ? index : -1; }

// The big set, close alone when it stands alone and the skin has that image.
void AssignBig(TsCaptionButtons& b, const TsSkinManager& m, const TsButtonQueries& q) {
  const TConstantSkinData& c = m.ConstData;
  b.Min.ImageIndex = Usable(m, c.MaskMinBtn);
  b.Max.ImageIndex = Usable(m, c.MaskMaxBtn);
  b.Help.ImageIndex = Usable(m, c.MaskHelpBtn);
  const bool alone = !q.VisibleMax && !q.VisibleMin && UsableButtonImage(m, c.MaskCloseAloneBtn);
  b.Close.ImageIndex = Usable(m, alone ? c.MaskCloseAloneBtn : c.MaskCloseBtn);
  for (TsCaptionButton* p : {&b.Close, &b.Max, &b.Min, &b.Help}) p->HaveAlignment = true;
}

void AssignSmall(TsCaptionButtons& b, const TsSkinManager& m) {
  const TConstantSkinData& c = m.ConstData;
  b.Close.ImageIndex = Usable(m, c.MaskCloseSmall);
  b.Min.ImageIndex = Usable(m, c.MaskMinSmall);
  b.Max.ImageIndex = Usable(m, c.MaskMaxSmall);
  b.Help.ImageIndex = UsableButtonImage(m, c.MaskHelpSmall) ? c.MaskHelpSmall : Usable(m, c.MaskHelpBtn);
  for (TsCaptionButton* p : {&b.Close, &b.Max, &b.Min, &b.Help}) p->HaveAlignment = false;
}

// The image of the maximise (restore while maximised) and minimise (restore while a minimised
// secondary form) buttons, from the set the close button uses.
int MaxImage(const TsSkinManager& m, const TsCaptionButtons& b, bool restore) {
  const TConstantSkinData& c = m.ConstData;
  if (b.Close.HaveAlignment) return Usable(m, restore ? c.MaskNormBtn : c.MaskMaxBtn);
  return Usable(m, restore ? c.MaskNormSmall : c.MaskMaxSmall);
}
int MinImage(const TsSkinManager& m, const TsCaptionButtons& b, bool restore) {
  const TConstantSkinData& c = m.ConstData;
  if (b.Close.HaveAlignment) return Usable(m, restore ? c.MaskNormBtn : c.MaskMinBtn);
  return Usable(m, restore ? c.MaskNormSmall : c.MaskMinSmall);
}

int Spacing(const TsSkinManager& m, const TsCaptionButtons& b) {
  return b.BigButtons ? m.CommonSkinData().BISpacing : 0;
}

}  // namespace

TsButtonQueries ButtonQueries(const TsButtonState& s) {
  TsButtonQueries q;
  const bool sys = s.Icons & biSystemMenu;
  const bool big = Big(s.BorderStyle);
  q.VisibleClose = sys && s.MenuHasClose;
  q.EnabledClose = s.MenuHasClose && s.CloseEnabled;
  q.VisibleMax = sys && ((s.Minimized && !(s.MainForm && s.MainOnTaskbar)) || s.MDIChild || (big && (s.Icons & biMaximize)));
  q.VisibleMin = sys && (s.Minimized || s.MDIChild || (big && (s.Icons & biMinimize)));
  q.EnabledMax = (s.Icons & biMaximize) && (s.MDIChild || big);
  q.EnabledMin = (s.Icons & biMinimize) && !(s.Minimized && !s.MainForm);
  q.EnabledRestore = s.Minimized || ((s.Icons & biMaximize) && s.NotNormal);
  q.ShowHelp = sys && (s.Icons & biHelp);
  return q;
}

bool UsableButtonImage(const TsSkinManager& m, int index) {
  const TsMaskData* mask = ButtonMask(m, index);
  if (!mask) return false;
  const TsFrameSize fs = MaskFrameSize(*mask);
  return fs.W > 0 && fs.H > 0;
}

void AssignButtonImages(TsCaptionButtons& b, const TsSkinManager& m, TFormBorderStyle style, const TsButtonQueries& q) {
  b.BigButtons = Big(style);
  if (!m.IsValidSkinIndex(m.ConstData.IndexGLobalInfo)) return;
  b.Min.HitCode = shtMinButton;
  b.Max.HitCode = shtMaxButton;
  b.Close.HitCode = shtClose;
  if (b.BigButtons) AssignBig(b, m, q);
  else AssignSmall(b, m);
  if (b.Close.ImageIndex < 0) AssignBig(b, m, q);
}

int ButtonWidth(const TsSkinManager& m, const TsCaptionButton& button) {
  if (!UsableButtonImage(m, button.ImageIndex)) return kCaptionButtonFallback;
  return MaskFrameSize(m.ma()[std::size_t(button.ImageIndex)]).W;
}

int CaptionButtonHeight(const TsSkinManager& m, const TsCaptionButtons& b) {
  if (!UsableButtonImage(m, b.Close.ImageIndex)) return kCaptionButtonFallback;
  return MaskFrameSize(m.ma()[std::size_t(b.Close.ImageIndex)]).H;
}

int TitleBtnsWidth(const TsSkinManager& m, const TsCaptionButtons& b, const TsButtonQueries& q) {
  const int spacing = Spacing(m, b);
  int w = m.CommonSkinData().BIRightMargin + ButtonWidth(m, b.Close);
  if (q.VisibleMax) w += ButtonWidth(m, b.Max) + spacing;
  if (q.VisibleMin) w += ButtonWidth(m, b.Min) + spacing;
  if (q.ShowHelp) w += ButtonWidth(m, b.Help) + spacing;
  return w;
}

void CalcItems(TsCaptionButtons& b, const TsSkinManager& m, const TsButtonQueries& q, const TsButtonPlace& place) {
  const TsSkinData& sd = m.CommonSkinData();
  int x = place.CaptionWidth - sd.BIRightMargin - place.Frame;
  const int top0 = place.Maximized ? place.CXFrame - 1 : 0;
  const int h = CaptionButtonHeight(m, b);
  const int spacing = Spacing(m, b);
  auto put = [&](TsCaptionButton& button, bool shown) {
    if (!shown) {
      button.Rect = Rect(x, 0, x, 0);
      return;
    }
    const int w = ButtonWidth(m, button);
    const int top = button.HaveAlignment && sd.BIVAlign == 1 ? top0 : place.VCenter - h / 2;
    button.Rect = Rect(x - w, top, x, top + h);
    x = button.Rect.Left - spacing;
  };
  // The close button keeps its room in the row even when hidden, as TitleBtnsWidth counts it.
  put(b.Close, true);
  if (!q.VisibleClose) b.Close.Rect = Rect(b.Close.Rect.Right, 0, b.Close.Rect.Right, 0);
  if (q.VisibleMax) b.Max.ImageIndex = MaxImage(m, b, place.Maximized);
  put(b.Max, q.VisibleMax);
  if (q.VisibleMin) b.Min.ImageIndex = MinImage(m, b, place.Minimized && !place.MainForm);
  put(b.Min, q.VisibleMin);
  if (q.ShowHelp) x -= 6;
  put(b.Help, q.ShowHelp);
}

TsCaptionButton* ButtonByHitCode(TsCaptionButtons& b, int code) {
  switch (code) {
    case shtClose: return &b.Close;
    case shtMaxButton: return &b.Max;
    case shtMinButton: return &b.Min;
    case shtHelp: return &b.Help;
    default: return nullptr;
  }
}

bool ButtonEnabled(const TsCaptionButtons& b, const TsButtonQueries& q, const TsCaptionButton& button) {
  if (&button == &b.Close) return q.VisibleClose && q.EnabledClose;
  if (&button == &b.Max) return q.EnabledMax;
  if (&button == &b.Min) return q.EnabledMin;
  return true;
}

int CaptionButtonHitTest(const TsCaptionButtons& b, const TsButtonQueries& q, TPoint p) {
  const struct {
    const TsCaptionButton* Button;
    bool Shown;
    int Code;
  } order[] = {{&b.Close, q.VisibleClose, shtClose},
               {&b.Max, q.VisibleMax, shtMaxButton},
               {&b.Min, q.VisibleMin, shtMinButton},
               {&b.Help, q.ShowHelp, shtHelp}};
  for (const auto& o : order)
    if (o.Shown && o.Button->Rect.Contains(p)) return ButtonEnabled(b, q, *o.Button) ? o.Code : int(shtCaption);
  return 0;
}

void SaveTempBmp(TsTempBmp& temp, const TBitmap32& image, int frame, int captionHeight, int menuHeight, int areaWidth) {
  const int w = frame + areaWidth + 10 + 1;
  const TRect r = sclip::Intersect(Rect(image.Width() - w, 0, image.Width(), 2 * frame + captionHeight + menuHeight),
                                   image.Width(), image.Height());
  temp.Origin = TPoint{r.Left, r.Top};
  if (sclip::IsEmpty(r)) {
    temp.Bmp = TBitmap32();
    return;
  }
  if (temp.Bmp.Width() != r.Width() || temp.Bmp.Height() != r.Height()) temp.Bmp = NewBitmap32(r.Width(), r.Height());
  CopyBitmapRect(temp.Bmp, 0, 0, image, r);
}

TsButtonLook ButtonLook(const TsCaptionButton& button, bool enabled, bool formActive, bool formEnabled) {
  TsButtonLook look;
  look.State = button.Animating ? 0 : std::max(0, button.State);
  look.Dimmed = !enabled || (look.State == 0 && (!formActive || !formEnabled));
  return look;
}

namespace {

// The clean title under r (window coordinates) back from temp.
void Restore(TBitmap32& image, const TsTempBmp& temp, const TRect& r) {
  if (temp.Empty()) return;
  const TRect s = sclip::Intersect(Rect(r.Left - temp.Origin.X, r.Top - temp.Origin.Y, r.Right - temp.Origin.X,
                                        r.Bottom - temp.Origin.Y),
                                   temp.Bmp.Width(), temp.Bmp.Height());
  if (!sclip::IsEmpty(s)) CopyBitmapRect(image, s.Left + temp.Origin.X, s.Top + temp.Origin.Y, temp.Bmp, s);
}

// One button's look, drawn with its state image's top-left corner at the rectangle's.
bool Draw(TBitmap32& image, const TsSkinManager& m, const TsCaptionButtons& b, const TsButtonQueries& q,
          const TsCaptionButton& button, bool formActive, bool formEnabled) {
  if (!UsableButtonImage(m, button.ImageIndex) || sclip::IsEmpty(button.Rect)) return false;
  const TsButtonLook look = ButtonLook(button, ButtonEnabled(b, q, button), formActive, formEnabled);
  PaintMaskImage(image, TPoint{button.Rect.Left, button.Rect.Top}, look.State, EmptyCacheInfo(),
                 m.ma()[std::size_t(button.ImageIndex)], look.Dimmed ? 0 : 1);
  return true;
}

}  // namespace

void PaintCaptionButtons(TBitmap32& image, const TsTempBmp& temp, const TsSkinManager& m, const TsCaptionButtons& b,
                         const TsButtonQueries& q, bool formActive, bool formEnabled) {
  if (!temp.Empty()) CopyBitmapRect(image, temp.Origin.X, temp.Origin.Y, temp.Bmp, sclip::Whole(temp.Bmp));
  for (const TsCaptionButton* p : {&b.Close, &b.Max, &b.Min, &b.Help}) Draw(image, m, b, q, *p, formActive, formEnabled);
}

TRect RepaintCaptionButton(TBitmap32& image, const TsTempBmp& temp, const TsSkinManager& m, const TsCaptionButtons& b,
                           const TsButtonQueries& q, const TsCaptionButton& button, bool formActive, bool formEnabled) {
  if (sclip::IsEmpty(button.Rect)) return TRect{};
  Restore(image, temp, button.Rect);
  Draw(image, m, b, q, button, formActive, formEnabled);
  const TRect r = sclip::Intersect(button.Rect, image.Width(), image.Height());
  return sclip::IsEmpty(r) ? TRect{} : r;
}
