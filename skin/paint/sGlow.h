// Glow windows: a click-through, non-activating layered window showing a skin's glow image around
// a hot control (or a hot caption button). Each shown glow has an id in a module-wide list; a
// control keeps the id of its glow in GlowID (−1: none).
//
// Ids are never reused: after HideAllGlows a control may still hold the id of its old glow, and
// that stale id must not take down a glow shown since for another control.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/Form.h"
#include "framework/Graphics.h"
#include "framework/Types.h"
#include "framework/WindowProcHook.h"

class TsSkinManager;
class TsCommonData;

class TsGlowEffect {
 public:
  TsGlowEffect() = default;
  // A window still shown is taken down as HideGlow does.
  ~TsGlowEffect();
  TsGlowEffect(const TsGlowEffect&) = delete;
  TsGlowEffect& operator=(const TsGlowEffect&) = delete;

  TsSkinManager* SkinManager = nullptr;
  TsCommonData* SkinData = nullptr;  // whose recolouring the picture takes
  int MaskIndex = -1;                // the glow image among the manager's pieces
  int Margin = 0;                    // how far the image reaches inside the glowing rectangle
  std::unique_ptr<TForm> Wnd;        // the glow window, from Show until hidden
  std::unique_ptr<TBitmap> AlphaBmp;  // the glow picture, only while Show runs
  // The replacement of Wnd's message entry by NewWndProc; it keeps the old entry, and giving it
  // up (reset) puts that back.
  std::unique_ptr<TWindowProcHook> OldWndProc;

  // AlphaBmp := width × height, every byte 0, with the glow image's frame painted over it in state
  // 0 and the control's colour tone, hue offset and saturation applied.
  void CreateAlphaBmp(int width, int height);
  // Shows the window for the item at R (screen) whose visible part is RealRect (R's own
  // coordinates), just above wndHandle in the z-order (topmost when it is). Nothing when the
  // window exists. False when nothing of the glow is visible: then no window is made. The picture
  // is always shown at constant alpha 255 with its per-pixel alpha; `alpha` is not used.
  bool Show(const TRect& R, const TRect& RealRect, int alpha, HWND wndHandle);
  // Hit tests answer HTTRANSPARENT, so that the mouse reaches what lies below; everything else
  // goes to the old entry.
  void NewWndProc(TMessage& msg, const TWndMethod& oldWndProc);
  // Gives the window's entry back, then destroys the window at once (now, or when the manager is
  // being destroyed or the application ends) or releases it (hidden at once, destroyed after the
  // pending messages). The skin manager's hook ignores the destruction.
  void HideWindow(bool now);
};

// Shows the glow image `name` + "0" of `section` around R; the glow id, or −1 when nothing is
// shown: no layered windows, no data, no such image, or nothing of the glow visible.
int ShowGlow(const TRect& R, const TRect& RealRect, const std::wstring& section, const std::wstring& name,
             TsCommonData* data, HWND reference, int opacity, int margin);
// Removes the glow of that id, if it is still shown, and sets the slot to −1.
void HideGlow(int& slot);
// Removes every glow; with freeWindows their windows are destroyed at once, otherwise released.
void HideAllGlows(bool freeWindows);
// Shows the glow of a hot control (or of a bare window: data without owner control, `window`
// given) or hides it when the control is no longer hot, is pressed, or hideOnPress is set.
void UpdateControlGlow(TsCommonData& data, bool hideOnPress, HWND window);
