#include "framework/Menus.h"


namespace {

struct DestroyMenu_ {
  void operator()(HMENU m) const { ::DestroyMenu(m); }
};

}  // namespace

TMenuItem* TPopupMenu::Add(const std::wstring& caption, TNotifyEvent onClick) {
  auto item = std::make_unique<TMenuItem>(nullptr);
  item->Caption = caption;
  item->OnClick = std::move(onClick);
  items_.push_back(std::move(item));
  return items_.back().get();
}

void TPopupMenu::Popup(int x, int y, HWND owner) {
  if (OnPopup) OnPopup(this);
  std::unique_ptr<std::remove_pointer_t<HMENU>, DestroyMenu_> menu(CreatePopupMenu());
  if (!menu) return;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const UINT flags = MF_STRING | (items_[i]->Enabled ? 0 : MF_GRAYED);
    AppendMenuW(menu.get(), flags, UINT_PTR(i + 1), items_[i]->Caption.c_str());
  }
  if (!owner) owner = GetActiveWindow();
  if (!owner) return;
  const UINT chosen = UINT(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, x,
                                          y, 0, owner, nullptr));
  if (chosen >= 1 && chosen <= items_.size()) items_[chosen - 1]->Click();
}
