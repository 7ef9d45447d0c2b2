// Helpers for the skin data tests: small pictures in every format, packages, temporary folders.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/MemIniFile.h"
#include "framework/Utf.h"
#include "imaging/Bitmap32.h"
#include "skin/data/sSkinOptions.h"
#include "skin/data/sSkinPack.h"

namespace skintest {

// A bitmap filled with one pixel value.
TBitmap32 Solid(int w, int h, std::uint32_t pixel);
// A .bmp file of the bitmap: 24 bits (alpha dropped) or 32 bits (alpha kept).
std::vector<std::uint8_t> EncodeBmp(const TBitmap32& bmp, int bits);
std::vector<std::uint8_t> Bytes(const std::string& text);

// A skin read from a package into the tables (as a load does, without recolouring), with the
// look-ups the tests use.
struct TLoadedSkin {
  std::unique_ptr<TsSkinConvertor> pack;
  std::unique_ptr<TMemIniFile> ini;
  TsSkinTables t;

  // Reads pack's options and fills the tables with settings.
  void LoadTables(const TsSkinLoadSettings& settings = {});
  // The section of that name; throws when there is none.
  const TsGeneralData& Section(const std::wstring& name) const;
  // The piece of exactly that section and key (no inheritance): its index, or -1.
  int MaskIndex(const std::wstring& section, const std::wstring& key) const;
  // The same piece, or null.
  const TsMaskData* Mask(const std::wstring& section, const std::wstring& key) const;
  // The same piece; throws when there is none.
  const TsMaskData& M(const std::wstring& section, const std::wstring& key) const;
  // The piece as the manager finds it: the section's own, else its PARENTCLASS chain's.
  int InheritedMask(const std::wstring& section, const std::wstring& key) const;
};

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  // The folder as a Windows-style text with a final separator ("/" natively).
  std::wstring Text() const { return Utf8ToWide(path_.string()) + L"/"; }
  void Write(const std::string& relative, const std::vector<std::uint8_t>& data) const;
  void MakeDir(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace skintest
