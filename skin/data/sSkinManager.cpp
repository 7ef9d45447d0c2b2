#include "skin/data/sSkinManager.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "imaging/BmpCodec.h"
#include "skin/data/sMessages.h"
#include "skin/data/sSkinRecolor.h"

// ---- Process-wide state ---------------------------------------------------------------------

namespace {
TsSkinPlatform gDefaultPlatform;
TsSkinPlatform* gPlatform = nullptr;
TsSkinManager* gDefaultManager = nullptr;
bool gSkinLoading = false;
bool gSkinChanging = false;
bool gSkinningOn = false;

void NotifySkinning(bool on) {
  gSkinningOn = on;
  SkinPlatform().SkinningChanged(on);
}

// Sets a process-wide flag for a scope and puts the previous value back, also when a load throws:
// a flag left set would make every control skip its work for the rest of the run.
class TFlagScope {
 public:
  TFlagScope(bool& flag, bool value) : flag_(flag), old_(flag) { flag_ = value; }
  ~TFlagScope() { flag_ = old_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

std::wstring MessageOf(const std::exception& e) {
  if (const auto* fw = dynamic_cast<const Exception*>(&e)) return fw->Message();
  return ExceptionMessage(std::make_exception_ptr(std::runtime_error(e.what())));
}

// Single-byte text of a fixed-size field, up to its first zero.
std::wstring FixedText(const char* field, std::size_t size) {
  return AnsiToWide(std::string_view(field, strnlen(field, size)));
}
}  // namespace

void SetSkinPlatform(TsSkinPlatform* platform) { gPlatform = platform; }
TsSkinPlatform& SkinPlatform() { return gPlatform ? *gPlatform : gDefaultPlatform; }
TsSkinManager* DefaultManager() { return gDefaultManager; }
bool SkinLoading() { return gSkinLoading; }
bool SkinChanging() { return gSkinChanging; }
bool SkinningOn() { return gSkinningOn; }

std::wstring DefaultThirdParty(std::size_t index) { return index == 1 ? L"TButton" : L" "; }

std::wstring OldSkinMessage(const std::wstring& skinName) {
  return L"You are using an old version of the \"" + skinName + L"\" skin. " +
         L"Please, update skins to latest or contact the Velourkit support for upgrading of existing skin." +
         L"\r\n\r\n" +
         L"This notification occurs in design-time only for your information and will not occur in real-time.";
}

// ---- Construction and destruction -----------------------------------------------------------

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
  FBuiltInSkins.OnChange = [this] { Fire(OnSkinListChanged); };
  if (!gDefaultManager) gDefaultManager = this;
  LoadThirdPartyLists(false);
  if (FSkinDirectory.empty()) FSkinDirectory = L"c:\\Skins";
  FSkinPath = AddSkinDirSeparator(GetFullSkinDirectory());
  // The layout reader marks the component as loading only after creating it, so the notification
  // is sent here in any case; SkinName is still empty, so it says "off".
  NotifySkinning(FActive && !FSkinName.empty());
}

TsSkinManager::~TsSkinManager() {
  // Controls told of the removal below see a manager being destroyed and forget it. The events
  // are dropped first: their handlers usually belong to the owning form, which is itself being
  // destroyed when it frees the manager.
  SetComponentState(csDestroying);
  OnActivate = OnDeactivate = OnBeforeChange = OnAfterChange = OnSkinLoading = OnSkinListChanged = nullptr;
  SetActive(false);
  FExtendedBorders = false;
  // A hook left behind would call into a freed manager.
  if (GlobalHookInstalled) UnInstallHook();
  if (gDefaultManager == this) gDefaultManager = nullptr;
  StoreThirdPartyLists();
  FBuiltInSkins.OnChange = nullptr;
}

// ---- Properties -----------------------------------------------------------------------------

void TsSkinManager::SetActive(bool value) {
  if (value == FActive) return;
  if (value) {
    FActive = true;
    SetSkinName(FSkinName);
    return;
  }
  const bool wasSkinned = !FSkinName.empty();
  FActive = false;
  if (!wasSkinned) return;
  if (!Reading()) SendRemoveSkin();
  InitConstantIndexes();
  UpdateStdDialogsRule();
  if (!Designing()) Fire(OnDeactivate);
}

void TsSkinManager::SetSkinName(const std::wstring& value) {
  const std::wstring old = FSkinName;
  FSkinName = value;
  if (!FActive) {
    UpdateStdDialogsRule();
    return;
  }
  Fire(OnBeforeChange);
  if (ExtendedBordersEffective() && !NoAutoUpdate && FAnimEffects.SkinChanging.Active && !Designing() &&
      !Loading() && !Reading())
    SkinPlatform().TakeCoverPictures(*this);
  {
    TFlagScope loading(gSkinLoading, true);
    FTables.CommonSkinData.Active = false;
    try {
      LoadResolvedSkin();
    } catch (const std::exception& e) {
      // The program goes on with whatever tables exist; the cached indexes are rebuilt from them
      // so that none points past a table the failed load left shorter.
      FSkinName = old;
      InitConstantIndexes();
      SkinPlatform().ShowError(MessageOf(e));
    }
    if (FActive) {
      if (!NoAutoUpdate) SendNewSkin(true);
      if (!Designing() && !Reading()) Fire(OnActivate);
    } else {
      // The load found no skin and no internal skin to fall back on.
      SendRemoveSkin();
      if (!Designing()) Fire(OnDeactivate);
    }
  }
  Fire(OnAfterChange);
  UpdateStdDialogsRule();
}

void TsSkinManager::SetSkinDirectory(const std::wstring& value) {
  FSkinDirectory = value;
  FSkinPath = AddSkinDirSeparator(GetFullSkinDirectory());
  Fire(OnSkinListChanged);
}

void TsSkinManager::SetHueOffset(int value) {
  if (value == FHueOffset) return;
  FHueOffset = value;
  ApplyColorChange();
}

void TsSkinManager::SetSaturation(int value) {
  if (value == FSaturation) return;
  FSaturation = value;
  ApplyColorChange();
}

void TsSkinManager::SetBrightness(int value) {
  value = std::clamp(value, -100, 100);
  if (value == FBrightness) return;
  FBrightness = value;
  ApplyColorChange();
}

void TsSkinManager::SetExtendedBorders(bool value) {
  if (value == FExtendedBorders) return;
  FExtendedBorders = value;
  if (!FActive || !FTables.CommonSkinData.Active || Reading()) return;
  CheckShadows();
  Reload();
  if (!Designing()) RepaintForms(true);
}

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && gDefaultManager) return;  // another manager (or this one) stays the default
  gDefaultManager = this;
  if (FActive) SendNewSkin(true);
  else SendRemoveSkin();
}

