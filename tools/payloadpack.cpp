// payloadpack <in> <out>: compresses one file into one zlib stream at the highest level (header
// 78 DA, deflate data, Adler-32 check value; nothing before or after), the form in which the setup
// program carries its payloads.
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: payloadpack <in> <out>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "payloadpack: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  uLongf packedSize = compressBound(uLong(data.size()));
  std::vector<unsigned char> packed(packedSize);
  // compress2 writes the zlib wrapper with a 32 KB window; level 9 makes the header 78 DA.
  if (compress2(packed.data(), &packedSize, data.data(), uLong(data.size()), Z_BEST_COMPRESSION) != Z_OK) {
    std::fprintf(stderr, "payloadpack: compression of %s failed\n", argv[1]);
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(packed.data()), std::streamsize(packedSize));
  out.close();
  if (!out) {
    std::fprintf(stderr, "payloadpack: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
