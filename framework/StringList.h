// An ordered list of UTF-16 strings with the line-text conversions the controls and the skin
// options reader use.
#pragma once
#include <string>
#include <vector>

class TStringList {
 public:
  int Count() const { return int(items_.size()); }
  const std::wstring& operator[](int i) const { return items_.at(std::size_t(i)); }
  void Set(int i, std::wstring s) { items_.at(std::size_t(i)) = std::move(s); }
  int Add(std::wstring s) { items_.push_back(std::move(s)); return Count() - 1; }
  void Insert(int i, std::wstring s) { items_.insert(items_.begin() + i, std::move(s)); }
  void Delete(int i) { items_.erase(items_.begin() + i); }
  void Clear() { items_.clear(); }
  // Index of the first exact match, -1 when absent.
  int IndexOf(const std::wstring& s) const;

  // Lines joined by CR LF, each line terminated (as the platform's edit controls expect).
  std::wstring Text() const;
  // Splits at CR LF, LF or lone CR; a final line end does not add an empty line.
  void SetText(const std::wstring& text);

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::wstring> items_;
};
