// The skinned combo box's painting: the closed control from its cache, the cache itself, and the
// items the platform asks the control to draw.
#include "framework/Handles.h"
#include "skin/base/sFill.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sComboBoxPicture.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sSkinCommands.h"
#include "skin/paint/sSkinText.h"

namespace {

// The width of the frame bands copied around the platform's own painting of the field.
constexpr int kBandWidth = 3;

// The control's canvas pointed at another device context for the time of one drawing step.
class TCanvasOn {
 public:
  TCanvasOn(TCanvas& canvas, HDC dc) : canvas_(canvas), previous_(canvas.Handle()) { canvas.SetHandle(dc); }
  ~TCanvasOn() { canvas_.SetHandle(previous_); }
  TCanvasOn(const TCanvasOn&) = delete;
  TCanvasOn& operator=(const TCanvasOn&) = delete;

 private:
  TCanvas& canvas_;
  HDC previous_;
};

UINT VerticalFlags(TTextLayout layout) {
  switch (layout) {
    case TTextLayout::tlBottom: return DT_BOTTOM;
    case TTextLayout::tlCenter: return DT_VCENTER;
    default: return 0;
  }
}

}  // namespace

std::wstring TsCustomComboBox::ItemText(int index) const {
  if (index < 0) return {};
  if (HandleAllocated()) {
    HWND wnd = const_cast<TsCustomComboBox*>(this)->Handle();
    const LRESULT count = SendMessageW(wnd, CB_GETCOUNT, 0, 0);
    if (index >= count) return {};
    const LRESULT length = SendMessageW(wnd, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length <= 0) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    const LRESULT got = SendMessageW(wnd, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? std::size_t(got) : 0);
    return text;
  }
  return index < Items().Count() ? Items()[index] : std::wstring();
}

bool TsCustomComboBox::Hot() const { return IsControlHot(skinData_); }

// ---- The closed control -------------------------------------------------------------------------

void TsCustomComboBox::PaintTo(HDC dc) {
  if (!Showing() || !HandleAllocated() || !dc) return;
  if (FormAnimationRunning() && skinData_.PrintDC && skinData_.PrintDC != dc) return;
  if (skinData_.FUpdating) return;
  // A control only partly inside its parent, now or at the last paint, or a parent that is itself
  // only partly visible, has lost what lay behind it; an owner-drawn face may change at any time.
  bool changed = skinData_.BGChanged || skinData_.HalfVisible || OwnerDrawnWithHandler();
  TControl* parent = Parent();
  if (parent && SendSkinCommand(*parent, SKIN_ISHALFVISIBLE) != 0) changed = true;
  if (parent) {
    const TRect client = parent->ClientRect();
    skinData_.HalfVisible = !(Left() >= client.Left && Top() >= client.Top && Left() + Width() <= client.Right &&
                              Top() + Height() <= client.Bottom);
  }
  if (changed || !skinData_.CacheBmp()) {
    PrepareCache();
    if (skinData_.FUpdating) return;
  }
  RefreshCorners(skinData_, 0, crAllCorners);
  TBitmap& cache = *skinData_.CacheBmp();
  GdiFlush();
  const TComboBoxStyle style = Style();
  if (style == TComboBoxStyle::csSimple) {
    CopyBorderBands(dc, cache.DC(), Width(), cache.Height(), kBandWidth);
  } else if (style == TComboBoxStyle::csDropDown && Focused()) {
    // The platform paints the field: only the frame around it and the button come from here.
    CopyBorderBands(dc, cache.DC(), Width(), cache.Height(), kBandWidth);
    const TRect b = ButtonRect();
    BitBlt(dc, b.Left, b.Top, b.Width(), b.Height(), cache.DC(), b.Left, b.Top, SRCCOPY);
  } else {
    BitBlt(dc, 0, 0, Width(), style == TComboBoxStyle::csDropDown ? cache.Height() : Height(), cache.DC(), 0, 0,
           SRCCOPY);
  }
}

