#include "skin/controls/sComboBox.h"

#include "skin/controls/sComboListWnd.h"
#include "skin/data/sSkinManager.h"

TsCustomComboBox::TsCustomComboBox(TComponent* owner) : TsSkinnedControl(owner, 3), boundLabel_(*this) {
  SetDropDownCount(16);
  if (skinData_.SkinSection().empty()) skinData_.SetSkinSection(L"COMBOBOX");
}

TsCustomComboBox::~TsCustomComboBox() { DetachList(); }

void TsCustomComboBox::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  skinData_.Invalidate();
}

void TsCustomComboBox::SetVerticalAlignment(TTextLayout value) {
  if (value == FVerticalAlignment) return;
  FVerticalAlignment = value;
  skinData_.BGChanged = true;
  Invalidate();
}

void TsCustomComboBox::SetDisabledKind(unsigned value) {
  if (value == FDisabledKind) return;
  FDisabledKind = value;
  skinData_.Invalidate();
}

void TsCustomComboBox::SetShowButton(bool value) {
  if (value == FShowButton) return;
  FShowButton = value;
  skinData_.Invalidate();
}

int TsCustomComboBox::IndexOf(const std::wstring& text) const {
  for (int i = 0; i < Items().Count(); ++i)
    if (Items()[i] == text) return i;
  return -1;
}

bool TsCustomComboBox::Focused() const {
  if (!HandleAllocated()) return false;
  HWND focus = GetFocus();
  if (focus && (focus == EditHandle() || focus == ListHandle())) return true;
  return skinData_.FFocused;
}

void TsCustomComboBox::Invalidate() {
  if (Focused()) skinData_.FFocused = true;
  TsSkinnedControl::Invalidate();
}

bool TsCustomComboBox::FieldPaintsItself() const {
  if (Style() == TComboBoxStyle::csSimple) return true;
  return (Focused() || skinData_.FFocused) && Enabled() && !FReadOnly;
}

void TsCustomComboBox::CreateParams(TCreateParams& params) {
  TsSkinnedControl::CreateParams(params);
  // The drop-down styles are owner-drawn, so that the control draws the list items itself.
  const TComboBoxStyle style = Style();
  if (style == TComboBoxStyle::csDropDown || style == TComboBoxStyle::csDropDownList) params.Style |= CBS_OWNERDRAWFIXED;
}

void TsCustomComboBox::CreateWnd() {
  TsSkinnedControl::CreateWnd();
  skinData_.Loaded();
}

void TsCustomComboBox::DestroyWnd() {
  DetachList();
  TsSkinnedControl::DestroyWnd();
}

bool TsCustomComboBox::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name.rfind("BoundLabel.", 0) == 0) return boundLabel_.SetProperty(name.substr(11), v);
  if (name == "Alignment") {
    FAlignment = AlignmentFromLayout(v);
  } else if (name == "VerticalAlignment") {
    const auto& s = v.AsIdentifier();
    FVerticalAlignment = s == L"taVerticalCenter" ? TTextLayout::tlCenter : s == L"taAlignBottom" ? TTextLayout::tlBottom
                         : s == L"taAlignTop" ? TTextLayout::tlTop : throw ELayoutError("unknown vertical alignment");
  } else if (name == "ReadOnly") {
    FReadOnly = v.AsBoolean();
  } else if (name == "DisabledKind") {
    FDisabledKind = 0;
    for (const auto& item : v.items) {
      if (item == L"dkBlended") FDisabledKind |= dkBlended;
      else if (item == L"dkGrayed") FDisabledKind |= dkGrayed;
      else throw ELayoutError("unknown disabled kind");
    }
  } else {
    return TsSkinnedControl::SetProperty(name, v, ctx);
  }
  return true;
}

// ---- The list handler ---------------------------------------------------------------------------

void TsCustomComboBox::AttachList(HWND list) {
  // Only this combo's own list: the request's window is whoever sent it.
  if (!list || list != ListHandle()) return;
  lboxhandle = list;
  ListSW_ = TsComboListWnd::Create(list, *this, Style() == TComboBoxStyle::csSimple);
}

void TsCustomComboBox::DetachList() {
  if (ListSW_) ListSW_->Detach();
  ListSW_.reset();
  lboxhandle = nullptr;
}

void TsCustomComboBox::ListGone(HWND list) {
  if (!list || list != lboxhandle) return;
  ListSW_.reset();
  lboxhandle = nullptr;
}