void TsSkinManager::SetCommonSections(const TStringList& lines) {
  FCommonSections = lines;
  StripCommonSections(FCommonSections);
  SetSkinName(FSkinName);
}

void TsSkinManager::SetSkinningRules(unsigned rules) {
  FSkinningRules = rules & kAllSkinningRules;
  UpdateStdDialogsRule();
}

std::wstring TsSkinManager::SkinInfo() const {
  if (!FActive || FTables.gd.empty()) return L"N/A";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, FTables.CommonSkinData.Version);
  return std::wstring(buf, r.ptr);
}

void TsSkinManager::UpdateStdDialogsRule() {
  if (IsDefault()) SkinPlatform().SkinStdDialogs(FActive && (FSkinningRules & srStdDialogs));
}

bool TsSkinManager::ExtendedBordersEffective() const {
  return FExtendedBorders && SkinPlatform().LayeredWindowsSupported();
}

// ---- Loading --------------------------------------------------------------------------------

void TsSkinManager::LoadResolvedSkin() {
  FSource = ResolveSkinSource(FSkinName, FSkinDirectory, SkinPlatform().ProgramFolder(), FBuiltInSkins);
  FSkinName = FSource.SkinName;
  // A skin editor's preview works on a folder: it goes before a package file of the same name.
  if (FPreviewMode && FSource.Kind == TsSkinSourceKind::ssPackageFile) {
    const std::wstring folder = GetFullSkinDirectory() + L"\\" + FSkinName + L"\\";
    if (SkinDirectoryExists(folder)) {
      FSource.Kind = TsSkinSourceKind::ssFolder;
      FSource.SkinPath = folder;
    }
  }
  if (FSource.Kind == TsSkinSourceKind::ssPackageFile) ReloadPackedSkin();
  else ReloadSkin();
}

void TsSkinManager::Reload() {
  TFlagScope loading(gSkinLoading, true);
  LoadResolvedSkin();
}

