// The kinds of frame a form can have and the icons its caption may carry: plain values shared by
// the form (which turns them into window styles) and by the portable frame layout of the skin.
#pragma once

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// The caption icons of a form, as bits of TBorderIcons.
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
inline constexpr TBorderIcons kDefaultBorderIcons = biSystemMenu | biMinimize | biMaximize;

// The result a modal form ends with (TForm::ShowModal): mrNone keeps it open; a button's
// ModalResult; mrCancel when it is closed or the loop is told to quit.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                              mrNo = 7;
