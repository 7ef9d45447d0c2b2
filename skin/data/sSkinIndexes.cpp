#include "skin/data/sSkinIndexes.h"

#include <vector>

namespace {

// The piece of one section and key among pieces that `accept` admits.
template <class Items, class Accept>
int FindOwn(const Items& items, std::wstring_view sectionName, std::wstring_view key, Accept accept) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].ClassName == sectionName && items[i].PropertyName == key && accept(items[i])) return int(i);
  return -1;
}

// The inheriting search: own pieces first, then the chain of ParentClass sections. The chain is
// followed from the section at `sectionIndex`; each parent found by name passes its own index on.
// A section that appears a second time ends the search (a loop of parents would never end).
template <class Items, class Accept>
int FindInherited(const TsSkinTables& t, const Items& items, int sectionIndex, std::wstring_view sectionName,
                  std::wstring_view key, Accept accept) {
  std::vector<int> visited;
  while (sectionIndex >= 0 && !sectionName.empty()) {
    const int own = FindOwn(items, sectionName, key, accept);
    if (own >= 0) return own;
    if (sectionIndex >= int(t.gd.size())) return -1;
    const std::wstring& parent = t.gd[std::size_t(sectionIndex)].ParentClass;
    if (parent.empty() || parent == sectionName) return -1;
    visited.push_back(sectionIndex);
    const int parentIndex = FindSkinIndex(t, parent);
    if (parentIndex < 0) return -1;
    for (int v : visited)
      if (v == parentIndex) return -1;
    sectionIndex = parentIndex;
    sectionName = t.gd[std::size_t(parentIndex)].ClassName;
  }
  return -1;
}

bool AnyPiece(const TsMaskData&) { return true; }
bool AnyPattern(const TsPatternData&) { return true; }
bool TexturePiece(const TsMaskData& m) { return m.ImgType == itisaTexture; }

bool ValidMask(const TsSkinTables& t, int i) { return i >= 0 && i < int(t.ma.size()); }

void FillElement(TsSkinTables& t, TsConstElementData& e, const wchar_t* section) {
  e.SkinSection = section;
  e.SkinIndex = FindSkinIndex(t, e.SkinSection);
  e.MaskIndex = FindMaskIndex(t, e.SkinIndex, e.SkinSection, L"BORDERSMASK");
  e.GlyphIndex = FindMaskIndex(t, e.SkinIndex, e.SkinSection, L"GLYPHMASK");
  e.BGIndex[0] = FindMaskIndex(t, e.SkinIndex, e.SkinSection, L"PATTERN");
  e.BGIndex[1] = FindMaskIndex(t, e.SkinIndex, e.SkinSection, L"HOTPATTERN");
}

}  // namespace

int FindSkinIndex(const TsSkinTables& t, std::wstring_view name) {
  if (name.empty()) return -1;
  return FindSection(t.gd, name);
}

int FindMaskIndex(const TsSkinTables& t, int sectionIndex, std::wstring_view sectionName, std::wstring_view key) {
  return FindInherited(t, t.ma, sectionIndex, sectionName, key, AnyPiece);
}

int FindMaskIndex(const TsSkinTables& t, std::wstring_view sectionName, std::wstring_view key) {
  if (sectionName.empty()) return -1;
  return FindOwn(t.ma, sectionName, key, AnyPiece);
}

int FindTextureIndex(const TsSkinTables& t, int sectionIndex, std::wstring_view sectionName, std::wstring_view key) {
  if (t.ma.empty()) return -1;
  return FindInherited(t, t.ma, sectionIndex, sectionName, key, TexturePiece);
}

int FindPatternIndex(const TsSkinTables& t, int sectionIndex, std::wstring_view sectionName, std::wstring_view key) {
  if (t.pa.empty()) return -1;
  return FindInherited(t, t.pa, sectionIndex, sectionName, key, AnyPattern);
}

int MaskWidthLeft(TsSkinTables& t, int i) {
  if (!ValidMask(t, i)) return 0;
  TsMaskData& m = t.ma[std::size_t(i)];
  if (m.WL > 0) return m.WL;
  if (m.BorderWidth > 0) return m.BorderWidth;
  if (m.ImageCount == 0) m.ImageCount = 1;
  return m.R.Width() / m.ImageCount;
}

int MaskWidthRight(const TsSkinTables& t, int i) {
  if (!ValidMask(t, i)) return 0;
  const TsMaskData& m = t.ma[std::size_t(i)];
  if (m.WR > 0) return m.WR;
  if (m.BorderWidth > 0) return m.BorderWidth;
  if (m.ImageCount == 0) return 0;
  return m.R.Width() / m.ImageCount;
}

namespace {
int FrameHeight(const TsMaskData& m) {
  switch (m.MaskType) {
    case -1: return 0;
    case 0: return m.R.Height();
    case 1: return m.R.Height() / 2;
    default: return m.R.Height() / (m.MaskType + 1);
  }
}
}  // namespace

int MaskWidthTop(const TsSkinTables& t, int i) {
  if (!ValidMask(t, i)) return 0;
  const TsMaskData& m = t.ma[std::size_t(i)];
  if (m.WT > 0) return m.WT;
  if (m.BorderWidth > 0) return m.BorderWidth;
  return FrameHeight(m);
}

