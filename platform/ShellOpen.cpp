#include "platform/ShellOpen.h"

#include <exdisp.h>
#include <oleauto.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "framework/Handles.h"

// shellapi.h maps ShellExecute to ShellExecuteW; IShellDispatch2's method has the plain name.
#undef ShellExecute

namespace {

bool TokenElevated() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
  TUniqueKernelHandle token(raw);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return false;
  return elevation.TokenIsElevated != 0;
}

// A BSTR freed on scope exit.
class TBStr {
 public:
  explicit TBStr(const std::wstring& s) : s_(SysAllocStringLen(s.data(), UINT(s.size()))) {}
  ~TBStr() { SysFreeString(s_); }
  TBStr(const TBStr&) = delete;
  TBStr& operator=(const TBStr&) = delete;
  BSTR get() const { return s_; }

 private:
  BSTR s_;
};

// VARIANTs given to the shell: strings and integers only, cleared on scope exit.
class TVariant {
 public:
  TVariant() { VariantInit(&v_); }
  explicit TVariant(const std::wstring& s) : TVariant() {
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocStringLen(s.data(), UINT(s.size()));
  }
  explicit TVariant(int i) : TVariant() {
    v_.vt = VT_I4;
    v_.lVal = i;
  }
  ~TVariant() { VariantClear(&v_); }
  TVariant(const TVariant&) = delete;
  TVariant& operator=(const TVariant&) = delete;
  VARIANT* get() { return &v_; }
  const VARIANT& value() const { return v_; }

 private:
  VARIANT v_;
};

// The desktop window's shell view → its folder view → the shell application object, whose
// ShellExecute runs in Explorer's process.
bool DesktopShellExecute(const std::wstring& address, int showCmd) {
  TComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.put_void())))
    return false;
  TVariant location{int(CSIDL_DESKTOP)}, empty;
  long hwnd = 0;
  TComPtr<IDispatch> desktop;
  if (windows->FindWindowSW(location.get(), empty.get(), SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH, desktop.put()) != S_OK ||
      !desktop)
    return false;
  TComPtr<IServiceProvider> services;
  if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.put_void()))) return false;
  TComPtr<IShellBrowser> browser;
  if (FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put_void()))) return false;
  TComPtr<IShellView> view;
  if (FAILED(browser->QueryActiveShellView(view.put())) || !view) return false;
  TComPtr<IDispatch> background;
  if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.put_void()))) return false;
  TComPtr<IShellFolderViewDual> folderView;
  if (FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.put_void()))) return false;
  TComPtr<IDispatch> application;
  if (FAILED(folderView->get_Application(application.put())) || !application) return false;
  TComPtr<IShellDispatch2> shell;
  if (FAILED(application->QueryInterface(IID_IShellDispatch2, shell.put_void()))) return false;
  TBStr file(address);
  TVariant noArgs{std::wstring()}, noDir{std::wstring()}, verb{std::wstring(L"open")}, show{showCmd};
  return SUCCEEDED(shell->ShellExecute(file.get(), noArgs.value(), noDir.value(), verb.value(), show.value()));
}

}  // namespace

TShellOpenSeam SystemShellOpenSeam() {
  return {TokenElevated, DesktopShellExecute, [](HWND owner, const std::wstring& address, int showCmd) {
            ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, showCmd);
          }};
}

TShellOpenSeam& ShellOpenSeam() {
  static TShellOpenSeam seam = SystemShellOpenSeam();
  return seam;
}

void ShellOpenAddress(HWND owner, const std::wstring& address, int showCmd) {
  if (address.empty()) return;
  TShellOpenSeam& seam = ShellOpenSeam();
  if (seam.IsElevated() && seam.OpenThroughDesktop(address, showCmd)) return;
  seam.OpenDirectly(owner, address, showCmd);
}
