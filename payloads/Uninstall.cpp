// The product's uninstaller, a placeholder until it removes the product: it says so and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MessageBoxW(nullptr, L"The Prismatone uninstaller is not available in this version.", L"Prismatone", MB_OK | MB_ICONINFORMATION);
  return 0;
}
