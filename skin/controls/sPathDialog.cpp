#include "skin/controls/sPathDialog.h"

#include "framework/Exception.h"
#include "framework/FileUtils.h"
#include "framework/Handles.h"
#include "skin/controls/sPathDialogStrings.h"
#include "skin/controls/sToolEdit.h"
#include "skin/controls/sToolEditRules.h"
#include "skin/frame/sSkinProvider.h"

namespace {

const TClassRegistry& DialogClasses() {
  static const TClassRegistry classes = [] {
    TClassRegistry r;
    r.Register<TsShellTreeView>("TsShellTreeView");
    r.Register<TsButton>("TsButton");
    r.Register<TsLabel>("TsLabel");
    r.Register<TsScrollBox>("TsScrollBox");
    r.Register<RiDuraRidareza>("RiDuraRidareza");
    return r;
  }();
  return classes;
}

template <typename T>
T* Field(TForm& form, const char* name) {
  T* c = dynamic_cast<T*>(form.FindComponent(name));
  if (!c) throw ELayoutError(std::string("the folder dialog's layout lacks ") + name);
  return c;
}

// A text of the program's string table; fallback when the program has none.
std::wstring Text(unsigned id, const wchar_t* fallback) {
  const wchar_t* s = nullptr;
  const int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&s), 0);
  return n > 0 && s ? std::wstring(s, std::size_t(n)) : std::wstring(fallback);
}

bool IsFolder(const std::wstring& path) {
  const DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring SystemReason(DWORD error) {
  wchar_t* text = nullptr;
  if (!FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                      error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr) ||
      !text)
    return {};
  std::wstring reason = text;
  LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r')) reason.pop_back();
  return reason;
}

// The client size the dialog was laid out at, also its least.
constexpr int kDesignedWidth = 370, kDesignedHeight = 415;

}  // namespace

