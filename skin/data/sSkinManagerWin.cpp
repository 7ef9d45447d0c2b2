#include "skin/data/sSkinManagerWin.h"

#include <shellapi.h>

#include <algorithm>
#include <cwctype>

#include "framework/Application.h"
#include "framework/CallbackGuard.h"
#include "framework/ErrorReport.h"
#include "framework/Form.h"
#include "skin/base/sLayered.h"
#include "skin/data/sHelperWindows.h"

namespace {

HHOOK gHook = nullptr;
TsWinSkinPlatform* gHookPlatform = nullptr;  // the platform that installed the hook
std::vector<HWND> gHookedWindows;
std::vector<HWND> gLockedForms;

LRESULT CALLBACK SkinCbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && gHookPlatform && !HookIgnores(code, wParam, lParam)) {
    // Nothing may leave a hook procedure: an error goes to the application's handler.
    CallbackGuard([&] { gHookPlatform->WindowHookNotice(code, wParam, lParam); }, ReportError);
  }
  return CallNextHookEx(gHook, code, wParam, lParam);
}

std::wstring ApplicationTitle() { return Application ? Application->Title() : std::wstring(); }

// The forms found so far, and an error met inside the enumeration: it stops the enumeration and
// is raised again once EnumThreadWindows has returned.
struct TFormSearch {
  std::vector<TWinControl*>& forms;
  std::exception_ptr error;
};

BOOL CALLBACK CollectThreadWindow(HWND wnd, LPARAM lParam) {
  auto* search = reinterpret_cast<TFormSearch*>(lParam);
  return CallbackGuard(
      [&]() -> BOOL {
        auto& forms = search->forms;
        if (TWinControl* c = TWinControl::FromHandle(wnd))
          if (dynamic_cast<TForm*>(c) && std::find(forms.begin(), forms.end(), c) == forms.end()) forms.push_back(c);
        return TRUE;
      },
      [&](const std::exception_ptr& e) {
        search->error = e;
        return BOOL(FALSE);
      });
}

// The forms a lock concerns: visible, not minimised, top-level, with a window, and with a form
// skinner (the answer to SKIN_GETPROVIDER) that works with this manager.
std::vector<HWND> FormsToLock(TsSkinManager& manager) {
  std::vector<HWND> result;
  for (TWinControl* form : ProgramForms()) {
    if (!form->HandleAllocated() || form->Parent()) continue;
    HWND wnd = form->Handle();
    if (!IsWindowVisible(wnd) || IsIconic(wnd) || GetParent(wnd)) continue;
    if ((GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0) continue;
    if (SendSkinCommand(wnd, SKIN_GETPROVIDER) == 0) continue;
    auto* uses = reinterpret_cast<TsSkinManager*>(SendSkinCommand(wnd, SKIN_GETMANAGER));
    if ((uses ? uses : DefaultManager()) != &manager) continue;
    result.push_back(wnd);
  }
  return result;
}

bool MainWindowMinimized() {
  if (!Application || !Application->MainForm()) return false;
  TForm* main = Application->MainForm();
  return main->HandleAllocated() && IsIconic(main->Handle());
}

void RedrawCompletely(HWND wnd) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

// ---- Messages and system values -------------------------------------------------------------

int TsWinSkinPlatform::ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
  return MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), flags | MB_TASKMODAL);
}

std::wstring TsWinSkinPlatform::CommandLine() { return GetCommandLineW(); }

void TsWinSkinPlatform::ShowError(const std::wstring& message) { ShowMessageBox(message, L"Error", MB_OK | MB_ICONERROR); }

void TsWinSkinPlatform::ShowMessage(const std::wstring& message) { ShowMessageBox(message, ApplicationTitle(), MB_OK); }

void TsWinSkinPlatform::ShowWarning(const std::wstring& message) {
  ShowMessageBox(message, L"Warning", MB_OK | MB_ICONWARNING);
}

