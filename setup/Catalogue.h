// The payload catalogue: which resource becomes which file, for the install folder and for
// the system folder. Filled once at start-up; lives for the whole process.
#pragma once
#include <array>
#include <string>

struct Tfile {
  std::wstring fName;  // payload resource name
  std::wstring fFile;  // target file name, without folder
  std::wstring fFold;  // sub-folder text placed between the folder and "\" + fFile; empty in every row
};

// 23 slots each; the install visits rows 0 to 4 and row 0 by fixed bounds.
using TPayloadTable = std::array<Tfile, 23>;
extern TPayloadTable PayloadFiles;
extern TPayloadTable SystemFiles;

constexpr int kPayloadRows = 5;

// Fills PayloadFiles rows 0 to 4 and SystemFiles row 0 (the 64-bit thumbnail library on 64-bit
// Windows, the 32-bit one otherwise).
void FillPayloadCatalogue(bool bool64bit);
