// The tiles of the skin gallery: skin sections painted with PaintSectionItem in each of their
// states and with the disabled look, over a two-colour check and over a plain colour, so that
// the same pictures can be made by every build and compared pixel for pixel.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sCacheInfo.h"

class TsSkinManager;

// A section painted at one size.
struct TGallerySection {
  std::wstring Name;
  int Width = 0, Height = 0;
};

// What lies behind a tile: the check bitmap or the plain colour.
enum class TGalleryBackground { Check, Colour };

// The state column of a tile: a painting state, or the disabled look over state 0.
inline constexpr int kDisabledState = -1;

struct TGalleryTile {
  std::string File;  // "BUTTON_75x25_s1_bg.png"
  std::wstring Section;
  int Width = 0, Height = 0;
  int State = 0;  // kDisabledState for the disabled look
  TGalleryBackground Background = TGalleryBackground::Check;
  bool Text = false;  // painted item plus text: platform font output, never compared
  TBitmap32 Pixels;
};

// Colours of the check squares and of the plain background. They appear nowhere in the setup
// window's skin, so every pixel a section lets through is recognisable.
inline constexpr std::uint32_t kCheckLight = 0xFFF0F0F0u;
inline constexpr std::uint32_t kCheckDark = 0xFF9A9A9Au;
inline constexpr int kCheckSquare = 8;
inline constexpr TColor kPlainColour = 0x00A08040;  // 0x00BBGGRR: a steel blue, #4080A0

// The setup window's sections at the sizes its controls have (setup/Unit1.layout), plus the
// parts the memo's scroll bar and the gauge's filled bar paint.
std::vector<TGallerySection> DefaultSections();

// "NAME:WxH" (NAME upper case, sizes 1 … 4096), or nothing when the text is not of that form.
std::optional<TGallerySection> ParseSection(const std::string& text);

// The check picture of the given size, squares of kCheckSquare pixels starting light at (0, 0).
TBitmap32 CheckBitmap(int width, int height);
// The background as the painters receive it: the ready check bitmap, or the colour form.
TCacheInfo CheckBackground(TBitmap32& check);
TCacheInfo ColourBackground(TColor colour);

// The file name of a tile: SECTION_WxH_s<state>|dis_bg|col[_text].png.
std::string TileFileName(const std::wstring& section, int width, int height, int state, TGalleryBackground bg,
                         bool text);

// The painting states shown for a section of `states` states: 0 … States − 1, at least 0 and 1.
int ShownStates(int states);

// Every tile of the sections the manager's skin has, in order: states over the check, states
// over the colour, then the disabled look over each. Sections the skin lacks are named in
// `missing`.
std::vector<TGalleryTile> PaintTiles(TsSkinManager& manager, const std::vector<TGallerySection>& sections,
                                     std::vector<std::wstring>& missing);

// The fades page: BUTTON's enter fade (11 frames from state 0 to 1) and press fade (5 frames from
// 1 to 2) over the plain colour, each frame the old tile blended towards the new one as the fade
// timer draws it. Empty when the tiles lack those states.
std::vector<TGalleryTile> FadeTiles(const std::vector<TGalleryTile>& tiles);

// The check-box page: a caption-less box (CHECKBOX over the plain colour, sized as the box sizes
// itself) with the skin's glyph for each check (unchecked, checked, grayed) in each painting state
// (rest, hot, pressed) and disabled. Empty when the skin lacks the section or the glyphs.
std::vector<TGalleryTile> CheckBoxTiles(TsSkinManager& manager);
// The buttons page (no text): BUTTON 75 × 25 in its four looks, disabled and focused (the dotted
// frame round a 40 × 13 caption), the split button 90 × 25 with separator and arrow, SPEEDBUTTON
// 23 × 22 in its three looks and disabled, and BUTTON_HUGE 100 × 100 with the corners its window
// region leaves out painted in the check's light colour; all over the plain colour.
std::vector<TGalleryTile> ButtonTiles(TsSkinManager& manager);
// The gauge page: the setup's gauge (GAUGE, 465 × 25) without text over the check at 0, 25 and
// 100 %, and at 100 % with the light strip (stretched from lightPicture) 100 pixels in, when a
// picture is given. Empty when the skin has no GAUGE.
std::vector<TGalleryTile> GaugeTiles(TsSkinManager& manager, const TBitmap32& lightPicture);

// The combo box page (no text): the setup's combo box (COMBOBOX 145 × 21, scroll width 17) over
// the check at rest, hot, with its list open (button state 2) and right to left at rest, and
// disabled over the plain colour; its drop-down list (145 × 47) with three 15-pixel items, the
// second selected. Empty when the skin has no COMBOBOX section.
std::vector<TGalleryTile> ComboTiles(TsSkinManager& manager);

// The scroll bars page: the memo's vertical bar (17 × 197, over the plain colour) normal, with
// its first arrow hot and pressed, its second arrow pressed, its thumb hot and dragged, its track
// pressed and inactive (also over the check); a horizontal bar; the corner square plain and as a
// size grip. Empty when the skin has no scroll bar elements.
std::vector<TGalleryTile> ScrollTiles(TsSkinManager& manager);

// The edits page (no text): the folder field (EDIT 401 × 21) and the log memo (EDIT 465 × 201)
// at rest, hot and disabled, over the check and over the plain colour. The memo carries its
// vertical bar inside its 2-pixel border ring, as thick as GetScrollMetric makes it: faded at
// rest and disabled, active with its thumb when hot. Empty when the skin has no EDIT section.
std::vector<TGalleryTile> EditTiles(TsSkinManager& manager);

// The frame page (no caption text): the setup window's image (bsDialog, client 680 × 495, the
// metrics of 96 dpi: SM_CXDLGFRAME 3, SM_CYCAPTION 19, so 686 × 520) active and inactive, the
// corners its region cuts away in the check's light colour; its close button with up to 4 pixels
// of title round it (cut to the image) at rest, hot and pressed. Empty when the skin has no FORM section.
std::vector<TGalleryTile> FrameTiles(TsSkinManager& manager);

// The tile with these properties, or none.
const TGalleryTile* FindTile(const std::vector<TGalleryTile>& tiles, std::wstring_view section, int width, int height,
                             int state, TGalleryBackground bg, bool text = false);
