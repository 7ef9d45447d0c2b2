#include "skin/frame/sSystemMenu.h"

#include "framework/Application.h"

TsSystemMenu::TsSystemMenu(TForm& form) : form_(form) { Refresh(); }

void TsSystemMenu::Refresh() { menu_ = form_.HandleAllocated() ? GetSystemMenu(form_.Handle(), FALSE) : nullptr; }

bool TsSystemMenu::SystemIcon(unsigned icon) const {
  const unsigned icons = form_.BorderIcons();
  return (icons & biSystemMenu) && (icons & icon);
}

bool TsSystemMenu::Captioned() const {
  return form_.BorderStyle() == TFormBorderStyle::bsSingle || form_.BorderStyle() == TFormBorderStyle::bsSizeable;
}

bool TsSystemMenu::IsMainForm() const { return Application && Application->MainForm() == &form_; }

bool TsSystemMenu::VisibleClose() {
  if (!(form_.BorderIcons() & biSystemMenu) || !menu_) return false;
  return GetMenuState(menu_, SC_CLOSE, MF_BYCOMMAND) != UINT(-1);
}

bool TsSystemMenu::EnabledClose() {
  if (!menu_) return false;
  const UINT state = GetMenuState(menu_, SC_CLOSE, MF_BYCOMMAND);
  return state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

bool TsSystemMenu::VisibleMax() {
  if (!(form_.BorderIcons() & biSystemMenu)) return false;
  const bool minimised = form_.HandleAllocated() && IsIconic(form_.Handle());
  return (minimised && !IsMainForm()) || (Captioned() && (form_.BorderIcons() & biMaximize));
}

bool TsSystemMenu::VisibleMin() {
  if (!(form_.BorderIcons() & biSystemMenu)) return false;
  const bool minimised = form_.HandleAllocated() && IsIconic(form_.Handle());
  return minimised || (Captioned() && (form_.BorderIcons() & biMinimize));
}

bool TsSystemMenu::EnabledMax() { return (form_.BorderIcons() & biMaximize) && Captioned(); }

bool TsSystemMenu::EnabledMin() {
  if (!(form_.BorderIcons() & biMinimize)) return false;
  return !(form_.HandleAllocated() && IsIconic(form_.Handle()) && !IsMainForm());
}

bool TsSystemMenu::EnabledRestore() {
  if (!form_.HandleAllocated()) return false;
  if (IsIconic(form_.Handle())) return true;
  return (form_.BorderIcons() & biMaximize) && IsZoomed(form_.Handle());
}

bool TsSystemMenu::VisibleHelp() { return SystemIcon(biHelp); }

void TsSystemMenu::Popup(TPoint screen) {
  if (!menu_ || !form_.HandleAllocated()) return;
  HWND wnd = form_.Handle();
  // Items follow the window's state, as the system's own menu does when it drops.
  EnableMenuItem(menu_, SC_RESTORE, MF_BYCOMMAND | (EnabledRestore() ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu_, SC_MAXIMIZE, MF_BYCOMMAND | (EnabledMax() && !IsZoomed(wnd) ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu_, SC_MINIMIZE, MF_BYCOMMAND | (EnabledMin() ? MF_ENABLED : MF_GRAYED));
  const UINT command = UINT(TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                           screen.X, screen.Y, 0, wnd, nullptr));
  if (command) PostMessageW(wnd, WM_SYSCOMMAND, command, MAKELPARAM(screen.X, screen.Y));
}
