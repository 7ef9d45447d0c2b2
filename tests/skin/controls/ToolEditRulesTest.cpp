// The edit-with-button family's portable rules: popup placement, glyph splitting, dropped names,
// new folder names and root folder names.
#include <gtest/gtest.h>

#include <set>

#include "skin/controls/sToolEditRules.h"

// A 1024 × 768 desktop and a 197 × 166 popup for a 100 × 21 control at each edge.
TEST(ToolEditRules, PopupPlace) {
  const TRect desk{0, 0, 1024, 768};
  const TSize size{197, 166};
  using A = TPopupWindowAlign;
  struct Case {
    const char* name;
    TRect control;
    A align;
    TPoint expected;
  };
  const Case cases[] = {
      {"right: right edges line up, below", {500, 100, 600, 121}, A::pwaRight, {403, 121}},
      {"left: left edges line up", {500, 100, 600, 121}, A::pwaLeft, {500, 121}},
      {"at the bottom: above", {500, 700, 600, 721}, A::pwaRight, {403, 534}},
      {"right at the left edge: left edges instead", {10, 100, 110, 121}, A::pwaRight, {10, 121}},
      {"left at the right edge: right edges instead", {900, 100, 1000, 121}, A::pwaLeft, {803, 121}},
      {"wider than the room: back inside on the left", {-50, 100, 20, 121}, A::pwaRight, {0, 121}},
      {"partly off the right: back inside on the right", {960, 100, 1100, 121}, A::pwaLeft, {827, 121}},
  };
  for (const Case& c : cases) {
    const TPoint p = PopupPlace(c.control, desk, size, c.align);
    EXPECT_EQ(p.X, c.expected.X) << c.name;
    EXPECT_EQ(p.Y, c.expected.Y) << c.name;
  }
}

TEST(ToolEditRules, GlyphSplit) {
  struct Case {
    int w, h, count, width;
  };
  const Case cases[] = {{48, 16, 3, 16}, {16, 16, 1, 16}, {50, 16, 1, 50}, {0, 0, 1, 0}, {16, 0, 1, 16}};
  for (const Case& c : cases) {
    EXPECT_EQ(GlyphImageCount(c.w, c.h), c.count) << c.w << " x " << c.h;
    EXPECT_EQ(GlyphImageWidth(c.w, c.h), c.width) << c.w << " x " << c.h;
  }
}

// The hot and pressed images replace the normal one only when they are in the list.
TEST(ToolEditRules, StateImageIndex) {
  struct Case {
    int hot, pressed, state, count, index;
  };
  const Case cases[] = {{3, 4, 0, 5, 1}, {3, 4, 1, 5, 3}, {3, 4, 2, 5, 4}, {-1, -1, 1, 5, 1}, {5, 7, 1, 5, 1}, {3, 7, 2, 5, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(StateImageIndex(1, c.hot, c.pressed, c.state, c.count), c.index) << c.hot << " " << c.pressed << " " << c.state;
}

TEST(ToolEditRules, AcceptDroppedName) {
  struct Case {
    const wchar_t* name;
    bool file;
    const wchar_t* text;
    bool multiple;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"C:\\Data\\a.txt", true, L"D:\\Old", false, L"C:\\Data\\"},
      {L"C:\\Data", false, L"D:\\Old", false, L"C:\\Data"},
      {L"C:\\Data", false, L"D:\\Old", true, L"D:\\Old;C:\\Data"},
      {L"C:\\Data\\a.txt", true, L"D:\\Old", true, L"D:\\Old;C:\\Data\\"},
      {L"C:\\Data", false, L"", true, L"C:\\Data"},
  };
  for (const Case& c : cases) EXPECT_EQ(AcceptDroppedName(c.name, c.file, c.text, c.multiple), c.expected) << c.name;
}

// Every existing name is skipped, a file as much as a folder; the separator is added once.
TEST(ToolEditRules, NewFolderName) {
  const std::set<std::wstring> taken = {L"C:\\P\\New folder1", L"C:\\P\\New folder2", L"C:\\P\\New folder4"};
  auto exists = [&](const std::wstring& p) { return taken.count(p) > 0; };
  EXPECT_EQ(NewFolderName(L"C:\\P", exists), L"C:\\P\\New folder3");
  EXPECT_EQ(NewFolderName(L"C:\\P\\", exists), L"C:\\P\\New folder3");
  EXPECT_EQ(NewFolderName(L"C:\\Q\\", exists), L"C:\\Q\\New folder1");
}

TEST(ToolEditRules, RootFolderCsidl) {
  struct Case {
    const wchar_t* name;
    std::optional<int> csidl;
  };
  const Case cases[] = {{L"rfDesktop", 0x00},        {L"rfMyComputer", 0x11}, {L"rfPersonal", 0x05},
                        {L"rfCommonStartup", 0x18}, {L"rfTemplates", 0x15},  {L"rfInternet", 0x01},
                        {L"RFDESKTOP", 0x00}, {L"C:\\Data", std::nullopt}, {L"", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(RootFolderCsidl(c.name), c.csidl) << c.name;
}

// Typed folders: whole paths from a drive or a share only; relative, wildcard and stream names,
// and the device namespace, are never looked up.
TEST(ToolEditRules, TypedFolderUsable) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"C:\\Program Files\\Prismatone", true}, {L"c:/data/", true}, {L"\\\\server\\share\\x", true},
      {L"Windows", false}, {L"..\\x", false}, {L"C:relative", false}, {L"\\rooted", false},
      {L"C:\\a*", false}, {L"C:\\a?b", false}, {L"C:\\a:stream", false}, {L"\\\\?\\C:\\x", false},
      {L"\\\\.\\pipe", false}, {L"", false}};
  for (const auto& [name, usable] : cases) EXPECT_EQ(IsTypedFolderUsable(name), usable) << name;
}
