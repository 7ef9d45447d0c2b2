// libFuzzer target: the input is split into an options text and up to seven images, and a whole
// skin load runs on them (FuzzSkinInput.h). It must end in complete tables or EConvertError (a
// malformed fixed-position number), never a crash, a hang or a read outside a buffer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSkinInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TsSkinTables tables;
  try {
    LoadFuzzSkin(std::string_view(reinterpret_cast<const char*>(data), size), tables);
    if (tables.gd.empty()) __builtin_trap();  // TRANSPARENT is always there
    for (const auto& m : tables.ma)
      if (m.Bmp && m.Bmp->Empty() && m.ImgType != itisaTexture) __builtin_trap();
  } catch (const EConvertError&) {
  }
  return 0;
}