void TsCustomComboBox::PrepareCache() {
  const std::optional<TCacheInfo> ready = ReadyControlBackground(skinData_);
  if (!ready) {
    skinData_.FUpdating = true;
    return;
  }
  const TComboBoxStyle style = Style();
  TBitmap& cache = skinData_.EnsureCache();
  // A simple combo's list below the field is the platform's: the cache holds the field only.
  const int h = style == TComboBoxStyle::csSimple ? ItemHeight() + 8 : Height();
  if (cache.Width() != Width() || cache.Height() != h) cache.SetSize(Width(), h);
  TsComboLook look = Look();
  GdiFlush();
  PaintComboBase(look, *ready, cache.Pixels(), {Left(), Top()}, Hot());
  if (style != TComboBoxStyle::csSimple) {
    const unsigned state = ComboEditItemState(Focused() || skinData_.FFocused, StyleCode());
    TCanvasOn on(Canvas(), cache.DC());
    DrawItem(ItemIndex(), ComboTextRect(ButtonRect(), Width(), h, RightToLeft()), state);
    GdiFlush();
    if (FShowButton) PaintButton();
  }
  if (!Enabled() && !OwnerDrawnWithHandler()) {
    TControl* parent = Parent();
    ApplyDisabledLook(cache.Pixels(), FDisabledKind, parent ? parent->Color() : clBtnFace, {Left(), Top()}, *ready);
  }
  skinData_.BGChanged = false;
}

TsComboLook TsCustomComboBox::Look() const {
  TsComboLook look;
  look.Combo = ItemSkinData(skinData_);
  look.Style = StyleCode();
  look.ShowButton = FShowButton;
  look.RightToLeft = RightToLeft();
  if (TsSkinManager* m = skinData_.SkinManager()) {
    look.Margin = m->CommonSkinData().ComboBoxMargin;
    look.ScrollWidth = m->ScrollBarWidthAtLeastPlatform();
  } else {
    look.ScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  }
  return look;
}

TRect TsCustomComboBox::ButtonRect() const {
  const TsComboLook look = Look();
  const int w = ComboButtonWidth(look.Style, look.ShowButton, look.ScrollWidth);
  return ComboButtonRect(Width(), Height(), look.Margin, w, look.RightToLeft);
}

int TsCustomComboBox::ButtonHeight() const { return Skinned() ? ComboButtonHeight(skinData_.SkinManager()) : 16; }

void TsCustomComboBox::PaintButton() {
  TBitmap* cache = skinData_.CacheBmp();
  if (!cache || !Skinned()) return;
  GdiFlush();
  PaintComboButton(Look(), cache->Pixels(), Height(), ComboButtonState(FDropDown, Hot()),
                   ColorToRGB(clWindowText));
}

// ---- Items --------------------------------------------------------------------------------------

bool TsCustomComboBox::OwnerDrawnWithHandler() const {
  const TComboBoxStyle style = Style();
  return (style == TComboBoxStyle::csOwnerDrawFixed || style == TComboBoxStyle::csOwnerDrawVariable) &&
         bool(OnDrawItem);
}

void TsCustomComboBox::DrawItem(int index, const TRect& rect, unsigned state) {
  if (rect.Width() <= 0 || rect.Height() <= 0 || !Canvas().Handle()) return;
  if (Skinned()) DrawItemSkinned(index, rect, state);
  else DrawItemPlain(index, rect, state);
}

