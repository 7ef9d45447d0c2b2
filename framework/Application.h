// The application object: COM for the user-interface thread, the message loop, and the default
// exception handler that shows an error in a box and lets the program go on.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "framework/Component.h"

class TForm;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  // COM as a single-threaded apartment for this (the user-interface) thread.
  void Initialize();
  // Creates a form owned by the application; the first one becomes the main form.
  template <typename F>
  F* CreateForm() {
    F* form = new F(this);
    if (!mainForm_) {
      mainForm_ = form;
      form->SetEndsApplication(true);
    }
    return form;
  }
  TForm* MainForm() const { return mainForm_; }
  // Shows the main form and runs the message loop until Terminate. Returns the process's exit
  // code: 0, or 1 when showing the main form failed (the error has been shown by then).
  int Run();
  // Dispatches every message already waiting, then returns.
  void ProcessMessages();
  // One step of every message loop (Run's, ProcessMessages', a modal form's): takes the next
  // waiting message and dispatches it, Tab, Enter and Escape going to the dialog handling of the
  // active form of ours. Returns false when nothing was waiting. A WM_QUIT is taken but not
  // dispatched: the caller finds it in msg.
  static bool PumpMessage(MSG& msg);
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The executable's name without folder and extension: the title of error boxes.
  std::wstring Title() const;
  std::wstring ExeName() const;

  // The default exception handler: shows the message of e in an error box.
  void HandleException(const std::exception_ptr& e);
  // The error box: the message (see ErrorBoxText), error icon, one OK button, titled Title().
  // Tests may replace it to observe what would be shown.
  std::function<void(const std::wstring& text)> OnShowException;
  void ShowException(const std::wstring& message);

 private:
  bool ProcessMessage(MSG& msg);
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool comInitialized_ = false;
};

// The one application object of the process (created by the program's entry).
extern TApplication* Application;

