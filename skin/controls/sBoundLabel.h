// A caption label bound to a control (an edit, a memo, a combo box): while Active it is a skinned
// label on the control's parent, kept beside the control as the control moves, resizes, shows,
// hides or is enabled. The setup's own bound labels are inactive (captionless).
#pragma once
#include <memory>
#include <string>

#include "framework/Control.h"
#include "framework/Graphics.h"
#include "framework/Layout.h"
#include "skin/controls/sBoundLabelPlacement.h"

class TsEditLabel;

class TsBoundLabel {
 public:
  // owner: the control the label belongs to; it outlives this object and passes every message it
  // received to OwnerMessage.
  explicit TsBoundLabel(TControl& owner);
  ~TsBoundLabel();  // frees the label
  TsBoundLabel(const TsBoundLabel&) = delete;
  TsBoundLabel& operator=(const TsBoundLabel&) = delete;

  // True creates the label and places it; false frees it.
  bool Active() const { return label_ != nullptr; }
  void SetActive(bool value);
  // Empty: the label shows the owner's name.
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& value);
  TsCaptionLayout Layout() const { return layout_; }
  void SetLayout(TsCaptionLayout value);
  // The extra gap between the label and the control.
  int Indent() const { return indent_; }
  void SetIndent(int value);
  // The label's greatest width; 0 = no limit.
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int value);
  // The label stays enabled while the control is disabled.
  bool EnabledAlways() const { return enabledAlways_; }
  void SetEnabledAlways(bool value);
  // The label's font while it exists, else the one it will be made with.
  const TFont& Font() const;
  void SetFont(const TFont& value);
  // The label takes its text colour from the skin. Kept while no label exists, and given to the
  // one made next.
  bool UseSkinColor() const;
  void SetUseSkinColor(bool value);
  // The label while Active, else null.
  TsEditLabel* TheLabel() const { return label_.get(); }

  // "Active", "Caption", "EnabledAlways", "Indent", "Layout" (an unknown name is an
  // ELayoutError), "MaxWidth", "UseSkinColor", "Font.…".
  bool SetProperty(const std::string& name, const TLayoutValue& value);
  // Every message the owner received, after the owner handled it: visibility and enabled changes
  // follow the owner, and they, moves and size changes re-align the label.
  void OwnerMessage(const TMessage& msg);

 private:
  // Sizes, enables and places the label beside the owner, on the owner's parent.
  void Align();
  void UpdateEnabled();

  TControl& owner_;
  std::unique_ptr<TsEditLabel> label_;
  std::wstring caption_;
  TsCaptionLayout layout_ = TsCaptionLayout::sclLeft;
  TFont font_;
  int indent_ = 0;
  int maxWidth_ = 0;
  bool enabledAlways_ = false;
  bool useSkinColor_ = true;
  bool aligning_ = false;  // Align is running: what it changes does not align again
};
