// The Windows additions of the gallery: platform text over painted tiles, and the window that a
// screen capture compares with the painted button.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string_view>

#include "GalleryPlatform.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/Utf.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sSkinItem.h"
#include "skin/paint/sSkinText.h"

namespace {

struct TTextOf {
  std::wstring_view Section;
  std::wstring_view Text;
  UINT Flags;
  int Indent;  // room left of the text, where a check box has its glyph
};

// Captions of the setup window's controls (setup/Unit1.layout).
constexpr TTextOf kTexts[] = {
    {L"BUTTON", L"Установить", DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0},
    {L"CHECKBOX", L"Создать ярлык на рабочем столе", DT_LEFT | DT_VCENTER | DT_SINGLELINE, 20},
    {L"COMBOBOX", L"Русский", DT_LEFT | DT_VCENTER | DT_SINGLELINE, 4},
    {L"GAUGE", L"50%", DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0},
    {L"FORMTITLE", L"Prismatone setup", DT_LEFT | DT_VCENTER | DT_SINGLELINE, 8},
    {L"SPEEDBUTTON", L"...", DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0},
    {L"WEBBUTTON", L"Официальный сайт", DT_LEFT | DT_VCENTER | DT_SINGLELINE, 0},
};

const TTextOf* TextOf(const std::wstring& section) {
  for (const TTextOf& t : kTexts)
    if (t.Section == section) return &t;
  return nullptr;
}

}  // namespace

void AddTextTiles(TsSkinManager& manager, std::vector<TGalleryTile>& tiles) {
  std::vector<TGalleryTile> added;
  for (const TGalleryTile& item : tiles) {
    const TTextOf* text = TextOf(item.Section);
    if (!text || item.Text || item.Background != TGalleryBackground::Colour) continue;
    const int index = manager.GetSkinIndex(item.Section);
    TBitmap picture(item.Width, item.Height);
    for (int y = 0; y < item.Height; ++y)
      std::copy_n(item.Pixels.Row(y), item.Width, picture.Pixels().Row(y));
    TCanvas canvas(picture.DC());
    const bool enabled = item.State != kDisabledState;
    const int p = enabled ? PropertyIndex(SectionState(manager.gd()[index], item.State)) : 0;
    DrawSectionText(canvas, std::wstring(text->Text), enabled, &manager, p, index, text->Flags,
                    Rect(text->Indent, 0, item.Width, item.Height));
    GdiFlush();  // the DIB's pixels are read directly below
    TGalleryTile t{TileFileName(item.Section, item.Width, item.Height, item.State, item.Background, true),
                   item.Section, item.Width, item.Height, item.State, item.Background, true, picture.Pixels()};
    added.push_back(std::move(t));
  }
  for (TGalleryTile& t : added) tiles.push_back(std::move(t));
}

namespace {

// The window's state, reached from its procedure through the window's user data.
struct TButtonWindow {
  TsSkinManager* Manager;
  std::wstring UntilFile;
  std::chrono::steady_clock::time_point Start = std::chrono::steady_clock::now();
};

constexpr UINT_PTR kPollTimer = 1;

void PaintButtonWindow(HWND wnd, TButtonWindow& w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd, &ps);
  RECT client;
  GetClientRect(wnd, &client);
  {
    TUniqueBrush brush(CreateSolidBrush(kPlainColour));
    FillRect(dc, &client, brush.get());
  }
  // The button sees the window's plain colour behind it, as the gallery's colour tiles do.
  PaintSectionToDC(w.Manager->GetSkinIndex(L"BUTTON"), L"BUTTON", ColourBackground(kPlainColour), w.Manager, dc,
                   {kGalleryButtonX, kGalleryButtonY}, Bounds(kGalleryButtonX, kGalleryButtonY, 75, 25), 1);
  EndPaint(wnd, &ps);
}

LRESULT CALLBACK ButtonWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(wnd, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* w = reinterpret_cast<TButtonWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  switch (msg) {
    case WM_PAINT:
      if (w) return PaintButtonWindow(wnd, *w), 0;
      break;
    case WM_TIMER:
      // Polling a file lets the capture script end us without knowing our process or window.
      if (w && (GetFileAttributesW(w->UntilFile.c_str()) != INVALID_FILE_ATTRIBUTES ||
                std::chrono::steady_clock::now() - w->Start > std::chrono::minutes(5)))
        DestroyWindow(wnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

int ShowButtonWindow(TsSkinManager& manager, const std::string& untilFile) {
  TButtonWindow state{&manager, Utf8ToWide(untilFile)};
  WNDCLASSW wc{};
  wc.lpfnWndProc = ButtonWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PrismatoneGalleryWindow";
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  if (!RegisterClassW(&wc)) return 2;
  // A popup has no frame: its client area is the whole window, so the capture needs no offsets.
  TUniqueWindow wnd(CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, Utf8ToWide(kGalleryWindowTitle).c_str(),
                                    WS_POPUP | WS_VISIBLE, kGalleryWindowX, kGalleryWindowY, kGalleryWindowWidth,
                                    kGalleryWindowHeight, nullptr, nullptr, wc.hInstance, &state));
  if (!wnd) return 2;
  SetTimer(wnd.get(), kPollTimer, 200, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  wnd.release();  // destroyed by its own timer
  return 0;
}
