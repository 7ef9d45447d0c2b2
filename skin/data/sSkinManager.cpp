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
  internalSkins_.OnChange = [this] { Fire(OnSkinListChanged); };
  if (!gDefaultManager) gDefaultManager = this;
  LoadThirdPartyLists(false);
  if (skinDirectory_.empty()) skinDirectory_ = L"c:\\Skins";
  skinPath_ = AddSkinDirSeparator(GetFullSkinDirectory());
  // The layout reader marks the component as loading only after creating it, so the notification
  // is sent here in any case; SkinName is still empty, so it says "off".
  NotifySkinning(active_ && !skinName_.empty());
}

TsSkinManager::~TsSkinManager() {
  // Controls told of the removal below see a manager being destroyed and forget it. The events
  // are dropped first: their handlers usually belong to the owning form, which is itself being
  // destroyed when it frees the manager.
  SetComponentState(csDestroying);
  OnActivate = OnDeactivate = OnBeforeChange = OnAfterChange = OnSkinLoading = OnSkinListChanged = nullptr;
  SetActive(false);
  extendedBorders_ = false;
  // A hook left behind would call into a freed manager.
  if (GlobalHookInstalled) UnInstallHook();
  if (gDefaultManager == this) gDefaultManager = nullptr;
  StoreThirdPartyLists();
  internalSkins_.OnChange = nullptr;
}

// ---- Properties -----------------------------------------------------------------------------

void TsSkinManager::SetActive(bool value) {
  if (value == active_) return;
  if (value) {
    active_ = true;
    SetSkinName(skinName_);
    return;
  }
  const bool wasSkinned = !skinName_.empty();
  active_ = false;
  if (!wasSkinned) return;
  if (!Reading()) SendRemoveSkin();
  InitConstantIndexes();
  UpdateStdDialogsRule();
  if (!Designing()) Fire(OnDeactivate);
}

void TsSkinManager::SetSkinName(const std::wstring& value) {
  const std::wstring old = skinName_;
  skinName_ = value;
  if (!active_) {
    UpdateStdDialogsRule();
    return;
  }
  Fire(OnBeforeChange);
  if (ExtendedBordersEffective() && !NoAutoUpdate && animEffects_.SkinChanging.Active && !Designing() &&
      !Loading() && !Reading())
    SkinPlatform().TakeCoverPictures(*this);
  {
    TFlagScope loading(gSkinLoading, true);
    tables_.CommonSkinData.Active = false;
    try {
      LoadResolvedSkin();
    } catch (const std::exception& e) {
      // The program goes on with whatever tables exist; the cached indexes are rebuilt from them
      // so that none points past a table the failed load left shorter.
      skinName_ = old;
      InitConstantIndexes();
      SkinPlatform().ShowError(MessageOf(e));
    }
    if (active_) {
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
  skinDirectory_ = value;
  skinPath_ = AddSkinDirSeparator(GetFullSkinDirectory());
  Fire(OnSkinListChanged);
}

void TsSkinManager::SetHueOffset(int value) {
  if (value == hueOffset_) return;
  hueOffset_ = value;
  ApplyColorChange();
}

void TsSkinManager::SetSaturation(int value) {
  if (value == saturation_) return;
  saturation_ = value;
  ApplyColorChange();
}

void TsSkinManager::SetBrightness(int value) {
  value = std::clamp(value, -100, 100);
  if (value == brightness_) return;
  brightness_ = value;
  ApplyColorChange();
}

void TsSkinManager::SetExtendedBorders(bool value) {
  if (value == extendedBorders_) return;
  extendedBorders_ = value;
  if (!active_ || !tables_.CommonSkinData.Active || Reading()) return;
  CheckShadows();
  Reload();
  if (!Designing()) RepaintForms(true);
}

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && gDefaultManager) return;  // another manager (or this one) stays the default
  gDefaultManager = this;
  if (active_) SendNewSkin(true);
  else SendRemoveSkin();
}

void TsSkinManager::SetCommonSections(const TStringList& lines) {
  commonSections_ = lines;
  StripCommonSections(commonSections_);
  SetSkinName(skinName_);
}

