#include "skin/controls/sCustomComboEdit.h"

#include <commctrl.h>

#include <array>

#include "framework/Handles.h"
#include "framework/ImageList.h"
#include "framework/ResourceStream.h"
#include "imaging/PngCodec.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sSkinCommands.h"

namespace {

constexpr int kButtonWidth = 22;

bool Bool(const TLayoutValue& v) { return v.AsBoolean(); }

}  // namespace

// ---- Glyphs -------------------------------------------------------------------------------------

bool TsGlyphMode::SetProperty(const std::string& name, const TLayoutValue& v) {
  if (name == "Blend") Blend = int(v.AsInteger());
  else if (name == "Grayed") Grayed = Bool(v);
  else if (name == "Hint") Hint = v.AsString();
  else if (name == "ImageIndex") ImageIndex = int(v.AsInteger());
  else if (name == "ImageIndexHot") ImageIndexHot = int(v.AsInteger());
  else if (name == "ImageIndexPressed") ImageIndexPressed = int(v.AsInteger());
  else return false;
  return true;
}

const TBitmap32* BuiltInGlyph(int index) {
  static const std::array<TBitmap32, 5> pictures = [] {
    std::array<TBitmap32, 5> out;
    const wchar_t* names[] = {L"SF", L"SR", L"SD", L"SE", L"SC"};
    for (int i = 0; i < 5; ++i) {
      try {
        TResourceStream s(GetModuleHandleW(nullptr), names[i], RT_RCDATA);
        out[std::size_t(i)] = DecodePng(s.Memory(), std::size_t(s.Size()));
      } catch (const std::exception&) {
        // A program without the glyphs: that button shows none.
      }
    }
    return out;
  }();
  if (index < 0 || index >= int(pictures.size()) || pictures[std::size_t(index)].Width() == 0) return nullptr;
  return &pictures[std::size_t(index)];
}

TsEditButton::TsEditButton(TsCustomComboEdit& edit) : TsSpeedButton(&edit), edit_(edit) {
  SkinData().SetSkinSection(L"SPEEDBUTTON_SMALL");
  SetDisabledGlyphKind(dgBlended);
  SetFlat(true);
  SetCursor(IDC_ARROW);
  SetShowCaption(false);
  SetBounds(0, 0, kButtonWidth, edit.Height());
  SetParent(&edit);
  OnClick = [&edit](TObject*) { edit.ButtonAction(); };
}

int TsEditButton::StateImageIndex(int state) const {
  const TsGlyphMode& g = edit_.GlyphMode();
  if (!g.Images || Images() != g.Images) return TsSpeedButton::StateImageIndex(state);
  return ::StateImageIndex(g.ImageIndex, g.ImageIndexHot, g.ImageIndexPressed, state, g.Images->Count());
}

bool TsEditButton::LooksDisabled() const { return !Enabled() || edit_.ReadOnly(); }

// ---- The edit -----------------------------------------------------------------------------------

TsCustomComboEdit::TsCustomComboEdit(TComponent* owner, int coc) : TsMaskEdit(owner, coc) {
  SetBoundsFields(Left(), Top(), Width(), 21);
  FButton = new TsEditButton(*this);
}

void TsCustomComboEdit::SetShowButton(bool v) {
  if (v == FShowButton) return;
  FShowButton = v;
  GlyphChanged();
}

void TsCustomComboEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  TsMaskEdit::SetReadOnly(FReadOnly || !FDirectInput);
  // The button takes or drops the disabled look.
  FButton->SkinData().BGChanged = true;
  Invalidate();
}

void TsCustomComboEdit::SetDirectInput(bool v) {
  FDirectInput = v;
  TsMaskEdit::SetReadOnly(FReadOnly || !FDirectInput);
}

void TsCustomComboEdit::SetDefBmpID(int v) {
  FDefBmpID = v;
  GlyphChanged();
}

