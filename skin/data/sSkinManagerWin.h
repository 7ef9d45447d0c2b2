// The skin manager's Windows side: message boxes, the command line, system metrics, the broadcast
// of skin commands to every form and its controls through the framework, locking forms for a
// skin change, and the window-creation (CBT) hook of the user-interface thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/WinControl.h"
#include "skin/data/sMessages.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"

// What a skin change must do in the engine's layers above the manager: their windows and
// animations are theirs, so the manager's platform does not reach up to them but is handed this
// host when it is made (skin/paint/sSkinEngine.h has the engine's own).
class TsSkinEngineHost {
 public:
  virtual ~TsSkinEngineHost() = default;
  // Every glow window goes at once.
  virtual void HideAllGlows() = 0;
  // Set while forms are locked for a skin change (the flag form animations also raise while they
  // run): controls hold their painting until it is cleared.
  virtual void SetFormAnimationRunning(bool running) = 0;
};

// Tests derive from it to observe the platform's edges (message boxes, the command line, the
// window-creation notices) and install their object with SetSkinPlatform.
class TsWinSkinPlatform : public TsSkinPlatform {
 public:
  // engine: the layers above, not owned; none leaves glows and animations alone.
  explicit TsWinSkinPlatform(TsSkinEngineHost* engine = nullptr) : FEngine(engine) {}
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
  // Every glow window goes at once.
  void HideAllGlows() override;

  // The message box every manager message goes through: text, caption, MB_* flags.
  virtual int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);
  // The command line whose parameters HasCommandLineParam looks at (the process's).
  virtual std::wstring CommandLine();
  // What the window-creation hook does with each notice (hook code, wParam, lParam), before the
  // next hook: the form and control skinning take it over. Nothing here. Notices about the
  // engine's own helper forms (Tag 256) and destructions the engine asked to be ignored never
  // come here (see HookIgnores).
  virtual void WindowHookNotice(int code, WPARAM wParam, LPARAM lParam) {}

 private:
  void SetFormAnimationRunning(bool running);

  TsSkinEngineHost* FEngine;
};


// Every form of the program: the application's forms and the thread's other framework windows.
std::vector<TWinControl*> ProgramForms();

// Whether the window-creation hook passes this notice by: it concerns one of the engine's helper
// forms (Tag 256: glow windows, animation covers), or it is a destruction while the engine takes a
// window of its own down.
bool HookIgnores(int code, WPARAM wParam, LPARAM lParam);

// Whether the window-creation hook is in place (its notices go to the platform that installed it).
bool SkinHookInstalled();
// Windows registered by the hook's users; RepaintForms redraws the visible ones.
void RegisterHookedWindow(HWND wnd);
void UnregisterHookedWindow(HWND wnd);
const std::vector<HWND>& HookedWindows();
