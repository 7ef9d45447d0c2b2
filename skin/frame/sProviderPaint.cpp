// The provider's drawing: the window image (built by the portable layer, with the caption text
// drawn here in the platform's caption font), the frame strips and the region, the client
// background, printing, and the background the children ask for.
#include "framework/Handles.h"
#include "platform/SystemInfo.h"
#include "skin/base/sClip.h"
#include "skin/base/sDCPaint.h"
#include "skin/base/sFill.h"
#include "skin/base/sTexture.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/frame/sFrameRegion.h"
#include "skin/frame/sSkinProvider.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sMaskFrame.h"

namespace {

TFont CaptionFont() {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  TFont font;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
    font.SetName(ncm.lfCaptionFont.lfFaceName);
    font.SetHeight(ncm.lfCaptionFont.lfHeight);
    if (ncm.lfCaptionFont.lfWeight >= FW_BOLD) font.SetStyle(fsBold);
  }
  return font;
}

// The form's icon: the window's own, its class's, or the system's application icon.
HICON FormIcon(HWND wnd) {
  for (WPARAM kind : {WPARAM(ICON_SMALL), WPARAM(ICON_BIG)})
    if (auto icon = reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, kind, 0))) return icon;
  for (int index : {GCLP_HICONSM, GCLP_HICON})
    if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(wnd, index))) return icon;
  return LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace

// ---- The image ----------------------------------------------------------------------------------

bool RiDuraRidareza::PlainColour() {
  TsSkinManager* m = FCommonData.SkinManager();
  return m && PlainColourMode(*m, FCommonData.SkinIndex, FCommonData.BorderIndex, false, m->Effects().AllowOuterEffects, false);
}

TColor RiDuraRidareza::ClientColor() {
  TsSkinManager* m = FCommonData.SkinManager();
  if (!m) return form_.Color();
  return FormColor(*m, FCommonData.SkinIndex, FormActive, FCommonData.CustomColor() ? form_.Color() : clFuchsia);
}

TsFrameImageInput RiDuraRidareza::ImageInput() {
  TsSkinManager* m = FCommonData.SkinManager();
  TsFrameImageInput in;
  in.Manager = m;
  in.Form = ItemSkinData(FCommonData);
  in.TitleIndex = FTitleSkinIndex;
  in.Window = WindowInfo();
  in.Metrics = Metrics();
  in.FormActive = FormActive;
  in.DrawNonClientArea = drawNonClientArea_;
  in.PlainColour = PlainColour();
  in.PlainColor = ClientColor();
  if (form_.HandleAllocated()) {
    RECT r{};
    GetWindowRect(form_.Handle(), &r);
    in.ScreenPos = {r.left, r.top};
  }
  const TsButtonQueries q = Queries();
  in.ButtonsShown = q.VisibleClose || q.VisibleMax || q.VisibleMin || q.ShowHelp;
  if (m) in.ButtonAreaWidth = TitleBtnsWidth(*m, Buttons, q);
  return in;
}

bool RiDuraRidareza::PrepareCache() {
  if ((form_.ControlState() & csCreating) || (FFormState & (fsTranslucentMoving | fsSnapshot)) || !Skinned()) return false;
  if (!SystemMenu) PrepareForm();
  TsSkinManager* m = FCommonData.SkinManager();
  TsFrameImageInput in = ImageInput();
  const TsFrameMetrics& fm = in.Metrics;
  if (fm.CaptionWidth <= 0 || in.Window.Height <= 0) return false;
  const TsTitleLayout title = Title();
  TsButtonPlace place{fm.CaptionWidth, fm.Frame, System().CXFrame, title.VCenter, in.Window.Maximized,
                      in.Window.Minimized, in.Window.MainForm};
  const TsButtonQueries q = Queries();
  CalcItems(Buttons, *m, q, place);
  TBitmap& image = Image();
  const bool fresh = image.Width() == 0;
  // Sized here, so that the picture stays the bitmap's own pixels (which GDI draws the caption on).
  if (image.Width() != fm.CaptionWidth || image.Height() != in.Window.Height) image.SetSize(fm.CaptionWidth, in.Window.Height);
  GdiFlush();
  if (!BuildFrameBackground(image.Pixels(), in)) return false;
  RgnChanged = true;
  PaintTitleIcon(image, title.FIconRect);
  PaintCaptionText(image, in);
  PaintGrip(image, in);
  FinishFrameImage(image.Pixels(), TempBmp, in, Buttons, q, IsWindowEnabled(form_.Handle()) != FALSE);
  FCommonData.BGChanged = false;
  FCommonData.FUpdating = false;
  FirstInitialized = true;
  // The children look at a new parent picture: their own transparency is worked out anew.
  if (fresh) TellChildren(SKIN_SKINSTATE, 1);
  return true;
}

