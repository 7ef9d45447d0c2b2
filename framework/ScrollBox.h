// A windowed container that scrolls its children vertically: when they reach below its client
// area it shows a vertical scroll bar, and scrolling moves them up or down.
#pragma once
#include "framework/WinControl.h"

enum class TScrollBoxBorder { bsNone, bsSingle };

class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner);

  TScrollBoxBorder BorderStyle() const { return borderStyle_; }
  // Takes effect when the window is made (a sunken edge for bsSingle).
  void SetBorderStyle(TScrollBoxBorder v) { borderStyle_ = v; }
  // Whether the children follow the thumb while it is dragged (otherwise when it is let go).
  bool VertTracking() const { return vertTracking_; }
  void SetVertTracking(bool v) { vertTracking_ = v; }
  // How far the children are scrolled up, in pixels.
  int VertScrollPos() const { return scrollPos_; }
  // Scrolls to pos, kept within the range of the children's extent.
  void SetVertScrollPos(int pos);
  // The height of the children's area: the lowest bottom edge among the visible children, as if
  // not scrolled.
  int ContentHeight() const;
  // Sets the scroll bar to the children's extent (after children were moved, resized, shown or
  // hidden, or removed by the program; adding one and resizing the box do it themselves).
  void UpdateScrollRange();

  void WndProc(TMessage& msg) override;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;

 private:
  int MaxScrollPos() const;
  void Scroll(UINT code);

  TScrollBoxBorder borderStyle_ = TScrollBoxBorder::bsSingle;
  bool vertTracking_ = false;
  int scrollPos_ = 0;
  static constexpr int kLine = 8;  // pixels per arrow press; a wheel notch is three
};
