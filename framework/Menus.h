// A small popup menu: a list of items, each with its caption and click event, shown modally at
// a screen point. The item chosen (if any) is clicked after the menu has closed.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
  std::wstring Caption;
  bool Enabled = true;
  TNotifyEvent OnClick;
  void Click() {
    if (Enabled && OnClick) OnClick(this);
  }
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
  // Adds an item owned by the menu and returns it.
  TMenuItem* Add(const std::wstring& caption, TNotifyEvent onClick = nullptr);
  int Count() const { return int(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(std::size_t(index)).get(); }

  // The component that showed the menu last (a button that drops it down).
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* c) { popupComponent_ = c; }
  // Shows the menu at the screen point and returns when it has closed; the chosen item is
  // clicked then. owner: a window of this thread the menu reports to (none: the active window).
  // Raised before showing: OnPopup.
  void Popup(int x, int y, HWND owner = nullptr);
  TNotifyEvent OnPopup;

 private:
  std::vector<std::unique_ptr<TMenuItem>> items_;
  TComponent* popupComponent_ = nullptr;
};
