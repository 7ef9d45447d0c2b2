// The setup window as read from its stored layout: every control with its class, place, text
// and settings, and the values FormCreate computes on the Windows it runs on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "framework/Application.h"
#include "setup/Catalogue.h"
#include "setup/InstallFolderCheck.h"
#include "setup/Unit1.h"
#include "skin/data/sSkinFiles.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sSkinEngine.h"

namespace {

class SetupWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InstallSkinEngine();
    app = new TApplication;
    app->Initialize();
    form = app->CreateForm<TForm1>();
    form->Show();
  }
  static void TearDownTestSuite() {
    delete app;
    app = nullptr;
    form = nullptr;
  }
  static TApplication* app;
  static TForm1* form;
};
TApplication* SetupWindow::app = nullptr;
TForm1* SetupWindow::form = nullptr;

void ExpectBounds(TControl* c, int l, int t, int w, int h) {
  SCOPED_TRACE(c->Name());
  EXPECT_EQ(c->Left(), l);
  EXPECT_EQ(c->Top(), t);
  EXPECT_EQ(c->Width(), w);
  EXPECT_EQ(c->Height(), h);
}

// A skinned check box sizes itself at load: its glyph (15 × 15 in the window's skin), the
// margins and the caption measured here with the box's font (width + 27, height
// max(15, text + 4) + 2); its stored place stays.
void ExpectAutoSized(TsCheckBox* c, int l, int t) {
  SCOPED_TRACE(c->Name());
  EXPECT_TRUE(c->SkinData().Skinned());
  EXPECT_EQ(c->GlyphSize(), (TSize{15, 15}));
  TBitmap probe(1, 1);
  TCanvas canvas(probe.DC());
  canvas.Font = c->Font();
  TRect r{};
  canvas.DrawText(c->Caption(), r, DT_CALCRECT | DT_SINGLELINE);
  ASSERT_GT(r.Width(), 0);
  ExpectBounds(c, l, t, r.Width() + 27, std::max(15, r.Height() + 4) + 2);
}

// An auto-sized label fits its caption as this machine draws it, plus its shadow margins on both
// sides (the effect labels keep 5 before and 7 after the text); its stored place stays.
void ExpectFitted(TCustomLabel* c, int l, int t, int margins) {
  SCOPED_TRACE(c->Name());
  EXPECT_TRUE(c->AutoSize());
  TBitmap probe(1, 1);
  TCanvas canvas(probe.DC());
  canvas.Font = c->Font();
  TRect r{};
  canvas.DrawText(c->Caption(), r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  ASSERT_GT(r.Width(), 0);
  ExpectBounds(c, l, t, r.Width() + margins, r.Height() + margins);
}

void ExpectFont(const TFont& f, const wchar_t* name, int height, TColor color) {
  EXPECT_EQ(f.Name(), name);
  EXPECT_EQ(f.Height(), height);
  EXPECT_EQ(f.Color(), color);
}

// Which Windows the test runs on, as told by the test runner (empty on a real machine).
std::string PrefixKind() {
  const char* k = std::getenv("PRISMATONE_WINE_KIND");
  return k ? k : "";
}

}  // namespace

