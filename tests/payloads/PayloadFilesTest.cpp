// The payload files as the build made them: the main program's window, icons and version, the
// libraries' versions.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "framework/Handles.h"
#include "tests/payloads/PayloadTestSupport.h"

namespace {
const std::wstring kProgram = PAYLOAD_DIR L"\\Prismatone.exe";

// The file version of a file as "a.b.c.d", or "" without a version resource.
std::wstring FileVersion(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return L"";
  std::vector<std::uint8_t> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return L"";
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info) return L"";
  return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
         std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionLS));
}

// The colour (R, G, B) of the centre pixel of a 32 × 32 icon.
COLORREF IconCentre(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return CLR_INVALID;
  TUniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 32;
  bi.bmiHeader.biHeight = -32;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> px(32 * 32);
  TWindowDC screen(nullptr);
  if (!GetDIBits(screen.dc(), colour.get(), 0, 32, px.data(), &bi, DIB_RGB_COLORS)) return CLR_INVALID;
  const std::uint32_t c = px[16 * 32 + 16];
  return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

struct TFoundWindow {
  DWORD pid;
  HWND wnd;
};

BOOL CALLBACK FindProgramWindow(HWND wnd, LPARAM lp) {
  auto* f = reinterpret_cast<TFoundWindow*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(wnd, &owner);
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  if (owner == f->pid && std::wstring(cls) == L"PrismatoneMain") {
    f->wnd = wnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(child);
  return TRUE;
}

// The main program's top-level window of the process, or null.
HWND ProgramWindow(DWORD pid) {
  TFoundWindow found{pid, nullptr};
  EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&found));
  return found.wnd;
}

std::wstring WindowText(HWND wnd) {
  wchar_t text[512] = {};
  SendMessageTimeoutW(wnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

// Starts the main program with arguments, waits for its window and returns the window's title and
// the text of its file label; then closes it and checks that it ends cleanly.
struct TShown {
  std::wstring title, file, mode;
};
TShown RunProgram(const std::wstring& args) {
  std::wstring cmd = L"\"" + kProgram + L"\" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(kProgram.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot start the program";
    return {};
  }
  TUniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  TShown shown;
  HWND wnd = nullptr;
  const ULONGLONG deadline = GetTickCount64() + 10000ull * ULONGLONG(Slowness());
  while (!wnd && GetTickCount64() < deadline) {
    if (WaitForSingleObject(process.get(), 50) == WAIT_OBJECT_0) break;
    wnd = ProgramWindow(pi.dwProcessId);
  }
  if (!wnd) {
    ADD_FAILURE() << "the program showed no window";
    TerminateProcess(process.get(), 1);
    return {};
  }
  shown.title = WindowText(wnd);
  shown.file = WindowText(GetDlgItem(wnd, 100));
  std::vector<HWND> children;
  EnumChildWindows(wnd, CollectChild, reinterpret_cast<LPARAM>(&children));
  if (children.size() == 3) shown.mode = WindowText(children[2]);
  PostMessageW(wnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.get(), DWORD(10000 * Slowness())), WAIT_OBJECT_0) << "the program did not end when closed";
  DWORD code = 1;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);
  return shown;
}
}  // namespace

// Started with a preset file's path, the program shows that path in its window and its title.
TEST(MainProgram, ShowsTheFileItWasAskedToOpen) {
  const TShown shown = RunProgram(L"\"C:\\x\\a.pts\"");
  EXPECT_EQ(shown.file, L"C:\\x\\a.pts");
  EXPECT_EQ(shown.title, L"Prismatone - C:\\x\\a.pts");
  EXPECT_EQ(shown.mode, L"");
}

// The batch file's switch is accepted and not taken for a file; a path with spaces stays whole.
TEST(MainProgram, AcceptsNewInstanceSwitch) {
  TShown shown = RunProgram(L"-newinstance");
  EXPECT_EQ(shown.file, L"");
  EXPECT_EQ(shown.title, L"Prismatone");
  EXPECT_EQ(shown.mode, L"New instance.");
  shown = RunProgram(L"-newinstance \"C:\\Program Files\\My theme.ptt\"");
  EXPECT_EQ(shown.file, L"C:\\Program Files\\My theme.ptt");
  EXPECT_EQ(shown.mode, L"New instance.");
}

// The program's file version is 0.14.2.104; the libraries carry their own versions.
TEST(PayloadFiles, VersionResources) {
  EXPECT_EQ(FileVersion(kProgram), L"0.14.2.104");
  EXPECT_EQ(FileVersion(PAYLOAD_DIR L"\\Prismatone_uninstall.exe"), L"0.14.2.104");
  EXPECT_EQ(FileVersion(PAYLOAD_DIR L"\\bass.dll"), L"2.4.9.0");
  EXPECT_EQ(FileVersion(PAYLOAD_DIR L"\\basswasapi.dll"), L"2.4.0.0");
  EXPECT_EQ(FileVersion(PAYLOAD_DIR L"\\PTThumbnail32.dll"), L"0.14.2.104");
  EXPECT_EQ(FileVersion(PAYLOAD64_DIR L"\\PTThumbnail64.dll"), L"0.14.2.104");
}

// The audio placeholders load as 32-bit libraries and report the version of their resource.
TEST(PayloadFiles, AudioLibrariesLoad) {
  for (auto [file, version] : {std::pair{L"\\bass.dll", 0x02040900u}, std::pair{L"\\basswasapi.dll", 0x02040000u}}) {
    TUniqueModule lib(LoadLibraryW((std::wstring(PAYLOAD_DIR) + file).c_str()));
    ASSERT_TRUE(lib);
    auto fn = reinterpret_cast<DWORD (*)()>(reinterpret_cast<void*>(GetProcAddress(lib.get(), "PlaceholderVersion")));
    ASSERT_NE(fn, nullptr);
    EXPECT_EQ(fn(), version);
  }
}

// Icon index 0 is the program's (blue prism), 1 the preset files' (green), 2 the theme files' (orange).
TEST(PayloadFiles, IconsInIndexOrder) {
  EXPECT_EQ(ExtractIconExW(kProgram.c_str(), -1, nullptr, nullptr, 0), 3u);
  COLORREF centre[3];
  for (int i = 0; i < 3; ++i) {
    HICON large = nullptr;
    ASSERT_EQ(ExtractIconExW(kProgram.c_str(), i, &large, nullptr, 1), 1u) << i;
    TUniqueIcon icon(large);
    centre[i] = IconCentre(icon.get());
    ASSERT_NE(centre[i], CLR_INVALID) << i;
  }
  auto r = [](COLORREF c) { return int(GetRValue(c)); };
  auto g = [](COLORREF c) { return int(GetGValue(c)); };
  auto b = [](COLORREF c) { return int(GetBValue(c)); };
  EXPECT_GT(b(centre[0]), r(centre[0]) + 50);
  EXPECT_GT(b(centre[0]), g(centre[0]) + 30);
  EXPECT_GT(g(centre[1]), r(centre[1]) + 50);
  EXPECT_GT(g(centre[1]), b(centre[1]) + 50);
  EXPECT_GT(r(centre[2]), g(centre[2]) + 50);
  EXPECT_GT(r(centre[2]), b(centre[2]) + 50);
}
