// The stored part of a control's skin state: which section of which manager paints it. The
// control kind code picks the default section when none is stored.
#pragma once
#include <string>

#include "framework/Layout.h"
#include "framework/TextCase.h"

class TsSkinManager;

class TsCommonData {
 public:
  explicit TsCommonData(int coc) : COC(coc) {}
  int COC;  // control kind code

  const std::wstring& SkinSection() const { return skinSection_; }
  // Section names are kept in upper case.
  void SetSkinSection(const std::wstring& s) { skinSection_ = UpperCaseAscii(s); }
  TsSkinManager* SkinManager = nullptr;  // none: the default manager
  bool CustomColor = false;
  bool CustomFont = false;

  // "SkinSection", "CustomColor", "CustomFont" (after the "SkinData." prefix).
  bool SetProperty(const std::string& name, const TLayoutValue& v) {
    if (name == "SkinSection") SetSkinSection(v.AsString());
    else if (name == "CustomColor") CustomColor = v.AsBoolean();
    else if (name == "CustomFont") CustomFont = v.AsBoolean();
    else return false;
    return true;
  }

 private:
  std::wstring skinSection_;
};
