// The skinned caption buttons of a form (close, maximise or restore, minimise, help): which skin
// image each shows, their sizes and places in the title, their hit test, and their pictures in
// the window image. Portable: the form's provider answers the system menu's questions into
// TsButtonQueries, owns the animation of each button and copies the image to the window.
#pragma once
#include "framework/FormTypes.h"
#include "framework/Types.h"
#include "imaging/Bitmap32.h"

class TsSkinManager;

// One caption button.
struct TsCaptionButton {
  int State = 0;        // 0 normal, 1 hot, 2 pressed
  int ImageIndex = -1;  // the button's mask in the manager's pieces; −1: not drawn
  TRect Rect;           // window coordinates; empty (Right = Left) when the button is not shown
  bool HaveAlignment = false;  // the skin's vertical alignment applies (the big image set)
  int GlowID = -1;             // the glow window shown for the button, −1 none
  int HitCode = 0;             // 20 close, 9 maximise, 8 minimise, 0 help
  bool Animating = false;      // an animation window shows the button: the image keeps state 0
};

// The buttons of one form.
struct TsCaptionButtons {
  TsCaptionButton Close, Max, Min, Help;
  bool BigButtons = false;  // bsSingle and bsSizeable forms use the big image set
};

// What the form's system menu answers about its buttons.
struct TsButtonQueries {
  bool VisibleClose = false, EnabledClose = false;
  bool VisibleMax = false, EnabledMax = false;
  bool VisibleMin = false, EnabledMin = false;
  bool EnabledRestore = false;
  bool ShowHelp = false;
};

// The answers from the form's state. menuHasClose / closeEnabled: the window's system menu has a
// close command / it is not disabled. mainOnTaskbar: the form is the application's main form
// shown on the taskbar. notNormal: the window state is not normal (maximised or minimised).
struct TsButtonState {
  TBorderIcons Icons = kDefaultBorderIcons;
  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  bool Minimized = false, NotNormal = false, MainForm = true, MainOnTaskbar = false, MDIChild = false;
  bool MenuHasClose = true, CloseEnabled = true;
};
TsButtonQueries ButtonQueries(const TsButtonState& s);

// Fallback size of a button without a usable image.
inline constexpr int kCaptionButtonFallback = 21;

// Whether mask `index` can show a button: a piece of the manager whose one state image has pixels.
// A piece with a zero frame (ImageCount ≤ 0, MaskType < 0, an empty or inverted rectangle) counts
// as missing, so the layout falls back to 21 pixels instead of taking its sizes.
bool UsableButtonImage(const TsSkinManager& m, int index);

// Image assignment: the big set for bsSingle and bsSizeable (close alone when neither maximise nor
// minimise is visible and the skin has that image), the small set for the other styles (help
// falls back to the big one); when the close image is still missing, the big set. HitCodes 8, 9,
// 20. Unusable images become −1. Nothing but BigButtons changes without a GLOBALINFO section.
void AssignButtonImages(TsCaptionButtons& b, const TsSkinManager& m, TFormBorderStyle style, const TsButtonQueries& q);

// One state image's width of a button's image, 21 when it has none.
int ButtonWidth(const TsSkinManager& m, const TsCaptionButton& button);
// One state image's height of the close button's image (21 without one): every button's height.
int CaptionButtonHeight(const TsSkinManager& m, const TsCaptionButtons& b);

// The width of the caption-button area: BIRightMargin + close + each visible maximise, minimise
// and shown help with BISpacing after it for big buttons only.
int TitleBtnsWidth(const TsSkinManager& m, const TsCaptionButtons& b, const TsButtonQueries& q);

// What the layout needs of the frame.
struct TsButtonPlace {
  int CaptionWidth = 0;
  int Frame = 0;    // the frame width
  int CXFrame = 0;  // SM_CXFRAME: a maximised window's buttons start this much lower, less one
  int VCenter = 0;
  bool Maximized = false, Minimized = false, MainForm = true;
};

// CalcItems: the buttons placed from the right edge (CaptionWidth − BIRightMargin − Frame) to the
// left: close, maximise when visible (restore image while maximised), minimise when visible
// (restore image while a minimised secondary form), help after a gap of 6 when shown. A button
// is Width wide and CaptionButtonHeight high, its top at 0 (at CXFrame − 1 while maximised) for
// big buttons with BIVALIGN 1, else centred on VCenter; BISpacing lies between big buttons.
// Buttons not shown get an empty rectangle.
void CalcItems(TsCaptionButtons& b, const TsSkinManager& m, const TsButtonQueries& q, const TsButtonPlace& place);

// The caption button under p (window coordinates): its code, shtCaption (2) when the button is
// disabled, 0 when there is none.
int CaptionButtonHitTest(const TsCaptionButtons& b, const TsButtonQueries& q, TPoint p);

// The button of a hit-test code (8, 9, 20, 21), or null.
TsCaptionButton* ButtonByHitCode(TsCaptionButtons& b, int code);

// Whether a button (one of b's four, compared by address) is enabled: close when visible and enabled, maximise and minimise by their
// queries, help always.
bool ButtonEnabled(const TsCaptionButtons& b, const TsButtonQueries& q, const TsCaptionButton& button);

// The clean title behind the buttons, saved before they are drawn (TempBmp): its pixels and
// where they lie in the window image.
struct TsTempBmp {
  TBitmap32 Bmp;
  TPoint Origin;
  bool Empty() const { return Bmp.Empty(); }
};
// Saves the right end of the title: (frame + area + 10) + 1 columns ending at the image's right
// edge, frame + CaptionHeight + frame + menuHeight rows from the top (cut to the image).
void SaveTempBmp(TsTempBmp& temp, const TBitmap32& image, int frame, int captionHeight, int menuHeight, int areaWidth);

// How a button is drawn: state State, or 0 while Animating; dimmed (merged at half strength, or
// faded through a two-layer image's mask) when the button is disabled, or when it shows the
// normal image on an inactive or disabled form.
struct TsButtonLook {
  int State = 0;
  bool Dimmed = false;
};
TsButtonLook ButtonLook(const TsCaptionButton& button, bool enabled, bool formActive, bool formEnabled);

// Paints every button that has an image into the window image: the clean background from temp
// first (when saved), then each button's look.
void PaintCaptionButtons(TBitmap32& image, const TsTempBmp& temp, const TsSkinManager& m, const TsCaptionButtons& b,
                         const TsButtonQueries& q, bool formActive, bool formEnabled);
// Repaints one button (one of b's four; call CalcItems first when the window state changed, it
// re-chooses the maximise and minimise images): its rectangle from temp, then its look. Returns the rectangle to copy to
// the window, cut to the image (empty for a button that is not shown).
TRect RepaintCaptionButton(TBitmap32& image, const TsTempBmp& temp, const TsSkinManager& m, const TsCaptionButtons& b,
                           const TsButtonQueries& q, const TsCaptionButton& button, bool formActive, bool formEnabled);
