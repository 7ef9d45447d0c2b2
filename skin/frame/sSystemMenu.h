// The form's system menu as the skinned frame sees it. The skinned frame takes WS_SYSMENU away (so
// the system neither draws nor hit-tests its own caption items), so the menu is taken from the
// window before that and kept: its close command says whether the close button shows and works.
// The caption buttons' visibility and enabling follow from the border icons, the border style
// and the window's state. The menu drops as the platform's popup.
#pragma once
#include <windows.h>

#include "framework/Form.h"

class TsSystemMenu {
 public:
  // Takes the window's system menu now: call while the window still has WS_SYSMENU.
  explicit TsSystemMenu(TForm& form);
  virtual ~TsSystemMenu() = default;
  TsSystemMenu(const TsSystemMenu&) = delete;
  TsSystemMenu& operator=(const TsSystemMenu&) = delete;

  // biSystemMenu and a close command in the menu.
  virtual bool VisibleClose();
  // biSystemMenu and: minimised (not the main form), or bsSingle/bsSizeable with biMaximize.
  virtual bool VisibleMax();
  // biSystemMenu and: minimised, or bsSingle/bsSizeable with biMinimize.
  virtual bool VisibleMin();
  // biMaximize on a bsSingle/bsSizeable form.
  virtual bool EnabledMax();
  // biMinimize, unless minimised and not the main form.
  virtual bool EnabledMin();
  // Minimised, or biMaximize and not in the normal state.
  virtual bool EnabledRestore();
  // The close command is there and not greyed.
  bool EnabledClose();
  // biSystemMenu and biHelp.
  bool VisibleHelp();

  // The menu at a screen point, as the platform draws it; the chosen command goes to the form as
  // WM_SYSCOMMAND.
  void Popup(TPoint screen);
  // The menu taken anew (after the window was re-created or WS_SYSMENU came back).
  void Refresh();
  HMENU Menu() const { return menu_; }

 private:
  bool SystemIcon(unsigned icon) const;
  bool Captioned() const;
  bool IsMainForm() const;

  TForm& form_;
  HMENU menu_ = nullptr;
};
