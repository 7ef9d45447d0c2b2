#include "framework/ErrorReport.h"

#include <windows.h>

#include <utility>

#include "framework/Exception.h"

namespace {
TErrorReporter& Reporter() {
  static TErrorReporter reporter;
  return reporter;
}

void ShowPlainBox(const std::exception_ptr& error) noexcept {
  try {
    const std::wstring text = ErrorBoxText(ExceptionMessage(error));
    MessageBoxW(nullptr, text.c_str(), L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
    // Not even the text could be made (no memory): there is nobody left to tell.
  }
}
}  // namespace

TErrorReporter SetErrorReporter(TErrorReporter reporter) { return std::exchange(Reporter(), std::move(reporter)); }

void ReportError(const std::exception_ptr& error) noexcept {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const EAbort&) {
    return;  // silent by intent
  } catch (...) {
  }
  if (!Reporter()) {
    ShowPlainBox(error);
    return;
  }
  try {
    Reporter()(error);
  } catch (...) {
    ShowPlainBox(error);
  }
}
