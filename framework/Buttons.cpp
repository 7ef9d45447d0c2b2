#include "framework/Buttons.h"

#include <algorithm>
#include <map>

#include "framework/Form.h"

#include "framework/ImageList.h"

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButtonControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"BUTTON";
  p.OwnClass = false;
}

void TButtonControl::WndProc(TMessage& m) {
  if (m.Msg == FN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    ButtonClicked();
    return;
  }
  if (m.Msg == WM_LBUTTONUP) {
    DefaultHandler(m);
    return;
  }
  TWinControl::WndProc(m);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBoundsFields(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  DefaultChanged();
}

void TButton::DefaultChanged() {
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETSTYLE, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::SetImages(TImageList* v) {
  if (v == images_) return;
  images_ = v;
  LookChanged();
}

void TButton::SetImageIndexOf(int look, int v) {
  if (imageIndexes_[look] == v) return;
  imageIndexes_[look] = v;
  LookChanged();
}

void TButton::SetImageAlignment(TImageAlignment v) {
  if (v == imageAlignment_) return;
  imageAlignment_ = v;
  LookChanged();
}

void TButton::SetImageMargins(const TImageMargins& v) {
  if (v == imageMargins_) return;
  imageMargins_ = v;
  LookChanged();
}

void TButton::SetCommandLinkHint(const std::wstring& v) {
  if (v == commandLinkHint_) return;
  commandLinkHint_ = v;
  LookChanged();
}

void TButton::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  LookChanged();
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

bool TButton::HasValidImage() const { return images_ && ImageIndex() >= 0 && ImageIndex() < images_->Count(); }

bool TButton::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Default") default_ = v.AsBoolean();
  else if (name == "Cancel") cancel_ = v.AsBoolean();
  else if (name == "ModalResult") {
    static const std::map<std::wstring, TModalResult> results = {
        {L"mrNone", mrNone},   {L"mrOk", mrOk},       {L"mrCancel", mrCancel}, {L"mrAbort", mrAbort},
        {L"mrRetry", mrRetry}, {L"mrIgnore", mrIgnore}, {L"mrYes", mrYes},     {L"mrNo", mrNo}};
    if (v.kind == TLayoutValue::Kind::Integer) {
      modalResult_ = TModalResult(v.AsInteger());
    } else {
      auto it = results.find(v.AsIdentifier());
      if (it == results.end()) throw ELayoutError("unknown modal result");
      modalResult_ = it->second;
    }
  }
  else if (name == "WordWrap") wordWrap_ = v.AsBoolean();
  else if (name == "ImageIndex") imageIndexes_[0] = int(v.AsInteger());
  else if (name == "HotImageIndex") imageIndexes_[1] = int(v.AsInteger());
  else if (name == "PressedImageIndex") imageIndexes_[2] = int(v.AsInteger());
  else if (name == "SelectedImageIndex") imageIndexes_[3] = int(v.AsInteger());
  else if (name == "DisabledImageIndex") imageIndexes_[4] = int(v.AsInteger());
  else if (name == "CommandLinkHint") commandLinkHint_ = v.AsString();
  else if (name == "ImageMargins.Left") imageMargins_.Left = int(v.AsInteger());
  else if (name == "ImageMargins.Top") imageMargins_.Top = int(v.AsInteger());
  else if (name == "ImageMargins.Right") imageMargins_.Right = int(v.AsInteger());
  else if (name == "ImageMargins.Bottom") imageMargins_.Bottom = int(v.AsInteger());
  else if (name == "ImageAlignment") {
    const auto& a = v.AsIdentifier();
    imageAlignment_ = a == L"iaRight"    ? TImageAlignment::iaRight
                      : a == L"iaTop"    ? TImageAlignment::iaTop
                      : a == L"iaBottom" ? TImageAlignment::iaBottom
                      : a == L"iaCenter" ? TImageAlignment::iaCenter
                                         : TImageAlignment::iaLeft;
  } else return TButtonControl::SetProperty(name, v, ctx);
  return true;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) { SetBoundsFields(0, 0, 97, 17); }

void TCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.Style |= BS_3STATE;  // the state changes through Click, as the framework decides
}

void TCheckBox::CreateWindowHandle(const TCreateParams& p) {
  TButtonControl::CreateWindowHandle(p);
  SendMessageW(Handle(), BM_SETCHECK, WPARAM(state_), 0);
}

TCheckBoxState TCheckBox::State() const { return state_; }

void TCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) return;
  state_ = s;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, WPARAM(s), 0);
  Invalidate();
}

void TCheckBox::Toggle() {
  SetState(ToggledState(state_, allowGrayed_));
  Click();
}

void TCheckBox::ButtonClicked() { Toggle(); }

