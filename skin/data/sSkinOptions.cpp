// The whole load in its order. Each step lives with its concern: the dialect in sSkinIni, the
// value forms in sSkinValues, pictures in sSkinImages, pieces and patterns in sSkinMasks, the
// section table in sSkinSections, GLOBALINFO's tables in sSkinGlobalData.
#include "skin/data/sSkinOptions.h"

void LoadSkinTables(const TMemIniFile& ini, const TsSkinImages& images, const TsSkinLoadSettings& settings,
                    TsSkinTables& t, const std::function<void(TsSkinTables&)>& maskIndexPass) {
  t = TsSkinTables();
  t.CommonSkinData.SkinPath = images.SkinPath;
  LoadAllMasks(ini, images, settings, t);
  LoadAllPatterns(ini, images, settings, t);
  LoadGlobalData(ini, settings, t);
  LoadOuterEffects(ini, settings, t);
  LoadAllSections(ini, t);
  if (settings.CommonSections && settings.CommonSections->Count() > 0)
    ApplyCommonSections(*settings.CommonSections, images, settings, t);
  if (maskIndexPass) maskIndexPass(t);
  LoadPalette(ini, t);
  AddTransparentSection(t);
}
