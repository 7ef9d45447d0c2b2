// A caption label bound to an edit-like control (stored settings; the setup's are captionless).
#pragma once
#include <string>

#include "framework/Layout.h"

struct TsBoundLabel {
  bool Active = false;
  std::wstring Caption;
  int Indent = 0;
  std::wstring Layout = L"sclLeft";
  int MaxWidth = 0;
  bool UseSkinColor = true;

  bool SetProperty(const std::string& name, const TLayoutValue& v) {
    if (name == "Active") Active = v.AsBoolean();
    else if (name == "Caption") Caption = v.AsString();
    else if (name == "Indent") Indent = int(v.AsInteger());
    else if (name == "Layout") Layout = v.AsIdentifier();
    else if (name == "MaxWidth") MaxWidth = int(v.AsInteger());
    else if (name == "UseSkinColor") UseSkinColor = v.AsBoolean();
    else return false;
    return true;
  }
};
