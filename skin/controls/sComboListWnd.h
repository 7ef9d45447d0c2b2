// The skinned frame and scroll bars of a combo box's list window: the edit-like scroll handler,
// made for a list the platform owns. The drop-down list gets a one-pixel frame in the skin's
// border colour on its list colour; a simple combo's list the EDIT section's frame.
#pragma once
#include <windows.h>

#include <memory>

#include "skin/frame/sSBUtils.h"

class TsCustomComboBox;

class TsComboListWnd : public TsEditWnd {
 public:
  // Attaches a handler to list, the combo's own list window. simple: a csSimple combo's list,
  // which stays inside the combo; else the drop-down list is made one pixel wider at once.
  static std::shared_ptr<TsComboListWnd> Create(HWND list, TsCustomComboBox& combo, bool simple);

  // The list's colours from the skin (nothing while already running): the EDIT section's colour
  // unless the combo keeps its own, the frame in the skin's border colour.
  void SetSkinParams();
  // Gives the window back with a thin platform border instead of the sizing frame.
  void Detach();
  // Between the platform's list-tracking start and end messages.
  bool Shown() const { return shown_; }

  static constexpr UINT kTrackStart = 0x1AE, kTrackEnd = 0x1AF;

 protected:
  TsComboListWnd(HWND list, TsCustomComboBox& combo, bool simple);
  void sWndProc(TMessage& m) override;
  void PaintNonClient(TMessage& m) override;

 private:
  void RebuildCache();
  void ButtonUp(TMessage& m);
  void Print(TMessage& m);

  TsCustomComboBox& combo_;
  bool simple_;
  bool settingParams_ = false;
  bool shown_ = false;
};
