// The framework's exception: a UTF-16 message (file names in messages are UTF-16) with a UTF-8
// what() for code that only knows std::exception.
#pragma once
#include <exception>
#include <initializer_list>
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

// A silent exception: it ends what was being done, and no error box reports it.
class EAbort : public Exception {
 public:
  using Exception::Exception;
};

// Replaces each "%s" of fmt by the next argument, in order ("%%" is a literal "%").
std::wstring Format(std::wstring_view fmt, std::initializer_list<std::wstring_view> args);

// The message of any exception: Exception's own, std::exception's what() read as UTF-8.
std::wstring ExceptionMessage(const std::exception_ptr& e);

// The text of the default error box: the message, with "." appended when its last character's
// code is above that of "." (so a message ending in ".", "!" or ")" is left alone; one ending in
// a letter, a digit or "?" gets a full stop).
std::wstring ErrorBoxText(std::wstring message);
