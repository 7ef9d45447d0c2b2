// The install handler run in the test program, which carries the window's layout and the
// payloads as the setup does: what it logs, shows and leaves on disk and in the registry, and
// how it stops on an error. Every test removes what the install wrote.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "framework/Application.h"
#include "platform/SystemInfo.h"
#include "setup/Catalogue.h"
#include "setup/ShellRules.h"
#include "setup/Unit1.h"
#include "skin/paint/sSkinEngine.h"

namespace {

std::wstring TempInstallFolder() {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  return std::wstring(buf) + L"prismatone-install-test\\Prismatone";
}

// Ends the processes this test started, and theirs (the install's command interpreter and
// regsvr32): the test undoes the registration itself, and where 32-bit programs are emulated
// each takes a minute to start.
void EndOwnProcesses() {
  std::vector<DWORD> tree{GetCurrentProcessId()};
  // Each round ends the ones found and waits for them, so that a child one of them started just
  // before its end is seen in the next.
  for (bool found = true; found;) {
    found = false;
    std::vector<TUniqueKernelHandle> ended;
    TUniqueKernelHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W e{};
    e.dwSize = sizeof(e);
    for (BOOL ok = Process32FirstW(snap.get(), &e); ok; ok = Process32NextW(snap.get(), &e)) {
      if (std::find(tree.begin(), tree.end(), e.th32ParentProcessID) == tree.end() ||
          std::find(tree.begin(), tree.end(), e.th32ProcessID) != tree.end())
        continue;
      tree.push_back(e.th32ProcessID);
      found = true;
      if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, e.th32ProcessID)) {
        TerminateProcess(h, 1);
        ended.emplace_back(h);
      }
    }
    for (const auto& h : ended) WaitForSingleObject(h.get(), 30000);
  }
}

void RunAndWait(std::wstring cmd) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) return;
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

std::wstring ReadString(HKEY root, const std::wstring& key, const std::wstring& name, REGSAM view = 0) {
  HKEY h;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, &h) != ERROR_SUCCESS) return L"<no key>";
  TUniqueKey k(h);
  wchar_t buf[512] = {};
  DWORD size = sizeof(buf);
  if (RegQueryValueExW(h, name.empty() ? nullptr : name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS)
    return L"<no value>";
  return buf;
}

class Install : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallFinished = false;
    InstallSkinEngine();
    app = std::make_unique<TApplication>();
    app->Initialize();
    app->OnShowException = [this](const std::wstring& text) { errors.push_back(text); };
    form = app->CreateForm<TForm1>();
    form->Show();
    form->sDirectoryEdit1->SetText(TempInstallFolder());
    form->sGauge1->OnChange = [this](TObject*) { percents.push_back(form->sGauge1->PercentDone()); };
  }

  void TearDown() override {
    const std::wstring systemFile = form->GLPathSystem + L"\\" + SystemFiles[0].fFile;
    app.reset();
    // The registration runs in processes of its own: they end here, and whatever part of it they
    // did is undone by the native regsvr32, in the library's bitness.
    EndOwnProcesses();
    if (std::filesystem::exists(systemFile)) {
      RunAndWait(L"\"" + NativeSystemFolder() + L"\\regsvr32.exe\" /u /s \"" + systemFile + L"\"");
      DeleteFileW(systemFile.c_str());
    }
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(TempInstallFolder()).parent_path(), ec);
    DeleteFileW((GetSpecialFolder(CSIDL_DESKTOP) + L"\\Prismatone.lnk").c_str());
    DeleteFileW((GetSpecialFolder(CSIDL_PROGRAMS) + L"\\Prismatone.lnk").c_str());
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_32KEY, 0);
    for (const TFileType& t : kFileTypes) {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, t.ProgID);
      RegDeleteTreeW(HKEY_CLASSES_ROOT, t.Extension);
    }
    InstallFinished = false;
  }

  std::vector<std::wstring> LogLines() const {
    std::vector<std::wstring> lines;
    const TStringList l = form->sMemo1->Lines();
    for (const auto& s : l) lines.push_back(s);
    return lines;
  }
  // A press of the install button as the user makes it: through the button's window.
  void Press() { SendMessageW(form->sButton1->Handle(), BM_CLICK, 0, 0); }

  std::unique_ptr<TApplication> app;
  TForm1* form = nullptr;
  std::vector<std::wstring> errors;
  std::vector<int> percents;
};

}  // namespace

