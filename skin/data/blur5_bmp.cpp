// skin_blur5_bmp <out.bmp>: writes the "BLUR5" picture for the Windows build's resource script.
#include <cstdio>

#include "skin/data/sBlur5.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skin_blur5_bmp <out.bmp>\n");
    return 2;
  }
  const auto bytes = EncodeBlur5Bmp();
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) return 1;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return (std::fclose(f) == 0 && ok) ? 0 : 1;
}
