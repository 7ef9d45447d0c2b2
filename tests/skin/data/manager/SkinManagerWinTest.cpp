// The manager's Windows side under Wine: its message boxes and their captions, the command line,
// the skin command broadcast through the framework to forms and their controls, and the
// window-creation hook installed when a skin is applied and removed with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "ManagerTestUtil.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/data/sSkinManagerWin.h"

using namespace mgrtest;

// The allocator of this test program can be told to fail its next allocation, to reach the error
// paths of callbacks that allocate. (The compiler cannot see that the replaced operator new
// allocates with malloc, and warns where an inlined delete frees.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
thread_local bool gFailNextAllocation = false;
}
void* operator new(std::size_t size) {
  if (gFailNextAllocation) {
    gFailNextAllocation = false;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct TBox {
  std::wstring text, caption;
  UINT flags;
};

template <typename Base>
class TProbe : public Base {
 public:
  using Base::Base;
  bool skinned = false;  // answers SKIN_ISSKINNED
  std::vector<std::uint16_t> codes;
  std::vector<LPARAM> params;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_SKINCOMMAND) {
      const std::uint16_t code = SkinCommandCode(m.WParam);
      if (code == SKIN_ISSKINNED) {
        m.Result = skinned ? 1 : 0;
        return;
      }
      codes.push_back(code);
      params.push_back(m.LParam);
      m.Result = 0;
      return;
    }
    Base::WndProc(m);
  }
  int Count(std::uint16_t code) const { return int(std::count(codes.begin(), codes.end(), code)); }
};

// The Windows platform with its message boxes recorded, a given command line and the hook's
// notices handed to a test.
class TRecordingPlatform : public TsWinSkinPlatform {
 public:
  std::vector<TBox> boxes;
  std::wstring commandLine = L"setup.exe";
  std::function<void(int code, WPARAM wParam, LPARAM lParam)> onHookNotice;
  int ShowMessageBox(const std::wstring& t, const std::wstring& c, UINT f) override {
    boxes.push_back({t, c, f});
    return IDOK;
  }
  std::wstring CommandLine() override { return commandLine; }
  void WindowHookNotice(int code, WPARAM wParam, LPARAM lParam) override {
    if (onHookNotice) onHookNotice(code, wParam, lParam);
  }
};

class WinManager : public ::testing::Test {
 protected:
  TRecordingPlatform platform;
  std::vector<TBox>& boxes = platform.boxes;
  void SetUp() override { SetSkinPlatform(&platform); }
  void TearDown() override { SetSkinPlatform(nullptr); }
};

}  // namespace

// A load error is shown in a box captioned "Error" with the error icon; the old name comes back.
TEST_F(WinManager, LoadErrorBoxIsCaptionedError) {
  TsSkinManager m(nullptr);
  m.InternalSkins().Add(StoredSkin(L"Test", TestPackage()));
  m.InternalSkins().Add(StoredSkin(L"Broken", {'N', 'O', 'P', 'E'}));
  m.SetSkinName(L"Test");
  m.SetSkinName(L"Broken");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Loaded data is not a packed Velour file");
  EXPECT_EQ(boxes[0].caption, L"Error");
  EXPECT_EQ(boxes[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
  EXPECT_EQ(m.SkinName(), L"Test");
}

// A skin of VERSION 10 shows one warning dialog captioned "Warning" with an OK button per load.
TEST_F(WinManager, TooNewSkinWarningBox) {
  TsSkinManager m(nullptr);
  m.InternalSkins().Add(StoredSkin(L"Test", TestPackage("10")));
  m.SetSkinName(L"Test");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, L"Warning");
  EXPECT_EQ(boxes[0].flags & MB_ICONMASK, UINT(MB_ICONWARNING));
  EXPECT_EQ(boxes[0].flags & MB_TYPEMASK, UINT(MB_OK));
  EXPECT_EQ(boxes[0].text, kNewSkinWarning);
}

// "/skintest" among the parameters, in any case, shows the old-skin notice for a 7.20 skin;
// without it, or as the program name, nothing is shown.
TEST_F(WinManager, SkinTestParameter) {
  TsSkinManager m(nullptr);
  m.InternalSkins().Add(StoredSkin(L"Test", TestPackage("7.20")));
  m.SetSkinName(L"Test");
  EXPECT_TRUE(boxes.empty());
  platform.commandLine = L"/skintest";
  m.SetSkinName(L"Test");
  EXPECT_TRUE(boxes.empty());
  platform.commandLine = L"\"C:\\a b\\setup.exe\" -x /SkinTest";
  m.SetSkinName(L"Test");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, OldSkinMessage(L"Test"));
  EXPECT_EQ(boxes[0].flags & MB_ICONMASK, 0u);
}

