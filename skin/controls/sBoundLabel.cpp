#include "skin/controls/sBoundLabel.h"

#include "framework/WinControl.h"
#include "skin/controls/sLabel.h"

namespace {

// Component names are identifiers: ASCII.
std::wstring WidenName(const std::string& name) { return std::wstring(name.begin(), name.end()); }

}  // namespace

TsBoundLabel::TsBoundLabel(TControl& owner) : owner_(owner) {}

TsBoundLabel::~TsBoundLabel() = default;

void TsBoundLabel::SetActive(bool value) {
  if (value == Active()) return;
  if (!value) {
    label_.reset();  // leaves the parent as it goes
    return;
  }
  label_ = std::make_unique<TsEditLabel>(nullptr, this);
  TsEditLabel& label = *label_;
  label.SetVisible(false);
  label.SetParentFont(false);
  label.Font().Assign(font_);
  label.SetUseSkinColor(useSkinColor_);
  label.SetParent(owner_.Parent());
  label.SetAlignment(CaptionAlignment(layout_));
  label.SetName(owner_.Name() + "Label");
  label.SetCaption(caption_.empty() ? WidenName(owner_.Name()) : caption_);
  label.SetVisible(owner_.Visible());
  UpdateEnabled();
  label.SetAutoSize(true);
  Align();
}

void TsBoundLabel::SetCaption(const std::wstring& value) {
  caption_ = value;
  if (!label_) return;
  label_->SetCaption(caption_.empty() ? WidenName(owner_.Name()) : caption_);
  Align();
}

void TsBoundLabel::SetLayout(TsCaptionLayout value) {
  layout_ = value;
  if (!label_) return;
  label_->SetAlignment(CaptionAlignment(layout_));
  Align();
}

void TsBoundLabel::SetIndent(int value) {
  indent_ = value;
  Align();
}

void TsBoundLabel::SetMaxWidth(int value) {
  maxWidth_ = value;
  Align();
}

void TsBoundLabel::SetEnabledAlways(bool value) {
  enabledAlways_ = value;
  Align();
}

const TFont& TsBoundLabel::Font() const { return label_ ? label_->Font() : font_; }

void TsBoundLabel::SetFont(const TFont& value) {
  if (!label_) {
    font_.Assign(value);
    return;
  }
  label_->Font().Assign(value);
  Align();
}

bool TsBoundLabel::UseSkinColor() const { return label_ ? label_->UseSkinColor() : useSkinColor_; }

void TsBoundLabel::SetUseSkinColor(bool value) {
  useSkinColor_ = value;
  if (label_) label_->SetUseSkinColor(value);
}

void TsBoundLabel::UpdateEnabled() {
  if (label_) label_->SetEnabled(owner_.Enabled() || enabledAlways_);
}

void TsBoundLabel::Align() {
  if (!label_ || aligning_) return;
  aligning_ = true;
  TsEditLabel& label = *label_;
  if (maxWidth_ > 0 && label.Width() > maxWidth_) label.SetBounds(label.Left(), label.Top(), maxWidth_, label.Height());
  UpdateEnabled();
  const TPoint at = BoundLabelPosition(layout_, owner_.BoundsRect(), label.Width(), label.Height(), indent_);
  label.SetBounds(at.X, at.Y, label.Width(), label.Height());
  label.SetParent(owner_.Parent());
  if (maxWidth_ > 0) label.SetWordWrap(label.Width() >= maxWidth_ - 4);
  aligning_ = false;
}

bool TsBoundLabel::SetProperty(const std::string& name, const TLayoutValue& v) {
  if (name == "Active") SetActive(v.AsBoolean());
  else if (name == "Caption") SetCaption(v.AsString());
  else if (name == "EnabledAlways") SetEnabledAlways(v.AsBoolean());
  else if (name == "Indent") SetIndent(int(v.AsInteger()));
  else if (name == "Layout") SetLayout(CaptionLayoutFromName(v.AsIdentifier()));
  else if (name == "MaxWidth") SetMaxWidth(int(v.AsInteger()));
  else if (name == "UseSkinColor") SetUseSkinColor(v.AsBoolean());
  else if (name.rfind("Font.", 0) == 0) {
    TFont font(Font());
    if (!font.SetProperty(name.substr(5), v)) return false;
    SetFont(font);
  } else return false;
  return true;
}

void TsBoundLabel::OwnerMessage(const TMessage& m) {
  if (!label_) return;
  switch (m.Msg) {
    case FN_VISIBLECHANGED:
      label_->SetVisible(owner_.Visible());
      Align();
      break;
    case FN_ENABLEDCHANGED:
    case WM_MOVE:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:  // a windowless owner's move and size
      Align();
      break;
    default:
      break;
  }
}
