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

  int Count() const { return int(items_.size()); }
  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  const TsStoredSkin& Items(int index) const { return items_.at(std::size_t(index)); }
  const TsStoredSkin& operator[](std::size_t index) const { return items_.at(index); }
  // Changing an item through Items: call Changed() afterwards.
  TsStoredSkin& Items(int index) { return items_.at(std::size_t(index)); }

  TsStoredSkin& Add(TsStoredSkin item = {}) {
    items_.push_back(std::move(item));
    Changed();
    return items_.back();
  }
  void Delete(int index) {
    items_.erase(items_.begin() + index);
    Changed();
  }
  void Clear() {
    items_.clear();
    Changed();
  }
  void Changed() const {
    if (OnChange) OnChange();
  }
  // The first item whose Name equals `name` exactly (case-sensitive), −1 when none.
  int IndexOf(const std::wstring& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
      if (items_[i].Name == name) return int(i);
    return -1;
  }

  // Container spellings of Add and Clear, for code written against a plain list.
  void push_back(TsStoredSkin item) { Add(std::move(item)); }
  void clear() { Clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<TsStoredSkin> items_;
};