int MaskWidthBottom(const TsSkinTables& t, int i) {
  if (!ValidMask(t, i)) return 0;
  const TsMaskData& m = t.ma[std::size_t(i)];
  if (m.WB > 0) return m.WB;
  if (m.BorderWidth > 0) return m.BorderWidth;
  return FrameHeight(m);
}

void BuildConstantIndexes(TsSkinTables& t, TConstantSkinData& c) {
  c.IndexGLobalInfo = FindSkinIndex(t, kGlobalInfoSection);
  const int gi = c.IndexGLobalInfo;
  auto global = [&](const wchar_t* key) { return gi < 0 ? -1 : FindMaskIndex(t, gi, kGlobalInfoSection, key); };
  c.CheckBoxChecked = global(L"BOXCHECKED");
  c.CheckBoxUnChecked = global(L"BOXUNCHECKED");
  c.CheckBoxGrayed = global(L"BOXGRAYED");
  c.RadioButtonChecked = global(L"RADIOCHECKED");
  c.RadioButtonUnChecked = global(L"RADIOUNCHECKED");
  c.RadioButtonGrayed = global(L"RADIOGRAYED");
  c.SmallCheckBoxChecked = global(L"SMALLCHECKED");
  c.SmallCheckBoxUnChecked = global(L"SMALLUNCHECKED");
  c.SmallCheckBoxGrayed = global(L"SMALLGRAYED");
  c.ExBorder = global(L"EXBORDER");
  c.GripRightBottom = global(L"GRIPIMAGE");
  c.GripHorizontal = global(L"GRIPHORZ");
  c.GripVertical = global(L"GRIPVERT");

  const wchar_t* tabs[] = {L"TABLEFT", L"TABTOP", L"TABRIGHT", L"TABBOTTOM"};
  const wchar_t* buttons[] = {L"SCROLLBTNLEFT", L"SCROLLBTNTOP", L"SCROLLBTNRIGHT", L"SCROLLBTNBOTTOM"};
  const wchar_t* scrolls[] = {L"SCROLLBAR1H", L"SCROLLBAR1V", L"SCROLLBAR2H", L"SCROLLBAR2V"};
  for (int s = asLeft; s <= asBottom; ++s) {
    FillElement(t, c.Tabs[std::size_t(s)], tabs[s]);
    FillElement(t, c.ScrollBtns[std::size_t(s)], buttons[s]);
    FillElement(t, c.Scrolls[std::size_t(s)], scrolls[s]);
  }
  FillElement(t, c.Sliders[0], L"SCROLLSLIDERH");
  FillElement(t, c.Sliders[1], L"SCROLLSLIDERV");
  FillElement(t, c.ComboBtn, L"COMBOBTN");
  c.ComboBtn.GlyphIndex = FindMaskIndex(t, L"COMBOBOX", L"GLYPHMASK");

  c.MaskCloseBtn = global(L"BICONCLOSE");
  c.MaskCloseAloneBtn = global(L"BICLOSEALONE");
  c.MaskMaxBtn = global(L"BICONMAX");
  c.MaskNormBtn = global(L"BICONNORM");
  c.MaskMinBtn = global(L"BICONMIN");
  c.MaskHelpBtn = global(L"BICONHELP");
  c.MaskCloseSmall = global(L"SICONCLOSE");
  c.MaskMaxSmall = global(L"SICONMAX");
  c.MaskNormSmall = global(L"SICONNORM");
  c.MaskMinSmall = global(L"SICONMIN");
  c.MaskHelpSmall = global(L"SICONHELP");

  const wchar_t* sections[] = {L"MENUITEM", L"TOOLBUTTON", L"CHECKBOX", L"TRANSPARENT", L"GROUPBOX", L"WEBBUTTON"};
  for (std::size_t i = 0; i < c.Sections.size(); ++i) c.Sections[i] = FindSkinIndex(t, sections[i]);

  BuildMaskIndexes(t, gi);
}

void BuildMaskIndexes(TsSkinTables& t, int globalInfoIndex) {
  for (std::size_t i = 0; i < t.gd.size(); ++i) {
    if (int(i) == globalInfoIndex) continue;
    TsGeneralData& g = t.gd[i];
    const int si = int(i);
    // The name is copied: the lookups read t.gd, which holds g.
    const std::wstring name = g.ClassName;
    g.BorderIndex = FindMaskIndex(t, si, name, L"BORDERSMASK");
    g.OuterMask = FindMaskIndex(t, si, name, L"OUTERMASK");
    g.ImgTL = FindMaskIndex(t, si, name, L"IMGTOPLEFT");
    g.ImgTR = FindMaskIndex(t, si, name, L"IMGTOPRIGHT");
    g.ImgBL = FindMaskIndex(t, si, name, L"IMGBTMLEFT");
    g.ImgBR = FindMaskIndex(t, si, name, L"IMGBTMRIGHT");
    g.TextureNormal = FindTextureIndex(t, si, name, L"PATTERN");
    g.Props[0].TextureIndex = g.TextureNormal;
    if (g.States > 1) g.Props[1].TextureIndex = FindTextureIndex(t, si, name, L"HOTPATTERN");
  }
}
