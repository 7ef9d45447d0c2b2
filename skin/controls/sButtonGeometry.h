// The buttons' arithmetic, apart from painting: which look a push button or a speed button shows,
// which frame of its section paints it, where its caption, glyph and drop-down arrow go, and
// which part of the platform's push-button theme draws it unskinned.
#pragma once
#include "framework/ButtonTypes.h"
#include "framework/Types.h"

enum class TButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };

// ---- The push button ----

// Width of the split button's arrow part at the right.
inline constexpr int kSplitArrowWidth = 16;

// What decides the push button's look: 0 normal, 1 hot, 2 pressed, 3 default.
struct TsButtonStateInput {
  bool Pushed = false;         // the platform's button reports its pushed state, or a click flash
  bool MouseAbove = false;
  bool LeftHeldOnControl = false;  // the left mouse button is held on the control
  bool NoMouseHover = false;   // the manager shows no hover
  bool Down = false;
  bool DroppedDown = false;
  bool Hot = false;
  bool Default = false;
};
// Pushed counts only with the pointer over the button, a press that came from the keyboard or no
// hover at all: a left button held with the pointer away shows the resting look.
int ButtonState(const TsButtonStateInput& s);
// The section's frame for a look: the hot one for a default button on a section of fewer than 4
// states; otherwise min(state, states − 1), never below 0 (a section may declare no states).
int ButtonPaintState(int state, int states);
// The image list index for a look: disabled, pressed, focused, hot or normal picks one of the five
// indexes (normal, hot, pressed, selected, disabled); one outside 0 … count − 1 falls back to
// the normal one.
int ButtonGlyphIndex(bool enabled, int state, bool focused, const int (&indexes)[5], int count);

// The push button's size and content settings.
struct TsButtonGeometry {
  int Width = 75, Height = 25;
  TButtonStyle Style = TButtonStyle::bsPushButton;
  int ContentMargin = 6;
  bool HasImage = false;  // an image list with a valid ImageIndex
  int ImageWidth = 0, ImageHeight = 0;
  TImageAlignment Alignment = TImageAlignment::iaLeft;
  TImageMargins Margins;
  bool Shifted = false;  // pressed, and unskinned or the skin shifts content on click
};
// The glyph's width with its margins: the image width (32 without an image) plus left and right
// margins.
int ButtonGlyphSpace(const TsButtonGeometry& g);
// Where the caption is measured: from ContentMargin to Width − ContentMargin for push buttons,
// to Width − glyph space − 3·ContentMargin − 6 for the others.
TRect ButtonMeasureRect(const TsButtonGeometry& g);
// Where a caption of the measured size goes (Right/Bottom exclusive).
TRect ButtonCaptionRect(const TsButtonGeometry& g, TSize caption);
// Where the image goes; empty without an image.
TRect ButtonGlyphRect(const TsButtonGeometry& g);
// The command link's note under the caption.
TRect CommandLinkHintRect(const TsButtonGeometry& g, const TRect& caption);
// The dotted focus frame around the caption: grown by focusMargin + 1 across and focusMargin up
// and down, kept 3 pixels inside the top and bottom edges.
TRect ButtonFocusRect(const TRect& caption, int focusMargin, int height);
// A press at x of a split button lies on its arrow part.
constexpr bool InSplitArrow(int x, int width) { return x >= width - kSplitArrowWidth; }

// The themed push button unskinned: the framework numbers its states one above the platform's
// part states (2 normal, 3 hot, 4 pressed, 5 disabled, 6 default) ...
int ThemedButtonState(bool disabled, bool pressed, bool hot, bool focusedOrDefault);
// ... and the platform counts from 1 (normal 1, hot 2, pressed 3, disabled 4, defaulted 5).
constexpr int PushButtonPartState(int themedState) { return themedState - 1; }

// ---- The speed button ----

// 0 normal, 1 hot, 2 pressed. A button of a menu bar shows hot instead of pressed.
int SpeedButtonState(bool downOrExclusive, bool menuVisible, bool menuOwnerMode, bool hot, bool hotState);
// The property index of the drop-down arrow's colour: hot or pressed use 1, but never past the
// section's states and never below 0.
int SpeedArrowPropIndex(int state, int states);
// The frame a restarted fade begins at: what the old one had left, kept inside 1 … iterations.
int ResumedFadeLevel(int remaining, int iterations);

struct TsSpeedGeometry {
  int Width = 23, Height = 22;
  int Margin = -1, Spacing = 4;
  int GlyphWidth = 0, GlyphHeight = 0;  // one frame of the glyph; 0 without one
  bool HasCaption = false;              // the caption is not empty
  bool ShowCaption = true;
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;
  TAlignment Alignment = TAlignment::taCenter;
  TAlignment TextAlignment = TAlignment::taCenter;
  bool DropDown = false;    // tbsDropDown
  bool HasOnClick = false;  // a drop-down button with OnClick has a separate arrow part
  int TextOffset = 0;
  bool Reflected = false;
  bool Pressed = false;       // state 2
  bool ShiftOnClick = true;   // unskinned, or the skin shifts content on click
};
// The width the caption is measured in: 0 without a shown caption, else Width − 2·Margin, less
// the arrow for drop-down buttons and the glyph with its spacing for the left and right layouts.
int SpeedTextAvailableWidth(const TsSpeedGeometry& g);
// The caption's place for the measured size (0 × 0 when no caption is shown).
TRect SpeedCaptionRect(const TsSpeedGeometry& g, TSize text, bool shiftClicked);
TRect SpeedImgRect(const TsSpeedGeometry& g, TSize text, bool shiftClicked);
// The drop-down arrow; empty for other styles.
TRect SpeedArrowRect(const TsSpeedGeometry& g, TSize text);
