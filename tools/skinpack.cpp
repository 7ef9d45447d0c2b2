// skinpack <Options.dat> <images folder> <out.asz>: packs our internal skin into one package.
//
// Entries, in this order: the options text "Options.dat", "Huge.bmp", "Master0.bmp" (a second
// copy of the master bitmap that no option names), "Master.bmp" (named by MASTERBITMAP), and the
// five glow pictures "CloseAG.png", "CloseG.png", "MaxG.png", "MinG.png", "NormG.png". The options
// text must be plain ASCII: entry names and options are single-byte text in the reader's code page.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/data/sSkinPack.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Run(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: skinpack <Options.dat> <images folder> <out.asz>\n");
    return 2;
  }
  const std::string images = std::string(argv[2]) + "/";
  std::vector<TsPackageEntry> entries;
  entries.push_back({"Options.dat", ReadFile(argv[1])});
  for (std::uint8_t b : entries[0].Data)
    if (b >= 0x80 || (b < 0x20 && b != '\n' && b != '\r' && b != '\t'))
      throw std::runtime_error("the options text is not plain ASCII");
  const auto master = ReadFile(images + "Master.bmp");
  entries.push_back({"Huge.bmp", ReadFile(images + "Huge.bmp")});
  entries.push_back({"Master0.bmp", master});
  entries.push_back({"Master.bmp", master});
  for (const char* glow : {"CloseAG.png", "CloseG.png", "MaxG.png", "MinG.png", "NormG.png"})
    entries.push_back({glow, ReadFile(images + glow)});
  const auto package = WriteSkinPackage(entries);
  std::ofstream out(argv[3], std::ios::binary);
  out.write(reinterpret_cast<const char*>(package.data()), std::streamsize(package.size()));
  if (!out) throw std::runtime_error(std::string("cannot write ") + argv[3]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinpack: %s\n", e.what());
    return 1;
  }
}
