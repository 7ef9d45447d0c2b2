// The section table (gd): one record per options section with its keys read through the
// PARENTCLASS chain, the application's extra sections merged in, and the TRANSPARENT section.
#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "skin/data/sSkinMasks.h"
#include "skin/data/sSkinOptions.h"

namespace {
// Reads section keys, following PARENTCLASS when a key is absent. A walk up a chain ends at an
// empty or "?" PARENTCLASS, at a section naming itself, and at a section met before (a loop).
//
// What a walk finds is remembered for every section it passed through: each of those would find
// the same (its own walk follows the same chain, and any section it meets beyond the ones passed
// through was already seen without the key). So a chain of n sections costs n lookups per key,
// not n² as walking afresh from every section would: a skin of a few thousand chained sections
// would otherwise take minutes to load.
//
// Section names are held as views of the INI reader's names and of the PARENTCLASS values kept
// here, which both outlive the reader.
class TChainReader {
 public:
  explicit TChainReader(const TMemIniFile& ini) : ini_(ini) {}

  // Absent, invalid and −1 all count as absent; an inherited value goes through colour to RGB;
  // the result is limited to `max`.
  int Int(std::wstring_view section, const wchar_t* key, int def, int max) {
    auto own = [&](std::wstring_view s) -> std::optional<int> {
      int v = -1;
      if (TryStrToInt(ini_.ReadString(s, key, L""), v) && v != -1) return v;
      return std::nullopt;
    };
    if (const auto v = own(section)) return std::min(*v, max);
    const auto found = Inherited(ints_[key], section, own);
    return std::min(found ? int(ColorToRGB(TColor(*found))) : def, max);
  }

  // "?" marks absence.
  std::wstring Str(std::wstring_view section, const wchar_t* key, const std::wstring& def) {
    auto own = [&](std::wstring_view s) -> std::optional<std::wstring> {
      std::wstring v = ini_.ReadString(s, key, L"?");
      if (v == L"?") return std::nullopt;
      return v;
    };
    if (auto v = own(section)) return std::move(*v);
    return Inherited(strings_[key], section, own).value_or(def);
  }

  bool Bool(std::wstring_view section, const wchar_t* key) { return SkinBoolValue(Str(section, key, L"?")); }

 private:
  // The first value on a section's walk (its own included); pending while a walk passes it.
  template <class T>
  struct TFound {
    bool Pending = false;
    std::optional<T> Value;
  };
  template <class T>
  using TFoundMap = std::unordered_map<std::wstring_view, TFound<T>>;

  // What the chain above `section` gives, the section's own value not included. A walk from the
  // parent that comes back round to `section` finds nothing there, as it has no value of its own.
  template <class T, class Own>
  std::optional<T> Inherited(TFoundMap<T>& found, std::wstring_view section, Own& own) {
    const std::wstring* parent = Parent(section);
    return parent ? Find(found, *parent, own) : std::nullopt;
  }

  // The first value on the walk from `start`, its own included.
  template <class T, class Own>
  std::optional<T> Find(TFoundMap<T>& found, std::wstring_view start, Own& own) {
    const auto [first, added] = found.try_emplace(start);
    if (!added) return first->second.Value;  // walks end before Find returns, so never pending
    first->second.Pending = true;
    std::optional<T> result;
    for (std::wstring_view s = start;;) {
      if ((result = own(s))) break;
      const std::wstring* parent = Parent(s);
      if (!parent) break;
      const auto [it, fresh] = found.try_emplace(*parent);
      if (!fresh) {
        if (!it->second.Pending) result = it->second.Value;  // else a loop: nothing more to find
        break;
      }
      it->second.Pending = true;
      s = *parent;
    }
    // Every section the walk passed finds the same.
    for (std::wstring_view s = start;;) {
      const auto it = found.find(s);
      if (it == found.end() || !it->second.Pending) break;
      it->second = {false, result};
      const std::wstring* parent = Parent(s);
      if (!parent) break;
      s = *parent;
    }
    return result;
  }

  // The section's PARENTCLASS when it names another section to continue with, else null.
  const std::wstring* Parent(std::wstring_view section) {
    auto [it, added] = parents_.try_emplace(section);
    if (added) {
      std::wstring parent = ini_.ReadString(section, L"PARENTCLASS", L"?");
      if (!parent.empty() && parent != L"?" && parent != section) it->second = std::move(parent);
    }
    return it->second ? &*it->second : nullptr;
  }

