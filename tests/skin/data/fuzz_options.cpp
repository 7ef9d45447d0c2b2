// libFuzzer target: the input is split into an options text and a small package of images, and
// a whole skin load runs on them. It must end in complete tables or EConvertError (a malformed
// fixed-position number), never a crash, a hang or a read outside a buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/MemIniFile.h"
#include "skin/data/sSkinOptions.h"
#include "skin/data/sSkinPack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Layout: options text, then optionally "\0IMG\0" followed by images separated by "\0IMG\0",
  // each image named by its first line.
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string sep("\0IMG\0", 5);
  std::vector<TsPackageEntry> entries;
  std::size_t at = input.find(sep);
  entries.push_back({"Options.dat", {input.begin(), input.begin() + std::ptrdiff_t(std::min(at, input.size()))}});
  while (at != std::string::npos && entries.size() < 8) {
    const std::size_t start = at + sep.size();
    at = input.find(sep, start);
    const std::string part = input.substr(start, at == std::string::npos ? std::string::npos : at - start);
    const std::size_t nl = part.find('\n');
    const std::string name = part.substr(0, std::min<std::size_t>(nl, 64));
    const std::string body = nl == std::string::npos ? std::string() : part.substr(nl + 1);
    entries.push_back({name, {body.begin(), body.end()}});
  }
  auto convertor = std::make_unique<TsSkinConvertor>();
  convertor->SetPackedData(std::make_unique<TMemoryStream>(WriteSkinPackage(entries, 0)));
  ReadSkinPackage(convertor);
  auto ini = LoadSkinOptions(*convertor->Options);

  TsSkinImages images;
  images.Package = convertor.get();
  TStringList extra;
  extra.SetText(L"[EDIT]\nCOLOR=0x10\n[GLOBALINFO]\nX=#A (1,2,3,4) (1,0,2,1)\n");
  TsSkinLoadSettings settings;
  settings.CommonSections = &extra;
  settings.Blur5 = nullptr;
  TsSkinTables tables;
  try {
    LoadSkinTables(*ini, images, settings, tables);
    if (tables.gd.empty()) __builtin_trap();  // TRANSPARENT is always there
    for (const auto& m : tables.ma)
      if (m.Bmp && m.Bmp->Empty() && m.ImgType != itisaTexture) __builtin_trap();
  } catch (const EConvertError&) {
  }
  return 0;
}
