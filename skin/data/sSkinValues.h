// The value syntaxes of an options text (internal to skin/data): which form a value has, and
// what its fields say. Nothing here touches images or tables; the mask builder (sSkinMasks)
// adds pictures, names and the derived widths to what these parsers return.
//
// Fixed-position fields (the "^", "@" and "~" pieces) must be valid integers: a malformed one
// throws EConvertError, which ends the load. Words (the "!" and legacy forms) that are not valid
// integers read as 0.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/sConst.h"

// The forms a value can take, as far as pieces and textures are concerned.
enum class TsValueSyntax {
  None,        // a plain number, a colour, a text: no piece
  Border,      // "^…": a border piece of the master bitmap
  Glyph,       // "@…": a glyph of the master bitmap
  Texture,     // "~…": a texture of the master bitmap
  External,    // "!FILE!…": an image entry or file with its frame and band numbers
  BitmapFile,  // a bare ".BMP" name: the whole bitmap as a border piece
  Legacy,      // "… (L,T,R,B) (ImageCount,MaskType,BorderWidth,DrawMode)"
  Jpeg,        // a ".JPG"/".JPEG" name: a texture or a pattern
};

// The form of `value` (`upper` is the value upper-cased). JPEG names are recognised first.
// With `markers` false (the application's extra sections) the first-character forms are not
// looked for, so only bare bitmap names, legacy rectangles and JPEG names remain.
TsValueSyntax ClassifySkinValue(const std::wstring& value, const std::wstring& upper, bool markers);

// True when the upper-cased value names a JPEG picture.
bool IsJpegValue(const std::wstring& upper);

// The words of `text` split at any run of the delimiters (no empty words).
std::vector<std::wstring> SkinWords(std::wstring_view text, std::wstring_view delimiters);

// "^" at its fixed positions: rectangle, band widths, frames, rows, draw mode, border width.
// The outer effects read their GLOBALINFO pieces with it whatever the first character.
TsMaskData ParseBorderPiece(const std::wstring& value);
// "@" at its fixed positions: rectangle, frames, rows.
TsMaskData ParseGlyphPiece(const std::wstring& value);
// "~" at its fixed positions: rectangle, draw mode and (when the value is long enough) rows.
TsMaskData ParseTexturePiece(const std::wstring& value);

// "!FILE!frames!rows!type!WL!WT!WR!WB!mode": the numbers in `Mask`; its picture, rectangle and
// names are the builder's.
struct TsExternalValue {
  std::wstring File;          // word 1, as written
  bool Png = false;           // the file names no ".BMP", so it is a PNG picture
  TsMaskData Mask;
  bool DefaultBands = false;  // fewer than five words: the builder computes the band widths
};
// Nothing (an empty File) for a value without words or a file that is neither .BMP nor .PNG.
TsExternalValue ParseExternalValue(const std::wstring& value);

// The legacy rectangle form; coordinates are held to ±1,000,000 so that width and height
// arithmetic stays in range.
TsMaskData ParseLegacyPiece(const std::wstring& value);
