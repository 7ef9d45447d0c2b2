// The window image of a skinned form without its caption text: the background and frame of the
// FORM section (or a plain colour under its frame), the title strip in the active or the normal
// look with the TITLEBAR piece behind the buttons, and then, in a second call, the clean title
// behind the buttons saved and the buttons drawn. The provider draws the title icon and the
// caption text (platform fonts) between the two calls. Also the plain-colour decision of the
// client area and its colour. Portable: no Windows API.
#pragma once
#include <string_view>

#include "framework/FormTypes.h"
#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/frame/sCaptionButtons.h"
#include "skin/frame/sFrameLayout.h"
#include "skin/paint/sSkinItem.h"

class TsSkinManager;

// Whether the client area is a plain fill (the form skin state's plain-colour bit): the FORM
// section's normal state has no transparency, gradient or image, the section no corner images,
// its frame mask does not fill the centre; the form has no paint handler, the manager allows no
// outer effects and the form is no MDI parent. False for an index that is no section.
bool PlainColourMode(const TsSkinManager& m, int skinIndex, int borderIndex, bool hasOnPaint, bool outerEffects,
                     bool mdiParent);

// The plain client colour: the custom colour (not clFuchsia) when the form has one, else the
// section's hot Color while active and its normal Color while inactive (one-state sections: the
// normal one). clFuchsia for an index that is no section.
TColor FormColor(const TsSkinManager& m, int skinIndex, bool formActive, TColor custom = clFuchsia);

// The FORM section's painting record (section, its BORDERSMASK, the manager) for a form without
// colour changes of its own; the provider fills the record from the form's skin state instead.
TsItemSkinData FormSkinData(TsSkinManager& m, std::wstring_view section = L"FORM");
// The title section: titleSkin, or FORMTITLE when empty; −1 when the skin lacks it.
int TitleSectionIndex(const TsSkinManager& m, std::wstring_view titleSkin = {});

// What the image is built from.
struct TsFrameImageInput {
  TsSkinManager* Manager = nullptr;
  TsItemSkinData Form;  // the FORM section's state (SkinIndex, BorderIndex, colours, recolouring)
  int TitleIndex = -1;  // the title section (TitleSkin or FORMTITLE)
  TsFrameWindow Window;
  TsFrameMetrics Metrics;
  bool FormActive = true;
  bool DrawNonClientArea = true;
  bool PlainColour = false;     // from PlainColourMode, kept in the form's skin state
  TColor PlainColor = clFuchsia;  // FormColor for the current look
  bool ChildWindow = false;     // a form inside a parent control (painted like a bordered form)
  TPoint ScreenPos;             // the form's place on the screen: the item position of its section
  bool ButtonsShown = false;    // the caption shows at least one system button
  int ButtonAreaWidth = 0;      // TitleBtnsWidth
};

// The state the FORM section and the title are painted in: min(active, States − 1), at least 0.
int FrameState(const TsSkinManager& m, int skinIndex, bool formActive);

// Steps up to the title strip. The image is made CaptionWidth × form height (a minimised secondary
// form: Frame + CaptionHeight + 2 rows); then the background and frame: in plain-colour mode the
// area below the title filled with PlainColor and the frame mask drawn around it (a two-layer
// mask's bands first filled with the section's colour, and so is the room between a band and a
// wider BorderWidth); a bordered form gets the whole FORM item; a borderless top-level form the
// section's background and its four corner images. Then, with a caption and DrawNonClientArea,
// the title section over the title rows (a minimised secondary form: over the whole image) and,
// when a system button is shown, FORM's TITLEBAR piece over the right end, ButtonAreaWidth plus
// the piece's width wide. Frame corners keep their key pixels: the region cuts them out. Returns
// false, painting nothing, without a manager or a FORM section. The caller sees from the image's
// emptiness before the call whether it was made here (then it tells the children, command 36).
bool BuildFrameBackground(TBitmap32& image, const TsFrameImageInput& in);

// The last step, after the caption text: with a caption and DrawNonClientArea, the clean right end
// of the title saved into temp (SaveTempBmp), then the buttons drawn (PaintCaptionButtons).
void FinishFrameImage(TBitmap32& image, TsTempBmp& temp, const TsFrameImageInput& in, const TsCaptionButtons& b,
                      const TsButtonQueries& q, bool formEnabled);

// A bsDialog form of client size clientWidth × clientHeight with the close button only, as the
// given system metrics make it: its buttons laid out and the image's input filled for the look
// (the gallery's and the benchmark's window; a provider fills the same from its real window).
struct TsDialogFrame {
  TsFrameWindow Window;
  TsFrameMetrics Metrics;
  TsButtonQueries Queries;
  TsCaptionButtons Buttons;
  TsFrameImageInput In;
};
TsDialogFrame DialogFrame(TsSkinManager& m, const TsSystemMetrics& sys, int clientWidth, int clientHeight, bool active);