// The new-skin command reaches the form and its controls: windowless children and children
// without a window directly, a skinned windowed child by the platform's send, and the children
// of an unskinned windowed child through it. lParam is the manager.
TEST_F(WinManager, BroadcastReachesFormsAndControls) {
  TProbe<TForm> form(nullptr);
  auto* label = new TProbe<TGraphicControl>(&form);
  label->SetParent(&form);
  auto* skinnedPanel = new TProbe<TWinControl>(&form);
  skinnedPanel->skinned = true;
  skinnedPanel->SetParent(&form);
  skinnedPanel->SetBounds(0, 0, 50, 50);
  auto* insideSkinned = new TProbe<TWinControl>(&form);
  insideSkinned->SetParent(skinnedPanel);
  auto* plainPanel = new TProbe<TWinControl>(&form);
  plainPanel->SetParent(&form);
  plainPanel->SetBounds(60, 0, 50, 50);
  auto* insidePlain = new TProbe<TGraphicControl>(&form);
  insidePlain->SetParent(plainPanel);
  form.SetClientSize(200, 100);
  form.HandleNeeded();
  skinnedPanel->HandleNeeded();
  insideSkinned->HandleNeeded();
  plainPanel->HandleNeeded();

  TsSkinManager m(nullptr);
  m.InternalSkins().Add(StoredSkin(L"Test", TestPackage()));
  m.SetSkinName(L"Test");
  const auto self = reinterpret_cast<LPARAM>(&m);
  for (auto* codes : {&form.codes, &label->codes, &skinnedPanel->codes, &insidePlain->codes})
    EXPECT_EQ(std::count(codes->begin(), codes->end(), SKIN_LOADED), 1);
  EXPECT_EQ(insideSkinned->Count(SKIN_LOADED), 0);  // the skinned parent passes it on itself
  EXPECT_EQ(plainPanel->Count(SKIN_LOADED), 0);     // unskinned windows are only searched
  ASSERT_FALSE(label->params.empty());
  EXPECT_EQ(label->params[0], self);
  // The repaint that follows a change of name: stop animations, then refresh.
  auto it = std::find(form.codes.begin(), form.codes.end(), SKIN_LOADED);
  ASSERT_NE(it, form.codes.end());
  EXPECT_EQ(std::vector<std::uint16_t>(it, form.codes.end()),
            (std::vector<std::uint16_t>{SKIN_LOADED, SKIN_STOPANIMATION, SKIN_REFRESH}));
  m.SetActive(false);
  EXPECT_EQ(label->Count(SKIN_UNLOADED), 1);
  EXPECT_EQ(form.Count(SKIN_UNLOADED), 1);
}

// Applying the skin installs the thread's window-creation hook (the handler then sees new
// windows); removing the skin removes it.
TEST_F(WinManager, HookInstalledWithSkinRemovedWithout) {
  std::vector<HWND> created;
  platform.onHookNotice = [&](int code, WPARAM wParam, LPARAM) {
    if (code == HCBT_CREATEWND) created.push_back(reinterpret_cast<HWND>(wParam));
  };
  auto seen = [&](HWND w) { return std::find(created.begin(), created.end(), w) != created.end(); };
  TsSkinManager m(nullptr);
  m.InternalSkins().Add(StoredSkin(L"Test", TestPackage()));
  // As the layout reader does: properties while reading, then Loaded.
  m.SetComponentState(csLoading | csReading);
  m.SetHueOffset(196);
  m.SetSkinName(L"Test");
  m.ClearComponentState(csReading);
  EXPECT_FALSE(SkinHookInstalled());
  m.Loaded();
  EXPECT_TRUE(SkinHookInstalled());
  EXPECT_TRUE(m.GlobalHookInstalled);
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(seen(w));
  DestroyWindow(w);
  m.SetActive(false);
  EXPECT_FALSE(SkinHookInstalled());
  created.clear();
  w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(created.empty());
  DestroyWindow(w);
}

// Destroying the manager that installed the hook removes it.
TEST_F(WinManager, DestroyRemovesHook) {
  {
    TsSkinManager m(nullptr);
    m.InternalSkins().Add(StoredSkin(L"Test", TestPackage()));
    m.SetSkinName(L"Test");
    EXPECT_TRUE(SkinHookInstalled());
  }
  EXPECT_FALSE(SkinHookInstalled());
}

// The platform's values: the program folder with its final separator, system metrics.
TEST_F(WinManager, PlatformValues) {
  TsWinSkinPlatform p;
  const std::wstring folder = p.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(p.VerticalScrollBarWidth(), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_TRUE(p.LayeredWindowsSupported());
  TsSkinManager m(nullptr);
  EXPECT_EQ(m.ScrollBarWidth(), GetSystemMetrics(SM_CXVSCROLL));
}

// An allocation failure inside the window enumeration stops it and is raised again on our side
// of EnumThreadWindows, instead of unwinding through the system's frames.
TEST_F(WinManager, EnumerationErrorComesBackAfterTheCall) {
  ASSERT_EQ(Application, nullptr);
  TForm form(nullptr);  // owned by no application: only the enumeration finds it
  form.HandleNeeded();
  gFailNextAllocation = true;
  EXPECT_THROW(ProgramForms(), std::bad_alloc);
  EXPECT_FALSE(gFailNextAllocation);
  const std::vector<TWinControl*> forms = ProgramForms();
  EXPECT_EQ(forms, std::vector<TWinControl*>{&form});
}

// A skin change reaches the layers above only through the host the platform was made with: the
// glows go first, and the form-animation flag is raised for the change and dropped after it.
TEST(WinSkinEngineHost, SkinChangeReachesTheHost) {
  struct TRecordingHost : TsSkinEngineHost {
    std::vector<std::string> calls;
    void HideAllGlows() override { calls.push_back("glows"); }
    void SetFormAnimationRunning(bool on) override { calls.push_back(on ? "flag on" : "flag off"); }
  } host;
  TsWinSkinPlatform platform(&host);
  SetSkinPlatform(&platform);
  {
    TsSkinManager m(nullptr);
    m.AnimEffects().SkinChanging.Active = true;
    m.InternalSkins().Add(StoredSkin(L"Test", TestPackage()));
    m.SetSkinName(L"Test");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"glows", "flag on", "flag off"}));
  }
  SetSkinPlatform(nullptr);
}