void TsSkinManager::SetSkinningRules(unsigned rules) {
  skinningRules_ = rules & kAllSkinningRules;
  UpdateStdDialogsRule();
}

std::wstring TsSkinManager::SkinInfo() const {
  if (!active_ || tables_.gd.empty()) return L"N/A";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, tables_.CommonSkinData.Version);
  return std::wstring(buf, r.ptr);
}

void TsSkinManager::UpdateStdDialogsRule() {
  if (IsDefault()) SkinPlatform().SkinStdDialogs(active_ && (skinningRules_ & srStdDialogs));
}

bool TsSkinManager::ExtendedBordersEffective() const {
  return extendedBorders_ && SkinPlatform().LayeredWindowsSupported();
}

// ---- Loading --------------------------------------------------------------------------------

void TsSkinManager::LoadResolvedSkin() {
  source_ = ResolveSkinSource(skinName_, skinDirectory_, SkinPlatform().ProgramFolder(), internalSkins_);
  skinName_ = source_.SkinName;
  // A skin editor's preview works on a folder: it goes before a package file of the same name.
  if (previewMode_ && source_.Kind == TsSkinSourceKind::ssPackageFile) {
    const std::wstring folder = GetFullSkinDirectory() + L"\\" + skinName_ + L"\\";
    if (SkinDirectoryExists(folder)) {
      source_.Kind = TsSkinSourceKind::ssFolder;
      source_.SkinPath = folder;
    }
  }
  if (source_.Kind == TsSkinSourceKind::ssPackageFile) ReloadPackedSkin();
  else ReloadSkin();
}

void TsSkinManager::Reload() {
  TFlagScope loading(gSkinLoading, true);
  LoadResolvedSkin();
}

