// The edit with a button and the directory edit in a real window with the setup window's skin:
// the button's background, its images, hint and read-only look, the keyboard route to the button,
// the popup, dropped names, pasted line ends and the directory edit's dialog around a replaced
// dialog. No glyph pixel is asserted.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h:
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>

#include "../paint/PumpUtil.h"
#include "WindowPixels.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "skin/controls/sToolEdit.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace fs = std::filesystem;

namespace {

using pumptest::PumpPending;

class ToolEdit : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TsDirectoryEdit* edit = nullptr;
  int dialogs = 0;
  fs::path cwd = fs::current_path();
  fs::path scratch = fs::temp_directory_path() / "prismatone-tool-edit";

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 196, L"T");
    manager.SetSkinName(L"T");
    form.SetBounds(60, 60, 460, 160);
    edit = new TsDirectoryEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(20, 20, 300, 21);
    edit->Loaded();
    edit->RunDialog = [this](std::wstring&) {
      ++dialogs;
      return false;
    };
    auto* other = new TsMaskEdit(&form);  // holds the focus
    other->SetParent(&form);
    other->SetBounds(20, 60, 200, 21);
    other->Loaded();
    form.Show();
    other->SetFocus();
    PumpPending();
    fs::create_directories(scratch / "sub");
  }
  void TearDown() override {
    fs::current_path(cwd);
    std::error_code ec;
    fs::remove_all(scratch, ec);
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
};

// A shell drop of the given names: a DROPFILES header and the wide names, each ended by a zero,
// the list by another.
HDROP MakeDrop(const std::vector<std::wstring>& names) {
  std::size_t chars = 1;
  for (const auto& n : names) chars += n.size() + 1;
  HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = TRUE;
  auto* p = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(df) + sizeof(DROPFILES));
  for (const auto& n : names) {
    std::copy(n.begin(), n.end(), p);
    p += n.size() + 1;
  }
  GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

}  // namespace

// Without the focus the window shows the edit's cache with the button's cache over the button's
// place: the platform paints no windowless child of an edit, the edit paints its button.
TEST_F(ToolEdit, WindowShowsTheButtonOverTheEdit) {
  ASSERT_TRUE(edit->Skinned());
  ASSERT_TRUE(edit->ShowButton());
  edit->SetText(L"C:\\Program Files");
  TsEditButton& b = edit->Button();
  ASSERT_GT(b.Width(), 0);
  RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  PumpPending();
  const TBitmap32 shown = WindowPixels(edit->Handle());
  ASSERT_TRUE(b.SkinData().CacheBmp() && b.SkinData().CacheBmp()->Width() == b.Width()) << "the button was not painted";
  const TBitmap32& button = b.SkinData().CacheBmp()->Pixels();
  const TBitmap32& whole = edit->SkinData().CacheBmp()->Pixels();
  RECT window{};
  GetWindowRect(edit->Handle(), &window);
  POINT origin{0, 0};
  ClientToScreen(edit->Handle(), &origin);
  const int o = origin.x - window.left;
  const TRect place = Bounds(b.Left() + o, b.Top() + o, b.Width(), b.Height());
  ASSERT_EQ(shown.Width(), whole.Width());
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x) {
      const bool inButton = x >= place.Left && x < place.Right && y >= place.Top && y < place.Bottom;
      const std::uint32_t want = inButton ? button.Pixel(x - place.Left, y - place.Top) : whole.Pixel(x, y);
      ASSERT_EQ(shown.Pixel(x, y) & 0xFFFFFFu, want & 0xFFFFFFu) << x << "," << y;
    }
}

