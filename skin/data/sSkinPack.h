// Skin packages ("ASzf"): an options text and images, each entry one zlib stream.
//
// Layout (integers 32-bit signed little-endian, no gaps, no trailer):
//   "ASzf", N, then N entries of { L, L name bytes (ANSI), S, one zlib stream inflating to S bytes }.
// No compressed length is stored: the next entry starts right after the previous stream's
// Adler-32 trailer, so the reader hands back whatever input the inflater read ahead.
//
// A package is untrusted input. Reading it either fills the convertor or throws: the format error
// for a wrong magic, "Stream read error" for a field or name that runs past the end or an entry
// whose stream does not inflate to exactly S bytes, and the inflater's error for a damaged stream.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Exception.h"
#include "framework/Streams.h"
#include "framework/TextCase.h"

// The message of a package whose first four bytes are not "ASzf".
inline constexpr const wchar_t* kPackageFormatError = L"Loaded data is not a packed Velour file";

// The plain message box text for a package file that holds no options entry.
inline std::wstring PackageWithoutOptionsMessage(const std::wstring& skinName) {
  return L"\"" + skinName + L"\" skin have internal format error. Please update this skin to latest version.";
}

// A wrong magic.
class ESkinPackageError : public Exception {
 public:
  using Exception::Exception;
};
// A damaged zlib stream inside an entry; the message is zlib's ("data error", "buffer error", …).
class ESkinInflateError : public Exception {
 public:
  using Exception::Exception;
};

// Single-byte entry names and options texts are text in the system's ANSI code page. Natively
// (and until the platform installs its own) Windows-1252 is assumed.
using TAnsiDecoder = std::wstring (*)(std::string_view text);
void SetAnsiDecoder(TAnsiDecoder decoder);
std::wstring AnsiToWide(std::string_view text);

// One image entry of a package.
struct TsImageItem {
  std::wstring FileName;   // the entry name
  bool IsBitmap = false;   // upper-cased extension is ".BMP"
  std::unique_ptr<TMemoryStream> FileStream;  // the inflated bytes
};

// Reads a package into its entries. Owns everything it references except a PackedData stream
// lent to it (an internal skin keeps its own bytes).
class TsSkinConvertor {
 public:
  TsSkinConvertor() = default;
  TsSkinConvertor(const TsSkinConvertor&) = delete;
  TsSkinConvertor& operator=(const TsSkinConvertor&) = delete;
  ~TsSkinConvertor() { Clear(); }

  // N − 1 as read: the number of image entries when the package holds exactly one options entry.
  int ImageCount = 0;
  std::vector<TsImageItem> Files;
  std::unique_ptr<TMemoryStream> Options;

  // The raw package: owned, lent, or none.
  TStream* PackedData() const { return FPacked; }
  void SetPackedData(std::unique_ptr<TMemoryStream> data);
  void LendPackedData(TStream& data);
  // Gives a lent stream back (or frees an owned one): PackedData becomes none.
  void ReleasePackedData();

  // Frees every item's stream from the last to the first, empties Files, frees Options and
  // PackedData (a lent PackedData is only let go).
  void Clear();

  // Number of image entries a search may visit: ImageCount, but never beyond Files.
  int SearchableImageCount() const;
  // Index of the first image entry (among the searchable ones) whose upper-cased name equals
  // `upperName`, or −1.
  int FindImage(std::wstring_view upperName) const;

 private:
  std::unique_ptr<TMemoryStream> FOwned;
  TStream* FPacked = nullptr;
};

// Reads the package in convertor->PackedData() (from position 0) into ImageCount, Files and
// Options. On a wrong magic the convertor is cleared and destroyed (the reference becomes null)
// and ESkinPackageError(kPackageFormatError) is thrown; other errors leave what was read so far.
void ReadSkinPackage(std::unique_ptr<TsSkinConvertor>& convertor);

// Files one entry's inflated bytes by its name, as the reader does: the options text when the
// name is "Options.dat" in any case (a later one replaces an earlier one), else the next image
// entry. Callers that build a convertor without a package (tests, the options fuzzer) use it
// too, and then set ImageCount themselves.
void AddSkinPackageEntry(TsSkinConvertor& convertor, std::string_view name, std::vector<std::uint8_t> data);

// Loads a package file: nothing happens when no file exists at `path`. Otherwise the convertor is
// cleared (or created), filled with the whole file as PackedData, read, and with `dropRaw` the raw
// bytes are freed afterwards.
void LoadSkinPackageFile(const std::wstring& path, std::unique_ptr<TsSkinConvertor>& convertor, bool dropRaw);

// Writes packages (our build tools pack the internal skin with it; tests build packages too).
struct TsPackageEntry {
  std::string Name;  // single-byte name as stored
  std::vector<std::uint8_t> Data;
};
// `level` is the zlib compression level (0 … 9).
std::vector<std::uint8_t> WriteSkinPackage(const std::vector<TsPackageEntry>& entries, int level = 9);
// One raw zlib stream of `data` (RFC 1950), as an entry stores it.
std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data, int level = 9);