// The window: caption, fixed dialog frame, 680 × 495 client area, centred, alpha 240.
TEST_F(SetupWindow, WindowItself) {
  HWND wnd = form->Handle();
  wchar_t caption[64] = {};
  GetWindowTextW(wnd, caption, 64);
  EXPECT_STREQ(caption, L"Prismatone setup");
  RECT client;
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 680);
  EXPECT_EQ(client.bottom, 495);
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 240);
  EXPECT_TRUE(flags & LWA_ALPHA);
  RECT wr, work;
  GetWindowRect(wnd, &wr);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((wr.left + wr.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((wr.top + wr.bottom) / 2, (work.top + work.bottom) / 2, 1);
  EXPECT_EQ(form->Color(), clCream);
  ExpectFont(form->Font(), L"MS Sans Serif", -11, clWindowText);
  EXPECT_EQ(form->PixelsPerInch(), 96);
}

// The components exist in the stored creation order, each of its own class.
TEST_F(SetupWindow, CreationOrderAndClasses) {
  const char* order[] = {"Image1",    "sLabelFX1",  "sLabelFX2",  "sSpeedButton1",   "sGauge1", "sLabelFX3",
                         "sLabelFX4", "sWebLabel2", "sLabelFX5",  "sWebLabel1",      "sButton1", "sCheckBox1",
                         "sCheckBox2", "sDirectoryEdit1", "sMemo1", "sComboBox1",    "sCheckBox3", "sSkinManager1"};
  ASSERT_EQ(form->ComponentCount(), 18);
  for (int i = 0; i < 18; ++i) EXPECT_EQ(form->Components(i)->Name(), order[i]);
  EXPECT_NE(dynamic_cast<TsLabelFX*>(form->FindComponent("sLabelFX4")), nullptr);
  EXPECT_NE(dynamic_cast<TsWebLabel*>(form->FindComponent("sWebLabel1")), nullptr);
  EXPECT_NE(dynamic_cast<TsDirectoryEdit*>(form->FindComponent("sDirectoryEdit1")), nullptr);
  EXPECT_NE(dynamic_cast<TsSkinManager*>(form->FindComponent("sSkinManager1")), nullptr);
  // Every field is bound to its component.
  EXPECT_EQ(form->sMemo1, form->FindComponent("sMemo1"));
  EXPECT_EQ(form->sWebLabel1, form->FindComponent("sWebLabel1"));
  // Windowless and windowed as their families are.
  EXPECT_FALSE(form->sLabelFX1->IsWindowed());
  EXPECT_FALSE(form->sSpeedButton1->IsWindowed());
  EXPECT_FALSE(form->sGauge1->IsWindowed());
  EXPECT_FALSE(form->Image1->IsWindowed());
  EXPECT_TRUE(form->sButton1->IsWindowed());
  EXPECT_TRUE(form->sMemo1->IsWindowed());
}

// Every control at its stored place and size (auto-sized ones fitted to their text), with its
// stored text.
TEST_F(SetupWindow, PlacesSizesAndTexts) {
  ExpectBounds(form->Image1, 0, -3, 200, 500);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(form->Image1->Picture().Graphic()), nullptr);
  EXPECT_EQ(form->Image1->Picture().Width(), 200);
  EXPECT_EQ(form->Image1->Picture().Height(), 500);
  ExpectFitted(form->sLabelFX1, 206, 8, 12);
  ExpectBounds(form->sLabelFX2, 206, 82, 125, 37);
  ExpectBounds(form->sSpeedButton1, 613, 110, 23, 22);
  ExpectBounds(form->sGauge1, 206, 439, 465, 25);
  ExpectBounds(form->sLabelFX3, 201, 465, 176, 29);
  ExpectBounds(form->sLabelFX4, 199, 129, 157, 29);
  ExpectFitted(form->sWebLabel2, 322, 63, 0);
  ExpectFitted(form->sLabelFX5, 206, 29, 12);
  ExpectFitted(form->sWebLabel1, 206, 63, 0);
  EXPECT_LE(form->sWebLabel1->Left() + form->sWebLabel1->Width(), form->sWebLabel2->Left());
  ExpectBounds(form->sButton1, 597, 470, 75, 25);
  ExpectAutoSized(form->sCheckBox1, 206, 195);
  ExpectAutoSized(form->sCheckBox2, 206, 211);
  ExpectBounds(form->sDirectoryEdit1, 206, 110, 401, 21);
  ExpectBounds(form->sMemo1, 206, 232, 465, 201);
  ExpectAutoSized(form->sCheckBox3, 454, 195);
  EXPECT_EQ(form->sComboBox1->Left(), 206);
  EXPECT_EQ(form->sComboBox1->Top(), 160);
  EXPECT_EQ(form->sComboBox1->Width(), 145);

  EXPECT_EQ(form->sLabelFX1->Caption(), L"Добро пожаловать в установку программы Prismatone :)");
  EXPECT_EQ(form->sLabelFX2->Caption(), L"Путь установки");
  EXPECT_EQ(form->sSpeedButton1->Caption(), L"...");
  EXPECT_EQ(form->sLabelFX4->Caption(), L"Язык интерфейса");
  EXPECT_EQ(form->sWebLabel2->Caption(), L"Паблик VK");
  EXPECT_EQ(form->sLabelFX5->Caption(), L"В данное время программа находится в бета тестировании.");
  EXPECT_EQ(form->sWebLabel1->Caption(), L"Официальный сайт");
  EXPECT_EQ(form->sButton1->Caption(), L"Установить");
  EXPECT_EQ(form->sCheckBox1->Caption(), L"Создать ярлык на рабочем столе");
  EXPECT_EQ(form->sCheckBox2->Caption(), L"Добавить в меню пуск (все программы)");
  EXPECT_EQ(form->sCheckBox3->Caption(), L"Ассоциировать PTS/PTT файлы");
  EXPECT_EQ(form->sMemo1->GetText(), L"");
  EXPECT_EQ(form->sComboBox1->GetText(), L"Русский");
  // The window of each windowed control shows the same text.
  wchar_t text[64] = {};
  GetWindowTextW(form->sButton1->Handle(), text, 64);
  EXPECT_STREQ(text, L"Установить");
}

