// The windowless text label.
#pragma once
#include "framework/Control.h"


class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  bool AutoSize() const { return autoSize_; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return layout_; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool ShowAccelChar() const { return showAccelChar_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void Loaded() override;
  void WndProc(TMessage& msg) override;

 protected:
  void PaintPlain(TCanvas& canvas) override;
  // Draws (or, with DT_CALCRECT in flags, measures) the caption; labels with effects override it.
  virtual void DoDrawText(TCanvas& canvas, TRect& r, UINT flags);
  // DT_ flags for the alignment, word wrap and accelerator settings.
  UINT DrawTextFlags() const;
  // Shrinks or grows the label to its text when AutoSize is set. Runs once loaded and whenever
  // the text or the font's size changes.
  virtual void AdjustBounds();

 private:
  bool autoSize_ = true;
  bool transparent_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  std::wstring measuredFont_;  // face, height and style the size was last fitted to
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};
