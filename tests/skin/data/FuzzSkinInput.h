// The skin input of the fuzz targets: an options text and up to seven images, filed into a
// package convertor as the package reader files them, and a whole skin load run on them.
//
// The entries are filed without packing and inflating them first: that round trip and its copies
// of every picture cost several times what the load itself does, and the reader has a fuzzer of
// its own (fuzz_package).
#pragma once
#include <functional>
#include <string_view>

#include "skin/data/sSkinOptions.h"

// Layout: options text, then optionally "\0IMG\0" followed by images separated by "\0IMG\0",
// each image named by its first line (at most 64 bytes of it).
void FileFuzzSkinEntries(std::string_view input, TsSkinConvertor& convertor);

// Loads the skin of `input` into tables, every piece owned by `manager` (may be null), with a
// few extra sections as an application adds them. maskIndexPass is the manager's, as in
// LoadSkinTables. Throws EConvertError for a malformed fixed-position number.
void LoadFuzzSkin(std::string_view input, TsSkinTables& tables, TsSkinManager* manager = nullptr,
                  const std::function<void(TsSkinTables&)>& maskIndexPass = {});
