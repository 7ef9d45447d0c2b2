// Animated showing and hiding of skinned forms. A layered cover window without frame carries the
// form's picture: it fades in (growing from three quarters of its size in atAero) before the real
// window is revealed below it, or fades out (shrinking) after the real window was hidden. The
// form skinner decides when; it serves the animations through TsFormAnimationHost.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Form.h"
#include "framework/Graphics.h"
#include "skin/base/sAnimSteps.h"
#include "skin/paint/sThreadedTimer.h"

class TsCommonData;

enum class TsAnimEventKind { aeShowing, aeHiding };

// Bit of TsFormAnimationHost::FormState: a snapshot already replaced the window image.
inline constexpr unsigned kFormStateSnapshot = 0x200;

// What the animations need from a form's skinner.
class TsFormAnimationHost {
 public:
  virtual ~TsFormAnimationHost() = default;
  virtual TForm& Form() = 0;
  // The skinner's skin state; null while it has none.
  virtual TsCommonData* SkinData() = 0;
  // The picture of the whole window (frame and client) in the window's size; null when none.
  virtual TBitmap* WindowImage() = 0;
  virtual void RepaintWindowImage() = 0;
  // The rectangles cut out of the window's region (its rounded corners), window coordinates.
  virtual std::vector<TRect> CutRects() = 0;
  virtual void SetInAnimation(bool on) = 0;
  virtual unsigned FormState() = 0;
  // A cover prepared earlier (a snapshot), handed over; null when none waits.
  virtual std::unique_ptr<TForm> TakeCoverForm() { return nullptr; }
  virtual bool IsMdiChild() { return false; }
  // The skinner's OnAfterAnimation event.
  virtual void AfterAnimation(TsAnimEventKind kind) = 0;
};

// Whether desktop composition is on (never before Windows Vista). It delays what a layered window
// shows by a frame, and changes how the system draws captions.
bool CompositionEnabled();

// Set while a form's show or hide animation runs, or while forms are locked for a skin change.
bool FormAnimationRunning();
void SetFormAnimationRunning(bool on);

// Shows the form through a cover at `target` opacity, animated over timeMs (0: at once). Called
// after the framework has shown the form. Every path ends with the form at the target opacity,
// redrawn, and one AfterAnimation(aeShowing).
void AnimateFormShow(TsFormAnimationHost& host, int timeMs, int target, TsAnimType mode);
// Hides the form behind a cover that fades out on the hide timer, as the FormHide settings of the
// skinner's manager say.
void AnimateFormHide(TsFormAnimationHost& host);
// Fades the cover carrying `picture` out over timeMs from `start` opacity, then frees both; the
// skinner of `parent` hears AfterAnimation(aeHiding) once. A form window answers skin command 4
// (SKIN_GETPROVIDER) with its skinner's TsFormAnimationHost.
void StartHideAnimation(std::unique_ptr<TForm> cover, std::unique_ptr<TBitmap> picture, int timeMs, HWND parent,
                        TsAnimType mode, int start);

// Paints a windowed control and its windowed children into the bitmap, the control at (x, y)
// (the caller has moved the origin there). host: the form's skinner, or null.
void PaintControlImage(TBitmap& bitmap, TWinControl& control, int x, int y, TsFormAnimationHost* host);

// A borderless cover form for the animations, its window made, not shown; helper windows of the
// skin carry Tag 256 so that the window-creation hook leaves them alone.
std::unique_ptr<TForm> NewCoverForm();
// A cover showing what the screen shows of the window now (alpha 255), top-most at its place and
// shown: the hide animation's cover, made before the window itself is hidden.
std::unique_ptr<TForm> CoverFromScreen(HWND wnd);

// The timer of the hiding animation: one instance, made on first use and kept.
class TsHideTimer : public TsThreadedTimer {
 public:
  explicit TsHideTimer(TComponent* owner);
  ~TsHideTimer() override;

  // The frames of the animation (opacity and picture rectangle), from the settings below.
  void Anim_Init();
  // Draws frame i into DstBmp and sets its opacity.
  void Anim_DoNext();
  // One frame, or the end: the event, the cover and pictures freed, the timer idle.
  void OnTimerProc();
  void CallEvent();
  // The end of the animation, reached or cut short: the event, the cover and pictures freed, the
  // timer idle.
  void Finish();

  HWND ParentWnd = nullptr;
  std::unique_ptr<TForm> Form;
  SIZE FBmpSize{};
  POINT FBmpTopLeft{};
  BLENDFUNCTION FBlend{};
  int StartBlendValue = 255, i = 0, StepCount = 0;
  TsAnimType AnimType = TsAnimType::atAero;
  bool EventCalled = false;
  std::vector<TsAnimFrame> Frames;
  std::unique_ptr<TBitmap> SrcBmp, DstBmp;

 private:
  void FreeFrames();
};
// The hide timer, made on first use.
TsHideTimer& HideTimer();
