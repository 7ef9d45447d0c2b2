// Opening an address or a file with the shell's "open" verb. The setup runs elevated, and a
// browser started by it would run with administrator rights too; so an elevated process asks the
// desktop's own shell (which runs with the user's ordinary rights) to open it, and only when that
// is impossible, or the process is not elevated, opens it itself.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The three ways the opener touches the system, replaceable by tests.
struct TShellOpenSeam {
  // Whether the process token is elevated.
  std::function<bool()> IsElevated;
  // Asks the desktop shell to open the address; false when it could not be asked.
  std::function<bool(const std::wstring& address, int showCmd)> OpenThroughDesktop;
  // ShellExecuteW(owner, "open", address, no parameters, no folder, showCmd); the result is not
  // checked: a missing handler is the shell's to report.
  std::function<void(HWND owner, const std::wstring& address, int showCmd)> OpenDirectly;
};

// The seam in use; starts with the system's own functions.
TShellOpenSeam& ShellOpenSeam();
// The seam of the system (to restore after a test).
TShellOpenSeam SystemShellOpenSeam();

// Opens the address (nothing for an empty one) as described above: exactly one request.
void ShellOpenAddress(HWND owner, const std::wstring& address, int showCmd);