void TsCustomComboBox::DrawItemSkinned(int index, const TRect& rect, unsigned state) {
  TsSkinManager* manager = skinData_.SkinManager();
  const TsGeneralData& section = manager->gd()[std::size_t(skinData_.SkinIndex)];
  TBitmap item(rect.Width(), rect.Height());
  TRect r = Rect(0, 0, rect.Width(), rect.Height());
  const std::wstring text = ItemText(index);
  const bool editPart = state & odsComboBoxEdit;
  // The field shows the closed control's picture behind its text; list items a plain colour.
  TCacheInfo bg = EmptyCacheInfo();
  if (editPart && skinData_.CacheBmp()) {
    bg = MakeCacheInfo(&skinData_.CacheBmp()->Pixels(), rect.Left, rect.Top);
  } else {
    bg.FillColor = ColorToRGB(Color());
  }
  const int p = ((Hot() || Focused()) && section.States >= 2) ? 1 : 0;
  const TColor ownFontColor = skinData_.CustomFont() ? ColorToRGB(Font().Color()) : section.Props[p].FontColor.Color;
  TCanvas& canvas = Canvas();
  int selection = -1;
  const bool selected = state & odsSelected;
  if (selected) {
    selection = manager->GetSkinIndex(L"SELECTION");
    canvas.BrushColor = manager->GetHighLightColor(true);
    PaintComboItemBackground(manager, selection, true, bg, canvas.BrushColor, item.Pixels());
    canvas.Font.SetColor(manager->GetHighLightFontColor(true));
  } else {
    const TColor c = skinData_.CustomColor() ? ColorToRGB(Color()) : section.Props[p].Color;
    canvas.Font.SetColor(ownFontColor);
    PaintComboItemBackground(manager, -1, false, bg, c, item.Pixels());
    canvas.BrushColor = c;
  }
  GdiFlush();
  if (!OwnerDrawnWithHandler()) {
    UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX | VerticalFlags(FVerticalAlignment);
    if (RightToLeft()) format |= DT_RIGHT | DT_RTLREADING;
    TCanvas own(item.DC());
    own.Font = Font();
    own.BrushClear = true;
    if (Style() == TComboBoxStyle::csDropDown && editPart) {
      own.Font.SetColor(ownFontColor);
      own.DrawText(GetText(), r, format);
    } else {
      r.Left += 2;
      r.Right -= 2;
      if (selection < 0 || !manager->IsValidSkinIndex(selection)) {
        own.Font.SetColor(selected ? manager->GetHighLightFontColor(true) : ownFontColor);
        own.DrawText(text, r, format);
        if (state & odsFocus) {
          const RECT focus{r.Left - 2, r.Top, r.Right + 2, r.Bottom};
          SetBkColor(item.DC(), RGB(255, 255, 255));
          SetTextColor(item.DC(), RGB(0, 0, 0));
          DrawFocusRect(item.DC(), &focus);
        }
      } else {
        DrawSectionText(own, text, true, manager, 1, selection, format, r);
      }
    }
  } else if (index >= 0 && index < int(SendMessageW(Handle(), CB_GETCOUNT, 0, 0))) {
    // The handler draws as if onto the list: its rectangle as received, the origin moved.
    TCanvasOn on(canvas, item.DC());
    const int saved = SaveDC(item.DC());
    SetWindowOrgEx(item.DC(), rect.Left, rect.Top, nullptr);
    OnDrawItem(this, index, rect, state);
    RestoreDC(item.DC(), saved);
  }
  GdiFlush();
  BitBlt(canvas.Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(), item.DC(), 0, 0, SRCCOPY);
}

void TsCustomComboBox::DrawItemPlain(int index, const TRect& rect, unsigned state) {
  TCanvas& canvas = Canvas();
  canvas.Font = Font();
  const bool selected = state & odsSelected;
  canvas.BrushColor = selected ? TColor(GetSysColor(COLOR_HIGHLIGHT)) : ColorToRGB(Color());
  canvas.Font.SetColor(selected ? TColor(GetSysColor(COLOR_HIGHLIGHTTEXT)) : ColorToRGB(Font().Color()));
  canvas.BrushClear = false;
  canvas.FillRect(rect);
  const std::wstring text = ItemText(index);
  if (index < 0 || index >= int(SendMessageW(Handle(), CB_GETCOUNT, 0, 0))) return;
  TRect r{rect.Left + 2, rect.Top, rect.Right - 2, rect.Bottom};
  if (OwnerDrawnWithHandler()) {
    OnDrawItem(this, index, r, state);
  } else {
    canvas.BrushClear = true;
    canvas.DrawText(text, r, DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX);
  }
  if (state & odsFocus) {
    const RECT focus{rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawFocusRect(canvas.Handle(), &focus);
  }
}

// ---- Item height --------------------------------------------------------------------------------

void TsCustomComboBox::MeasureItem(int index, int& height) {
  const TComboBoxStyle style = Style();
  if (style == TComboBoxStyle::csOwnerDrawFixed || style == TComboBoxStyle::csOwnerDrawVariable) {
    TComboBox::MeasureItem(index, height);
    return;
  }
  TBitmap probe(1, 1);
  TCanvas canvas(probe.DC());
  canvas.Font = Font();
  height = ComboItemHeight(canvas.TextExtent(L"A").Y, scale_);
}

int TsCustomComboBox::ItemHeight() const {
  const TComboBoxStyle style = Style();
  if (style == TComboBoxStyle::csOwnerDrawFixed || style == TComboBoxStyle::csOwnerDrawVariable || !HandleAllocated())
    return TComboBox::ItemHeight();
  return int(SendMessageW(const_cast<TsCustomComboBox*>(this)->Handle(), CB_GETITEMHEIGHT, 0, 0));
}

void TsCustomComboBox::RefreshItemHeight() {
  if (HandleAllocated() && IsWindowVisible(Handle())) SetItemHeight(ItemHeight());
  Invalidate();
}

void TsCustomComboBox::ChangeScale(int m, int d) {
  scale_.Step(m, d);
  TsSkinnedControl::ChangeScale(m, d);
  if (m > 0 && d > 0 && m != d && HandleAllocated()) RecreateWnd();
}