bool TCheckBox::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "AllowGrayed") allowGrayed_ = v.AsBoolean();
  else if (name == "Checked") state_ = v.AsBoolean() ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
  else if (name == "State") {
    const auto& s = v.AsIdentifier();
    state_ = s == L"cbChecked" ? TCheckBoxState::cbChecked : s == L"cbGrayed" ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked;
  } else return TButtonControl::SetProperty(name, v, ctx);
  return true;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetBoundsFields(0, 0, 23, 22);
  controlStyle_ = csCaptureMouse | csDoubleClicks | csOpaque;
}

void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = v;
  state_ = v ? TButtonState::bsExclusive : TButtonState::bsUp;
  Invalidate();
  if (v && Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      Parent()->Controls(i)->Perform(FN_BUTTONPRESSED, WPARAM(groupIndex_), reinterpret_cast<LPARAM>(this));
  }
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case FN_BUTTONPRESSED:
      // Another button of our group went down: this one comes up.
      if (int(m.WParam) == groupIndex_ && reinterpret_cast<TSpeedButton*>(m.LParam) != this && down_) {
        down_ = false;
        state_ = TButtonState::bsUp;
        Invalidate();
      }
      return;
    case FN_ENABLEDCHANGED:
      state_ = Enabled() ? (down_ ? TButtonState::bsExclusive : TButtonState::bsUp) : TButtonState::bsDisabled;
      Invalidate();
      return;
    case FN_MOUSEENTER:
    case FN_MOUSELEAVE:
      TGraphicControl::WndProc(m);
      if (flat_) Invalidate();
      return;
    default:
      TGraphicControl::WndProc(m);
  }
}

void TSpeedButton::MouseDown(TMouseButton button, int, int) {
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  if (!down_) {
    state_ = TButtonState::bsDown;
    Repaint();
  }
}

void TSpeedButton::MouseMove(int x, int y) {
  if (!(ControlState() & csLButtonDown)) return;
  const TButtonState want = ClientRect().Contains({x, y}) ? TButtonState::bsDown : (down_ ? TButtonState::bsExclusive : TButtonState::bsUp);
  if (want != state_) {
    state_ = want;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, int x, int y) {
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  const bool inside = ClientRect().Contains({x, y});
  if (groupIndex_ == 0) {
    state_ = TButtonState::bsUp;
    Invalidate();
  } else if (inside) {
    SetDown(!down_);
    state_ = down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
    Invalidate();
  }
  if (inside) Click();
}

void TSpeedButton::PaintPlain(TCanvas& canvas) {
  RECT r{0, 0, Width(), Height()};
  UINT edge = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive ? EDGE_SUNKEN : EDGE_RAISED;
  TUniqueBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  FillRect(canvas.Handle(), &r, face.get());
  if (!flat_ || MouseInControl() || state_ != TButtonState::bsUp) DrawEdge(canvas.Handle(), &r, edge, BF_RECT);
  TRect tr = PlainCaptionRect();
  if (edge == EDGE_SUNKEN) tr = {tr.Left + 1, tr.Top + 1, tr.Right + 1, tr.Bottom + 1};
  canvas.BrushClear = true;
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.SetColor(clBtnShadow);
  canvas.DrawText(Caption(), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TSpeedButton::SetGlyph(const TBitmap32& v) {
  glyph_ = v;
  if (OnGlyphChange) OnGlyphChange(this);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 4);
  if (v == numGlyphs_) return;
  numGlyphs_ = v;
  Invalidate();
}

void TSpeedButton::SetFlat(bool v) {
  if (v == flat_) return;
  flat_ = v;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TSpeedButton::SetMargin(int v) {
  if (v == margin_) return;
  margin_ = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
  if (v == spacing_) return;
  spacing_ = v;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  controlStyle_ = v ? controlStyle_ & ~csOpaque : controlStyle_ | csOpaque;
  Invalidate();
}

bool TSpeedButton::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "GroupIndex") groupIndex_ = int(v.AsInteger());
  else if (name == "NumGlyphs") numGlyphs_ = std::clamp(int(v.AsInteger()), 1, 4);
  else if (name == "Margin") margin_ = int(v.AsInteger());
  else if (name == "Spacing") spacing_ = int(v.AsInteger());
  else if (name == "Transparent") SetTransparent(v.AsBoolean());
  else if (name == "Layout") {
    const auto& a = v.AsIdentifier();
    layout_ = a == L"blGlyphRight"    ? TButtonLayout::blGlyphRight
              : a == L"blGlyphTop"    ? TButtonLayout::blGlyphTop
              : a == L"blGlyphBottom" ? TButtonLayout::blGlyphBottom
                                      : TButtonLayout::blGlyphLeft;
  }
  else if (name == "Down") down_ = v.AsBoolean();
  else if (name == "AllowAllUp") allowAllUp_ = v.AsBoolean();
  else if (name == "Flat") flat_ = v.AsBoolean();
  else return TGraphicControl::SetProperty(name, v, ctx);
  return true;
}
