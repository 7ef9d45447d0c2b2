#include "skin/data/sSkinManager.h"

#include <algorithm>

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
  thirdParty_.fill(L" ");
  thirdParty_[1] = L"TButton";
}

namespace {
TColor ColorValue(const TLayoutValue& v) {
  if (v.kind == TLayoutValue::Kind::Integer) return TColor(std::uint32_t(v.integer));
  if (v.AsIdentifier() == L"clBlack") return clBlack;
  if (v.text == L"clWhite") return clWhite;
  throw ELayoutError("colour expected");
}

TsStoredSkin ReadStoredSkin(const std::vector<TLayoutProperty>& item) {
  TsStoredSkin skin;
  for (const auto& p : item) {
    if (p.name == "Name") skin.Name = p.value.AsString();
    else if (p.name == "Shadow.Color" || p.name == "Shadow1Color") skin.Shadow1Color = ColorValue(p.value);
    else if (p.name == "Shadow.Offset" || p.name == "Shadow1Offset") skin.Shadow1Offset = int(p.value.AsInteger());
    else if (p.name == "Shadow.Blur" || p.name == "Shadow1Blur") skin.Shadow1Blur = int(p.value.AsInteger());
    else if (p.name == "Shadow.Transparency" || p.name == "Shadow1Transparency")
      skin.Shadow1Transparency = int(p.value.AsInteger());
    else if (p.name == "BorderColor") skin.BorderColor = ColorValue(p.value);
    else if (p.name == "Author") skin.Author = p.value.AsString();
    else if (p.name == "Description") skin.Description = p.value.AsString();
    else if (p.name == "Data") {
      if (p.value.kind != TLayoutValue::Kind::Binary) throw ELayoutError("binary value expected");
      skin.ReadData(p.value.bytes);
    } else {
      throw ELayoutError("unknown property of a stored skin: " + p.name);
    }
  }
  return skin;
}
}  // namespace

bool TsSkinManager::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Active") active_ = v.AsBoolean();
  else if (name == "SkinName") skinName_ = v.AsString();
  else if (name == "SkinDirectory") skinDirectory_ = v.AsString();
  else if (name == "HueOffset") hueOffset_ = int(v.AsInteger());
  else if (name == "Saturation") saturation_ = int(v.AsInteger());
  else if (name == "Brightness") brightness_ = std::clamp(int(v.AsInteger()), -100, 100);
  else if (name == "SkinInfo" || name == "Version") {
    // Read-only values: what the layout stores is not taken over.
  } else if (name == "MenuSupport.IcoLineSkin") icoLineSkin_ = v.AsString().empty() ? L"ICOLINE" : v.AsString();
  else if (name == "Options.NativeBordersMaximized") nativeBordersMaximized_ = v.AsBoolean();
  else if (name == "InternalSkins") {
    if (v.kind != TLayoutValue::Kind::Collection) throw ELayoutError("collection value expected");
    internalSkins_.clear();
    for (const auto& item : v.collection) internalSkins_.push_back(ReadStoredSkin(item));
  } else if (name.rfind("ThirdParty.", 0) == 0) {
    const std::string list = name.substr(11);
    auto it = std::find(kThirdPartyNames.begin(), kThirdPartyNames.end(), list);
    if (it == kThirdPartyNames.end()) return false;
    thirdParty_[std::size_t(it - kThirdPartyNames.begin())] = v.AsString();
  } else return TComponent::SetProperty(name, v, ctx);
  return true;
}
