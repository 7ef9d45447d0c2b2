// A windowless control showing a picture.
#pragma once
#include "framework/Control.h"

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  TPicture& Picture() { return picture_; }
  bool AutoSize() const { return autoSize_; }
  bool Stretch() const { return stretch_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void Loaded() override;

 protected:
  void PaintPlain(TCanvas& canvas) override;

 private:
  void PictureChanged();
  TPicture picture_;
  bool autoSize_ = false;
  bool stretch_ = false;
};
