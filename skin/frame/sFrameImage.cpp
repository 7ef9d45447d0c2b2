#include "skin/frame/sFrameImage.h"

#include <algorithm>

#include "skin/base/sClip.h"
#include "skin/base/sFill.h"
#include "skin/base/sTexture.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"

bool PlainColourMode(const TsSkinManager& m, int skinIndex, int borderIndex, bool hasOnPaint, bool outerEffects,
                     bool mdiParent) {
  if (!m.IsValidSkinIndex(skinIndex) || hasOnPaint || outerEffects || mdiParent) return false;
  const TsGeneralData& g = m.gd()[std::size_t(skinIndex)];
  const TsGenState& normal = g.Props[0];
  if (normal.Transparency != 0 || normal.GradientPercent != 0 || normal.ImagePercent != 0) return false;
  for (const int corner : {g.ImgTL, g.ImgTR, g.ImgBL, g.ImgBR})
    if (m.IsValidImgIndex(corner)) return false;
  return !(m.IsValidImgIndex(borderIndex) && (m.ma()[std::size_t(borderIndex)].DrawMode & kDrawFillCenter));
}

TColor FormColor(const TsSkinManager& m, int skinIndex, bool formActive, TColor custom) {
  if (custom != clFuchsia) return custom;
  if (!m.IsValidSkinIndex(skinIndex)) return clFuchsia;
  const TsGeneralData& g = m.gd()[std::size_t(skinIndex)];
  return g.Props[std::size_t(PropertyIndex(SectionState(g, formActive ? 1 : 0)))].Color;
}

TsItemSkinData FormSkinData(TsSkinManager& m, std::wstring_view section) {
  TsItemSkinData d;
  d.SkinSection = std::wstring(section);
  d.SkinIndex = m.GetSkinIndex(section);
  d.BorderIndex = m.GetMaskIndex(d.SkinIndex, section, L"BORDERSMASK");
  d.Manager = &m;
  return d;
}

int TitleSectionIndex(const TsSkinManager& m, std::wstring_view titleSkin) {
  return m.GetSkinIndex(titleSkin.empty() ? std::wstring_view(L"FORMTITLE") : titleSkin);
}

int FrameState(const TsSkinManager& m, int skinIndex, bool formActive) {
  return m.IsValidSkinIndex(skinIndex) ? SectionState(m.gd()[std::size_t(skinIndex)], formActive ? 1 : 0) : 0;
}

namespace {

bool MinimisedChild(const TsFrameWindow& w) { return w.Minimized && !w.MainForm; }

// The section's own colour in a state (the form's custom colour when it has one), as a pixel fill.
TColor SectionColor(const TsSkinManager& m, const TsFrameImageInput& in, int state) {
  if (in.Form.CustomColor != clFuchsia) return ColorToRGB(in.Form.CustomColor);
  return ColorToRGB(m.gd()[std::size_t(in.Form.SkinIndex)].Props[std::size_t(PropertyIndex(state))].Color);
}

// Plain-colour mode: the colour below the title, the frame mask around the image.
void PaintPlain(TBitmap32& image, const TsSkinManager& m, const TsFrameImageInput& in, int state) {
  const int w = image.Width(), h = image.Height();
  const TsFrameMetrics& fm = in.Metrics;
  FillPixels(image, Rect(0, fm.CaptionHeight + fm.BorderWidth + fm.MenuHeight, w, h), ColorToRGB(in.PlainColor), 255);
  if (!m.IsValidImgIndex(in.Form.BorderIndex)) return;
  const TsMaskData& mask = m.ma()[std::size_t(in.Form.BorderIndex)];
  const TColor colour = SectionColor(m, in, state);
  const int wl = std::max<int>(0, mask.WL), wt = std::max<int>(0, mask.WT), wr = std::max<int>(0, mask.WR),
            wb = std::max<int>(0, mask.WB);
  if (IsTwoLayer(mask))
    for (const TRect& r : {Rect(0, 0, wl, h), Rect(0, 0, w, wt), Rect(w - wr, 0, w, h), Rect(0, h - wb, w, h)})
      FillPixels(image, r, colour, 255);
  PaintMaskFrame(image, sclip::Whole(image), EmptyCacheInfo(), false, state, mask);
  // Between the mask's inner edge and a wider BorderWidth.
  const int bw = fm.BorderWidth;
  if (bw > wl) FillPixels(image, Rect(wl, wt, bw, h - wb), colour, 255);
  if (bw > wr) FillPixels(image, Rect(w - bw, wt, w - wr, h - wb), colour, 255);
  if (bw > wt) FillPixels(image, Rect(wl, wt, w - wr, bw), colour, 255);
  if (bw > wb) FillPixels(image, Rect(wl, h - bw, w - wr, h - wb), colour, 255);
}

// A borderless top-level form: the section's background and its four corner images.
void PaintBorderless(TBitmap32& image, TsSkinManager& m, const TsFrameImageInput& in, int state) {
  const TsItemSkinData& d = in.Form;
  PaintSectionBackground(d.SkinIndex, d.SkinSection, EmptyCacheInfo(), d.CustomColor, d.HotTexture, d.Texture, &m, image,
                         in.ScreenPos, sclip::Whole(image), state);
  const TsGeneralData& g = m.gd()[std::size_t(d.SkinIndex)];
  const int images[4] = {g.ImgTL, g.ImgTR, g.ImgBL, g.ImgBR};
  const TCacheInfo self = MakeCacheInfo(&image, 0, 0);
  for (int corner = 0; corner < 4; ++corner) {
    if (!m.IsValidImgIndex(images[corner])) continue;
    const TsMaskData& mask = m.ma()[std::size_t(images[corner])];
    const TsFrameSize fs = MaskFrameSize(mask);
    const TPoint at{corner % 2 ? image.Width() - fs.W : 0, corner / 2 ? image.Height() - fs.H : 0};
    PaintMaskImage(image, at, state, self, mask, 1);
  }
}

// The title section over `strip`, painted in a scratch bitmap over the image below it.
void PaintTitle(TBitmap32& image, TsSkinManager& m, const TsFrameImageInput& in, const TRect& strip) {
  if (!m.IsValidSkinIndex(in.TitleIndex) || sclip::IsEmpty(strip)) return;
  const TsGeneralData& g = m.gd()[std::size_t(in.TitleIndex)];
  TBitmap32 title = NewBitmap32(strip.Width(), strip.Height());
  PaintSectionItem(in.TitleIndex, g.ClassName, MakeCacheInfo(&image, 0, 0), -1, -1, &m, title, TPoint{strip.Left, strip.Top},
                   sclip::Whole(title), SectionState(g, in.FormActive ? 1 : 0));
  CopyBitmapRect(image, strip.Left, strip.Top, title, sclip::Whole(title));
}

// FORM's TITLEBAR piece behind the buttons, right end of the title rows.
void PaintTitleBar(TBitmap32& image, const TsSkinManager& m, const TsFrameImageInput& in, int state) {
  const int index = m.GetMaskIndex(in.Form.SkinIndex, in.Form.SkinSection, L"TITLEBAR");
  if (!m.IsValidImgIndex(index)) return;
  const TsMaskData& mask = m.ma()[std::size_t(index)];
  const TsFrameSize fs = MaskFrameSize(mask);
  if (fs.W <= 0 || fs.H <= 0) return;
  const int right = in.Metrics.CaptionWidth;
  const TRect r = Rect(right - (in.ButtonAreaWidth + fs.W), 0, right, in.Metrics.Frame + in.Metrics.CaptionHeight);
  PaintMaskFrame(image, sclip::Intersect(r, image.Width(), image.Height()), EmptyCacheInfo(), false, state, mask);
}

}  // namespace

