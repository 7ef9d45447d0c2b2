// skinpack <Options.dat> <images folder> <out.asz>: packs our internal skin into one package.
//
// Entries, in this order: the options text "Options.dat", "Huge.bmp", "Master0.bmp" (a second
// copy of the master bitmap that no option names), "Master.bmp" (named by MASTERBITMAP), and the
// five glow pictures "CloseAG.png", "CloseG.png", "MaxG.png", "MinG.png", "NormG.png". The options
// text must be plain ASCII: entry names and options are single-byte text in the reader's code page.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "ToolFiles.h"
#include "skin/data/sSkinPack.h"

namespace {

int Run(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: skinpack <Options.dat> <images folder> <out.asz>\n");
    return 2;
  }
  const std::string images = std::string(argv[2]) + "/";
  std::vector<TsPackageEntry> entries;
  entries.push_back({"Options.dat", tools::ReadWholeFile(argv[1])});
  for (std::uint8_t b : entries[0].Data)
    if (b >= 0x80 || (b < 0x20 && b != '\n' && b != '\r' && b != '\t'))
      throw std::runtime_error("the options text is not plain ASCII");
  const auto master = tools::ReadWholeFile(images + "Master.bmp");
  entries.push_back({"Huge.bmp", tools::ReadWholeFile(images + "Huge.bmp")});
  entries.push_back({"Master0.bmp", master});
  entries.push_back({"Master.bmp", master});
  for (const char* glow : {"CloseAG.png", "CloseG.png", "MaxG.png", "MinG.png", "NormG.png"})
    entries.push_back({glow, tools::ReadWholeFile(images + glow)});
  tools::WriteWholeFile(argv[3], WriteSkinPackage(entries));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return tools::RunTool("skinpack", [&] { return Run(argc, argv); });
}