// A complete install with every option: fourteen log lines, the gauge at 25, 50, 75, 100 %,
// the files, shortcuts and registry entries in place, and the finish button that ends the
// program on the next press.
TEST_F(Install, CompleteInstall) {
  const std::wstring d = TempInstallFolder();
  const std::wstring sys = form->GLPathSystem + L"\\" + SystemFiles[0].fFile;
  Press();
  ASSERT_TRUE(errors.empty()) << errors[0];
  const std::vector<std::wstring> expected = {
      L"Извлечение в " + d + L"\\bass.dll",
      L"Извлечение в " + d + L"\\basswasapi.dll",
      L"Извлечение в " + d + L"\\Prismatone.exe",
      L"Извлечение в " + d + L"\\launch_newinstance.bat",
      L"Извлечение в " + d + L"\\Prismatone_uninstall.exe",
      L"Извлечение системных файлов",
      L"Извлечение в " + sys,
      L"Создания ярлыка",
      L"Помещение в меню Пуск",
      L"Занесение данных в реестр",
      L"Занесение информация о программе",
      L"Установка расширения проводника",
      L"Применение ассоциации файлов",
      L"Установка успешно завершена:)",
  };
  EXPECT_EQ(LogLines(), expected);
  EXPECT_EQ(percents, (std::vector<int>{25, 50, 75, 100}));
  EXPECT_EQ(form->sGauge1->Progress(), 4);
  EXPECT_TRUE(InstallFinished);
  EXPECT_EQ(form->sButton1->Caption(), L"Завершить");
  EXPECT_TRUE(form->sButton1->Enabled());
  EXPECT_FALSE(form->sDirectoryEdit1->Enabled());
  EXPECT_FALSE(form->sSpeedButton1->Enabled());
  EXPECT_TRUE(IsWindowEnabled(form->sButton1->Handle()));

  for (int i = 0; i < kPayloadRows; ++i) EXPECT_TRUE(std::filesystem::exists(d + L"\\" + PayloadFiles[std::size_t(i)].fFile)) << i;
  EXPECT_EQ(std::filesystem::file_size(d + L"\\launch_newinstance.bat"), 33u);
  EXPECT_TRUE(std::filesystem::exists(sys));
  EXPECT_TRUE(std::filesystem::exists(GetSpecialFolder(CSIDL_DESKTOP) + L"\\Prismatone.lnk"));
  EXPECT_TRUE(std::filesystem::exists(GetSpecialFolder(CSIDL_PROGRAMS) + L"\\Prismatone.lnk"));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", KEY_WOW64_32KEY), d);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion", KEY_WOW64_32KEY), L"beta v.0.14.2 [Build: 104]");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"URLInfoAbout", KEY_WOW64_32KEY), form->sWebLabel2->URL());
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, L".ptt", L""), L"Prismatone.Theme");
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, L"Prismatone.Preset\\shell\\Open\\Command", L""), L"\"" + d + L"\\Prismatone.exe\" \"%1\"");
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, L"Prismatone.Preset\\DefaultIcon", L""), d + L"\\Prismatone.exe,1");

  // The next press closes the window and ends the program, and does nothing else.
  Press();
  EXPECT_EQ(LogLines().size(), expected.size());
  app->ProcessMessages();
  EXPECT_TRUE(app->Terminated());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

