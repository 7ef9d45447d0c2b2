#include "skin/frame/sSkinProvider.h"

#include "framework/Application.h"
#include "framework/Exception.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"

namespace {

TForm& FormOf(TComponent* owner) {
  auto* form = dynamic_cast<TForm*>(owner);
  if (!form) throw EAbort(L"RiDuraRidareza component may be used with forms only!");
  return *form;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------------

RiDuraRidareza::RiDuraRidareza(TComponent* owner)
    : TComponent(owner), form_(FormOf(owner)), FCommonData(this, 224) {
  FCommonData.SetSkinSection(L"FORM");
  // The section is resolved now; the rest (system menu, style, caption buttons) needs the window
  // and comes with the first paint or hit test of the frame.
  FCommonData.Loaded();
  hook_ = std::make_unique<TWindowProcHook>(form_, [this](TMessage& m, const TWndMethod& previous) {
    NewWndProc(m, previous);
  });
}

bool RiDuraRidareza::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name.rfind("SkinData.", 0) == 0) return FCommonData.SetProperty(name.substr(9), v);
  if (name == "AllowAnimation") AllowAnimation = v.AsBoolean();
  else if (name == "DrawClientArea") DrawClientArea = v.AsBoolean();
  else if (name == "DrawNonClientArea") SetDrawNonClientArea(v.AsBoolean());
  else if (name == "ShowAppIcon") ShowAppIcon = v.AsBoolean();
  else if (name == "UseGlobalColor") UseGlobalColor = v.AsBoolean();
  else if (name == "TitleSkin") TitleSkin = v.AsString();
  else if (name == "TitleIcon.Visible") TitleIcon.Visible = v.AsBoolean();
  else if (name == "TitleIcon.Width") TitleIcon.Width = int(v.AsInteger());
  else if (name == "TitleIcon.Height") TitleIcon.Height = int(v.AsInteger());
  else if (name == "CaptionAlignment") CaptionAlignment = AlignmentFromLayout(v);
  else if (name == "GripMode") {
    const auto& g = v.AsIdentifier();
    GripMode = g == L"gmRightBottom" ? TsGripMode::gmRightBottom : g == L"gmNone" ? TsGripMode::gmNone
               : throw ELayoutError("unknown grip mode");
  } else if (name == "AllowBlendOnMoving" || name == "AllowExtBorders" || name == "MakeSkinMenu" ||
             name == "MenuLineSkin" || name == "ResizeMode" || name == "ScreenSnap" || name == "SnapBuffer" ||
             name.rfind("AddedTitle.", 0) == 0 || name.rfind("SysSubMenu.", 0) == 0 || name.rfind("TitleButtons", 0) == 0) {
    // Stored in layouts; this window engine has no use for them.
  } else {
    return TComponent::SetProperty(name, v, ctx);
  }
  return true;
}

RiDuraRidareza* RiDuraRidareza::CreateRT(TComponent* owner, bool initRT) {
  auto* p = new RiDuraRidareza(owner);
  p->RTInit = initRT;
  return p;
}

RiDuraRidareza::~RiDuraRidareza() {
  // This runs among the form's components, after the form's own destructor: the entry goes back
  // first, and nothing of the form but its control base is touched.
  hook_.reset();
  for (auto& a : animations_) a.reset();
  CoverForm.reset();
}

