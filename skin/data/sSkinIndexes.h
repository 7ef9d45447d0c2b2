// Lookups in the skin tables and the cached indexes of frequently used sections and pieces.
// Names compare exactly (case-sensitive); the library passes upper-case names. Every lookup
// answers −1 when the skin lacks the item, and consumers then paint without it.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "skin/data/sSkinOptions.h"

enum TsSide { asLeft, asTop, asRight, asBottom };

// A section with its border, glyph and texture pieces.
struct TsConstElementData {
  int SkinIndex = -1;
  int MaskIndex = -1;               // BORDERSMASK
  int GlyphIndex = -1;              // GLYPHMASK
  std::array<int, 2> BGIndex{-1, -1};  // PATTERN, HOTPATTERN
  std::wstring SkinSection;
};
using TsSideElements = std::array<TsConstElementData, 4>;  // by TsSide
using TsBoolElements = std::array<TsConstElementData, 2>;  // false horizontal, true vertical
// Section indexes of MENUITEM, TOOLBUTTON, CHECKBOX, TRANSPARENT, GROUPBOX, WEBBUTTON.
using TsIntSections = std::array<int, 6>;

// The cached indexes, rebuilt after every load and every application of a skin.
struct TConstantSkinData {
  int IndexGLobalInfo = -1;
  int ExBorder = -1;
  TsSideElements Tabs;
  TsSideElements ScrollBtns;
  TsSideElements Scrolls;
  TsBoolElements Sliders;
  TsConstElementData ComboBtn;
  int MaskCloseBtn = -1, MaskCloseAloneBtn = -1, MaskMaxBtn = -1, MaskNormBtn = -1, MaskMinBtn = -1, MaskHelpBtn = -1;
  int MaskCloseSmall = -1, MaskMaxSmall = -1, MaskNormSmall = -1, MaskMinSmall = -1, MaskHelpSmall = -1;
  int CheckBoxChecked = -1, CheckBoxUnChecked = -1, CheckBoxGrayed = -1;
  int RadioButtonChecked = -1, RadioButtonUnChecked = -1, RadioButtonGrayed = -1;
  int SmallCheckBoxChecked = -1, SmallCheckBoxUnChecked = -1, SmallCheckBoxGrayed = -1;
  int GripRightBottom = -1, GripHorizontal = -1, GripVertical = -1;
  TsIntSections Sections{-1, -1, -1, -1, -1, -1};
};

inline constexpr const wchar_t* kGlobalInfoSection = L"GLOBALINFO";

// The first section whose ClassName equals `name`; −1 for an empty name or no match.
int FindSkinIndex(const TsSkinTables& t, std::wstring_view name);
// The first piece of section `sectionName` with key `key`. When there is none, the parent of the
// section at `sectionIndex` (its ParentClass, when not empty and not the section's own name) is
// searched the same way. −1 for a negative index or an empty name. A chain of parents that loops
// back on itself ends at the first repetition.
int FindMaskIndex(const TsSkinTables& t, int sectionIndex, std::wstring_view sectionName, std::wstring_view key);
// The same search without a section index and without inheritance.
int FindMaskIndex(const TsSkinTables& t, std::wstring_view sectionName, std::wstring_view key);
// Like the inheriting FindMaskIndex, but only texture pieces match; −1 when there are no pieces.
int FindTextureIndex(const TsSkinTables& t, int sectionIndex, std::wstring_view sectionName, std::wstring_view key);
// The same search over the large textures (pa); −1 when there are none.
int FindPatternIndex(const TsSkinTables& t, int sectionIndex, std::wstring_view sectionName, std::wstring_view key);

// Border widths of a piece (0 for an index that is not a piece). MaskWidthLeft sets an
// ImageCount of 0 to 1 first, as the frame width is width(R) div ImageCount.
int MaskWidthLeft(TsSkinTables& t, int maskIndex);
int MaskWidthRight(const TsSkinTables& t, int maskIndex);
int MaskWidthTop(const TsSkinTables& t, int maskIndex);
int MaskWidthBottom(const TsSkinTables& t, int maskIndex);

// Rebuilds every cached index from the tables, then runs BuildMaskIndexes.
void BuildConstantIndexes(TsSkinTables& t, TConstantSkinData& c);
// Per section (except GLOBALINFO at `globalInfoIndex`): BorderIndex, OuterMask, the corner
// images, TextureNormal and the state texture indexes.
void BuildMaskIndexes(TsSkinTables& t, int globalInfoIndex);
