// payloadpack <in> <out>: compresses one file into one zlib stream at the highest level (header
// 78 DA, deflate data, Adler-32 check value; nothing before or after), the form in which the setup
// program carries its payloads.
#include <zlib.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "ToolFiles.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: payloadpack <in> <out>\n");
    return 2;
  }
  return tools::RunTool("payloadpack", [&] {
    const std::vector<std::uint8_t> data = tools::ReadWholeFile(argv[1]);
    uLongf packedSize = compressBound(uLong(data.size()));
    std::vector<std::uint8_t> packed(packedSize);
    // compress2 writes the zlib wrapper with a 32 KB window; level 9 makes the header 78 DA.
    if (compress2(packed.data(), &packedSize, data.data(), uLong(data.size()), Z_BEST_COMPRESSION) != Z_OK)
      throw std::runtime_error(std::string("compression of ") + argv[1] + " failed");
    packed.resize(packedSize);
    tools::WriteWholeFile(argv[2], packed);
    return 0;
  });
}
