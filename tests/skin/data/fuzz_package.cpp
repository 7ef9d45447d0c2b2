// libFuzzer target: any bytes as a skin package. Reading must end in a filled convertor or one of
// the documented errors, never a crash, a hang or a read outside a buffer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Streams.h"
#include "skin/data/sSkinPack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TReadOnlyMemoryStream raw(data, size);
  auto convertor = std::make_unique<TsSkinConvertor>();
  convertor->LendPackedData(raw);
  try {
    ReadSkinPackage(convertor);
    if (convertor) {
      const int n = convertor->SearchableImageCount();
      if (n > int(convertor->Files.size())) __builtin_trap();
      for (const auto& f : convertor->Files)
        if (!f.FileStream) __builtin_trap();
    }
  } catch (const ESkinPackageError&) {
    if (convertor) __builtin_trap();  // a wrong magic destroys the convertor
  } catch (const ESkinInflateError&) {
  } catch (const EReadError&) {
  }
  if (convertor) convertor->ReleasePackedData();
  return 0;
}
