#include "framework/Application.h"

#include <objbase.h>

#include "framework/ErrorReport.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/Thread.h"

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr) {
  if (!Application) {
    Application = this;
    // Errors caught in window procedures, timers and hooks come to the default handler.
    SetErrorReporter([this](const std::exception_ptr& e) { HandleException(e); });
    // The application's thread is the user-interface thread: worker threads hand their
    // synchronised calls to it, and its message loop runs them.
    TThread::InitSynchronize();
  }
}

TApplication::~TApplication() {
  // Released forms still waiting go first, while everything they may touch still exists.
  DestroyReleasedForms();
  // Forms go before COM is released: their components may hold COM objects.
  DestroyComponents();
  mainForm_ = nullptr;
  if (comInitialized_) CoUninitialize();
  if (Application == this) {
    SetErrorReporter(nullptr);
    Application = nullptr;
  }
}

void TApplication::Initialize() {
  if (!comInitialized_) comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
}

bool TApplication::PumpMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) return true;
  // Tab, arrows, Enter and Escape work in whichever of our forms is active, as in a dialog (the
  // main form when none is: keys posted to its controls while the program is in the background).
  HWND dialog = GetActiveWindow();
  if (!dynamic_cast<TForm*>(TWinControl::FromHandle(dialog)))
    dialog = Application && Application->mainForm_ && Application->mainForm_->HandleAllocated() ? Application->mainForm_->Handle() : nullptr;
  if (dialog && IsDialogMessageW(dialog, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PumpMessage(msg)) return false;
  if (msg.message == WM_QUIT) terminated_ = true;
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

int TApplication::Run() {
  // Errors inside the loop reach the default handler through the window procedures; one raised
  // while the main form gets its window must reach it too, and end the program as failed.
  try {
    if (mainForm_) mainForm_->Show();
  } catch (...) {
    HandleException(std::current_exception());
    return 1;
  }
  while (!terminated_) {
    MSG msg;
    if (!ProcessMessage(msg)) WaitMessage();
  }
  return 0;
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

std::wstring TApplication::ExeName() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring TApplication::Title() const {
  std::wstring name = ExeName();
  name = name.substr(name.find_last_of(L"\\/") + 1);
  if (auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.resize(dot);
  return name;
}

void TApplication::ShowException(const std::wstring& message) {
  const std::wstring text = ErrorBoxText(message);
  if (OnShowException) {
    OnShowException(text);
    return;
  }
  HWND owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
  MessageBoxW(owner, text.c_str(), Title().c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(const std::exception_ptr& e) { ShowException(ExceptionMessage(e)); }