// Settings: skin sections, fonts and colours of notes A to C, tab order, options, gauge.
TEST_F(SetupWindow, Settings) {
  for (TsLabelFX* l : {form->sLabelFX1, form->sLabelFX2, form->sLabelFX3, form->sLabelFX4, form->sLabelFX5}) {
    SCOPED_TRACE(l->Name());
    ExpectFont(l->Font(), L"MS Sans Serif", -13, RGBColor(137, 149, 153));
    EXPECT_EQ(l->Font().Color(), 10065289u);
    EXPECT_EQ(l->Angle(), 0);
    EXPECT_EQ(l->Shadow().Mode(), TsShadowMode::smCustom);
    EXPECT_EQ(l->Shadow().Color(), clAqua);
    EXPECT_EQ(l->Shadow().BlurCount(), 6);
    EXPECT_EQ(l->Shadow().OffsetKeeper.LeftTop, -5);
    EXPECT_EQ(l->Shadow().OffsetKeeper.RightBottom, 7);
  }
  EXPECT_TRUE(form->sLabelFX1->AutoSize());
  EXPECT_FALSE(form->sLabelFX2->AutoSize());
  EXPECT_FALSE(form->sLabelFX3->AutoSize());
  EXPECT_FALSE(form->sLabelFX4->AutoSize());
  for (TsWebLabel* l : {form->sWebLabel1, form->sWebLabel2}) {
    SCOPED_TRACE(l->Name());
    ExpectFont(l->Font(), L"MS Sans Serif", -11, 15575123u);
    ExpectFont(l->HoverFont(), L"MS Sans Serif", -11, clWindowText);
    EXPECT_FALSE(l->URL().empty());
    EXPECT_EQ(l->Cursor(), IDC_HAND);
  }
  EXPECT_EQ(form->sSpeedButton1->SkinData().SkinSection(), L"SPEEDBUTTON");
  EXPECT_EQ(form->sGauge1->SkinData().SkinSection(), L"GAUGE");
  EXPECT_EQ(form->sGauge1->ForeColor(), clBlack);
  EXPECT_EQ(form->sGauge1->MinValue(), 0);
  EXPECT_EQ(form->sGauge1->MaxValue(), 4);
  EXPECT_EQ(form->sGauge1->Progress(), 0);
  EXPECT_EQ(form->sGauge1->Suffix(), L"%");
  EXPECT_EQ(form->sButton1->SkinData().SkinSection(), L"BUTTON");
  EXPECT_EQ(form->sButton1->TabOrder(), 0);
  int tab = 1;
  for (TsCheckBox* c : {form->sCheckBox1, form->sCheckBox2}) {
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(SendMessageW(c->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(c->TabOrder(), tab++);
    EXPECT_EQ(c->SkinData().SkinSection(), L"CHECKBOX");
    EXPECT_EQ(c->ImgChecked(), 0);
    EXPECT_EQ(c->ImgUnchecked(), 0);
  }
  EXPECT_TRUE(form->sCheckBox3->Checked());
  EXPECT_EQ(form->sCheckBox3->TabOrder(), 6);

  // Edits and the combo box take the text colour of their skin section (the stored one is
  // (137, 148, 153)); their stored background colour is already the skin's.
  const TsSkinManager* skin = form->sSkinManager1;
  auto sectionText = [&](const wchar_t* section) {
    return skin->gd()[std::size_t(skin->GetSkinIndex(section))].Props[0].FontColor.Color;
  };
  ASSERT_GE(skin->GetSkinIndex(L"EDIT"), 0);
  ASSERT_GE(skin->GetSkinIndex(L"COMBOBOX"), 0);

  TsDirectoryEdit* e = form->sDirectoryEdit1;
  EXPECT_EQ(e->TabOrder(), 3);
  EXPECT_EQ(e->SkinData().SkinSection(), L"EDIT");
  EXPECT_EQ(e->Color(), clBlack);
  ExpectFont(e->Font(), L"MS Sans Serif", -11, sectionText(L"EDIT"));
  EXPECT_EQ(e->MaxLength(), 255);
  EXPECT_EQ(SendMessageW(e->Handle(), EM_GETLIMITTEXT, 0, 0), 255);
  EXPECT_FALSE(e->ShowButton());
  EXPECT_EQ(e->GlyphMode().Blend, 10);
  EXPECT_TRUE(e->GlyphMode().Grayed);
  EXPECT_FALSE(e->BoundLabel().Active());  // captionless: no label beside the field
  EXPECT_EQ(e->BoundLabel().Caption(), L"");
  EXPECT_EQ(e->BoundLabel().Indent(), 0);
  EXPECT_EQ(e->BoundLabel().Layout(), TsCaptionLayout::sclLeft);
  EXPECT_EQ(e->BoundLabel().MaxWidth(), 0);
  EXPECT_TRUE(e->BoundLabel().UseSkinColor());
  EXPECT_EQ(e->DialogText(), L"Путь установки");
  EXPECT_EQ(e->Root(), L"rfDesktop");
  EXPECT_TRUE(e->OnAfterDialog != nullptr);

  TsMemo* m = form->sMemo1;
  EXPECT_EQ(m->TabOrder(), 4);
  EXPECT_EQ(m->SkinData().SkinSection(), L"EDIT");
  EXPECT_EQ(m->Color(), clBlack);
  ExpectFont(m->Font(), L"MS Sans Serif", -11, sectionText(L"EDIT"));
  EXPECT_EQ(m->ScrollBars(), TScrollStyle::ssVertical);
  EXPECT_TRUE(GetWindowLongW(m->Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_FALSE(GetWindowLongW(m->Handle(), GWL_STYLE) & WS_HSCROLL);
  EXPECT_FALSE(GetWindowLongW(m->Handle(), GWL_STYLE) & ES_READONLY);

  TsComboBox* c = form->sComboBox1;
  EXPECT_EQ(c->TabOrder(), 5);
  EXPECT_EQ(c->SkinData().SkinSection(), L"COMBOBOX");
  ASSERT_EQ(c->Items().Count(), 1);
  EXPECT_EQ(c->Items()[0], L"Русский");
  EXPECT_EQ(c->ItemIndex(), 0);
  EXPECT_EQ(c->Color(), clBlack);
  EXPECT_EQ(c->Font().Color(), sectionText(L"COMBOBOX"));
  EXPECT_EQ(c->Alignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(c->VerticalAlignment(), TTextLayout::tlTop);
  EXPECT_EQ(SendMessageW(c->Handle(), CB_GETCOUNT, 0, 0), 1);

  // The window's controls are in tab order among their sibling windows.
  HWND wnd = form->Handle();
  HWND expected[] = {form->sButton1->Handle(), form->sCheckBox1->Handle(), form->sCheckBox2->Handle(),
                     form->sDirectoryEdit1->Handle(), form->sMemo1->Handle(), form->sComboBox1->Handle(), form->sCheckBox3->Handle()};
  HWND w = GetWindow(GetWindow(wnd, GW_CHILD), GW_HWNDFIRST);
  for (HWND h : expected) {
    EXPECT_EQ(w, h);
    w = GetWindow(w, GW_HWNDNEXT);
  }
}

// The skin manager's stored settings.
TEST_F(SetupWindow, SkinManagerSettings) {
  TsSkinManager* s = form->sSkinManager1;
  EXPECT_EQ(s->HueOffset(), 196);
  ASSERT_EQ(s->InternalSkins().size(), 1u);
  EXPECT_EQ(s->InternalSkins()[0].Name, L"Cobalt3 (internal)");
  EXPECT_EQ(s->InternalSkins()[0].Shadow1Color, clBlack);
  EXPECT_EQ(s->InternalSkins()[0].Shadow1Offset, 0);
  EXPECT_EQ(s->InternalSkins()[0].Shadow1Transparency, 0);
  EXPECT_EQ(s->SkinName(), L"Cobalt3 (internal)");
  EXPECT_EQ(s->SkinDirectory(), L"c:\\Skins");
  EXPECT_EQ(s->IcoLineSkin(), L"ICOLINE");
  EXPECT_TRUE(s->NativeBordersMaximized());
  EXPECT_EQ(s->ThirdParty(1), L"TButton");
  for (std::size_t i = 0; i < 23; ++i)
    if (i != 1) {
      EXPECT_EQ(s->ThirdParty(i), L" ") << i;
    }
  // The internal skin was loaded at start-up from the layout's copy.
  EXPECT_TRUE(s->Active());
  EXPECT_EQ(s->SkinInfo(), L"7.2");
  EXPECT_GE(s->GetSkinIndex(L"EDIT"), 0);
  EXPECT_EQ(s->GetSkinIndex(L"edit"), -1);
}

// The internal skin's "Data" in the layout is the package the build packed, byte for byte.
TEST_F(SetupWindow, StoredSkinIsTheBuiltPackage) {
  const std::vector<std::uint8_t> built = ReadSkinFile(PRISMATONE_INTERNAL_SKIN_PACKAGE);
  ASSERT_EQ(form->sSkinManager1->InternalSkins().size(), 1u);
  const auto& stored = form->sSkinManager1->InternalSkins()[0].PackedData.Bytes();
  EXPECT_GT(built.size(), 1000u);
  EXPECT_TRUE(stored == built);
}

// FormCreate's values for the Windows this runs on: the 64-bit prefix is 64-bit Windows (our
// 32-bit process under WOW64, or the x86-64 build of this test), the 32-bit prefix 32-bit
// Windows. Only the program folder differs for the x86-64 build: it sees the native one.
TEST_F(SetupWindow, FormCreateValues) {
  const std::string kind = PrefixKind();
  if (kind.empty()) GTEST_SKIP() << "not run by the test runner: the expected platform is unknown";
  const bool is64 = kind == "win64";
  EXPECT_EQ(form->bool64bit, is64);
  EXPECT_EQ(form->GLPathProgram, is64 && sizeof(void*) == 4 ? L"C:\\Program Files (x86)" : L"C:\\Program Files");
  EXPECT_EQ(form->GLPathSystem, is64 ? L"C:\\windows\\SysWOW64" : L"C:\\windows\\System32");
  EXPECT_EQ(SystemFiles[0].fFile, is64 ? L"PTThumbnail64.dll" : L"PTThumbnail32.dll");
  EXPECT_EQ(SystemFiles[0].fName, is64 ? L"PTThumbnail64" : L"PTThumbnail32");
  EXPECT_EQ(PayloadFiles[4].fFile, L"Prismatone_uninstall.exe");
  EXPECT_EQ(form->sDirectoryEdit1->GetText(), form->GLPathProgram + L"\\Prismatone");
  EXPECT_EQ(form->sLabelFX3->Caption(), L"beta v.0.14.2 [Build: 104]");
  EXPECT_EQ(GetVersionText(), L"0.14.2 [Build: 104]");
}

// The browse button runs the folder dialog of the directory edit, started at the text when that
// folder exists and at nothing otherwise; its result passes the folder rule and becomes the text
// only when confirmed.
TEST_F(SetupWindow, BrowseAppliesTheFolderRule) {
  TsDirectoryEdit* e = form->sDirectoryEdit1;
  // Its own button is hidden; the built-in folder glyph keeps Alt+Down as the keyboard route.
  EXPECT_EQ(e->GlyphWidth(), 16);
  const std::wstring before = e->GetText();
  const std::filesystem::path cwd = std::filesystem::current_path();
  const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "prismatone-browse-start";
  std::filesystem::create_directories(scratch);
  std::wstring offered;
  e->RunDialog = [&](std::wstring& path) {
    offered = path;
    path = L"D:\\Apps";
    return true;
  };
  e->SetText(scratch.wstring());
  form->sSpeedButton1->Click();
  std::filesystem::current_path(cwd);
  EXPECT_EQ(offered, scratch.wstring());
  EXPECT_EQ(e->GetText(), L"D:\\Apps\\Prismatone");
  e->SetText((scratch / "missing").wstring());
  form->sSpeedButton1->Click();
  EXPECT_EQ(offered, L"");
  e->RunDialog = [](std::wstring& path) {
    path = L"E:\\Elsewhere";
    return false;
  };
  e->SetText(L"D:\\Apps\\Prismatone");
  form->sSpeedButton1->Click();
  EXPECT_EQ(e->GetText(), L"D:\\Apps\\Prismatone");
  e->SetText(before);
  std::filesystem::remove_all(scratch);
}

// The install button is the skinned owner-drawn button with its four looks; the browse button is
// skinned, its "..." centred.
TEST_F(SetupWindow, ButtonsAreSkinned) {
  TsButton* b = form->sButton1;
  EXPECT_EQ(GetWindowLongW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(SendSkinCommand(b->Handle(), SKIN_ISSKINNED), 1);
  EXPECT_TRUE(b->SkinData().Skinned());
  EXPECT_TRUE(b->PrepareCache());
  EXPECT_EQ(b->SkinData().CacheBmp()->Width(), 75);
  TsSpeedButton* s = form->sSpeedButton1;
  EXPECT_TRUE(s->SkinData().Skinned());
  const TSize t = s->TextRectSize();
  EXPECT_EQ(s->CaptionRect(false).Left, (23 - t.W) / 2);
  EXPECT_EQ(s->CaptionRect(false).Top, (22 - t.H) / 2);
}

// A relative folder is refused before anything is installed: one message says why, and the
// window stays ready with the text as typed. (Last: a wrongly started install would leave the
// window disabled.)
TEST_F(SetupWindow, RelativeFolderIsRefused) {
  TsDirectoryEdit* e = form->sDirectoryEdit1;
  const std::wstring before = e->GetText();
  const std::wstring relative = L"prismatone-relative-folder";
  std::vector<std::wstring> shown;
  app->OnShowException = [&](const std::wstring& text) { shown.push_back(text); };
  e->SetText(relative);
  SendMessageW(form->sButton1->Handle(), BM_CLICK, 0, 0);
  app->OnShowException = nullptr;
  EXPECT_EQ(shown, std::vector<std::wstring>{FolderFaultText(tffNotAbsolute)});
  EXPECT_EQ(e->GetText(), relative);
  EXPECT_TRUE(form->sButton1->Enabled());
  EXPECT_TRUE(e->Enabled());
  EXPECT_FALSE(InstallFinished);
  EXPECT_EQ(form->sMemo1->GetText(), L"");
  EXPECT_FALSE(std::filesystem::exists(relative));
  std::error_code ec;
  std::filesystem::remove_all(relative, ec);
  e->SetText(before);
}
