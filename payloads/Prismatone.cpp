// The product's main program, as far as the setup needs it: a window that shows which file the
// program was asked to open. Command line: [-newinstance] [file]; switches start with "-" or "/".
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {
constexpr wchar_t kClassName[] = L"PrismatoneMain";
constexpr int kFileLabelId = 100;  // the static control that holds the file's name

struct TStartup {
  std::wstring file;
  bool newInstance = false;
};

TStartup ParseCommandLine() {
  TStartup startup;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (!arg.empty() && (arg[0] == L'-' || arg[0] == L'/')) {
      if (_wcsicmp(arg.c_str() + 1, L"newinstance") == 0) startup.newInstance = true;
    } else if (startup.file.empty()) {
      startup.file = arg;
    }
  }
  LocalFree(argv);
  return startup;
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(wnd, msg, wp, lp);
  }
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const TStartup startup = ParseCommandLine();

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc)) return 1;

  const std::wstring title = startup.file.empty() ? L"Prismatone" : L"Prismatone - " + startup.file;
  HWND wnd = CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 560, 180,
                             nullptr, nullptr, instance, nullptr);
  if (!wnd) return 1;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const wchar_t* caption = startup.file.empty() ? L"No file to open." : L"File to open:";
  HWND label = CreateWindowExW(0, L"STATIC", caption, WS_CHILD | WS_VISIBLE, 16, 16, 510, 20, wnd, nullptr, instance, nullptr);
  HWND file = CreateWindowExW(0, L"STATIC", startup.file.c_str(), WS_CHILD | WS_VISIBLE | SS_PATHELLIPSIS, 16, 40, 510, 20, wnd,
                              reinterpret_cast<HMENU>(INT_PTR(kFileLabelId)), instance, nullptr);
  HWND mode = CreateWindowExW(0, L"STATIC", startup.newInstance ? L"New instance." : L"", WS_CHILD | WS_VISIBLE, 16, 64, 510, 20, wnd,
                              nullptr, instance, nullptr);
  for (HWND child : {label, file, mode}) SendMessageW(child, WM_SETFONT, WPARAM(font), FALSE);
  ShowWindow(wnd, show);
  UpdateWindow(wnd);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}
