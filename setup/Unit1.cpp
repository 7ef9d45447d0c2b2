#include "setup/Unit1.h"

#include <shlobj.h>

#include "framework/Application.h"
#include "framework/Exception.h"
#include "framework/FileUtils.h"
#include "framework/ResourceStream.h"
#include "payloads/UninstallTarget.h"
#include "platform/SystemInfo.h"
#include "setup/Catalogue.h"
#include "setup/InstallFolder.h"
#include "setup/InstallFolderCheck.h"
#include "setup/PayloadExtract.h"
#include "setup/ShellIntegration.h"
#include "setup/ShellRules.h"
#include "setup/VersionText.h"

TForm1* Form1 = nullptr;
bool InstallFinished = false;

const TClassRegistry& SetupClasses() {
  static const TClassRegistry classes = [] {
    TClassRegistry r;
    r.Register<TImage>("TImage");
    r.Register<TsLabelFX>("TsLabelFX");
    r.Register<TsWebLabel>("TsWebLabel");
    r.Register<TsSpeedButton>("TsSpeedButton");
    r.Register<TsGauge>("TsGauge");
    r.Register<TsButton>("TsButton");
    r.Register<TsCheckBox>("TsCheckBox");
    r.Register<TsDirectoryEdit>("TsDirectoryEdit");
    r.Register<TsMemo>("TsMemo");
    r.Register<TsComboBox>("TsComboBox");
    r.Register<TsSkinManager>("TsSkinManager");
    return r;
  }();
  return classes;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  PublishMethod("FormCreate", TNotifyEvent([this](TObject* s) { FormCreate(s); }));
  PublishMethod("sSpeedButton1Click", TNotifyEvent([this](TObject* s) { sSpeedButton1Click(s); }));
  PublishMethod("sButton1Click", TNotifyEvent([this](TObject* s) { sButton1Click(s); }));
  PublishMethod("sDirectoryEdit1AfterDialog",
                TDialogEvent([this](TObject* s, std::wstring& n, bool& a) { sDirectoryEdit1AfterDialog(s, n, a); }));
  ReadLayoutResource(L"TFORM1", SetupClasses());
}

namespace {
template <typename T>
T* Field(TForm& form, const char* name) {
  T* c = dynamic_cast<T*>(form.FindComponent(name));
  if (!c) throw ELayoutError(std::string("the layout lacks ") + name);
  return c;
}
}  // namespace

void TForm1::LayoutRead() {
  sSkinManager1 = Field<TsSkinManager>(*this, "sSkinManager1");
  sButton1 = Field<TsButton>(*this, "sButton1");
  Image1 = Field<TImage>(*this, "Image1");
  sLabelFX1 = Field<TsLabelFX>(*this, "sLabelFX1");
  sLabelFX2 = Field<TsLabelFX>(*this, "sLabelFX2");
  sSpeedButton1 = Field<TsSpeedButton>(*this, "sSpeedButton1");
  sCheckBox1 = Field<TsCheckBox>(*this, "sCheckBox1");
  sCheckBox2 = Field<TsCheckBox>(*this, "sCheckBox2");
  sGauge1 = Field<TsGauge>(*this, "sGauge1");
  sDirectoryEdit1 = Field<TsDirectoryEdit>(*this, "sDirectoryEdit1");
  sMemo1 = Field<TsMemo>(*this, "sMemo1");
  sLabelFX3 = Field<TsLabelFX>(*this, "sLabelFX3");
  sComboBox1 = Field<TsComboBox>(*this, "sComboBox1");
  sLabelFX4 = Field<TsLabelFX>(*this, "sLabelFX4");
  sWebLabel2 = Field<TsWebLabel>(*this, "sWebLabel2");
  sLabelFX5 = Field<TsLabelFX>(*this, "sLabelFX5");
  sCheckBox3 = Field<TsCheckBox>(*this, "sCheckBox3");
  sWebLabel1 = Field<TsWebLabel>(*this, "sWebLabel1");
}

std::wstring GetVersionText() {
  try {
    TResourceStream res(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), RT_VERSION);
    return VersionTextFromBytes(res.Memory(), std::size_t(res.Size()));
  } catch (const Exception&) {
    return L"";
  }
}