void TsSkinManager::ReloadSkin() {
  if (!FActive) return;
  TFlagScope loading(gSkinLoading, true);
  switch (FSource.Kind) {
    case TsSkinSourceKind::ssNone:
      // No folder, no package and no internal skin to fall back on: skinning is off.
      FActive = false;
      return;
    case TsSkinSourceKind::ssFolder: {
      SkinIsPacked = false;
      std::unique_ptr<TMemIniFile> ini;
      if (FPreviewOptions) {
        ini = LoadSkinOptionsText(*FPreviewOptions);
      } else {
        TMemoryStream options(ReadSkinFile(FSource.SkinPath + L"Options.dat"));
        ini = LoadSkinOptions(options);
      }
      TsSkinImages images;
      images.SkinPath = FSource.SkinPath;
      LoadFromOptions(*ini, images);
      return;
    }
    case TsSkinSourceKind::ssInternal: {
      TsStoredSkin& item = FBuiltInSkins.Items(FSource.InternalIndex);
      auto convertor = std::make_unique<TsSkinConvertor>();
      if (item.HasData()) {
        convertor->LendPackedData(item.PackedData);
        struct TGiveBack {
          std::unique_ptr<TsSkinConvertor>& c;
          ~TGiveBack() {
            if (c) c->ReleasePackedData();
          }
        } giveBack{convertor};
        ReadSkinPackage(convertor);
      }
      // An internal skin without data or without options is a package that cannot be used: the
      // loaded skin data stay as they are.
      if (!convertor || !convertor->Options) {
        SkinPlatform().ShowMessage(PackageWithoutOptionsMessage(FSkinName));
        return;
      }
      SkinIsPacked = true;
      const auto ini = LoadSkinOptions(*convertor->Options);
      TsSkinImages images;
      images.Package = convertor.get();
      LoadFromOptions(*ini, images);
      return;
    }
    case TsSkinSourceKind::ssPackageFile:
      ReloadPackedSkin();
      return;
  }
}

void TsSkinManager::ReloadPackedSkin() {
  if (!FActive) return;
  if (FSource.Kind != TsSkinSourceKind::ssPackageFile) {
    ReloadSkin();
    return;
  }
  TFlagScope loading(gSkinLoading, true);
  std::unique_ptr<TsSkinConvertor> convertor;
  LoadSkinPackageFile(FSource.PackageFile, convertor, true);
  if (!convertor || !convertor->Options) {
    SkinPlatform().ShowMessage(PackageWithoutOptionsMessage(FSkinName));
    return;
  }
  SkinIsPacked = true;
  const auto ini = LoadSkinOptions(*convertor->Options);
  TsSkinImages images;
  images.Package = convertor.get();
  images.SkinPath = FSource.SkinPath;
  LoadFromOptions(*ini, images);
}

void TsSkinManager::LoadFromOptions(const TMemIniFile& ini, const TsSkinImages& images) {
  FTables.CommonSkinData.Version = ini.ReadFloat(kGlobalInfoSection, L"VERSION", 0);
  CheckVersion();
  TsSkinLoadSettings settings;
  settings.Manager = this;
  settings.Brightness = FBrightness;
  settings.SizingFrameWidth = SkinPlatform().SizingFrameWidth();
  if (FCommonSections.Count() > 0) settings.CommonSections = &FCommonSections;
  LoadSkinTables(ini, images, settings, FTables,
                 [](TsSkinTables& t) { BuildMaskIndexes(t, FindSkinIndex(t, kGlobalInfoSection)); });
  RecolorSkin(FTables, FHueOffset, FSaturation, FBrightness);
  InitConstantIndexes();
  Fire(OnSkinLoading);
}

void TsSkinManager::CheckVersion() {
  const double version = FTables.CommonSkinData.Version;
  if (version < 7.45) {
    if (Designing() || SkinPlatform().HasCommandLineParam(L"/skintest"))
      SkinPlatform().ShowMessage(OldSkinMessage(FSkinName));
  } else if (version > 9.99) {
    const unsigned rules = FSkinningRules;
    SetSkinningRules(rules & ~srStdDialogs);
    SkinPlatform().ShowWarning(kNewSkinWarning);
    if (rules & srStdDialogs) SetSkinningRules(FSkinningRules | srStdDialogs);
  }
}

void TsSkinManager::ApplyColorChange() {
  if (!FActive || Reading()) return;
  {
    TFlagScope loading(gSkinLoading, true);
    Reload();
    Fire(OnAfterChange);
  }
  if (!NoAutoUpdate) RepaintForms(true);
}

