// State-change fades of skinned controls. When a control changes its look (the mouse enters or
// leaves, it is pressed or released) its old picture is blended into the new one over a short
// series of 12 ms frames. The timers talk to their control and to the system through a small
// host, so that the whole state machine runs without a window (the Windows host is in
// sFadeWin.h).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "imaging/Bitmap32.h"
#include "skin/base/sAnimSteps.h"

class TsSkinManager;

enum class TFadeDirection { fdNone, fdUp, fdDown };

// The events a control may fade on; aeGlobalDef follows the skin manager's button settings.
enum TsAnimatEvent : unsigned { aeMouseEnter = 1, aeMouseLeave = 2, aeMouseDown = 4, aeMouseUp = 8, aeGlobalDef = 16 };
using TsAnimatEvents = unsigned;  // a set of TsAnimatEvent bits
inline constexpr TsAnimatEvents kDefaultAnimatEvents = aeGlobalDef;

// Whether event e fades for a control with these AnimatEvents: when e is among them, or when
// they hold aeGlobalDef and the manager's (the default one's when null) button events hold it.
bool AnimationAllowed(TsAnimatEvent e, TsAnimatEvents events, const TsSkinManager* manager);

// What a fade needs from the control it animates.
class TsFadeTimerBase;
class TsFadeHost {
 public:
  virtual ~TsFadeHost() = default;
  // The timer this host serves (told once, by the timer's constructor): the host's ticks call
  // its Timer.
  virtual void Attach(TsFadeTimerBase& timer) {}
  // The control exists and is not being destroyed.
  virtual bool ControlAlive() const = 0;
  virtual bool ControlEnabled() const = 0;
  virtual bool ApplicationTerminating() const = 0;
  // The control's cache picture (the fade's target); null when it has none.
  virtual const TBitmap32* Cache() const = 0;
  virtual bool BGChanged() const = 0;
  // A skin command to the control (16 stop, 23 repaint the cache, 8 waiting, 18 repaint).
  virtual std::intptr_t Command(std::uint16_t code, std::uint16_t argument = 0) = 0;
  // A buffer for the next frame, w × h (kept by the host between frames).
  virtual TBitmap32& FrameBuffer(int w, int h) = 0;
  // Shows the frame in FrameBuffer: offered to the control first (command 24), else copied to
  // its window at (0, 0).
  virtual void ShowFrame() = 0;
  // Marks the cache out of date and repaints the control.
  virtual void InvalidateCache() = 0;
  // Starts (every intervalMs) or stops the ticks that call the timer's Timer.
  virtual void SetTicking(bool on, unsigned intervalMs) = 0;
};

// What both fade timers share: the host, the frame counters, the old picture, and freeing.
// A timer stopped while one of its ticks runs (the control stops it from a command the tick
// sent) is only switched off then, and freed once the tick has returned.
class TsFadeTimerBase {
 public:
  explicit TsFadeTimerBase(std::unique_ptr<TsFadeHost> host);
  virtual ~TsFadeTimerBase();
  TsFadeTimerBase(const TsFadeTimerBase&) = delete;
  TsFadeTimerBase& operator=(const TsFadeTimerBase&) = delete;

  // One tick of the timer (the host's ticks call it).
  void Timer();
  // Runs f with the timer kept alive: a Release inside f frees the timer only when f has
  // returned. Nothing of the timer may be touched after Guarded returns.
  void Guarded(const std::function<void()>& f);
  // Stops and frees the timer, at once or, inside its own tick, when the tick returns.
  void Release();
  bool Destroying() const { return FReleased; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool on);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned ms);
  TsFadeHost& Host() { return *FHost; }

  int Iterations = 0;
  int FadeLevel = 0;
  TBitmap32 BmpFrom;  // the picture before the change

 protected:
  virtual void Tick() = 0;

 private:
  std::unique_ptr<TsFadeHost> FHost;
  bool FEnabled = false;
  unsigned FInterval = 1000;
  int FTickDepth = 0;
  bool FReleased = false;
};

// The fade drawn straight onto the control's window: each frame is the old picture blended
// towards the control's current cache.
class TsFadeTimer : public TsFadeTimerBase {
 public:
  using TsFadeTimerBase::TsFadeTimerBase;

  TFadeDirection Direction() const { return FDirection; }
  // Stores the direction (a negative FadeLevel becomes 1) and ticks exactly when it is not fdNone.
  void SetDirection(TFadeDirection d);
  // Takes the control's picture as the old one (asking for a cache first when it is out of date
  // and empty) and sets the frame count: 11, or what an unfinished fade has reached.
  void TakeOwnerPicture();
  // Draws the next frame at once.
  void Change();
  // Whether the fade is over; a finished fade asks its control to stop it (command 16).
  bool ToEnd();

 protected:
  void Tick() override;

 private:
  TFadeDirection FDirection = TFadeDirection::fdNone;
};

// The fade whose frames the control paints itself (the speed button): TmpBmp holds the frame.
class TsAnimTimer : public TsFadeTimerBase {
 public:
  using TsFadeTimerBase::TsFadeTimerBase;
  // Interval 12 ms and 11 frames.
  void TakeOwnerData();
  void DoFade();
  // Command 8 (no longer waiting), then 18 (repaint).
  void Repaint();
  bool ToEnd();

  bool FadeInProcess = false;
  TBitmap32 TmpBmp;

 protected:
  void Tick() override;
};

// Starts or restarts the fade in a control's slot: half (press and release) gives 5 frames
// instead of 11. The control is asked to repaint its cache in the new look (command 23), which
// becomes the target. makeHost makes the host of a new timer.
void StartFade(TsFadeTimer*& slot, const std::function<std::unique_ptr<TsFadeHost>()>& makeHost, bool half,
               TFadeDirection direction);
// Stops the fade in the slot and empties it.
void StopFade(TsFadeTimer*& slot);

// Fade timers alive in the process (both kinds).
int LiveFadeTimers();
// While set (the system is shutting down) no frame is drawn and no fade starts.
bool FadesClosing();
void SetFadesClosing(bool on);
// Asks every running fade's control to stop it at once (command 16): the controls keep their
// target picture.
void StopAllFades();