TPathDialogForm::TPathDialogForm(TComponent* owner) : TForm(owner) {
  PublishMethod("sShellTreeView1Change", TNotifyEvent([this](TObject* s) { sShellTreeView1Change(s); }));
  PublishMethod("sBitBtn1Click", TNotifyEvent([this](TObject* s) { sBitBtn1Click(s); }));
  PublishMethod("sBitBtn2Click", TNotifyEvent([this](TObject* s) { sBitBtn2Click(s); }));
  PublishMethod("sBitBtn3Click", TNotifyEvent([this](TObject* s) { sBitBtn3Click(s); }));
  ShowError = [this](const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(HandleAllocated() ? Handle() : nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
  };
  ReadLayoutResource(L"TPATHDIALOGFORM", DialogClasses());
}

void TPathDialogForm::LayoutRead() {
  sShellTreeView1 = Field<TsShellTreeView>(*this, "sShellTreeView1");
  sBitBtn1 = Field<TsButton>(*this, "sBitBtn1");
  sBitBtn2 = Field<TsButton>(*this, "sBitBtn2");
  sBitBtn3 = Field<TsButton>(*this, "sBitBtn3");
  sScrollBox1 = Field<TsScrollBox>(*this, "sScrollBox1");
  sLabel1 = Field<TsLabel>(*this, "sLabel1");
  SetCaption(Text(IDS_PATHDIALOG_CAPTION, L"Select directory"));
  sLabel1->SetCaption(Text(IDS_PATHDIALOG_ROOT, L"Root :"));
  sBitBtn1->SetCaption(Text(IDS_PATHDIALOG_OK, L"OK"));
  sBitBtn2->SetCaption(Text(IDS_PATHDIALOG_CANCEL, L"Cancel"));
  sBitBtn3->SetCaption(Text(IDS_PATHDIALOG_CREATE, L"Create"));
  sBitBtn1->SetEnabled(false);
}

void TPathDialogForm::KeepClientAtLeast(int width, int height) {
  // Constraints bound the whole window, frame included.
  TSizeConstraints c;
  c.MinWidth = width + Width() - ClientWidth();
  c.MinHeight = height + Height() - ClientHeight();
  SetConstraints(c);
}

void TPathDialogForm::ShowRootButtons() {
  if (!rootButtons_.empty()) return;
  static const wchar_t* const kRoots[] = {L"rfDesktop", L"rfMyComputer", L"rfPersonal", L"rfNetwork"};
  const int shift = sScrollBox1->Width() + 4;
  TControl* const moved[] = {sShellTreeView1, sBitBtn1, sBitBtn2};
  TRect placed[3];
  for (int i = 0; i < 3; ++i) placed[i] = moved[i]->BoundsRect();
  SetClientSize(ClientWidth() + shift + GetSystemMetrics(SM_CXSIZEFRAME), ClientHeight());
  // The widening stretched or moved them by their anchors: they take their places beside the
  // box instead, and keep their distances from there.
  for (int i = 0; i < 3; ++i) moved[i]->SetBounds(placed[i].Left + shift, placed[i].Top, placed[i].Width(), placed[i].Height());

  sScrollBox1->SetColor(clAppWorkSpace);
  sScrollBox1->SetVisible(true);
  sLabel1->SetVisible(true);
  const int iconSize = GetSystemMetrics(SM_CXICON);
  rootImages_ = std::make_unique<TImageList>(iconSize, iconSize);
  TWindowDC screen(nullptr);
  TCanvas canvas(screen.dc());
  int top = 0;
  for (const wchar_t* root : kRoots) {
    TRootFolderLook look = RootFolderLook(root, iconSize);
    auto* b = new TsSpeedButton(this);
    b->SkinData().SetSkinSection(L"TOOLBUTTON");
    b->SetFlat(true);
    b->SetLayout(TButtonLayout::blGlyphTop);
    if (b->Margin() < 0) b->SetMargin(5);
    b->SetImages(rootImages_.get());
    b->SetImageIndex(look.Icon.Empty() ? -1 : rootImages_->Add(look.Icon));
    b->SetCaption(look.Name);
    canvas.Font = b->Font();
    const int height = iconSize + canvas.TextExtent(L"Wg").Y + b->Spacing() + 2 * b->Margin();
    b->SetBounds(0, top, sScrollBox1->ClientRect().Width(), height);
    b->SetParent(sScrollBox1);
    b->Loaded();
    const std::wstring name = root;
    b->OnClick = [this, name](TObject*) {
      sShellTreeView1->SetRoot(name);
      sShellTreeView1Change(nullptr);
    };
    rootButtons_.push_back(b);
    top += height;
  }
  sScrollBox1->UpdateScrollRange();
}

bool TPathDialogForm::Editing() const {
  return sShellTreeView1->HandleAllocated() &&
         SendMessageW(sShellTreeView1->Handle(), TVM_GETEDITCONTROL, 0, 0) != 0;
}

void TPathDialogForm::sShellTreeView1Change(TObject*) {
  const bool folder = IsFolder(sShellTreeView1->Path());
  sBitBtn1->SetEnabled(folder);
  sBitBtn3->SetEnabled(folder);
}

void TPathDialogForm::sBitBtn1Click(TObject*) {
  if (!Editing()) return;
  // A name being edited is taken first; the dialog stays open.
  SendMessageW(sShellTreeView1->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
  sShellTreeView1->SetFocus();
  SetModalResult(mrNone);
}

void TPathDialogForm::sBitBtn2Click(TObject*) {
  if (!Editing()) return;
  SendMessageW(sShellTreeView1->Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
  sShellTreeView1->SetFocus();
  SetModalResult(mrNone);
}

void TPathDialogForm::sBitBtn3Click(TObject*) {
  const std::wstring parent = sShellTreeView1->Path();
  if (parent.empty()) return;
  // Every name taken counts, a file's too: only a free name can become the folder.
  const std::wstring name =
      NewFolderName(parent, [](const std::wstring& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; });
  const DWORD error = CreateDirectoryW(name.c_str(), nullptr) ? ERROR_SUCCESS : GetLastError();
  if (!IsFolder(name)) {
    const std::wstring reason = SystemReason(error);
    if (ShowError) ShowError(L"Directory " + name + L" can`t be created!" + (reason.empty() ? L"" : L"\n" + reason), L"Error");
    return;
  }
  sShellTreeView1->Refresh(sShellTreeView1->Selected());
  sShellTreeView1->SetPath(name);
  sShellTreeView1->SetFocus();
  if (HTREEITEM node = sShellTreeView1->Selected()) {
    SendMessageW(sShellTreeView1->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    SendMessageW(sShellTreeView1->Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(node));
  }
}

bool RunPathDialog(TsDirectoryEdit& edit, std::wstring& path) {
  auto dialog = std::make_unique<TPathDialogForm>(nullptr);
  dialog->sBitBtn3->SetVisible((edit.DialogOptions() & sdAllowCreate) != 0);
  if (edit.ShowRootBtns()) dialog->ShowRootButtons();
  else dialog->sLabel1->SetVisible(false);
  dialog->sShellTreeView1->BoundLabel().SetCaption(edit.DialogText());
  dialog->sShellTreeView1->SetRoot(edit.Root());
  dialog->HandleNeeded();
  dialog->KeepClientAtLeast(kDesignedWidth, kDesignedHeight);
  if (IsFolder(path)) {
    try {
      dialog->sShellTreeView1->SetPath(path);
    } catch (const Exception&) {
      // A folder the shell cannot reach opens the dialog with nothing selected.
    }
  }
  dialog->sShellTreeView1Change(nullptr);
  if (dialog->ShowModal() != mrOk) return false;
  path = dialog->sShellTreeView1->Path();
  return true;
}
