// The skin manager's Windows side: message boxes, the command line, system metrics, the broadcast
// of skin commands to every form and its controls through the framework, locking forms for a
// skin change, and the window-creation (CBT) hook of the user-interface thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/WinControl.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMessages.h"

class TsWinSkinPlatform : public TsSkinPlatform {
 public:
  void ShowError(const std::wstring& message) override;
  void ShowMessage(const std::wstring& message) override;
  void ShowWarning(const std::wstring& message) override;
  bool HasCommandLineParam(const std::wstring& lowerParam) override;
  std::wstring ProgramFolder() override;
  int SizingFrameWidth() override;
  int VerticalScrollBarWidth() override;
  bool LayeredWindowsSupported() override;
  void BroadcastSkinCommand(TsSkinManager& manager, std::uint16_t code, std::intptr_t lParam) override;
  void LockForms(TsSkinManager& manager) override;
  void TakeCoverPictures(TsSkinManager& manager) override;
  void UnlockForms(TsSkinManager& manager, bool animate) override;
  void RedrawHookedWindows() override;
  bool InstallHook(TsSkinManager& manager) override;
  void UnInstallHook(TsSkinManager& manager) override;
};

// Makes every skin manager of the process use the Windows platform. Call once at start-up,
// before the first form (and so its manager) is created.
void InstallWinSkinPlatform();

// The message box every manager message goes through: text, caption, MB_* flags. Tests replace
// it to observe what would be shown.
extern std::function<int(const std::wstring& text, const std::wstring& caption, UINT flags)> SkinMessageBox;
// The command line whose parameters CheckVersion looks at (the process's by default).
extern std::function<std::wstring()> SkinCommandLine;

// Sends a skin command to a control: through the platform to a control with a window, straight to
// WndProc otherwise.
LRESULT SendSkinCommand(TControl& control, std::uint16_t code, LPARAM lParam, std::uint16_t argument = 0);
// Sends a message to the child controls of `parent`: windowless children and children without a
// window get it dispatched directly, skinned windowed children (answering SKIN_ISSKINNED with 1)
// get it sent, other windowed children pass it on to their own children.
void BroadcastToControls(TWinControl& parent, UINT msg, WPARAM wParam, LPARAM lParam);
// Every form of the program: the application's forms and the thread's other framework windows.
std::vector<TWinControl*> ProgramForms();

// The window-creation hook. What it does to new windows belongs to the form and control skinning;
// it reaches them through this handler (hook code, wParam, lParam), called before the next hook.
extern std::function<void(int code, WPARAM wParam, LPARAM lParam)> SkinHookHandler;
bool SkinHookInstalled();
// Windows registered by the hook's users; RepaintForms redraws the visible ones.
void RegisterHookedWindow(HWND wnd);
void UnregisterHookedWindow(HWND wnd);
const std::vector<HWND>& HookedWindows();
// True while forms are locked for a skin change (the form animations treat it like their own
// animation flag).
bool FormsLockedForSkinChange();