void TsSkinManager::ReloadSkin() {
  if (!active_) return;
  TFlagScope loading(gSkinLoading, true);
  switch (source_.Kind) {
    case TsSkinSourceKind::ssNone:
      // No folder, no package and no internal skin to fall back on: skinning is off.
      active_ = false;
      return;
    case TsSkinSourceKind::ssFolder: {
      SkinIsPacked = false;
      std::unique_ptr<TMemIniFile> ini;
      if (previewOptions_) {
        ini = LoadSkinOptionsText(*previewOptions_);
      } else {
        TMemoryStream options(ReadSkinFile(source_.SkinPath + L"Options.dat"));
        ini = LoadSkinOptions(options);
      }
      TsSkinImages images;
      images.SkinPath = source_.SkinPath;
      LoadFromOptions(*ini, images);
      return;
    }
    case TsSkinSourceKind::ssInternal: {
      TsStoredSkin& item = internalSkins_.Items(source_.InternalIndex);
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
        SkinPlatform().ShowMessage(PackageWithoutOptionsMessage(skinName_));
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
  if (!active_) return;
  if (source_.Kind != TsSkinSourceKind::ssPackageFile) {
    ReloadSkin();
    return;
  }
  TFlagScope loading(gSkinLoading, true);
  std::unique_ptr<TsSkinConvertor> convertor;
  LoadSkinPackageFile(source_.PackageFile, convertor, true);
  if (!convertor || !convertor->Options) {
    SkinPlatform().ShowMessage(PackageWithoutOptionsMessage(skinName_));
    return;
  }
  SkinIsPacked = true;
  const auto ini = LoadSkinOptions(*convertor->Options);
  TsSkinImages images;
  images.Package = convertor.get();
  images.SkinPath = source_.SkinPath;
  LoadFromOptions(*ini, images);
}

void TsSkinManager::LoadFromOptions(const TMemIniFile& ini, const TsSkinImages& images) {
  tables_.CommonSkinData.Version = ini.ReadFloat(kGlobalInfoSection, L"VERSION", 0);
  CheckVersion();
  TsSkinLoadSettings settings;
  settings.Manager = this;
  settings.Brightness = brightness_;
  settings.SizingFrameWidth = SkinPlatform().SizingFrameWidth();
  if (commonSections_.Count() > 0) settings.CommonSections = &commonSections_;
  LoadSkinTables(ini, images, settings, tables_,
                 [](TsSkinTables& t) { BuildMaskIndexes(t, FindSkinIndex(t, kGlobalInfoSection)); });
  RecolorSkin(tables_, hueOffset_, saturation_, brightness_);
  InitConstantIndexes();
  Fire(OnSkinLoading);
}

void TsSkinManager::CheckVersion() {
  const double version = tables_.CommonSkinData.Version;
  if (version < 7.45) {
    if (Designing() || SkinPlatform().HasCommandLineParam(L"/skintest"))
      SkinPlatform().ShowMessage(OldSkinMessage(skinName_));
  } else if (version > 9.99) {
    const unsigned rules = skinningRules_;
    SetSkinningRules(rules & ~srStdDialogs);
    SkinPlatform().ShowWarning(kNewSkinWarning);
    if (rules & srStdDialogs) SetSkinningRules(skinningRules_ | srStdDialogs);
  }
}

void TsSkinManager::ApplyColorChange() {
  if (!active_ || Reading()) return;
  {
    TFlagScope loading(gSkinLoading, true);
    Reload();
    Fire(OnAfterChange);
  }
  if (!NoAutoUpdate) RepaintForms(true);
}

void TsSkinManager::InitConstantIndexes() { BuildConstantIndexes(tables_, ConstData); }

void TsSkinManager::InitMaskIndexes() { BuildMaskIndexes(tables_, ConstData.IndexGLobalInfo); }

void TsSkinManager::LoadPreview(const TsSkinPreviewData& preview) {
  if (preview.Magic != kPreviewMagic) return;
  previewMode_ = true;
  BeginUpdate();
  previewOptions_ = AnsiToWide(std::string_view(preview.Data, strnlen(preview.Data, sizeof preview.Data)));
  SetSkinDirectory(FixedText(preview.SkinDir, sizeof preview.SkinDir));
  SetSkinName(FixedText(preview.SkinName, sizeof preview.SkinName));
  EndUpdate(true, false);
  previewOptions_.reset();
}

// ---- Applying and removing ------------------------------------------------------------------

void TsSkinManager::SendNewSkin(bool repaint) {
  if (Reading()) return;
  TsSkinPlatform& platform = SkinPlatform();
  platform.HideAllGlows();
  if (repaint && !Designing()) platform.LockForms(*this);
  tables_.CommonSkinData.Active = false;
  {
    TFlagScope changing(gSkinChanging, true);
    InitConstantIndexes();
    platform.BroadcastSkinCommand(*this, SKIN_LOADED, reinterpret_cast<std::intptr_t>(this));
  }
  tables_.CommonSkinData.Active = true;
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
  tables_.CommonSkinData.Active = false;
  platform.BroadcastSkinCommand(*this, SKIN_UNLOADED, reinterpret_cast<std::intptr_t>(this));
  tables_.ma.clear();
  tables_.MasterBitmap = TBitmap32();
  tables_.pa.clear();
  tables_.gd.clear();
  SkinRemoving = false;
}

void TsSkinManager::UpdateSkin(bool repaint) {
  if (active_) SendNewSkin(repaint);
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
  TsFormAnimation& changing = animEffects_.SkinChanging;
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
  if (!active_) return;
  for (const TsGeneralData& g : tables_.gd) list.Add(g.ClassName);
}

int TsSkinManager::ScrollBarWidth() const {
  return scrollsOptions_.ScrollSize >= 0 ? scrollsOptions_.ScrollSize : SkinPlatform().VerticalScrollBarWidth();
}

int TsSkinManager::ScrollBarWidthAtLeastPlatform() const {
  return std::max(ScrollBarWidth(), SkinPlatform().VerticalScrollBarWidth());
}

void TsSkinManager::LoadThirdPartyLists(bool reset) {
  for (std::size_t i = 0; i < thirdParty_.size(); ++i) {
    if (reset || thirdParty_[i].empty()) thirdParty_[i] = DefaultThirdParty(i);
    ThirdLists[i].SetText(thirdParty_[i]);
  }
}

void TsSkinManager::StoreThirdPartyLists() {
  for (std::size_t i = 0; i < thirdParty_.size(); ++i) {
    // One class name per line, without the final line end a list adds.
    std::wstring text = ThirdLists[i].Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, L"\r\n") == 0) text.resize(text.size() - 2);
    thirdParty_[i] = text;
  }
}

