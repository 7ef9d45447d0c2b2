#include "skin/controls/sToolEdit.h"

#include "platform/FolderDialog.h"

TsCustomComboEdit::TsCustomComboEdit(TComponent* owner, int coc) : TsMaskEdit(owner, coc) {}

void TsCustomComboEdit::ButtonAction() {
  if (!ReadOnly() && OnButtonClick) OnButtonClick(this);
}

bool TsCustomComboEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name.rfind("GlyphMode.", 0) == 0) return glyphMode_.SetProperty(name.substr(10), v);
  if (name == "ShowButton") showButton_ = v.AsBoolean();
  else if (name == "OnButtonClick") OnButtonClick = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else return TsMaskEdit::SetProperty(name, v, ctx);
  return true;
}

TsFileDirEdit::TsFileDirEdit(TComponent* owner, int coc) : TsCustomComboEdit(owner, coc) { SetMaxLength(255); }

bool TsFileDirEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "OnBeforeDialog") OnBeforeDialog = ctx.MethodAs<TDialogEvent>(v.AsIdentifier());
  else if (name == "OnAfterDialog") OnAfterDialog = ctx.MethodAs<TDialogEvent>(v.AsIdentifier());
  else return TsCustomComboEdit::SetProperty(name, v, ctx);
  return true;
}

TsDirectoryEdit::TsDirectoryEdit(TComponent* owner) : TsFileDirEdit(owner, 134) {
  RunDialog = [this](std::wstring& path) {
    HWND owner = HandleAllocated() ? GetAncestor(Handle(), GA_ROOT) : nullptr;
    return BrowseForFolder(owner, dialogText_, RootFolderCsidl(root_), path);
  };
}

void TsDirectoryEdit::ButtonAction() {
  if (ReadOnly()) return;
  TsCustomComboEdit::ButtonAction();
  std::wstring name = GetText();
  bool action = true;
  if (OnBeforeDialog) OnBeforeDialog(this, name, action);
  if (!action) return;
  std::wstring chosen = name;
  action = RunDialog(chosen);
  if (action) name = chosen;
  if (OnAfterDialog) OnAfterDialog(this, name, action);
  if (action) SetText(name);
}

bool TsDirectoryEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "DialogText") dialogText_ = v.AsString();
  else if (name == "Root") root_ = v.AsString();
  else return TsFileDirEdit::SetProperty(name, v, ctx);
  return true;
}