int TsCustomComboEdit::GlyphWidth() const {
  const TImageList* images = FGlyphMode.Images;
  if (images && FGlyphMode.ImageIndex >= 0 && FGlyphMode.ImageIndex < images->Count()) return images->Width();
  const TBitmap32* glyph = BuiltInGlyph(FDefBmpID);
  return glyph ? GlyphImageWidth(glyph->Width(), glyph->Height()) : 0;
}

void TsCustomComboEdit::GlyphChanged() {
  TsEditButton& b = *FButton;
  const TImageList* images = FGlyphMode.Images;
  if (images && FGlyphMode.ImageIndex >= 0 && FGlyphMode.ImageIndex < images->Count()) {
    b.SetImages(FGlyphMode.Images);
    b.SetImageIndex(FGlyphMode.ImageIndex);
    b.SetNumGlyphs(1);
  } else if (const TBitmap32* glyph = BuiltInGlyph(FDefBmpID)) {
    b.SetImages(nullptr);
    b.SetGlyph(*glyph);
    b.SetNumGlyphs(GlyphImageCount(glyph->Width(), glyph->Height()));
  }
  b.SetBlend(FGlyphMode.Blend);
  b.SetGrayed(FGlyphMode.Grayed);
  if (FShowButton) {
    const int w = GlyphWidth();
    b.SetBounds(b.Left(), b.Top(), w > 0 ? w + 2 : kButtonWidth, b.Height());
    b.SetParent(this);
    b.SetVisible(true);
  } else {
    b.SetVisible(false);
    b.SetParent(nullptr);
    b.SetBounds(b.Left(), b.Top(), 0, b.Height());
  }
  b.SkinData().BGChanged = true;
  AdjustEditRect();
  Invalidate();
}

