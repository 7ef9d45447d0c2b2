// The kinds of frame a form can have and the icons its caption may carry: plain values shared by
// the form (which turns them into window styles) and by the portable frame layout of the skin.
#pragma once

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// The caption icons of a form, as bits of TBorderIcons.
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
inline constexpr TBorderIcons kDefaultBorderIcons = biSystemMenu | biMinimize | biMaximize;
