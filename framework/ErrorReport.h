// Where an error goes that was caught where it may not propagate: a window procedure, a timer,
// a hook, a painting step. The application installs its default handler as the reporter; with
// none installed the error is shown in a plain box. Framework units report through here, so
// that none of them needs the application object.
#pragma once
#include <exception>
#include <functional>

using TErrorReporter = std::function<void(const std::exception_ptr& error)>;

// Installs the reporter (an empty one restores the plain box) and returns the previous one.
TErrorReporter SetErrorReporter(TErrorReporter reporter);
// Hands the error to the reporter. Never throws: an error inside the reporter itself is shown in
// the plain box.
void ReportError(const std::exception_ptr& error) noexcept;
