#include "skin/paint/sParentFont.h"

#include "framework/WinControl.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sCommonData.h"

namespace {
// The border mask paints over the content (its draw mode's fill-centre bit).
bool BorderCoversContent(const TsSkinManager& m, const TsGeneralData& g) {
  return m.IsValidImgIndex(g.BorderIndex) && (m.ma()[std::size_t(g.BorderIndex)].DrawMode & 4);
}

// The section the parent reports: its skin state's, else the one it names by command 26.
int ParentSection(TWinControl& parent) {
  if (auto* data = reinterpret_cast<TsCommonData*>(SendSkinCommand(parent, SKIN_GETCOMMONDATA))) return data->SkinIndex;
  TsSectionInfo info;
  SendSkinCommand(parent, SKIN_GETSECTIONINFO, reinterpret_cast<LPARAM>(&info));
  return info.SkinIndex;
}
}  // namespace

int ParentFontIndex(TControl& control, int defaultIndex, TsSkinManager* manager) {
  if (!manager) return defaultIndex;
  for (TWinControl* parent = control.Parent(); parent && parent->HandleAllocated(); parent = parent->Parent()) {
    const int index = ParentSection(*parent);
    if (!manager->IsValidSkinIndex(index)) return defaultIndex;
    const TsGeneralData& g = manager->gd()[std::size_t(index)];
    if (g.Props[0].Transparency > 50 && !BorderCoversContent(*manager, g) && parent->Parent()) continue;
    return g.GiveOwnFont ? index : defaultIndex;
  }
  return defaultIndex;
}
