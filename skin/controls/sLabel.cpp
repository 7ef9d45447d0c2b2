#include "skin/controls/sLabel.h"

#include <shellapi.h>

#include "framework/Application.h"
#include "framework/Form.h"

TsCustomLabel::TsCustomLabel(TComponent* owner) : TCustomLabel(owner) { SetTransparent(true); }

bool TsCustomLabel::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name.rfind("SkinData.", 0) == 0) return skinData_.SetProperty(name.substr(9), v);
  if (name == "SkinSection") {
    skinData_.SetSkinSection(v.AsString());
    return true;
  }
  return TCustomLabel::SetProperty(name, v, ctx);
}

bool TsLabel::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "UseSkinColor") useSkinColor_ = v.AsBoolean();
  else return TsCustomLabel::SetProperty(name, v, ctx);
  return true;
}

TsWebLabel::TsWebLabel(TComponent* owner) : TsLabel(owner) {
  hoverFont_.SetColor(clWindowText);
  SetCursor(IDC_HAND);
}

void TsWebLabel::Loaded() {
  TsLabel::Loaded();
  Font().Assign(normalFont_);
}

void TsWebLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case FN_MOUSEENTER:
      mouseAbove_ = true;
      Font().Assign(hoverFont_);
      TsLabel::WndProc(m);
      return;
    case FN_MOUSELEAVE:
      mouseAbove_ = false;
      Font().Assign(normalFont_);
      TsLabel::WndProc(m);
      return;
    default:
      TsLabel::WndProc(m);
  }
}

void TsWebLabel::MouseDown(TMouseButton button, int x, int y) {
  TsLabel::MouseDown(button, x, y);
  if (button != TMouseButton::mbLeft || url_.empty()) return;
  HWND owner = Application && Application->MainForm() && Application->MainForm()->HandleAllocated()
                   ? Application->MainForm()->Handle() : nullptr;
  // The result is not checked: a missing browser is the shell's to report.
  ShellExecuteW(owner, L"open", url_.c_str(), nullptr, nullptr, int(showMode_));
}

bool TsWebLabel::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name.rfind("Font.", 0) == 0) {
    if (!normalFont_.SetProperty(name.substr(5), v)) return false;
    return TsLabel::SetProperty(name, v, ctx);
  }
  if (name.rfind("HoverFont.", 0) == 0) return hoverFont_.SetProperty(name.substr(10), v);
  if (name == "URL") url_ = v.AsString();
  else if (name == "ShowMode") {
    static const wchar_t* names[] = {L"soHide", L"soNormal", L"soShowMinimized", L"soMaximize", L"soShowNoActivate", L"soShow",
                                     L"soMinimize", L"soShowMinNoActive", L"soShowNA", L"soRestore", L"soDefault"};
    int i = 0;
    while (i < 11 && v.AsIdentifier() != names[i]) ++i;
    if (i == 11) throw ELayoutError("unknown show mode");
    showMode_ = TsWindowShowMode(i);
  } else return TsLabel::SetProperty(name, v, ctx);
  return true;
}

TsLabelFX::TsLabelFX(TComponent* owner) : TsCustomLabel(owner) {}

bool TsLabelFX::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Angle") angle_ = int(v.AsInteger());
  else if (name == "Shadow.Mode") {
    const auto& s = v.AsIdentifier();
    shadow_.Mode = s == L"smNone" ? TsShadowMode::smNone : s == L"smCustom" ? TsShadowMode::smCustom : s == L"smSkin1" ? TsShadowMode::smSkin1
                   : throw ELayoutError("unknown shadow mode");
  } else if (name == "Shadow.Color") shadow_.Color = ColorFromLayout(v);
  else if (name == "Shadow.BlurCount") shadow_.BlurCount = int(v.AsInteger());
  else if (name == "Shadow.Distance") shadow_.Distance = int(v.AsInteger());
  else if (name == "Shadow.AlphaValue") shadow_.AlphaValue = int(v.AsInteger());
  else if (name == "Shadow.OffsetKeeper.LeftTop") shadow_.OffsetKeeper.LeftTop = int(v.AsInteger());
  else if (name == "Shadow.OffsetKeeper.RightBottom") shadow_.OffsetKeeper.RightBottom = int(v.AsInteger());
  else if (name == "Kind.KindType") {
    const auto& s = v.AsIdentifier();
    kind_.KindType = s == L"ktStandard" ? TsKindType::ktStandard : s == L"ktCustom" ? TsKindType::ktCustom : TsKindType::ktSkin;
  } else if (name == "Kind.Color") kind_.Color = ColorFromLayout(v);
  else return TsCustomLabel::SetProperty(name, v, ctx);
  return true;
}