bool BuildFrameBackground(TBitmap32& image, const TsFrameImageInput& in) {
  TsSkinManager* m = in.Manager;
  if (!m || !m->IsValidSkinIndex(in.Form.SkinIndex)) return false;
  const TsFrameMetrics& fm = in.Metrics;
  const bool minimisedChild = MinimisedChild(in.Window);
  const int w = fm.CaptionWidth, h = minimisedChild ? fm.Frame + fm.CaptionHeight + 2 : in.Window.Height;
  if (w <= 0 || h <= 0) return false;
  if (image.Width() != w || image.Height() != h) image = NewBitmap32(w, h);
  const int state = FrameState(*m, in.Form.SkinIndex, in.FormActive);
  if (in.PlainColour) PaintPlain(image, *m, in, state);
  else if (in.Window.BorderStyle != TFormBorderStyle::bsNone || in.ChildWindow)
    PaintSkinItem(in.Form, EmptyCacheInfo(), false, image, in.ScreenPos, sclip::Whole(image), state);
  else PaintBorderless(image, *m, in, state);
  if (fm.CaptionHeight <= 0 || !in.DrawNonClientArea) return true;
  PaintTitle(image, *m, in, minimisedChild ? sclip::Whole(image) : sclip::Intersect(Rect(0, 0, w, fm.Frame + fm.CaptionHeight), w, h));
  if (in.ButtonsShown) PaintTitleBar(image, *m, in, state);
  return true;
}

void FinishFrameImage(TBitmap32& image, TsTempBmp& temp, const TsFrameImageInput& in, const TsCaptionButtons& b,
                      const TsButtonQueries& q, bool formEnabled) {
  if (!in.Manager || in.Metrics.CaptionHeight <= 0 || !in.DrawNonClientArea || image.Empty()) return;
  SaveTempBmp(temp, image, in.Metrics.Frame, in.Metrics.CaptionHeight, in.Metrics.MenuHeight, in.ButtonAreaWidth);
  PaintCaptionButtons(image, temp, *in.Manager, b, q, in.FormActive, formEnabled);
}

TsDialogFrame DialogFrame(TsSkinManager& m, const TsSystemMetrics& sys, int clientWidth, int clientHeight, bool active) {
  TsDialogFrame f;
  f.Window = DialogWindow(sys, clientWidth, clientHeight);
  f.Metrics = FrameMetrics(sys, f.Window);
  TsButtonState s;
  s.Icons = biSystemMenu;
  s.BorderStyle = TFormBorderStyle::bsDialog;
  f.Queries = ButtonQueries(s);
  const TsTitleLayout title = TitleLayout(f.Metrics, f.Window, m.CommonSkinData().BILeftMargin, false);
  AssignButtonImages(f.Buttons, m, f.Window.BorderStyle, f.Queries);
  CalcItems(f.Buttons, m, f.Queries,
            TsButtonPlace{f.Metrics.CaptionWidth, f.Metrics.Frame, sys.CXFrame, title.VCenter, false, false, true});
  TsFrameImageInput& in = f.In;
  in.Manager = &m;
  in.Form = FormSkinData(m);
  in.TitleIndex = TitleSectionIndex(m);
  in.Window = f.Window;
  in.Metrics = f.Metrics;
  in.FormActive = active;
  in.PlainColour = PlainColourMode(m, in.Form.SkinIndex, in.Form.BorderIndex, false, false, false);
  in.PlainColor = FormColor(m, in.Form.SkinIndex, active);
  in.ButtonsShown = f.Queries.VisibleClose;
  in.ButtonAreaWidth = TitleBtnsWidth(m, f.Buttons, f.Queries);
  return f;
}