  const TMemIniFile& ini_;
  std::unordered_map<std::wstring_view, std::optional<std::wstring>> parents_;
  std::unordered_map<std::wstring_view, TFoundMap<int>> ints_;
  std::unordered_map<std::wstring_view, TFoundMap<std::wstring>> strings_;
};

// One integer key of the section table.
struct TIntKey {
  const wchar_t* Name;
  int Default;
  int Max;
  bool Hot;
  void (*Set)(TsGeneralData&, int);
};

#define SKIN_FIELD(expr) [](TsGeneralData& g, int v) { g.expr = decltype(g.expr)(v); }
const TIntKey kIntKeys[] = {
    {L"GLOW", 0, 255, false, SKIN_FIELD(GlowCount)},
    {L"GLOWMARGIN", 0, 255, false, SKIN_FIELD(GlowMargin)},
    {L"STATES", 3, 255, false, SKIN_FIELD(States)},
    {L"OUTERMODE", 2, INT_MAX, false, SKIN_FIELD(OuterMode)},
    {L"OUTOPACITY", 200, 255, false, SKIN_FIELD(OuterOpacity)},
    {L"OUTOFFSL", 0, 255, false, SKIN_FIELD(OuterOffset.Left)},
    {L"OUTOFFST", 0, 255, false, SKIN_FIELD(OuterOffset.Top)},
    {L"OUTOFFSR", 0, 255, false, SKIN_FIELD(OuterOffset.Right)},
    {L"OUTOFFSB", 0, 255, false, SKIN_FIELD(OuterOffset.Bottom)},
    {L"COLOR", 0xFFFFFF, INT_MAX, false, SKIN_FIELD(Props[0].Color)},
    {L"FONTCOLOR", 0, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Color)},
    {L"TCLEFT", -1, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Left)},
    {L"TCTOP", -1, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Top)},
    {L"TCRIGHT", -1, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Right)},
    {L"TCBOTTOM", -1, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Bottom)},
    {L"GCOL", 0xFFFFFF, INT_MAX, false, SKIN_FIELD(Props[0].GlowColor)},
    {L"GSIZE", 0, 255, false, SKIN_FIELD(Props[0].GlowSize)},
    {L"GRADIENTPERCENT", 0, 100, false, SKIN_FIELD(Props[0].GradientPercent)},
    {L"IMAGEPERCENT", 0, 100, false, SKIN_FIELD(Props[0].ImagePercent)},
    {L"TRANSPARENCY", 0, 100, false, SKIN_FIELD(Props[0].Transparency)},
    {L"HOTCOLOR", 0xFFFFFF, INT_MAX, true, SKIN_FIELD(Props[1].Color)},
    {L"HOTFONTCOLOR", 0, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Color)},
    {L"HOTTCLEFT", -1, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Left)},
    {L"HOTTCTOP", -1, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Top)},
    {L"HOTTCRIGHT", -1, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Right)},
    {L"HOTTCBOTTOM", -1, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Bottom)},
    {L"HGCOL", 0xFFFFFF, INT_MAX, true, SKIN_FIELD(Props[1].GlowColor)},
    {L"HGSIZE", 0, 255, true, SKIN_FIELD(Props[1].GlowSize)},
    {L"HOTGRADIENTPERCENT", 0, 100, true, SKIN_FIELD(Props[1].GradientPercent)},
    {L"HOTIMAGEPERCENT", 0, 100, true, SKIN_FIELD(Props[1].ImagePercent)},
    {L"HOTTRANSPARENCY", 0, 100, true, SKIN_FIELD(Props[1].Transparency)},
};
#undef SKIN_FIELD

// The rest of building a section once its keys are read: gradients, the copy of state 0 for
// one-state sections, and the flat fields.
void FinishSection(TsGeneralData& g, bool hotRead) {
  TsGenState& n = g.Props[0];
  TsGenState& h = g.Props[1];
  if (n.GradientData.size() < 2) n.GradientPercent = 0;
  else n.GradientArray = ParseGradientData(n.GradientData);
  if (!hotRead) {
    h.Color = n.Color;
    h.FontColor = n.FontColor;
    h.GlowColor = n.GlowColor;
    h.GlowSize = n.GlowSize;
    h.GradientPercent = n.GradientPercent;
    h.GradientData = n.GradientData;
    h.ImagePercent = n.ImagePercent;
    h.Transparency = n.Transparency;
  }
  if (h.GradientData.size() < 6) h.GradientPercent = 0;
  else h.GradientArray = ParseGradientData(h.GradientData);

  g.Color = n.Color;
  g.FontColor = n.FontColor;
  g.GlowColor = n.GlowColor;
  g.GlowSize = n.GlowSize;
  g.GradientPercent = n.GradientPercent;
  g.GradientData = n.GradientData;
  g.ImagePercent = n.ImagePercent;
  g.Transparency = n.Transparency;
  g.GradientArray = n.GradientArray;
  g.HotColor = h.Color;
  g.HotFontColor = h.FontColor;
  g.HotGlowColor = h.GlowColor;
  g.HotGlowSize = h.GlowSize;
  g.HotGradientPercent = h.GradientPercent;
  g.HotGradientData = h.GradientData;
  g.HotImagePercent = h.ImagePercent;
  g.HotTransparency = h.Transparency;
  g.HotGradientArray = h.GradientArray;
}
}  // namespace

