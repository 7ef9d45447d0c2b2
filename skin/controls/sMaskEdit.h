// The skinned edit; without an active skin it is the platform's edit window. TsEditLike is shared
// with the memo (sMemo.h).
#pragma once
#include "framework/Edits.h"
#include "skin/controls/sBoundLabel.h"
#include "skin/paint/sSkinItem.h"
#include "skin/paint/sSkinnedControl.h"

// Shared by the skinned edit-like controls: skin state (of type Data) and bound label, which
// sees every message after the control.
template <typename Base, typename Data = TsCtrlSkinData>
class TsEditLike : public TsSkinnedControl<Base, Data> {
 public:
  TsEditLike(TComponent* owner, int coc) : TsSkinnedControl<Base, Data>(owner, coc), boundLabel_(*this) {}
  TsBoundLabel& BoundLabel() { return boundLabel_; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name.rfind("BoundLabel.", 0) == 0) return boundLabel_.SetProperty(name.substr(11), v);
    return TsSkinnedControl<Base, Data>::SetProperty(name, v, ctx);
  }
  void WndProc(TMessage& m) override {
    TsSkinnedControl<Base, Data>::WndProc(m);
    boundLabel_.OwnerMessage(m);
  }

 private:
  TsBoundLabel boundLabel_;
};

// The skinned single-line edit, painted with the section "EDIT". Without the focus it paints the
// whole window, border included, from its cache: a picture of the window's size, copied through
// the window's device context at (0, 0). With the focus the platform paints the text area and the
// edit adds only the skinned border bands.
class TsMaskEdit : public TsEditLike<TMaskEdit> {
 public:
  explicit TsMaskEdit(TComponent* owner, int coc = 3) : TsEditLike(owner, coc) {}

  unsigned DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(unsigned value);
  // Shown in a mixed colour while the edit is empty and has not the focus.
  const std::wstring& TextHint() const { return FTextHint; }
  void SetTextHint(const std::wstring& value);
  // 0 without a border; the edits here always have the sunken client edge: 3.
  int BorderWidth();

  // Builds the cache (the window's size): the section in the current state over what lies behind,
  // the text, the disabled look. False while the parent's background cannot be had yet.
  bool PrepareCache();

  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& m) override;

 private:
  // 1 while focused or hovered, else 0.
  int PaintState() const;
  bool CacheCurrent() const;
  void PaintText(TBitmap& cache, int state);
  // Without the focus: the whole cache onto the window.
  void PaintUnfocused(HDC dc, bool clientDC);
  // The border bands from the cache onto the window's device context.
  void PaintBorder();
  // Unskinned and without the focus: the plain picture, minus the border, onto the client area.
  void PaintPlain(HDC dc);
  void PaintInto(HDC dc);
  bool HandleSkinned(TMessage& m);
  // Where the client area's origin lies in the window.
  TPoint ClientOrigin();

  unsigned FDisabledKind = dkBlended;
  std::wstring FTextHint;
};
