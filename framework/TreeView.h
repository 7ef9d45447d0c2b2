// The platform's tree view. Its nodes are the platform's items, which a derived control fills and
// reads through the window; the control keeps the look (colours, indent, lines, buttons) and
// reports the notices of the tree that arrive reflected from its parent.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/Edits.h"

class TTreeView : public TColoredWinControl {
 public:
  explicit TTreeView(TComponent* owner);

  int Indent() const { return indent_; }
  void SetIndent(int value);
  // Lines between the nodes, the expand buttons, and both at the top level too.
  bool ShowLines() const { return showLines_; }
  bool ShowButtons() const { return showButtons_; }
  bool ShowRoot() const { return showRoot_; }
  // Without it the user may edit the nodes' names.
  bool ReadOnly() const { return readOnly_; }
  // The selection stays visible while the tree has not the focus, unless set.
  bool HideSelection() const { return hideSelection_; }
  void SetShowLines(bool value);
  void SetShowButtons(bool value);
  void SetShowRoot(bool value);
  void SetReadOnly(bool value);
  void SetHideSelection(bool value);

  // The selected item; null when none or without a window.
  HTREEITEM Selected() const;
  void Select(HTREEITEM item);
  // The item's text, empty for none.
  std::wstring ItemText(HTREEITEM item) const;

  // The selection changed.
  TNotifyEvent OnChange;

  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  // A notice of the tree window (reflected from the parent); the answer goes to msg.Result. By
  // default the selection change raises OnChange.
  virtual void Notify(const NMHDR& header, TMessage& msg);
  // The window's colours and indent from the control's.
  void ApplyLook();

 private:
  void StyleChanged();

  int indent_ = 19;
  bool showLines_ = true;
  bool showButtons_ = true;
  bool showRoot_ = true;
  bool readOnly_ = false;
  bool hideSelection_ = true;
};
