#include "framework/TreeView.h"

TTreeView::TTreeView(TComponent* owner) : TColoredWinControl(owner) {
  SetBoundsFields(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

void TTreeView::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = WC_TREEVIEWW;
  p.OwnClass = false;
  p.ExStyle |= WS_EX_CLIENTEDGE;
  if (showLines_) p.Style |= TVS_HASLINES;
  if (showButtons_) p.Style |= TVS_HASBUTTONS;
  if (showRoot_) p.Style |= TVS_LINESATROOT;
  if (!readOnly_) p.Style |= TVS_EDITLABELS;
  if (!hideSelection_) p.Style |= TVS_SHOWSELALWAYS;
}

void TTreeView::CreateWindowHandle(const TCreateParams& p) {
  TColoredWinControl::CreateWindowHandle(p);
  ApplyLook();
}

void TTreeView::ApplyLook() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TVM_SETBKCOLOR, 0, LPARAM(ToColorRef(Color())));
  SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, LPARAM(ToColorRef(Font().Color())));
  SendMessageW(Handle(), TVM_SETINDENT, WPARAM(indent_), 0);
}

void TTreeView::StyleChanged() {
  if (HandleAllocated()) RecreateWnd();
}

void TTreeView::SetIndent(int value) {
  indent_ = value;
  ApplyLook();
}

void TTreeView::SetShowLines(bool value) {
  if (value == showLines_) return;
  showLines_ = value;
  StyleChanged();
}

void TTreeView::SetShowButtons(bool value) {
  if (value == showButtons_) return;
  showButtons_ = value;
  StyleChanged();
}

void TTreeView::SetShowRoot(bool value) {
  if (value == showRoot_) return;
  showRoot_ = value;
  StyleChanged();
}

void TTreeView::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  StyleChanged();
}

void TTreeView::SetHideSelection(bool value) {
  if (value == hideSelection_) return;
  hideSelection_ = value;
  StyleChanged();
}

HTREEITEM TTreeView::Selected() const {
  if (!HandleAllocated()) return nullptr;
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(const_cast<TTreeView*>(this)->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void TTreeView::Select(HTREEITEM item) {
  if (HandleAllocated()) SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

std::wstring TTreeView::ItemText(HTREEITEM item) const {
  if (!item || !HandleAllocated()) return {};
  // The platform copies at most the buffer's size: grow until the text fits with room to spare.
  for (std::size_t size = 256;; size *= 2) {
    std::wstring text(size, L'\0');
    TVITEMW it{};
    it.mask = TVIF_TEXT;
    it.hItem = item;
    it.pszText = text.data();
    it.cchTextMax = int(size);
    if (!SendMessageW(const_cast<TTreeView*>(this)->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return {};
    const std::size_t length = wcsnlen(text.c_str(), size);
    if (length + 1 < size || size >= 32768) return text.substr(0, length);
  }
}

void TTreeView::Notify(const NMHDR& header, TMessage& m) {
  if (header.code == TVN_SELCHANGEDW && OnChange) OnChange(this);
  m.Result = 0;
}

void TTreeView::WndProc(TMessage& m) {
  switch (m.Msg) {
    case FN_NOTIFY:
      // Reflected by the parent with the platform's own notice: the pointer is the tree's.
      if (m.LParam) {
        Notify(*reinterpret_cast<const NMHDR*>(m.LParam), m);
        return;
      }
      break;
    case FN_COLORCHANGED:
    case FN_FONTCHANGED:
      TColoredWinControl::WndProc(m);
      ApplyLook();
      return;
    default:
      break;
  }
  TColoredWinControl::WndProc(m);
}

bool TTreeView::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Indent") indent_ = int(v.AsInteger());
  else if (name == "ShowLines") showLines_ = v.AsBoolean();
  else if (name == "ShowButtons") showButtons_ = v.AsBoolean();
  else if (name == "ShowRoot") showRoot_ = v.AsBoolean();
  else if (name == "ReadOnly") readOnly_ = v.AsBoolean();
  else if (name == "HideSelection") hideSelection_ = v.AsBoolean();
  else if (name == "OnChange") OnChange = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else return TColoredWinControl::SetProperty(name, v, ctx);
  return true;
}