TsProvider::TsProvider(TForm& form) : TComponent(&form), provider_(RiDuraRidareza::CreateRT(&form, true)) {
  provider_->UseGlobalColor = false;
  if (!form.HandleAllocated()) return;
  HWND wnd = form.Handle();
  UpdateWindow(wnd);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

RiDuraRidareza* ProviderOf(HWND form) {
  return dynamic_cast<RiDuraRidareza*>(reinterpret_cast<TsFormAnimationHost*>(SendSkinCommand(form, SKIN_GETPROVIDER)));
}

// ---- Preparing ----------------------------------------------------------------------------------

bool RiDuraRidareza::Skinned() const {
  const TsSkinManager* m = FCommonData.SkinManager();
  return !form_.Destroying() && FCommonData.Skinned() && m && m->Active();
}

void RiDuraRidareza::PrepareForm() {
  TsSkinManager* m = FCommonData.SkinManager();
  if (!m || !m->Active() || !form_.HandleAllocated()) return;
  FCommonData.Loaded();
  HWND wnd = form_.Handle();
  // The menu is taken while the window still has it: some platforms give none afterwards.
  if (!SystemMenu) SystemMenu = std::make_unique<TsSystemMenu>(form_);
  // Sections and button images first: the style change below repaints the frame at once, and
  // that picture must be the finished one, not one without caption and buttons that the next
  // paint builds again.
  FCommonData.UpdateIndexes();
  FCaptionSkinIndex = m->GetSkinIndex(L"CAPTION");
  FTitleSkinIndex = TitleSectionIndex(*m, TitleSkin);
  AssignButtonImages(Buttons, *m, form_.BorderStyle(), Queries());
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  if (drawNonClientArea_) {
    if (style & WS_SYSMENU) SetWindowLongW(wnd, GWL_STYLE, style & ~WS_SYSMENU);
  } else if ((form_.BorderIcons() & biSystemMenu) && !(style & WS_SYSMENU)) {
    SetWindowLongW(wnd, GWL_STYLE, style | WS_SYSMENU);
  }
  if (UseGlobalColor && !FCommonData.CustomColor()) form_.SetColor(m->GetGlobalColor());
}

void RiDuraRidareza::LoadInit() {
  RTInit = false;
  PrepareForm();
}

void RiDuraRidareza::SetDrawNonClientArea(bool value) {
  if (value == drawNonClientArea_) return;
  drawNonClientArea_ = value;
  if (!form_.HandleAllocated()) return;
  HWND wnd = form_.Handle();
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  if (!value) {
    if (form_.BorderIcons() & biSystemMenu) SetWindowLongW(wnd, GWL_STYLE, style | WS_SYSMENU);
    SetWindowRgn(wnd, nullptr, TRUE);
  } else {
    SetWindowLongW(wnd, GWL_STYLE, style & ~WS_SYSMENU);
    FCommonData.BGChanged = true;
    RgnChanged = true;
  }
  if (SystemMenu) SystemMenu->Refresh();
  RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

// ---- Layout -------------------------------------------------------------------------------------

TsFrameWindow RiDuraRidareza::WindowInfo() const {
  TsFrameWindow w;
  w.BorderStyle = form_.BorderStyle();
  w.MainForm = !Application || !Application->MainForm() || Application->MainForm() == &form_;
  if (!form_.HandleAllocated()) {
    w.Width = form_.Width();
    w.Height = form_.Height();
    return w;
  }
  HWND wnd = const_cast<TForm&>(form_).Handle();
  RECT r{}, c{};
  GetWindowRect(wnd, &r);
  GetClientRect(wnd, &c);
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  w.Width = r.right - r.left;
  w.Height = r.bottom - r.top;
  w.ClientWidth = c.right;
  w.ClientHeight = c.bottom;
  w.ThickFrame = style & WS_THICKFRAME;
  w.Border = style & WS_BORDER;
  w.DlgFrame = style & WS_DLGFRAME;
  w.Minimized = IsIconic(wnd);
  w.Maximized = IsZoomed(wnd);
  return w;
}

TsSystemMetrics RiDuraRidareza::System() {
  return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYCAPTION),
          GetSystemMetrics(SM_CYSMCAPTION), GetSystemMetrics(SM_CYMENU)};
}

TsFrameMetrics RiDuraRidareza::Metrics() const { return FrameMetrics(System(), WindowInfo()); }

TsTitleLayout RiDuraRidareza::Title() const {
  const TsSkinManager* m = FCommonData.SkinManager();
  const bool icon = TitleIconShown(form_.BorderStyle(), TitleIcon.Visible, ShowAppIcon, (form_.BorderIcons() & biSystemMenu) != 0);
  return TitleLayout(Metrics(), WindowInfo(), m ? m->CommonSkinData().BILeftMargin : 0, icon, TitleIcon.Width, TitleIcon.Height);
}

TsButtonQueries RiDuraRidareza::Queries() {
  TsButtonQueries q;
  if (!SystemMenu) return q;
  q.VisibleClose = SystemMenu->VisibleClose();
  q.EnabledClose = SystemMenu->EnabledClose();
  q.VisibleMax = SystemMenu->VisibleMax();
  q.EnabledMax = SystemMenu->EnabledMax();
  q.VisibleMin = SystemMenu->VisibleMin();
  q.EnabledMin = SystemMenu->EnabledMin();
  q.EnabledRestore = SystemMenu->EnabledRestore();
  q.ShowHelp = SystemMenu->VisibleHelp();
  return q;
}

// ---- What the animations ask ----------------------------------------------------------------------

TBitmap* RiDuraRidareza::WindowImage() {
  TBitmap* image = FCommonData.CacheBmp();
  return image && image->Width() > 0 && image->Height() > 0 ? image : nullptr;
}

void RiDuraRidareza::RepaintWindowImage() {
  FCommonData.BGChanged = true;
  PrepareCache();
}

void RiDuraRidareza::SetInAnimation(bool on) { FInAnimation = on; }

void RiDuraRidareza::AfterAnimation(TsAnimEventKind kind) {
  if (OnAfterAnimation) OnAfterAnimation(kind);
}
