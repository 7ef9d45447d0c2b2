// Skins stored inside the window layout: the collection of internal skins and its items. Each
// item carries a whole skin package as its "Data"; loading a skin uses only Name and PackedData,
// the other properties are descriptive.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Streams.h"
#include "framework/Types.h"
#include "imaging/Bitmap32.h"

class TsStoredSkin {
 public:
  std::wstring Name;
  TBitmap32 MasterBitmap;
  TColor Shadow1Color = clBlack;
  int Shadow1Offset = 0;
  int Shadow1Blur = -1;
  int Shadow1Transparency = 0;
  TColor BorderColor = clFuchsia;
  double Version = 0;
  std::wstring Author;
  std::wstring Description;
  // The raw package. Copying an item copies these bytes with the properties above.
  TMemoryStream PackedData;

  // The binary property "Data": reading loads the stored bytes into PackedData; writing saves
  // PackedData (always written, possibly empty).
  void ReadData(const std::vector<std::uint8_t>& bytes) { PackedData = TMemoryStream(bytes); }
  const std::vector<std::uint8_t>& WriteData() const { return PackedData.Bytes(); }
  bool HasData() const { return !PackedData.Bytes().empty(); }
};

// Owned by the skin manager; every change fires OnChange (the manager's OnSkinListChanged).
class TsStoredSkins {
 public:
  std::function<void()> OnChange;

  int Count() const { return int(FItems.size()); }
  std::size_t size() const { return FItems.size(); }
  bool empty() const { return FItems.empty(); }
  const TsStoredSkin& Items(int index) const { return FItems.at(std::size_t(index)); }
  const TsStoredSkin& operator[](std::size_t index) const { return FItems.at(index); }
  // Changing an item through Items: call Changed() afterwards.
  TsStoredSkin& Items(int index) { return FItems.at(std::size_t(index)); }

  TsStoredSkin& Add(TsStoredSkin item = {}) {
    FItems.push_back(std::move(item));
    Changed();
    return FItems.back();
  }
  void Delete(int index) {
    FItems.erase(FItems.begin() + index);
    Changed();
  }
  void Clear() {
    FItems.clear();
    Changed();
  }
  void Changed() const {
    if (OnChange) OnChange();
  }
  // The first item whose Name equals `name` exactly (case-sensitive), −1 when none.
  int IndexOf(const std::wstring& name) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
      if (FItems[i].Name == name) return int(i);
    return -1;
  }

  // Container spellings of Add and Clear, for code written against a plain list.
  void push_back(TsStoredSkin item) { Add(std::move(item)); }
  void clear() { Clear(); }

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  std::vector<TsStoredSkin> FItems;
};
