// An exception thrown in an event handler reaches the application's default handler, which
// shows it in a real error box; the program goes on afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Exception.h"
#include "framework/Form.h"

namespace {

struct BoxSeen {
  std::wstring text;
  int buttons = 0;
  std::wstring buttonText;
  bool hasIcon = false;
};

BOOL CALLBACK CountChildren(HWND child, LPARAM lp) {
  auto* seen = reinterpret_cast<BoxSeen*>(lp);
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  if (_wcsicmp(cls, L"Button") == 0 && IsWindowVisible(child)) {
    ++seen->buttons;
    wchar_t t[32] = {};
    GetWindowTextW(child, t, 32);
    seen->buttonText = t;
  }
  if (_wcsicmp(cls, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) seen->hasIcon = true;
  return TRUE;
}

// Waits for a dialog box with the given title on another thread, records it and presses OK.
std::thread WatchForBox(const std::wstring& title, BoxSeen& seen, std::atomic<bool>& found) {
  return std::thread([title, &seen, &found] {
    for (int i = 0; i < 200 && !found; ++i) {
      HWND box = FindWindowW(L"#32770", title.c_str());
      if (box && IsWindowVisible(box)) {
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        seen.text = text;
        EnumChildWindows(box, CountChildren, reinterpret_cast<LPARAM>(&seen));
        found = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(50);
    }
  });
}

}  // namespace

TEST(DefaultExceptionHandler, ShowsErrorBoxAndKeepsRunning) {
  TApplication app;
  app.Initialize();
  TForm* form = app.CreateForm<TForm>();
  form->SetClientSize(200, 100);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 25);
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    if (clicks == 1) throw Exception(L"Resource bass not found");
  };
  form->Show();

  BoxSeen seen;
  std::atomic<bool> found{false};
  std::thread watcher = WatchForBox(app.Title(), seen, found);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);  // returns once the box is closed
  watcher.join();
  ASSERT_TRUE(found);
  EXPECT_EQ(seen.text, L"Resource bass not found.");
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_EQ(seen.buttonText, L"OK");
  EXPECT_TRUE(seen.hasIcon);
  EXPECT_EQ(app.Title(), L"framework_win_tests");

  // The program goes on: the window still works and the next click runs normally.
  EXPECT_TRUE(IsWindow(form->Handle()));
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  app.ProcessMessages();
  EXPECT_FALSE(app.Terminated());
}

namespace {

// A form whose window cannot be made: it asks for a platform class that does not exist.
class TUncreatableForm : public TForm {
 public:
  using TForm::TForm;

 protected:
  void CreateParams(TCreateParams& params) override {
    TForm::CreateParams(params);
    params.WinClassName = L"PrismatoneNoSuchClass";
    params.OwnClass = false;
  }
};

}  // namespace

// An error while the main form gets its window, before the message loop, reaches the default
// handler and ends the run as failed instead of ending the process without a word.
TEST(DefaultExceptionHandler, StartUpErrorIsShownAndFailsTheRun) {
  TApplication app;
  app.Initialize();
  std::vector<std::wstring> shown;
  app.OnShowException = [&](const std::wstring& text) { shown.push_back(text); };
  app.CreateForm<TUncreatableForm>();
  EXPECT_EQ(app.Run(), 1);
  EXPECT_EQ(shown, std::vector<std::wstring>{L"Error creating window."});
}