void TsSkinManager::InitConstantIndexes() { BuildConstantIndexes(FTables, ConstData); }

void TsSkinManager::InitMaskIndexes() { BuildMaskIndexes(FTables, ConstData.IndexGLobalInfo); }

void TsSkinManager::LoadPreview(const TsSkinPreviewData& preview) {
  if (preview.Magic != kPreviewMagic) return;
  FPreviewMode = true;
  BeginUpdate();
  FPreviewOptions = AnsiToWide(std::string_view(preview.Data, strnlen(preview.Data, sizeof preview.Data)));
  SetSkinDirectory(FixedText(preview.SkinDir, sizeof preview.SkinDir));
  SetSkinName(FixedText(preview.SkinName, sizeof preview.SkinName));
  EndUpdate(true, false);
  FPreviewOptions.reset();
}

// ---- Applying and removing ------------------------------------------------------------------

void TsSkinManager::SendNewSkin(bool repaint) {
  if (Reading()) return;
  TsSkinPlatform& platform = SkinPlatform();
  platform.HideAllGlows();
  if (repaint && !Designing()) platform.LockForms(*this);
  FTables.CommonSkinData.Active = false;
  {
    TFlagScope changing(gSkinChanging, true);
    InitConstantIndexes();
    platform.BroadcastSkinCommand(*this, SKIN_LOADED, reinterpret_cast<std::intptr_t>(this));
  }
  FTables.CommonSkinData.Active = true;
  if (IsDefault() && !GlobalHookInstalled) InstallHook();
  NotifySkinning(true);
  if (repaint) RepaintForms(false);
}

void TsSkinManager::SendRemoveSkin() {
  TsSkinPlatform& platform = SkinPlatform();
  if (IsDefault()) NotifySkinning(false);
  SkinRemoving = true;
  platform.HideAllGlows();
  UnInstallHook();
  FTables.CommonSkinData.Active = false;
  platform.BroadcastSkinCommand(*this, SKIN_UNLOADED, reinterpret_cast<std::intptr_t>(this));
  FTables.ma.clear();
  FTables.MasterBitmap = TBitmap32();
  FTables.pa.clear();
  FTables.gd.clear();
  SkinRemoving = false;
}

void TsSkinManager::UpdateSkin(bool repaint) {
  if (FActive) SendNewSkin(repaint);
}

void TsSkinManager::UpdateSkinSection(const std::wstring& sectionName) {
  const std::wstring upper = UpperCaseAscii(sectionName);
  SkinPlatform().BroadcastSkinCommand(*this, SKIN_SECTIONUPDATED, reinterpret_cast<std::intptr_t>(upper.c_str()));
}

void TsSkinManager::RepaintForms(bool lockForms) {
  TsSkinPlatform& platform = SkinPlatform();
  const auto self = reinterpret_cast<std::intptr_t>(this);
  if (!Designing()) platform.BroadcastSkinCommand(*this, SKIN_STOPANIMATION, self);
  if (Reading()) {
    platform.BroadcastSkinCommand(*this, SKIN_REFRESH, self);
  } else {
    if (lockForms) platform.LockForms(*this);
    platform.BroadcastSkinCommand(*this, SKIN_REFRESH, self);
    platform.UnlockForms(*this, !NoAutoUpdate);
  }
  platform.RedrawHookedWindows();
}

void TsSkinManager::EndUpdate(bool repaint, bool animate) {
  NoAutoUpdate = false;
  TsFormAnimation& changing = FAnimEffects.SkinChanging;
  const bool wasActive = changing.Active;
  if (!animate) changing.Active = false;
  UpdateSkin(repaint);
  changing.Active = wasActive;
}

void TsSkinManager::InstallHook() {
  if (!IsDefault() || Designing() || GlobalHookInstalled) return;
  GlobalHookInstalled = SkinPlatform().InstallHook(*this);
}

void TsSkinManager::UnInstallHook() {
  if (GlobalHookInstalled) SkinPlatform().UnInstallHook(*this);
  GlobalHookInstalled = false;
}

// ---- Lookups and lists ----------------------------------------------------------------------

void TsSkinManager::GetSkinSections(TStringList& list) const {
  list.Clear();
  if (!FActive) return;
  for (const TsGeneralData& g : FTables.gd) list.Add(g.ClassName);
}

