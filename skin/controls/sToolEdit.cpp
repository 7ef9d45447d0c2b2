#include "skin/controls/sToolEdit.h"

#include <shellapi.h>

#include "framework/FileUtils.h"
#include "skin/controls/sPathDialog.h"
#include "skin/controls/sToolEditRules.h"

namespace {

bool IsExistingFile(const std::wstring& name) {
  const DWORD attr = GetFileAttributesW(name.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// ---- Dropped files ------------------------------------------------------------------------------

TsFileDirEdit::TsFileDirEdit(TComponent* owner, int coc) : TsCustomComboEdit(owner, coc) { SetMaxLength(255); }

void TsFileDirEdit::SetAcceptFiles(bool v) {
  FAcceptFiles = v;
  if (HandleAllocated()) DragAcceptFiles(Handle(), v);
}

void TsFileDirEdit::CreateWindowHandle(const TCreateParams& p) {
  TsCustomComboEdit::CreateWindowHandle(p);
  if (FAcceptFiles) DragAcceptFiles(Handle(), TRUE);
}

void TsFileDirEdit::DropFiles(void* handle) {
  const auto drop = static_cast<HDROP>(handle);
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  const UINT taken = FMultipleDirs ? count : std::min(count, 1u);
  std::wstring text = GetText();
  for (UINT i = 0; i < taken; ++i) {
    // Each name at its own length: long paths arrive whole.
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), length + 1));
    text = AcceptDroppedName(name, IsExistingFile(name), text, FMultipleDirs);
  }
  DragFinish(drop);
  SetText(text);
  if (OnDropFiles) OnDropFiles(this);
}

void TsFileDirEdit::WndProc(TMessage& m) {
  if (m.Msg == WM_DROPFILES) {
    DropFiles(reinterpret_cast<void*>(m.WParam));
    m.Result = 0;
    return;
  }
  TsCustomComboEdit::WndProc(m);
}

bool TsFileDirEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "OnBeforeDialog") OnBeforeDialog = ctx.MethodAs<TDialogEvent>(v.AsIdentifier());
  else if (name == "OnAfterDialog") OnAfterDialog = ctx.MethodAs<TDialogEvent>(v.AsIdentifier());
  else if (name == "OnDropFiles") OnDropFiles = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else if (name == "AcceptFiles") FAcceptFiles = v.AsBoolean();
  else if (name == "MultipleDirs") FMultipleDirs = v.AsBoolean();
  else return TsCustomComboEdit::SetProperty(name, v, ctx);
  return true;
}

// ---- The directory edit -------------------------------------------------------------------------

TsDirectoryEdit::TsDirectoryEdit(TComponent* owner) : TsFileDirEdit(owner, 134) {
  SetDefBmpID(1);
  RunDialog = [this](std::wstring& path) { return RunPathDialog(*this, path); };
}

void TsDirectoryEdit::ButtonAction() {
  if (ReadOnly()) return;
  TsFileDirEdit::ButtonAction();
  std::wstring name = GetText();
  bool action = true;
  if (OnBeforeDialog) OnBeforeDialog(this, name, action);
  if (!action) return;
  if (name.empty()) name = FInitialDir;
  if (!IsTypedFolderUsable(name) || !DirectoryExists(name)) name.clear();
  else if (!FNoChangeDir) SetCurrentDir(name);
  std::wstring chosen = name;
  if (RunDialog(chosen)) {
    name = chosen;
    if (DirectoryExists(name)) FInitialDir = name;
  } else {
    name = GetText();
    action = false;
  }
  if (OnAfterDialog) OnAfterDialog(this, name, action);
  if (action) SetText(name);
}

bool TsDirectoryEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "DialogText") FDialogText = v.AsString();
  else if (name == "Root") FRoot = v.AsString();
  else if (name == "InitialDir") FInitialDir = v.AsString();
  else if (name == "NoChangeDir") FNoChangeDir = v.AsBoolean();
  else if (name == "ShowRootBtns") FShowRootBtns = v.AsBoolean();
  else if (name == "DialogOptions") {
    FOptions = 0;
    for (const std::wstring& o : v.items) {
      if (o == L"sdAllowCreate") FOptions |= sdAllowCreate;
      else if (o == L"sdPerformCreate") FOptions |= sdPerformCreate;
      else if (o == L"sdPrompt") FOptions |= sdPrompt;
    }
  } else return TsFileDirEdit::SetProperty(name, v, ctx);
  return true;
}
