// A small test skin (options text, master bitmap, pieces with bitmaps of their own) packed as an
// internal skin, and a platform that records what the manager asks of it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/sSkinManager.h"

namespace mgrtest {

// Pixels of the test skin's master bitmap (as loaded: opaque).
inline constexpr std::uint32_t kRed = 0xFFFF0000u;
inline constexpr std::uint32_t kImageGrey = 0xFF646464u;  // (100, 100, 100)
inline constexpr std::uint32_t kMaskRow = 0xFF46505Au;    // (70, 80, 90)
inline constexpr std::uint32_t kKey = 0x00FF00FFu;

// Master bitmap 64 × 32:
//   (0,0)-(16,16) close icon BICONCLOSE, (16,0)-(32,16) BICONMAX, (32,0)-(48,16) BICONMIN,
//   (48,0)-(64,16) no piece: all red;
//   (0,16)-(32,32) EDIT's two-layer BORDERSMASK: image rows 16-23 grey, mask rows 24-31;
//   (32,16)-(64,32) grey with a key pixel at (63, 31).
// Pieces with bitmaps of their own (8 × 8 red unless said): SICONCLOSE, SICONCLOSEGLOW0,
// SICONMAX, BICONCLOSEGLOW0, and BUTTON's two-layer BORDERSMASK (8 × 8: rows 0-3 grey,
// rows 4-7 the mask value).
// Sections: GLOBALINFO (VERSION, BIKEEPHUE, COLOR red), EDIT (STATES 2, colour red), PANEL
// (parent EDIT), SELF (its own parent), LOOPA/LOOPB (parents of each other), COMBOBOX with a
// GLYPHMASK, COMBOBTN, BUTTON.
std::string TestOptions(const std::string& version = "7.20", int keepHue = 2);
std::vector<TsPackageEntry> TestPackageEntries(const std::string& options);
std::vector<std::uint8_t> TestPackage(const std::string& version = "7.20", int keepHue = 2);

// An internal skin item holding `package`.
TsStoredSkin StoredSkin(const std::wstring& name, const std::vector<std::uint8_t>& package);

// The layout text of a manager read from a stored layout.
std::string ManagerLayout(const std::string& body);
// Hexadecimal bytes for a layout binary value.
std::string Hex(const std::vector<std::uint8_t>& bytes);

struct TCommand {
  std::uint16_t Code;
  std::intptr_t LParam;
  std::wstring Text;  // SKIN_SECTIONUPDATED: the section name
};

class TRecordingPlatform : public TsSkinPlatform {
 public:
  std::vector<std::wstring> errors, messages, warnings;
  std::vector<TCommand> commands;
  std::vector<bool> notifications, stdDialogs;
  int installs = 0, uninstalls = 0, locks = 0, unlocks = 0, glowsHidden = 0;
  bool skintest = false;
  bool hook = false;

  void ShowError(const std::wstring& m) override { errors.push_back(m); }
  void ShowMessage(const std::wstring& m) override { messages.push_back(m); }
  void ShowWarning(const std::wstring& m) override { warnings.push_back(m); }
  bool HasCommandLineParam(const std::wstring& p) override { return skintest && p == L"/skintest"; }
  void BroadcastSkinCommand(TsSkinManager&, std::uint16_t code, std::intptr_t lParam) override;
  void LockForms(TsSkinManager&) override { ++locks; }
  void UnlockForms(TsSkinManager&, bool) override { ++unlocks; }
  bool InstallHook(TsSkinManager&) override {
    ++installs;
    hook = true;
    return true;
  }
  void UnInstallHook(TsSkinManager&) override {
    ++uninstalls;
    hook = false;
  }
  void HideAllGlows() override { ++glowsHidden; }
  void SkinningChanged(bool on) override { notifications.push_back(on); }
  void SkinStdDialogs(bool on) override { stdDialogs.push_back(on); }

  int Count(std::uint16_t code) const;
  std::vector<std::uint16_t> Codes() const;
};

}  // namespace mgrtest
