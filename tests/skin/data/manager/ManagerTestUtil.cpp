#include "ManagerTestUtil.h"

#include <cstdio>

#include "../SkinTestUtil.h"
#include "skin/data/sMessages.h"

namespace mgrtest {

using skintest::Bytes;
using skintest::EncodeBmp;
using skintest::Solid;

std::string TestOptions(const std::string& version, int keepHue) {
  return "[GLOBALINFO]\r\n"
         "VERSION=" + version + "\r\n"
         "MASTERBITMAP=MASTER.BMP\r\n"
         "BIKEEPHUE=" + std::to_string(keepHue) + "\r\n"
         "COLOR=255\r\n"
         "FONTCOLOR=65280\r\n"
         "TCTOP=255\r\n"
         "SHADOW1COLOR=255\r\n"
         "BICONCLOSE=@0000@0000@0016@0016@1@0\r\n"
         "BICONMAX=@0016@0000@0032@0016@1@0\r\n"
         "BICONMIN=@0032@0000@0048@0016@1@0\r\n"
         "SICONCLOSE=!SCLOSE.BMP!1!0!2!0!0!0!0!0\r\n"
         "SICONCLOSEGLOW0=!SCLOSEG.BMP!1!0!3!0!0!0!0!0\r\n"
         "SICONMAX=!SMAX.BMP!1!0!2!0!0!0!0!0\r\n"
         "BICONCLOSEGLOW0=!BCLOSEG.BMP!1!0!3!0!0!0!0!0\r\n"
         "BOXCHECKED=@0032@0016@0048@0024@1@0\r\n"
         "[EDIT]\r\n"
         "STATES=2\r\n"
         "COLOR=255\r\n"
         "FONTCOLOR=255\r\n"
         "HOTCOLOR=255\r\n"
         "GRADIENTDATA=255;255;100;0;0\r\n"
         "GRADIENTPERCENT=50\r\n"
         "BORDERSMASK=^0000^0016^0032^0032^0002^0002^0002^0002^1^1^1^1\r\n"
         "[PANEL]\r\n"
         "PARENTCLASS=EDIT\r\n"
         "[SELF]\r\n"
         "PARENTCLASS=SELF\r\n"
         "[LOOPA]\r\n"
         "PARENTCLASS=LOOPB\r\n"
         "[LOOPB]\r\n"
         "PARENTCLASS=LOOPA\r\n"
         "[COMBOBOX]\r\n"
         "GLYPHMASK=@0048@0016@0056@0024@1@0\r\n"
         "[COMBOBTN]\r\n"
         "COLOR=0\r\n"
         "[BUTTON]\r\n"
         "BORDERSMASK=!BTN.BMP!1!1!0!2!2!2!2!1\r\n";
}

std::vector<TsPackageEntry> TestPackageEntries(const std::string& options) {
  TBitmap32 master(64, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) {
      std::uint32_t p = kRed;
      if (y >= 16) p = (x < 32 && y >= 24) ? kMaskRow : kImageGrey;
      master.Pixel(x, y) = p;
    }
  master.Pixel(63, 31) = kKey;
  TBitmap32 button(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) button.Pixel(x, y) = y < 4 ? kImageGrey : kMaskRow;
  const TBitmap32 red = Solid(8, 8, kRed);
  return {{"Options.dat", Bytes(options)},       {"Master.bmp", EncodeBmp(master, 24)},
          {"SClose.bmp", EncodeBmp(red, 24)},    {"SCloseG.bmp", EncodeBmp(red, 24)},
          {"SMax.bmp", EncodeBmp(red, 24)},      {"BCloseG.bmp", EncodeBmp(red, 24)},
          {"Btn.bmp", EncodeBmp(button, 24)}};
}

std::vector<std::uint8_t> TestPackage(const std::string& version, int keepHue) {
  return WriteSkinPackage(TestPackageEntries(TestOptions(version, keepHue)));
}

TsStoredSkin StoredSkin(const std::wstring& name, const std::vector<std::uint8_t>& package) {
  TsStoredSkin s;
  s.Name = name;
  s.ReadData(package);
  return s;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string s;
  char b[3];
  for (std::uint8_t v : bytes) {
    std::snprintf(b, sizeof b, "%02X", v);
    s += b;
  }
  return s;
}

std::string ManagerLayout(const std::string& body) {
  return "object Form1: TTestRoot\n  object sSkinManager1: TsSkinManager\n" + body + "  end\nend\n";
}

void TRecordingPlatform::BroadcastSkinCommand(TsSkinManager&, std::uint16_t code, std::intptr_t lParam) {
  TCommand c{code, lParam, {}};
  if (code == SKIN_SECTIONUPDATED) c.Text = reinterpret_cast<const wchar_t*>(lParam);
  commands.push_back(c);
}

int TRecordingPlatform::Count(std::uint16_t code) const {
  int n = 0;
  for (const auto& c : commands) n += c.Code == code;
  return n;
}

std::vector<std::uint16_t> TRecordingPlatform::Codes() const {
  std::vector<std::uint16_t> v;
  for (const auto& c : commands) v.push_back(c.Code);
  return v;
}

}  // namespace mgrtest