// With the three options cleared the shortcut and association steps are skipped.
TEST_F(Install, OptionsCleared) {
  form->sCheckBox1->SetChecked(false);
  form->sCheckBox2->SetChecked(false);
  form->sCheckBox3->SetChecked(false);
  Press();
  ASSERT_TRUE(errors.empty()) << errors[0];
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[7], L"Занесение данных в реестр");
  EXPECT_EQ(lines[9], L"Установка расширения проводника");
  EXPECT_EQ(lines[10], L"Установка успешно завершена:)");
  EXPECT_FALSE(std::filesystem::exists(GetSpecialFolder(CSIDL_DESKTOP) + L"\\Prismatone.lnk"));
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, L"Prismatone.Preset", L""), L"<no key>");
  EXPECT_TRUE(InstallFinished);
}

// A folder on a missing drive fails at the first file, naming it; the log holds that one line.
TEST_F(Install, MissingDriveStopsAtFirstFile) {
  form->sDirectoryEdit1->SetText(L"Q:\\Nowhere\\Prismatone");
  Press();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind(L"Cannot create file \"Q:\\Nowhere\\Prismatone\\bass.dll\". ", 0), 0u) << errors[0];
  EXPECT_EQ(LogLines(), (std::vector<std::wstring>{L"Извлечение в Q:\\Nowhere\\Prismatone\\bass.dll"}));
  EXPECT_EQ(form->sGauge1->Progress(), 0);
  EXPECT_FALSE(InstallFinished);
  EXPECT_FALSE(form->sDirectoryEdit1->Enabled());
}

// A file held open by another program stops the install at that file with "Cannot create
// file"; the files before it are already in place and the held one is left as it was.
TEST_F(Install, HeldFileStops) {
  const std::wstring d = TempInstallFolder();
  std::filesystem::create_directories(d);
  const std::wstring held = d + L"\\basswasapi.dll";
  {
    TUniqueFile f(CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(f.get(), "old", 3, &written, nullptr);
  }
  TUniqueFile lock(CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(lock);
  Press();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind(L"Cannot create file \"" + held + L"\". ", 0), 0u) << errors[0];
  EXPECT_EQ(LogLines().size(), 2u);
  EXPECT_GT(std::filesystem::file_size(d + L"\\bass.dll"), 0u);
  lock.reset();
  EXPECT_EQ(std::filesystem::file_size(held), 3u);
  EXPECT_EQ(form->sGauge1->Progress(), 1);
  EXPECT_FALSE(InstallFinished);
}

// A second install into another folder rewrites the same shortcuts, Uninstall values and file
// types with the new folder, and duplicates nothing.
TEST_F(Install, SecondInstallRewrites) {
  Press();
  ASSERT_TRUE(errors.empty()) << errors[0];
  // A second run of the program: a new window, the same machine.
  EndOwnProcesses();
  InstallFinished = false;
  TForm1* second = app->CreateForm<TForm1>();
  second->Show();
  const std::wstring d2 = TempInstallFolder() + L"2";
  second->sDirectoryEdit1->SetText(d2);
  SendMessageW(second->sButton1->Handle(), BM_CLICK, 0, 0);
  ASSERT_TRUE(errors.empty()) << errors[0];
  EXPECT_TRUE(InstallFinished);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", KEY_WOW64_32KEY), d2);
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, L"Prismatone.Theme\\shell\\Open\\Command", L""), L"\"" + d2 + L"\\Prismatone.exe\" \"%1\"");
  std::size_t links = 0;
  for (const auto& e : std::filesystem::directory_iterator(GetSpecialFolder(CSIDL_DESKTOP)))
    if (e.path().filename().wstring().rfind(L"Prismatone", 0) == 0) ++links;
  EXPECT_EQ(links, 1u);
  HKEY h;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_32KEY, &h), ERROR_SUCCESS);
  TUniqueKey key(h);
  DWORD count = 0;
  RegQueryInfoKeyW(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(count, 9u);
}
