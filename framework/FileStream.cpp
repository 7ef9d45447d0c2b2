#include "framework/FileStream.h"

#include <algorithm>

std::wstring SysErrorMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD len = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring out;
  if (len != 0 && text) out.assign(text, len);
  LocalFree(text);
  while (!out.empty() && (out.back() <= L' ' || out.back() == L'.')) out.pop_back();
  return out;
}

TFileStream::TFileStream(const std::wstring& fileName, TFileMode mode) : name_(fileName) {
  DWORD access = GENERIC_READ | GENERIC_WRITE, share = 0, disposition = OPEN_EXISTING;
  bool creating = false;
  switch (mode) {
    case TFileMode::fmCreate:
      disposition = CREATE_ALWAYS;
      creating = true;
      break;
    case TFileMode::fmCreateNew:
      disposition = CREATE_NEW;
      creating = true;
      break;
    case TFileMode::fmOpenRead:
      access = GENERIC_READ;
      share = FILE_SHARE_READ;
      break;
    case TFileMode::fmOpenReadWrite:
      break;
  }
  file_.reset(CreateFileW(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) {
    const DWORD err = GetLastError();
    std::wstring text = Format(creating ? L"Cannot create file \"%s\". %s" : L"Cannot open file \"%s\". %s",
                               {fileName, SysErrorMessage(err)});
    if (creating) throw EFCreateError(std::move(text), err);
    throw EFOpenError(std::move(text), err);
  }
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  std::size_t done = 0;
  auto* p = static_cast<std::uint8_t*>(buffer);
  while (done < count) {
    const DWORD want = DWORD(std::min<std::size_t>(count - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file_.get(), p + done, want, &got, nullptr) || got == 0) break;
    done += got;
  }
  return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  std::size_t done = 0;
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  while (done < count) {
    const DWORD want = DWORD(std::min<std::size_t>(count - done, 1u << 30));
    DWORD put = 0;
    if (!WriteFile(file_.get(), p + done, want, &put, nullptr) || put == 0) break;
    done += put;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const DWORD method = origin == TSeekOrigin::soBeginning ? FILE_BEGIN : origin == TSeekOrigin::soCurrent ? FILE_CURRENT : FILE_END;
  LARGE_INTEGER dist, pos{};
  dist.QuadPart = offset;
  if (!SetFilePointerEx(file_.get(), dist, &pos, method)) return -1;
  return pos.QuadPart;
}

void TFileStream::Flush() {
  if (!FlushFileBuffers(file_.get())) throw EWriteError(L"Stream write error");
}