bool TsWinSkinPlatform::HasCommandLineParam(const std::wstring& lowerParam) {
  const std::wstring line = CommandLine();
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(line.c_str(), &count);
  if (!args) return false;
  bool found = false;
  for (int i = 1; i < count && !found; ++i) {
    std::wstring a = args[i];
    std::transform(a.begin(), a.end(), a.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
    found = a == lowerParam;
  }
  LocalFree(args);
  return found;
}

std::wstring TsWinSkinPlatform::ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return L"";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

int TsWinSkinPlatform::SizingFrameWidth() { return GetSystemMetrics(SM_CXSIZEFRAME); }

int TsWinSkinPlatform::VerticalScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

bool TsWinSkinPlatform::LayeredWindowsSupported() { return LayeredWindowsAvailable(); }

// ---- Broadcasting ---------------------------------------------------------------------------

std::vector<TWinControl*> ProgramForms() {
  std::vector<TWinControl*> forms;
  if (Application)
    for (int i = 0; i < Application->ComponentCount(); ++i)
      if (auto* form = dynamic_cast<TForm*>(Application->Components(i)); form && !form->Destroying())
        forms.push_back(form);
  TFormSearch search{forms, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow, reinterpret_cast<LPARAM>(&search));
  if (search.error) std::rethrow_exception(search.error);
  return forms;
}

void TsWinSkinPlatform::BroadcastSkinCommand(TsSkinManager&, std::uint16_t code, std::intptr_t lParam) {
  const WPARAM wParam = SkinCommandWParam(code);
  for (TWinControl* form : ProgramForms()) {
    SendSkinCommand(*form, code, LPARAM(lParam));
    BroadcastToControls(*form, SM_SKINCOMMAND, wParam, LPARAM(lParam));
  }
}

// ---- Locking forms --------------------------------------------------------------------------

void TsWinSkinPlatform::LockForms(TsSkinManager& manager) {
  if (MainWindowMinimized()) return;
  if (manager.IsDefault() && manager.AnimEffects().SkinChanging.Active) SetFormAnimationRunning(true);
  for (HWND wnd : FormsToLock(manager)) {
    if (std::find(gLockedForms.begin(), gLockedForms.end(), wnd) != gLockedForms.end()) continue;
    SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
    gLockedForms.push_back(wnd);
  }
}

void TsWinSkinPlatform::TakeCoverPictures(TsSkinManager& manager) {
  // The cover picture itself is kept by each form's skinner; here only the flag is set.
  if (MainWindowMinimized()) return;
  if (manager.IsDefault() && manager.AnimEffects().SkinChanging.Active) SetFormAnimationRunning(true);
}

void TsWinSkinPlatform::UnlockForms(TsSkinManager& manager, bool animate) {
  if (MainWindowMinimized()) return;
  if (manager.IsDefault()) SetFormAnimationRunning(false);
  std::vector<HWND> locked;
  locked.swap(gLockedForms);
  for (HWND wnd : locked) {
    if (!IsWindow(wnd)) continue;
    SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
    if (animate && !IsIconic(wnd)) RedrawCompletely(wnd);
  }
}

// ---- The window-creation hook ---------------------------------------------------------------

bool HookIgnores(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND && WindowDestructionsIgnored()) return true;
  switch (code) {
    case HCBT_CREATEWND: {
      // The window is not bound to its control yet: the control whose creation is running is
      // the one, when the creation parameters name it (never follow the pointer otherwise).
      const auto* cbt = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
      TWinControl* creating = TWinControl::Creating();
      return creating && cbt && cbt->lpcs && cbt->lpcs->lpCreateParams == creating && IsHelperForm(creating);
    }
    case HCBT_ACTIVATE:
    case HCBT_DESTROYWND:
    case HCBT_MINMAX:
    case HCBT_MOVESIZE:
    case HCBT_SETFOCUS:
      return IsHelperForm(TWinControl::FromHandle(reinterpret_cast<HWND>(wParam)));
    default:
      return false;
  }
}

bool SkinHookInstalled() { return gHook != nullptr; }

bool TsWinSkinPlatform::InstallHook(TsSkinManager&) {
  if (!gHook) gHook = SetWindowsHookExW(WH_CBT, SkinCbtProc, nullptr, GetCurrentThreadId());
  if (gHook) gHookPlatform = this;
  return gHook != nullptr;
}

void TsWinSkinPlatform::UnInstallHook(TsSkinManager&) {
  if (gHook) UnhookWindowsHookEx(gHook);
  gHook = nullptr;
  gHookPlatform = nullptr;
  gHookedWindows.clear();
}

void TsWinSkinPlatform::HideAllGlows() {
  if (FEngine) FEngine->HideAllGlows();
}

void TsWinSkinPlatform::SetFormAnimationRunning(bool running) {
  if (FEngine) FEngine->SetFormAnimationRunning(running);
}

void RegisterHookedWindow(HWND wnd) {
  if (std::find(gHookedWindows.begin(), gHookedWindows.end(), wnd) == gHookedWindows.end()) gHookedWindows.push_back(wnd);
}

void UnregisterHookedWindow(HWND wnd) {
  gHookedWindows.erase(std::remove(gHookedWindows.begin(), gHookedWindows.end(), wnd), gHookedWindows.end());
}

const std::vector<HWND>& HookedWindows() { return gHookedWindows; }

void TsWinSkinPlatform::RedrawHookedWindows() {
  for (HWND wnd : std::vector<HWND>(gHookedWindows))
    if (IsWindow(wnd) && IsWindowVisible(wnd)) RedrawCompletely(wnd);
}
