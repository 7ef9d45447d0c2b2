// Process entry: the application, the setup window from its stored layout, the message loop.
#include <windows.h>

#include "framework/Application.h"
#include "platform/SafeLibrary.h"
#include "platform/SystemInfo.h"
#include "setup/Unit1.h"
#include "skin/frame/sFormSkinPlatform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before anything else can load a library: none may come from the program's own folder.
  RestrictLibrarySearch();
  TApplication app;
  InstallSystemColors();
  // The skin engine, with a skinned frame for every form at its first activation.
  InstallFormSkinning();
  app.Initialize();
  try {
    Form1 = app.CreateForm<TForm1>();
  } catch (...) {
    app.HandleException(std::current_exception());
    return 1;
  }
  return app.Run();
}