int FindSection(const TsGeneralDataArray& gd, std::wstring_view name) {
  for (std::size_t i = 0; i < gd.size(); ++i)
    if (gd[i].ClassName == name) return int(i);
  return -1;
}

void LoadAllSections(const TMemIniFile& ini, TsSkinTables& t) {
  t.gd.clear();
  TChainReader read(ini);
  for (const auto& section : ini.Sections()) {
    const std::wstring& s = section.Name;
    TsGeneralData g;
    g.ClassName = s;
    g.ParentClass = ini.ReadString(s, L"PARENTCLASS", L"");
    g.ReservedBoolean = read.Bool(s, L"RESERVEDBOOLEAN");
    g.GiveOwnFont = read.Bool(s, L"GIVEOWNFONT");
    for (const TIntKey& k : kIntKeys)
      if (!k.Hot) k.Set(g, read.Int(s, k.Name, k.Default, k.Max));
    g.Props[0].GradientData = read.Str(s, L"GRADIENTDATA", L" ");
    const bool hot = g.States >= 2;
    if (hot) {
      for (const TIntKey& k : kIntKeys)
        if (k.Hot) k.Set(g, read.Int(s, k.Name, k.Default, k.Max));
      g.Props[1].GradientData = read.Str(s, L"HOTGRADIENTDATA", L" ");
    }
    FinishSection(g, hot);
    t.gd.push_back(std::move(g));
  }
}

void ApplyCommonSections(const TStringList& commonSections, const TsSkinImages& images,
                         const TsSkinLoadSettings& settings, TsSkinTables& t) {
  const TMemIniFile extra(commonSections, true);
  for (const auto& section : extra.Sections()) {
    const std::wstring& s = section.Name;
    // Absent values come from the section of that name, else from the one PARENTCLASS names
    // (compared upper-cased), else from the table defaults with no text colours.
    TsGeneralData base;
    const int existing = FindSection(t.gd, s);
    const std::wstring parent = extra.ReadString(s, L"PARENTCLASS", L"");
    int source = existing;
    if (source < 0 && !parent.empty()) {
      const std::wstring upperParent = UpperCaseAscii(parent);
      for (std::size_t i = 0; i < t.gd.size() && source < 0; ++i)
        if (UpperCaseAscii(t.gd[i].ClassName) == upperParent) source = int(i);
    }
    if (source >= 0) {
      base = t.gd[std::size_t(source)];
    } else {
      for (const TIntKey& k : kIntKeys) k.Set(base, k.Default);
      base.Props[0].FontColor.Color = TColor(-1);
      base.Props[1].FontColor.Color = TColor(-1);
      base.Props[0].GradientData = base.Props[1].GradientData = L" ";
    }
    TsGeneralData g = base;
    g.ClassName = s;
    g.ParentClass = extra.ValueExists(s, L"PARENTCLASS") ? parent
                    : existing >= 0                     ? t.gd[std::size_t(existing)].ParentClass
                                                        : std::wstring();
    auto boolKey = [&](const wchar_t* key, bool& field) {
      if (extra.ValueExists(s, key)) field = SkinBoolValue(extra.ReadString(s, key, L""));
    };
    boolKey(L"RESERVEDBOOLEAN", g.ReservedBoolean);
    boolKey(L"GIVEOWNFONT", g.GiveOwnFont);
    for (const TIntKey& k : kIntKeys) {
      int v = 0;
      if (TryStrToInt(extra.ReadString(s, k.Name, L""), v)) k.Set(g, std::min(v, k.Max));
    }
    if (extra.ValueExists(s, L"GRADIENTDATA")) g.Props[0].GradientData = extra.ReadString(s, L"GRADIENTDATA", L"");
    if (extra.ValueExists(s, L"HOTGRADIENTDATA")) g.Props[1].GradientData = extra.ReadString(s, L"HOTGRADIENTDATA", L"");
    g.Props[0].GradientArray.clear();
    g.Props[1].GradientArray.clear();
    FinishSection(g, g.States >= 2);
    if (existing >= 0) t.gd[std::size_t(existing)] = std::move(g);
    else t.gd.push_back(std::move(g));
  }
  AddExtraPieces(extra, images, settings, t);
}

void AddTransparentSection(TsSkinTables& t) {
  if (FindSection(t.gd, L"TRANSPARENT") >= 0) return;
  TsGeneralData g;  // every other field 0, the piece indexes −1 (none)
  g.ClassName = L"TRANSPARENT";
  g.States = 1;
  g.OuterMask = -1;
  for (TsGenState& s : g.Props) {
    s.Transparency = 100;
    s.Color = 0xFFFFFF;
    s.FontColor.Color = t.Palette[pcLabelText];
    s.FontColor.Left = s.FontColor.Top = s.FontColor.Right = s.FontColor.Bottom = TColor(-1);
    s.TextureIndex = -1;
  }
  FinishSection(g, true);
  t.gd.push_back(std::move(g));
}
