// The skinned memo: the platform keeps painting its text, in the colours of the skin's "EDIT"
// section taken at every paint; its frame and scroll bars are the skinned scroll handler's
// (skin/frame/sSBUtils), attached whenever the memo has a window and a skin.
#pragma once
#include <memory>

#include "skin/controls/sMaskEdit.h"
#include "skin/frame/sSBUtils.h"

class TsMemo : public TsEditLike<TMemo, TsScrollWndData> {
 public:
  explicit TsMemo(TComponent* owner);
  ~TsMemo() override;

  unsigned DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(unsigned value);
  // After a vertical scroll, and after the caret was scrolled into view.
  TNotifyEvent OnVScroll;
  TNotifyEvent OnScrollCaret;
  // The skinned bars' handler; null while unskinned or without a window.
  const std::shared_ptr<TsEditWnd>& ListSW() const { return ListSW_; }

  void Loaded() override;
  void WndProc(TMessage& m) override;

 protected:
  void CreateWindowHandle(const TCreateParams& params) override;

 private:
  bool HandleSkinCommand(TMessage& m);
  // Attaches, replaces or frees the bars' handler as the skin and the window stand.
  void RefreshScrolls();

  std::shared_ptr<TsEditWnd> ListSW_;
  unsigned FDisabledKind = dkBlended;
};