void RiDuraRidareza::PaintGrip(TBitmap& image, const TsFrameImageInput& in) {
  TsSkinManager* m = in.Manager;
  if (GripMode != TsGripMode::gmRightBottom || !DrawClientArea || !m || !form_.HandleAllocated()) return;
  HWND wnd = form_.Handle();
  if (!(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_THICKFRAME) || IsZoomed(wnd)) return;
  const int grip = m->ConstData.GripRightBottom;
  if (!m->IsValidImgIndex(grip)) return;
  const TsMaskData& mask = m->ma()[std::size_t(grip)];
  const TsFrameSize size = MaskFrameSize(mask);
  RECT client{};
  GetClientRect(wnd, &client);
  const TPoint at{in.Metrics.OffsetX + client.right - size.W, in.Metrics.OffsetY + client.bottom - size.H};
  if (at.X < 0 || at.Y < 0) return;
  GdiFlush();
  TBitmap32 behind = image.Pixels();  // the client background under the grip
  PaintMaskImage(image.Pixels(), at, 0, MakeCacheInfo(&behind), mask, 1);
}

void RiDuraRidareza::PaintCaptionText(TBitmap& image, const TsFrameImageInput& in) {
  TsSkinManager* m = in.Manager;
  const TsFrameMetrics& fm = in.Metrics;
  if (fm.CaptionHeight <= 0 || !in.DrawNonClientArea || !m) return;
  const std::wstring text = form_.Caption();
  if (text.empty()) return;
  TCanvas canvas(image.DC());
  canvas.Font = CaptionFont();
  canvas.BrushClear = true;
  const TPoint extent = canvas.TextExtent(text);
  const TsTitleLayout title = Title();
  const bool captionSection = m->IsValidSkinIndex(FCaptionSkinIndex);
  TRect box = CaptionTextBox(fm, title, m->CommonSkinData().BILeftMargin, captionSection, in.ButtonAreaWidth, extent.Y);
  box = AlignCaptionText(box, CaptionAlignment, false, extent.X, 0);
  if (box.Right <= box.Left) return;
  const int section = captionSection ? FCaptionSkinIndex : in.TitleIndex;
  if (!m->IsValidSkinIndex(section)) return;
  const TsGeneralData& g = m->gd()[std::size_t(section)];
  const int state = std::min(FormActive ? 1 : 0, std::max(g.States - 1, 0));
  const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  GdiFlush();
  if (captionSection) {
    TRect back{box.Left - 4, box.Top - 2, box.Right + 4, box.Bottom + 2};
    TBitmap32 copy = image.Pixels();  // the title as it is, behind the section
    PaintSectionItem(section, g.ClassName, MakeCacheInfo(&copy, 0, 0), -1, -1, m, image.Pixels(), {back.Left, back.Top}, back,
                     state);
  }
  const int glow = FormActive ? g.HotGlowSize : g.GlowSize;
  if (glow > 0 && CaptionGlowAllowed()) {
    const TColor glowColor = g.Props[std::size_t(FormActive && g.States > 1 ? 1 : 0)].GlowColor;
    DrawGlowText(image.Pixels(), text, box, FormActive ? FGlow1 : FGlow2, glowColor, glow, 0, flags, canvas.Font);
  }
  GdiFlush();
  DrawSectionText(canvas, text, true, m, state, section, flags, box);
  GdiFlush();
}

bool RiDuraRidareza::CaptionGlowAllowed() const {
  const TsSkinManager* m = FCommonData.SkinManager();
  return !(m && m->CommonSkinData().Version <= 7.5 && IsRunningUnderWow64() && !CompositionEnabled());
}

void RiDuraRidareza::PaintTitleIcon(TBitmap& image, const TRect& place) {
  const TRect r = sclip::Intersect(place, image.Width(), image.Height());
  if (sclip::IsEmpty(r) || place.Width() <= 0 || place.Height() <= 0 || !drawNonClientArea_) return;
  TBitmap32& px = image.Pixels();
  GdiFlush();
  if (TitleIcon.Glyph.Width() > 0 && TitleIcon.Glyph.Height() > 0) {
    // The glyph, magenta transparent, stretched to the icon's place by nearest pixels.
    const TBitmap32& g = TitleIcon.Glyph.Pixels();
    for (int y = r.Top; y < r.Bottom; ++y) {
      const std::uint32_t* src = g.Row((y - place.Top) * g.Height() / place.Height());
      std::uint32_t* dst = px.Row(y);
      for (int x = r.Left; x < r.Right; ++x) {
        const std::uint32_t v = src[(x - place.Left) * g.Width() / place.Width()] & 0xFFFFFF;
        if (v != 0xFF00FF) dst[x] = v | 0xFF000000u;
      }
    }
    return;
  }
  TBitmap32 before = NewBitmap32(r.Width(), r.Height());
  CopyBitmapRect(before, 0, 0, px, r);
  DrawIconEx(image.DC(), place.Left, place.Top, FormIcon(form_.Handle()), place.Width(), place.Height(), 0, nullptr, DI_NORMAL);
  GdiFlush();
  // GDI leaves the alpha bytes as they were: whatever the icon drew is made opaque.
  for (int y = r.Top; y < r.Bottom; ++y) {
    const std::uint32_t* old = before.Row(y - r.Top);
    std::uint32_t* row = px.Row(y);
    for (int x = r.Left; x < r.Right; ++x)
      if (row[x] != old[x - r.Left]) row[x] |= 0xFF000000u;
  }
}

