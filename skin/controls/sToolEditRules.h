// The edit-with-button family's rules that need no Windows API: where the popup goes, how a
// glyph picture splits into images, what a dropped file name does to the text, the name of a new
// folder and the special folders a root name stands for.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "framework/Types.h"

// Which edge of the popup lines up with the control's.
enum class TPopupWindowAlign { pwaRight, pwaLeft };

// The popup's top-left corner. control: the control's bounds on the screen; desktop: the
// desktop's work area (Right/Bottom exclusive); size: the popup's. Below the control, above it
// when below would pass the desktop's bottom; with pwaRight the right edges line up unless that
// passes the desktop's left edge, with pwaLeft the left edges unless that passes its right edge;
// then the popup is moved back inside the desktop horizontally.
TPoint PopupPlace(const TRect& control, const TRect& desktop, TSize size, TPopupWindowAlign align);

// How many images a glyph picture of width × height holds: width div height when the width is a
// multiple of the height, else 1 (also for an empty picture).
int GlyphImageCount(int width, int height);
// The width of one image of the picture (0 for an empty one).
int GlyphImageWidth(int width, int height);
// The image list index of the button's glyph in a state (0 normal, 1 hot, 2 pressed) of a list
// of count images: the hot or pressed index when it is within the list, otherwise the normal one.
int StateImageIndex(int normal, int hot, int pressed, int state, int count);

// The edit's text once a dropped name is taken: the folder part with its trailing separator for
// an existing file, else the name itself; appended after ";" with multipleDirs and a non-empty
// text, otherwise the whole text.
std::wstring AcceptDroppedName(const std::wstring& name, bool isExistingFile, const std::wstring& currentText,
                               bool multipleDirs);

// The path of a new folder under parent: parent (with a trailing separator added when missing)
// followed by "New folder" and the first number i = 1, 2, … whose path exists as nothing at all,
// neither folder nor file. exists answers for a full path.
std::wstring NewFolderName(const std::wstring& parent, const std::function<bool(const std::wstring&)>& exists);

// Whether a typed folder may be looked up at all: a whole path from a drive ("C:\…", "C:/…") or
// a share ("\\server\share…"), without wildcards or stream names. A relative name is never
// resolved against the process's current folder, which the user does not see.
bool IsTypedFolderUsable(const std::wstring& name);

// The special folder (CSIDL value) a root folder name stands for ("rfDesktop" … "rfTemplates", in
// any letter case); nothing for any other text, which names a folder instead.
std::optional<int> RootFolderCsidl(const std::wstring& name);
// The special folder to root a folder browser at: the name's, or the desktop's (0) for others.
int RootFolderCsidlOrDesktop(const std::wstring& name);