void TsCustomComboEdit::UpdateHint() {
  if (FGlyphMode.Hint.empty() || !FShowButton || !HandleAllocated()) {
    FHintWnd.reset();
    return;
  }
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = 1;
  if (!FHintWnd) {
    FHintWnd.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!FHintWnd) return;
    SendMessageW(FHintWnd.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  tool.rect = {FButton->Left(), FButton->Top(), FButton->Left() + FButton->Width(), FButton->Top() + FButton->Height()};
  tool.lpszText = const_cast<wchar_t*>(FGlyphMode.Hint.c_str());
  SendMessageW(FHintWnd.get(), TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool TsCustomComboEdit::PopupShown() const {
  return FPopupWindow && FPopupWindow->HandleAllocated() && IsWindowVisible(FPopupWindow->Handle());
}

void TsCustomComboEdit::ShowPopup() {
  if (!FPopupWindow || FReadOnly || PopupShown()) return;
  HWND popup = FPopupWindow->Handle();
  ShowWindow(popup, SW_HIDE);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT self{};
  GetWindowRect(Handle(), &self);
  const TPoint p = PopupPlace({self.left, self.top, self.right, self.bottom}, {work.left, work.top, work.right, work.bottom},
                              {FPopupWidth, FPopupHeight}, FPopupWindowAlign);
  if (CanFocus()) SetFocus();
  SetWindowPos(popup, HWND_TOPMOST, p.X, p.Y, FPopupWidth, FPopupHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TsCustomComboEdit::HidePopup() {
  if (PopupShown()) ShowWindow(FPopupWindow->Handle(), SW_HIDE);
}

void TsCustomComboEdit::ButtonAction() {
  if (FReadOnly) return;
  if (OnButtonClick) OnButtonClick(this);
  if (PopupShown()) HidePopup();
  else ShowPopup();
}

void TsCustomComboEdit::SelectAll() {
  if (HandleAllocated() && !GetText().empty()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

int TsCustomComboEdit::ClientOffset() {
  if (!HandleAllocated()) return 2;
  RECT window{};
  GetWindowRect(Handle(), &window);
  POINT client{0, 0};
  ::ClientToScreen(Handle(), &client);
  return client.x - window.left;
}

void TsCustomComboEdit::AdjustEditRect() {
  if (!HandleAllocated()) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int bw = FShowButton ? FButton->Width() : 0;
  if (FShowButton) FButton->SetBounds(client.right - bw, 0, bw, client.bottom);
  // The client edge gives the edit its sunken look: the text starts at the client's left.
  RECT r{0, 0, client.right - bw, client.bottom};
  SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  UpdateHint();
}

void TsCustomComboEdit::SetText(const std::wstring& s) {
  FChangeTold = false;
  TsMaskEdit::SetText(s);
  if (HandleAllocated() && !FChangeTold && !PopupShown() && !Loading() && OnChange) OnChange(this);
}

void TsCustomComboEdit::Loaded() {
  TsMaskEdit::Loaded();
  TsMaskEdit::SetReadOnly(FReadOnly || !FDirectInput);
  GlyphChanged();
}

void TsCustomComboEdit::CreateParams(TCreateParams& p) {
  TsMaskEdit::CreateParams(p);
  // The formatting rectangle (EM_SETRECT) is honoured by multi-line edits only.
  p.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  p.Style &= ~DWORD(ES_WANTRETURN);
  if (FReadOnly || !FDirectInput) p.Style |= ES_READONLY;
}

void TsCustomComboEdit::CreateWindowHandle(const TCreateParams& p) {
  TsMaskEdit::CreateWindowHandle(p);
  AdjustEditRect();
}

void TsCustomComboEdit::DestroyWnd() {
  FHintWnd.reset();  // owned by the window going
  TsMaskEdit::DestroyWnd();
}

bool TsCustomComboEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name.rfind("GlyphMode.", 0) == 0) return FGlyphMode.SetProperty(name.substr(10), v);
  if (name == "ShowButton") FShowButton = Bool(v);
  else if (name == "ClickKey") FClickKey = unsigned(v.AsInteger());
  else if (name == "ReadOnly") FReadOnly = Bool(v);
  else if (name == "DirectInput") FDirectInput = Bool(v);
  else if (name == "AutoSelect") FAutoSelect = Bool(v);
  else if (name == "PopupWindowAlign") FPopupWindowAlign = v.AsIdentifier() == L"pwaLeft" ? TPopupWindowAlign::pwaLeft : TPopupWindowAlign::pwaRight;
  else if (name == "OnButtonClick") OnButtonClick = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else return TsMaskEdit::SetProperty(name, v, ctx);
  return true;
}

// ---- Messages -----------------------------------------------------------------------------------

bool TsCustomComboEdit::IsClickKey(WPARAM key) const {
  unsigned shortcut = unsigned(key & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) shortcut |= 0x2000;
  if (GetKeyState(VK_CONTROL) < 0) shortcut |= 0x4000;
  if (GetKeyState(VK_MENU) < 0) shortcut |= 0x8000;
  return FClickKey != 0 && shortcut == FClickKey;
}

void TsCustomComboEdit::FilterDialogCode(TMessage& m) {
  TsMaskEdit::WndProc(m);
  const MSG* msg = reinterpret_cast<const MSG*>(m.LParam);
  // A multi-line edit asks for every key; this one is a single line: Enter and Escape (and Tab)
  // are the dialog's, so that the default and cancel buttons react.
  m.Result &= ~LRESULT(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE || msg->wParam == VK_TAB))
    m.Result &= ~LRESULT(DLGC_WANTMESSAGE);
}

void TsCustomComboEdit::PasteFirstLine() {
  if (!OpenClipboard(Handle())) return;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::size_t limit = GlobalSize(data) / sizeof(wchar_t);
      std::size_t n = 0;
      while (n < limit && p[n] && p[n] != L'\r' && p[n] != L'\n') ++n;
      text.assign(p, n);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TsCustomComboEdit::PaintButton(HDC dc) {
  TsEditButton& b = *FButton;
  if (!FShowButton || !b.Visible() || b.Width() <= 0 || !dc) return;
  const int o = ClientOffset();
  if (Skinned()) {
    if (!b.PrepareCache() || !b.SkinData().CacheBmp()) return;
    GdiFlush();
    BitBlt(dc, b.Left() + o, b.Top() + o, b.Width(), b.Height(), b.SkinData().CacheBmp()->DC(), 0, 0, SRCCOPY);
  } else {
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, b.Left() + o, b.Top() + o, nullptr);
    IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
    b.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

bool TsCustomComboEdit::AnswerButtonQuery(TMessage& m) {
  auto* q = reinterpret_cast<TsBackgroundQuery*>(m.LParam);
  if (!q || !Skinned()) return false;
  TBitmap* cache = SkinData().CacheBmp();
  if (skinData_.BGChanged || !cache || cache->Width() != Width() || cache->Height() != Height()) {
    if (!PrepareCache()) return false;
    cache = SkinData().CacheBmp();
  }
  // The button lies in the client area; the cache is of the whole window.
  const int o = ClientOffset();
  q->Bmp = cache;
  q->X = FButton->Left() + o;
  q->Y = FButton->Top() + o;
  q->Answer = qaBitmap;
  m.Result = 1;
  return true;
}

void TsCustomComboEdit::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCOMMAND && IsOwnSkinSend(m.WParam, m.LParam)) {
    const auto code = SkinCommandCode(m.WParam);
    if (code == SKIN_QUERYBACKGROUND && FButton->Parent() == this && FButton->Visible() && AnswerButtonQuery(m)) return;
    if (code == SKIN_ISPENDING) {
      m.Result = 0;
      return;
    }
    TsMaskEdit::WndProc(m);
    if ((code == SKIN_LOADED || code == SKIN_UNLOADED || code == SKIN_REFRESH) && ForThisManager(skinData_, m.LParam)) {
      FButton->Perform(m.Msg, m.WParam, m.LParam);
      AdjustEditRect();
    }
    return;
  }
  switch (m.Msg) {
    case WM_GETDLGCODE:
      FilterDialogCode(m);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (IsClickKey(m.WParam)) {
        if (GlyphWidth() > 0) ButtonAction();
        m.Result = 0;
        return;
      }
      if (m.WParam == VK_RETURN) {
        m.Result = 0;  // one line: nothing to insert
        return;
      }
      TsMaskEdit::WndProc(m);
      AdjustEditRect();
      return;
    case WM_CHAR:
      if (m.WParam == L'\r' || m.WParam == L'\n') {
        m.Result = 0;
        return;
      }
      break;
    case WM_PASTE:
      if (FDirectInput && !FReadOnly) PasteFirstLine();
      m.Result = 0;
      return;
    case WM_CUT:
      if (FDirectInput && !FReadOnly) break;
      m.Result = 0;
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      HidePopup();
      TsMaskEdit::WndProc(m);
      AdjustEditRect();
      return;
    case FN_COMMAND:
      if (HIWORD(m.WParam) == EN_CHANGE) FChangeTold = true;
      if (HIWORD(m.WParam) == EN_CHANGE && PopupShown()) {
        text_ = GetText();
        return;
      }
      break;
    case FN_FOCUSENTER:
      TsMaskEdit::WndProc(m);
      if (FAutoSelect) SelectAll();
      return;
    case FN_FOCUSEXIT:
      if (PopupShown()) {
        const HWND now = GetFocus();
        if (now != FPopupWindow->Handle() && !IsChild(FPopupWindow->Handle(), now)) HidePopup();
      }
      break;
    case FN_ENABLEDCHANGED:
      FButton->SetEnabled(Enabled());
      break;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      TsMaskEdit::WndProc(m);
      if (HandleAllocated() && Skinned() && m.WParam) PaintButton(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_PAINT: {
      TsMaskEdit::WndProc(m);
      if (HandleAllocated() && Skinned() && !skinData_.FUpdating) {
        TWholeWindowDC window(Handle());
        PaintButton(window.dc());
      }
      return;
    }
    default:
      break;
  }
  TsMaskEdit::WndProc(m);
  switch (m.Msg) {
    case WM_SIZE:
    case FN_FONTCHANGED:
      AdjustEditRect();
      break;
    default:
      break;
  }
}