int TsSkinManager::ScrollBarWidth() const {
  return FScrollsOptions.ScrollSize >= 0 ? FScrollsOptions.ScrollSize : SkinPlatform().VerticalScrollBarWidth();
}

int TsSkinManager::ScrollBarWidthAtLeastPlatform() const {
  return std::max(ScrollBarWidth(), SkinPlatform().VerticalScrollBarWidth());
}

void TsSkinManager::LoadThirdPartyLists(bool reset) {
  for (std::size_t i = 0; i < FThirdParty.size(); ++i) {
    if (reset || FThirdParty[i].empty()) FThirdParty[i] = DefaultThirdParty(i);
    ThirdLists[i].SetText(FThirdParty[i]);
  }
}

void TsSkinManager::StoreThirdPartyLists() {
  for (std::size_t i = 0; i < FThirdParty.size(); ++i) {
    // One class name per line, without the final line end a list adds.
    std::wstring text = ThirdLists[i].Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, L"\r\n") == 0) text.resize(text.size() - 2);
    FThirdParty[i] = text;
  }
}

std::wstring TsSkinManager::GetFullSkinDirectory() const {
  return ::GetFullSkinDirectory(FSkinDirectory, SkinPlatform().ProgramFolder());
}

std::wstring TsSkinManager::GetSkinNames(TStringList& list, TsSkinTypes kind) const {
  return ::GetSkinNames(list, kind, FSkinDirectory, SkinPlatform().ProgramFolder(), FBuiltInSkins);
}

std::wstring TsSkinManager::GetExternalSkinNames(TStringList& list, TsSkinTypes kind) const {
  return ::GetExternalSkinNames(list, kind, FSkinDirectory, SkinPlatform().ProgramFolder());
}

std::wstring TsSkinManager::GetRandomSkin() const {
  return ::GetRandomSkin(FSkinDirectory, SkinPlatform().ProgramFolder(), FBuiltInSkins);
}

void TsSkinManager::ExtractInternalSkin(const std::wstring& skinName, const std::wstring& folder) const {
  ::ExtractInternalSkin(FBuiltInSkins, skinName, folder, [](const std::wstring& m) { SkinPlatform().ShowError(m); });
}

void TsSkinManager::ExtractByIndex(int index, const std::wstring& folder) const {
  ::ExtractByIndex(FBuiltInSkins, index, folder, [](const std::wstring& m) { SkinPlatform().ShowError(m); });
}

// ---- The stored layout ----------------------------------------------------------------------

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (FSkinDirectory.empty()) FSkinDirectory = L"c:\\Skins";
  if (FMenuSupport.IcoLineSkin.empty()) FMenuSupport.IcoLineSkin = L"ICOLINE";
  LoadThirdPartyLists(false);
  if (FActive && !FSkinName.empty()) SendNewSkin(false);
  UpdateStdDialogsRule();
  NotifySkinning(FActive && !FSkinName.empty());
  if (FActive && !Designing()) Fire(OnActivate);
}

