#include "framework/StringList.h"

int TStringList::IndexOf(const std::wstring& s) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == s) return int(i);
  return -1;
}

std::wstring TStringList::Text() const {
  std::wstring out;
  for (const auto& s : items_) {
    out += s;
    out += L"\r\n";
  }
  return out;
}

void TStringList::SetText(const std::wstring& text) {
  items_.clear();
  std::size_t start = 0, i = 0;
  while (i < text.size()) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      items_.push_back(text.substr(start, i - start));
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) items_.push_back(text.substr(start));
}
