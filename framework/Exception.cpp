#include "framework/Exception.h"

#include "framework/Utf.h"

Exception::Exception(std::wstring message) : std::runtime_error(WideToUtf8(message)), message_(std::move(message)) {}

std::wstring Format(std::wstring_view fmt, std::initializer_list<std::wstring_view> args) {
  std::wstring out;
  auto next = args.begin();
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] == L'%' && i + 1 < fmt.size()) {
      if (fmt[i + 1] == L's') {
        if (next != args.end()) out += *next++;
        ++i;
        continue;
      }
      if (fmt[i + 1] == L'%') {
        out += L'%';
        ++i;
        continue;
      }
    }
    out += fmt[i];
  }
  return out;
}

std::wstring ExceptionMessage(const std::exception_ptr& e) {
  try {
    std::rethrow_exception(e);
  } catch (const Exception& ex) {
    return ex.Message();
  } catch (const std::exception& ex) {
    return Utf8ToWide(ex.what());
  } catch (...) {
    return L"Unknown error";
  }
}

std::wstring ErrorBoxText(std::wstring message) {
  if (!message.empty() && unsigned(message.back()) > unsigned(L'.')) message += L'.';
  return message;
}