// Alt+Down runs the button's action only when there is a glyph; an outside call runs it whether
// the button shows or not.
TEST_F(ToolEdit, ClickKeyNeedsAGlyph) {
  struct Case {
    int defBmp;
    bool showButton, byKey;
    int dialogs;
  };
  const Case cases[] = {{1, false, true, 1}, {-1, true, true, 0}, {-1, false, false, 1}};
  BYTE keys[256];
  for (const Case& c : cases) {
    dialogs = 0;
    edit->SetDefBmpID(c.defBmp);
    edit->SetShowButton(c.showButton);
    if (c.byKey) {
      GetKeyboardState(keys);
      keys[VK_MENU] = 0x80;
      SetKeyboardState(keys);
      SendMessageW(edit->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
      keys[VK_MENU] = 0;
      SetKeyboardState(keys);
    } else {
      edit->ButtonAction();
    }
    EXPECT_EQ(dialogs, c.dialogs) << c.defBmp << " " << c.showButton;
  }
}

// Dropped names: each at its whole length, only the first without MultipleDirs, an existing
// file's folder.
TEST_F(ToolEdit, DroppedNames) {
  const std::wstring longName = L"C:\\" + std::wstring(300, L'x');
  const std::wstring file = (scratch / "sub" / "a.txt").wstring();
  { std::FILE* f = _wfopen(file.c_str(), L"w"); std::fclose(f); }
  struct Case {
    std::vector<std::wstring> names;
    bool multiple;
    std::wstring before, after;
  };
  const Case cases[] = {
      {{longName}, false, L"old", longName},
      {{L"C:\\One", L"C:\\Two"}, false, L"old", L"C:\\One"},
      {{L"C:\\One", L"C:\\Two"}, true, L"old", L"old;C:\\One;C:\\Two"},
      {{file}, false, L"", (scratch / "sub").wstring() + L"\\"},
  };
  edit->SetMaxLength(0);
  for (const Case& c : cases) {
    int drops = 0;
    edit->OnDropFiles = [&](TObject*) { ++drops; };
    edit->SetMultipleDirs(c.multiple);
    edit->SetText(c.before);
    SendMessageW(edit->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(c.names)), 0);
    EXPECT_EQ(edit->GetText(), c.after) << c.names[0];
    EXPECT_EQ(drops, 1);
  }
}

// The window is multi-line for its formatting rectangle, yet the text stays one line: a paste
// keeps its first line, Enter inserts nothing.
TEST_F(ToolEdit, TextStaysOneLine) {
  const std::wstring clip = L"C:\\a\r\nB";
  ASSERT_TRUE(OpenClipboard(edit->Handle()));
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
  std::copy(clip.c_str(), clip.c_str() + clip.size() + 1, static_cast<wchar_t*>(GlobalLock(mem)));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
  edit->SetText(L"");
  SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit->GetText(), L"C:\\a");
  SendMessageW(edit->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  SendMessageW(edit->Handle(), WM_CHAR, L'\r', 1);
  EXPECT_EQ(edit->GetText(), L"C:\\a");
}

// The dialog starts at the text when that folder exists (made the current directory unless
// NoChangeDir), at InitialDir for an empty text, at nothing for a missing folder; OK takes the
// choice and remembers it as InitialDir; Cancel changes nothing.
TEST_F(ToolEdit, DialogStartAndResult) {
  const std::wstring dir = scratch.wstring(), sub = (scratch / "sub").wstring(), missing = (scratch / "no").wstring();
  struct Case {
    std::wstring text, initialDir;
    bool noChangeDir, confirm;
    std::wstring offered, cwd, textAfter, initialAfter;
    int changes;
    bool afterAction;
  };
  const std::wstring start = cwd.wstring();
  const Case cases[] = {
      {dir, L"", false, true, dir, dir, sub, sub, 1, true},
      {dir, L"", true, true, dir, start, sub, sub, 1, true},
      {missing, L"", false, true, L"", start, sub, sub, 1, true},
      {L"", dir, true, true, dir, start, sub, sub, 1, true},
      {dir, L"", true, false, dir, start, dir, L"", 0, false},
  };
  for (const Case& c : cases) {
    fs::current_path(cwd);
    edit->SetText(c.text);
    edit->SetInitialDir(c.initialDir);
    edit->SetNoChangeDir(c.noChangeDir);
    std::wstring seen;
    edit->RunDialog = [&](std::wstring& path) {
      seen = path;
      path = c.confirm ? sub : L"ignored";
      return c.confirm;
    };
    int changes = 0;
    std::wstring afterName;
    bool afterAction = !c.afterAction;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->OnAfterDialog = [&](TObject*, std::wstring& n, bool& a) {
      afterName = n;
      afterAction = a;
    };
    edit->ButtonAction();
    EXPECT_EQ(seen, c.offered) << c.text;
    EXPECT_EQ(fs::current_path(), fs::path(c.cwd)) << c.text;
    EXPECT_EQ(edit->GetText(), c.textAfter) << c.text;
    EXPECT_EQ(edit->InitialDir(), c.initialAfter) << c.text;
    EXPECT_EQ(changes, c.changes) << c.text;
    EXPECT_EQ(afterAction, c.afterAction) << c.text;
    EXPECT_EQ(afterName, c.textAfter) << c.text;
    edit->OnChange = nullptr;
  }
}