std::wstring TsSkinManager::GetFullSkinDirectory() const {
  return ::GetFullSkinDirectory(skinDirectory_, SkinPlatform().ProgramFolder());
}

std::wstring TsSkinManager::GetSkinNames(TStringList& list, TsSkinTypes kind) const {
  return ::GetSkinNames(list, kind, skinDirectory_, SkinPlatform().ProgramFolder(), internalSkins_);
}

std::wstring TsSkinManager::GetExternalSkinNames(TStringList& list, TsSkinTypes kind) const {
  return ::GetExternalSkinNames(list, kind, skinDirectory_, SkinPlatform().ProgramFolder());
}

std::wstring TsSkinManager::GetRandomSkin() const {
  return ::GetRandomSkin(skinDirectory_, SkinPlatform().ProgramFolder(), internalSkins_);
}

void TsSkinManager::ExtractInternalSkin(const std::wstring& skinName, const std::wstring& folder) const {
  ::ExtractInternalSkin(internalSkins_, skinName, folder, [](const std::wstring& m) { SkinPlatform().ShowError(m); });
}

void TsSkinManager::ExtractByIndex(int index, const std::wstring& folder) const {
  ::ExtractByIndex(internalSkins_, index, folder, [](const std::wstring& m) { SkinPlatform().ShowError(m); });
}

// ---- The stored layout ----------------------------------------------------------------------

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (skinDirectory_.empty()) skinDirectory_ = L"c:\\Skins";
  if (menuSupport_.IcoLineSkin.empty()) menuSupport_.IcoLineSkin = L"ICOLINE";
  LoadThirdPartyLists(false);
  if (active_ && !skinName_.empty()) SendNewSkin(false);
  UpdateStdDialogsRule();
  NotifySkinning(active_ && !skinName_.empty());
  if (active_ && !Designing()) Fire(OnActivate);
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
  } else if (name == "MenuSupport.IcoLineSkin") menuSupport_.IcoLineSkin = v.AsString().empty() ? L"ICOLINE" : v.AsString();
  else if (name == "MenuSupport.UseExtraLine") menuSupport_.UseExtraLine = v.AsBoolean();
  else if (name == "MenuSupport.ExtraLineWidth") menuSupport_.ExtraLineWidth = int(v.AsInteger());
  else if (name == "MenuSupport.AlphaBlend") menuSupport_.AlphaBlend = int(v.AsInteger());
  else if (name == "Options.NativeBordersMaximized") options_.NativeBordersMaximized = v.AsBoolean();
  else if (name == "Options.CheckEmptyAlpha") options_.CheckEmptyAlpha = v.AsBoolean();
  else if (name == "Options.NoMouseHover") options_.NoMouseHover = v.AsBoolean();
  else if (name == "Options.StdGlyphsOrder") options_.StdGlyphsOrder = v.AsBoolean();
  else if (name == "ScrollsOptions.ScrollSize") scrollsOptions_.ScrollSize = int(v.AsInteger());
  else if (name == "ScrollsOptions.ButtonsSize") scrollsOptions_.ButtonsSize = int(v.AsInteger());
  else if (name == "InternalSkins") {
    if (v.kind != TLayoutValue::Kind::Collection) throw ELayoutError("collection value expected");
    internalSkins_.Clear();
    for (const auto& item : v.collection) internalSkins_.Add(ReadStoredSkin(item));
  } else if (name.rfind("ThirdParty.", 0) == 0) {
    const std::string list = name.substr(11);
    auto it = std::find(kThirdPartyNames.begin(), kThirdPartyNames.end(), list);
    if (it == kThirdPartyNames.end()) return false;
    thirdParty_[std::size_t(it - kThirdPartyNames.begin())] = v.AsString();
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