void TForm1::FormCreate(TObject*) {
  bool64bit = IsWindows64();
  GLPathProgram = GetSpecialFolder(CSIDL_PROGRAM_FILES);
  GLPathSystem = GetSpecialFolder(CSIDL_WINDOWS) + (bool64bit ? L"\\SysWOW64" : L"\\System32");
  sLabelFX3->SetCaption(L"beta v." + GetVersionText());
  FillPayloadCatalogue(bool64bit);
  sDirectoryEdit1->SetText(GLPathProgram + L"\\Prismatone");
}

void TForm1::sSpeedButton1Click(TObject*) { sDirectoryEdit1->ButtonAction(); }

void TForm1::sDirectoryEdit1AfterDialog(TObject*, std::wstring& name, bool& action) { ApplyInstallFolderRule(name, action); }

void TForm1::CreateShotCut(const std::wstring& SourceFile, const std::wstring& ShortCutName, const std::wstring& SourceParams) {
  CreateShortcut(SourceFile, ShortCutName, SourceParams);
}

void TForm1::Extract(const std::wstring& resourceName, const std::wstring& fileName) {
  ExtractPayload(GetModuleHandleW(nullptr), resourceName, fileName);
  sGauge1->AddProgress(1);
  Application->ProcessMessages();
}

// The install: one pass, logging each step; the first error stops it where it is (the
// application's handler shows it) and nothing is rolled back.
void TForm1::sButton1Click(TObject*) {
  if (InstallFinished) {
    Close();
    return;
  }
  // The folder as typed is checked before anything is touched: a refused one is explained in the
  // error box, and the window stays ready with the text as it was.
  const TFolderFault fault =
      CheckFolderToInstall(sDirectoryEdit1->GetText(), LongestInstalledName(PayloadFiles), ProtectedFolders(), WindowsFolder(),
                           ThisMachineNames());
  if (fault != tffNone) throw Exception(FolderFaultText(fault));

  sButton1->SetEnabled(false);
  sDirectoryEdit1->SetEnabled(false);
  sSpeedButton1->SetEnabled(false);
  // The folder is read afresh at each use, as typed: the edit is disabled, so it stays the same.
  auto folder = [this] { return sDirectoryEdit1->GetText(); };

  if (!DirectoryExists(folder())) ForceDirectories(folder());
  for (int i = 0; i < kPayloadRows; ++i) {
    const Tfile& row = PayloadFiles[std::size_t(i)];
    if (!DirectoryExists(folder() + row.fFold)) ForceDirectories(folder() + row.fFold);
    const std::wstring target = folder() + row.fFold + L"\\" + row.fFile;
    Log(L"Извлечение в " + target);
    Extract(row.fName, target);
  }

  Log(L"Извлечение системных файлов");
  const std::wstring systemTarget = GLPathSystem + L"\\" + SystemFiles[0].fFile;
  Log(L"Извлечение в " + systemTarget);
  Extract(SystemFiles[0].fName, systemTarget);

  const std::wstring program = folder() + L"\\Prismatone.exe";
  if (sCheckBox1->Checked()) {
    Log(L"Создания ярлыка");
    CreateShotCut(program, GetSpecialFolder(CSIDL_DESKTOP) + L"\\Prismatone", L"");
  }
  if (sCheckBox2->Checked()) {
    Log(L"Помещение в меню Пуск");
    CreateShotCut(program, GetSpecialFolder(CSIDL_PROGRAMS) + L"\\Prismatone", L"");
  }
  WriteUninstallEntry(folder(), GetVersionText(), sWebLabel2->URL(), [this](const std::wstring& line) { Log(line); });

  Log(L"Установка расширения проводника");
  StartExtensionRegistration(GLPathSystem, SystemFiles[0].fFile);

  if (sCheckBox3->Checked()) {
    Log(L"Применение ассоциации файлов");
    for (const TFileType& type : kFileTypes) RegisterFileAssociation(type.Extension, type.ProgID, type.Caption, program, type.IconIndex);
    NotifyAssociationsChanged();
  }

  Log(L"Установка успешно завершена:)");
  InstallFinished = true;
  sButton1->SetCaption(L"Завершить");
  sButton1->SetEnabled(true);
}
