#include "skin/frame/sFormSkinPlatform.h"

#include "framework/Form.h"
#include "skin/data/sHelperWindows.h"
#include "skin/frame/sSkinProvider.h"
#include "skin/paint/sSkinEngine.h"

void TsFormSkinPlatform::WindowHookNotice(int code, WPARAM wParam, LPARAM) {
  if (code != HCBT_ACTIVATE) return;
  auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(reinterpret_cast<HWND>(wParam)));
  if (!form || IsHelperForm(form) || form->Destroying()) return;
  const TsSkinManager* m = DefaultManager();
  if (!m || !m->Active() || !(m->SkinningRules() & srStdForms)) return;
  if (SendSkinCommand(*form, SKIN_GETPROVIDER) != 0) return;
  new TsProvider(*form);
}

void InstallFormSkinning() {
  static TsFormSkinPlatform platform(&SkinEngineHost());
  SetSkinPlatform(&platform);
}