// The glyph mode's list gives the button its hot and pressed images when they are in the list,
// and its hint a tip over the button's place; on a read-only edit the button looks disabled.
TEST_F(ToolEdit, ButtonFollowsTheGlyphModeAndReadOnly) {
  TImageList list(16, 16);
  for (std::uint32_t colour : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu}) {
    TBitmap32 image(16, 16);
    for (int y = 0; y < 16; ++y) std::fill(image.Row(y), image.Row(y) + 16, colour);
    list.Add(image);
  }
  TsGlyphMode& g = edit->GlyphMode();
  g.Images = &list;
  g.ImageIndex = 0;
  g.ImageIndexHot = 2;
  g.ImageIndexPressed = 7;
  g.Hint = L"Browse";
  edit->GlyphChanged();
  TsEditButton& b = edit->Button();
  EXPECT_EQ(b.StateImageIndex(1), 2);
  EXPECT_EQ(b.Width(), 18);

  ASSERT_NE(edit->HintWindow(), nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  wchar_t text[80]{};
  tool.lpszText = text;
  ASSERT_TRUE(SendMessageW(edit->HintWindow(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_STREQ(text, L"Browse");
  EXPECT_EQ((TRect{tool.rect.left, tool.rect.top, tool.rect.right, tool.rect.bottom}), b.BoundsRect());

  // The button's cache as the edit paints it now, row by row.
  const auto picture = [&] {
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    PumpPending();
    const TBitmap32& px = b.SkinData().CacheBmp()->Pixels();
    std::vector<std::uint32_t> out;
    for (int y = 0; y < px.Height(); ++y) out.insert(out.end(), px.Row(y), px.Row(y) + px.Width());
    return out;
  };
  const auto usable = picture();
  edit->SetReadOnly(true);
  EXPECT_NE(picture(), usable);
  edit->SetReadOnly(false);
  EXPECT_EQ(picture(), usable);
  g.Images = nullptr;
}

// The popup: the button shows it below the edit, right edges lined up, without OnChange while it
// shows; the button again or a press in the edit hides it.
TEST_F(ToolEdit, PopupShowsBelowAndHides) {
  auto* combo = new TsCustomComboEdit(&form);
  combo->SetParent(&form);
  combo->SetBounds(20, 90, 200, 21);
  combo->Loaded();
  TForm popup{nullptr};
  popup.SetBorderStyle(TFormBorderStyle::bsNone);
  combo->SetPopupWindow(&popup);
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->ButtonAction();
  ASSERT_TRUE(combo->PopupShown());
  RECT self{}, shown{}, work{};
  GetWindowRect(combo->Handle(), &self);
  GetWindowRect(popup.Handle(), &shown);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const TPoint want = PopupPlace({self.left, self.top, self.right, self.bottom}, {work.left, work.top, work.right, work.bottom},
                                 {197, 166}, TPopupWindowAlign::pwaRight);
  EXPECT_EQ((TRect{shown.left, shown.top, shown.right, shown.bottom}), Bounds(want.X, want.Y, 197, 166));
  combo->SetText(L"typed");
  EXPECT_EQ(changes, 0);
  combo->ButtonAction();
  EXPECT_FALSE(combo->PopupShown());
  combo->ButtonAction();
  SendMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(combo->PopupShown());
}