void RiDuraRidareza::TellChildren(std::uint16_t code, LPARAM lParam) {
  if (form_.Loading()) return;
  BroadcastToControls(form_, SM_SKINCOMMAND, WPARAM(code) << 16, lParam);
}

// ---- The frame ----------------------------------------------------------------------------------

void RiDuraRidareza::ApplyRegion(bool redraw) {
  HWND wnd = form_.Handle();
  const TsFrameWindow w = WindowInfo();
  TsSkinManager* m = FCommonData.SkinManager();
  RgnChanged = false;
  RgnChanging = true;
  if (w.Maximized) {
    const int frame = Metrics().Frame;
    TUniqueRgn rgn(CreateRectRgn(frame, frame, w.Width - frame, w.Height - frame));
    if (SetWindowRgn(wnd, rgn.get(), redraw)) rgn.release();
    RgnChanging = false;
    return;
  }
  const int titleBorder = m && m->IsValidSkinIndex(FTitleSkinIndex) ? m->gd()[std::size_t(FTitleSkinIndex)].BorderIndex : -1;
  ArOR = m ? FrameCornerRects(*m, FCommonData.BorderIndex, titleBorder, Metrics().CaptionWidth, w.Height) : std::vector<TRect>{};
  TUniqueRgn rgn(CreateRectRgn(0, 0, Metrics().CaptionWidth, w.Height));
  for (const TRect& r : ArOR) {
    TUniqueRgn cut(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
    CombineRgn(rgn.get(), rgn.get(), cut.get(), RGN_DIFF);
  }
  // The window owns the region once it is set; it stays ours to free when the call fails.
  if (SetWindowRgn(wnd, rgn.get(), redraw)) rgn.release();
  RgnChanging = false;
}

void RiDuraRidareza::CopyFrameStrips(HDC dc) {
  const TsFrameMetrics fm = Metrics();
  const TsFrameWindow w = WindowInfo();
  const TBitmap& image = Image();
  HDC src = image.DC();
  const int top = w.HasCaption() ? fm.HeaderHeight : fm.BorderHeight;
  GdiFlush();
  BitBlt(dc, 0, 0, w.Width, top, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, top, fm.BorderWidth, w.Height - top, src, 0, top, SRCCOPY);
  BitBlt(dc, fm.BorderWidth, w.Height - fm.BorderHeight, w.Width - 2 * fm.BorderWidth, fm.BorderHeight, src, fm.BorderWidth,
         w.Height - fm.BorderHeight, SRCCOPY);
  BitBlt(dc, w.Width - fm.BorderWidth, top, fm.BorderWidth, w.Height - top, src, w.Width - fm.BorderWidth, top, SRCCOPY);
}

void RiDuraRidareza::NonClientPaint(TMessage& m) {
  m.Result = 0;
  if (!SystemMenu) PrepareForm();
  if (drawNonClientArea_ && ((FCommonData.CtrlSkinState & ssInUpdate) || (FFormState & fsSnapshot))) return;
  if (fAnimating || !form_.Showing() || form_.Loading() || !SystemMenu) return;
  HWND wnd = form_.Handle();
  const TsFrameWindow w = WindowInfo();
  if (w.Minimized) {
    FCommonData.BGChanged = true;
  } else if (w.Width != form_.Width() || w.Height != form_.Height()) {
    return;  // the framework has not caught up with a size change: the repaint after it follows
  }
  TBitmap* image = FCommonData.CacheBmp();
  // No image before this paint: the form is being shown for the first time.
  const bool firstShow = !FirstInitialized;
  if ((FCommonData.BGChanged || !image || image->Width() != Metrics().CaptionWidth || image->Height() != w.Height) &&
      !PrepareCache())
    return;
  // The region is applied once per change: applying it redraws the frame, and that paint must
  // find nothing left to apply. While the form is first shown (not maximised) it goes on without
  // a redraw: the whole window is being painted anyway.
  if (RgnChanged && !RgnChanging) ApplyRegion((!firstShow || w.Maximized) && IsWindowVisible(wnd));
  TWholeWindowDC dc(wnd);
  if (!dc.dc()) return;
  TSavedDC saved(dc.dc());
  CopyFrameStrips(dc.dc());
}

void RiDuraRidareza::RepaintFrame() {
  if (form_.HandleAllocated()) RedrawWindow(form_.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

// ---- The client area ----------------------------------------------------------------------------

void RiDuraRidareza::FillClient(HDC dc) {
  RECT c{};
  GetClientRect(form_.Handle(), &c);
  if (PlainColour()) {
    FillDCRect(dc, TRect{0, 0, c.right, c.bottom}, ClientColor());
  } else if (!FCommonData.BGChanged || PrepareCache()) {
    GdiFlush();
    BitBlt(dc, 0, 0, c.right, c.bottom, Image().DC(), OffsetX(), OffsetY(), SRCCOPY);
  }
}

void RiDuraRidareza::PaintClient(HDC dc) {
  FillClient(dc);
  // Windowless children are painted only inside the parent's painting: after the background.
  form_.PaintControls(dc);
}

void RiDuraRidareza::EraseBackground(TMessage& m) {
  m.Result = 1;
  if ((FCommonData.CtrlSkinState & ssInUpdate) || FCommonData.FUpdating) return;
  if (!m.WParam) return;
  FillClient(reinterpret_cast<HDC>(m.WParam));
  TellChildren(SKIN_UPDATEDONE, 0);
}

void RiDuraRidareza::Paint(TMessage& m) {
  m.Result = 0;
  if (m.WParam) {
    // A painting asked for into a given device context (a see-through child repainting what lies
    // behind it): no BeginPaint.
    PaintClient(reinterpret_cast<HDC>(m.WParam));
    return;
  }
  TPaintDC paint(form_.Handle());
  if (FInAnimation || fAnimating) return;
  PaintClient(paint.dc());
}

void RiDuraRidareza::Print(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  m.Result = 0;
  if (!dc || (FCommonData.BGChanged && !PrepareCache())) return;
  if (m.Msg == WM_PRINTCLIENT || (m.LParam & PRF_CLIENT && !(m.LParam & PRF_NONCLIENT))) {
    PaintClient(dc);
    return;
  }
  // The whole window: the frame from the image, then the client at its offset. Windowed children
  // are not painted here: whoever prints the window paints them itself.
  CopyFrameStrips(dc);
  TSavedDC saved(dc);
  POINT org{};
  GetViewportOrgEx(dc, &org);
  SetViewportOrgEx(dc, org.x + OffsetX(), org.y + OffsetY(), nullptr);
  PaintClient(dc);
}

void RiDuraRidareza::AnswerBackground(TMessage& m) {
  auto* q = reinterpret_cast<TsBackgroundQuery*>(m.LParam);
  m.Result = 0;
  if (!q) return;
  if (PlainColour()) {
    q->Answer = qaColor;
    q->Color = ClientColor();
    q->Bmp = nullptr;
    if (q->PaintNow && q->PaintDC) FillDCRect(q->PaintDC, q->PaintRect, q->Color);
    return;
  }
  // An out-of-date picture is built first: the answer is never an empty bitmap.
  if ((FCommonData.BGChanged || !WindowImage()) && !PrepareCache()) {
    q->Answer = qaNotReady;
    return;
  }
  q->Answer = qaBitmap;
  q->Bmp = &Image();
  q->X += OffsetX();
  q->Y += OffsetY();
  if (q->PaintNow && q->PaintDC) {
    GdiFlush();
    BitBlt(q->PaintDC, q->PaintRect.Left, q->PaintRect.Top, q->PaintRect.Right - q->PaintRect.Left,
           q->PaintRect.Bottom - q->PaintRect.Top, Image().DC(), q->PaintRect.Left + q->X, q->PaintRect.Top + q->Y, SRCCOPY);
  }
}

void RiDuraRidareza::TakeSnapshot() {
  TBitmap* image = FCommonData.CacheBmp();
  if (!image || !form_.HandleAllocated()) return;
  FFormState |= fsSnapshot;
  TBitmap shot(image->Width(), image->Height());
  {
    TSavedDC saved(shot.DC());
    PaintControlImage(shot, form_, 0, 0, this);
  }
  GdiFlush();
  SetPixelsAlpha(shot.Pixels(), TRect{0, 0, shot.Width(), shot.Height()}, 255, clNone);
  image->Assign(shot.Pixels());
  FFormState &= ~fsSnapshot;
  FCommonData.BGChanged = false;
}