namespace {
// A stored bitmap property: the .bmp file's bytes, as a picture stores them, or with the 32-bit
// length in front that older layouts wrote before them. No bytes mean no bitmap.
TBitmap32 StoredBitmap(const TLayoutValue& v) {
  if (v.kind != TLayoutValue::Kind::Binary) throw ELayoutError("binary value expected");
  const std::vector<std::uint8_t>& b = v.bytes;
  if (b.empty()) return {};
  std::size_t skip = 0;
  if (b.size() > 6 && b[4] == 'B' && b[5] == 'M' &&
      (std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24) == b.size() - 4)
    skip = 4;
  return DecodeBmp(b.data() + skip, b.size() - skip);
}

TsStoredSkin ReadStoredSkin(const std::vector<TLayoutProperty>& item) {
  TsStoredSkin skin;
  for (const auto& p : item) {
    if (p.name == "Name") skin.Name = p.value.AsString();
    else if (p.name == "Shadow.Color" || p.name == "Shadow1Color") skin.Shadow1Color = ColorFromLayout(p.value);
    else if (p.name == "Shadow.Offset" || p.name == "Shadow1Offset") skin.Shadow1Offset = int(p.value.AsInteger());
    else if (p.name == "Shadow.Blur" || p.name == "Shadow1Blur") skin.Shadow1Blur = int(p.value.AsInteger());
    else if (p.name == "Shadow.Transparency" || p.name == "Shadow1Transparency")
      skin.Shadow1Transparency = int(p.value.AsInteger());
    else if (p.name == "BorderColor") skin.BorderColor = ColorFromLayout(p.value);
    else if (p.name == "Author") skin.Author = p.value.AsString();
    else if (p.name == "Description") skin.Description = p.value.AsString();
    else if (p.name == "Version") skin.Version = p.value.AsReal();
    else if (p.name == "MasterBitmap" || p.name == "MasterBitmap.Data") skin.MasterBitmap = StoredBitmap(p.value);
    else if (p.name == "Data") {
      if (p.value.kind != TLayoutValue::Kind::Binary) throw ELayoutError("binary value expected");
      skin.ReadData(p.value.bytes);
    } else {
      throw ELayoutError("unknown property of a stored skin: " + p.name);
    }
  }
  return skin;
}

const std::pair<const char*, TNotifyEvent TsSkinManager::*> kEvents[] = {
    {"OnActivate", &TsSkinManager::OnActivate},         {"OnDeactivate", &TsSkinManager::OnDeactivate},
    {"OnBeforeChange", &TsSkinManager::OnBeforeChange}, {"OnAfterChange", &TsSkinManager::OnAfterChange},
    {"OnSkinLoading", &TsSkinManager::OnSkinLoading},   {"OnSkinListChanged", &TsSkinManager::OnSkinListChanged}};
}  // namespace

bool TsSkinManager::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Active") SetActive(v.AsBoolean());
  else if (name == "SkinName") SetSkinName(v.AsString());
  else if (name == "SkinDirectory") SetSkinDirectory(v.AsString());
  else if (name == "HueOffset") SetHueOffset(int(v.AsInteger()));
  else if (name == "Saturation") SetSaturation(int(v.AsInteger()));
  else if (name == "Brightness") SetBrightness(int(v.AsInteger()));
  else if (name == "ExtendedBorders") SetExtendedBorders(v.AsBoolean());
  else if (name == "SkinnedPopups") SetSkinnedPopups(v.AsBoolean());
  else if (name == "IsDefault") SetIsDefault(v.AsBoolean());
  else if (name == "SkinInfo" || name == "Version") {
    // Read-only values: what the layout stores is not taken over.
  } else if (name == "MenuSupport.IcoLineSkin") FMenuSupport.IcoLineSkin = v.AsString().empty() ? L"ICOLINE" : v.AsString();
  else if (name == "MenuSupport.UseExtraLine") FMenuSupport.UseExtraLine = v.AsBoolean();
  else if (name == "MenuSupport.ExtraLineWidth") FMenuSupport.ExtraLineWidth = int(v.AsInteger());
  else if (name == "MenuSupport.AlphaBlend") FMenuSupport.AlphaBlend = int(v.AsInteger());
  else if (name == "Options.NativeBordersMaximized") FOptions.NativeBordersMaximized = v.AsBoolean();
  else if (name == "Options.CheckEmptyAlpha") FOptions.CheckEmptyAlpha = v.AsBoolean();
  else if (name == "Options.NoMouseHover") FOptions.NoMouseHover = v.AsBoolean();
  else if (name == "Options.StdGlyphsOrder") FOptions.StdGlyphsOrder = v.AsBoolean();
  else if (name == "ScrollsOptions.ScrollSize") FScrollsOptions.ScrollSize = int(v.AsInteger());
  else if (name == "ScrollsOptions.ButtonsSize") FScrollsOptions.ButtonsSize = int(v.AsInteger());
  else if (name == "InternalSkins") {
    if (v.kind != TLayoutValue::Kind::Collection) throw ELayoutError("collection value expected");
    FBuiltInSkins.Clear();
    for (const auto& item : v.collection) FBuiltInSkins.Add(ReadStoredSkin(item));
  } else if (name.rfind("ThirdParty.", 0) == 0) {
    const std::string list = name.substr(11);
    auto it = std::find(kThirdPartyNames.begin(), kThirdPartyNames.end(), list);
    if (it == kThirdPartyNames.end()) return false;
    FThirdParty[std::size_t(it - kThirdPartyNames.begin())] = v.AsString();
  } else {
    for (const auto& [eventName, member] : kEvents)
      if (name == eventName) {
        this->*member = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
        return true;
      }
    return TComponent::SetProperty(name, v, ctx);
  }
  return true;
}
