// thumbnail_check <PTThumbnail32.dll|PTThumbnail64.dll>: loads the thumbnail extension of this
// process's bitness and drives it as the shell does (class factory, IInitializeWithStream,
// IThumbnailProvider), checking the picture it draws. A plain program, so that the 64-bit build
// (which has no test framework) can run it too. Exit code 0 when every check holds.
#include <windows.h>
#include <objbase.h>
#include <propsys.h>
#include <shlwapi.h>
#include <thumbcache.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
constexpr CLSID kClsid = {0xfe80ed9a, 0x4e3f, 0x4fcc, {0x92, 0xbd, 0x12, 0x3b, 0xce, 0x95, 0x85, 0x77}};
constexpr IID kIidInitializeWithStream = {0xb824b49d, 0x22ac, 0x4161, {0xac, 0x8a, 0x99, 0x16, 0xe8, 0xfa, 0x3f, 0x7f}};
constexpr IID kIidThumbnailProvider = {0xe357fccd, 0xa995, 0x4576, {0xb0, 0x1f, 0x23, 0x46, 0x30, 0x15, 0x4e, 0x96}};
constexpr IID kIidClassFactory = {0x00000001, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

int failures = 0;
void Check(bool ok, const char* what) {
  if (!ok) {
    std::printf("FAIL: %s\n", what);
    ++failures;
  }
}

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using NoArgFn = HRESULT(STDAPICALLTYPE*)();

// The 0x00RRGGBB pixels of a thumbnail bitmap, top row first.
std::vector<std::uint32_t> Pixels(HBITMAP bmp, int size) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> px(std::size_t(size) * size);
  HDC dc = GetDC(nullptr);
  const int rows = GetDIBits(dc, bmp, 0, UINT(size), px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (rows != size) px.clear();
  for (auto& p : px) p &= 0xFFFFFF;
  return px;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: thumbnail_check <library>\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE lib = LoadLibraryW(argv[1]);
  Check(lib != nullptr, "the library loads");
  if (!lib) return 1;
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(lib, "DllGetClassObject")));
  auto canUnload = reinterpret_cast<NoArgFn>(reinterpret_cast<void*>(GetProcAddress(lib, "DllCanUnloadNow")));
  Check(getClassObject && canUnload, "DllGetClassObject and DllCanUnloadNow are exported");
  Check(GetProcAddress(lib, "DllRegisterServer") && GetProcAddress(lib, "DllUnregisterServer"),
        "DllRegisterServer and DllUnregisterServer are exported");
  if (!getClassObject || !canUnload) return 1;

  void* none = nullptr;
  Check(getClassObject(kIidClassFactory, kIidClassFactory, &none) == CLASS_E_CLASSNOTAVAILABLE && !none, "a foreign class is refused");
  IClassFactory* factory = nullptr;
  Check(SUCCEEDED(getClassObject(kClsid, kIidClassFactory, reinterpret_cast<void**>(&factory))) && factory, "the class factory");
  if (!factory) return 1;
  Check(canUnload() == S_FALSE, "the library stays while its factory is held");

  IThumbnailProvider* provider = nullptr;
  Check(SUCCEEDED(factory->CreateInstance(nullptr, kIidThumbnailProvider, reinterpret_cast<void**>(&provider))) && provider,
        "an instance as IThumbnailProvider");
  factory->Release();
  if (!provider) return 1;
  IInitializeWithStream* init = nullptr;
  Check(SUCCEEDED(provider->QueryInterface(kIidInitializeWithStream, reinterpret_cast<void**>(&init))) && init,
        "the instance is also IInitializeWithStream");
  if (!init) return 1;
  HBITMAP bmp = nullptr;
  WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
  Check(provider->GetThumbnail(64, &bmp, &alpha) == E_UNEXPECTED && !bmp, "no thumbnail before Initialize");

  // A file whose bytes cycle 0x20, 0x80, 0xE0: swatch R=0x20 G=0x80 B=0xE0; histogram bars only in
  // the nibble bins 2, 8 and 14, all of the same (full) height.
  std::vector<BYTE> content;
  for (int i = 0; i < 300; ++i) content.insert(content.end(), {0x20, 0x80, 0xE0});
  IStream* stream = SHCreateMemStream(content.data(), UINT(content.size()));
  Check(stream != nullptr, "a memory stream");
  if (!stream) return 1;
  Check(SUCCEEDED(init->Initialize(stream, STGM_READ)), "Initialize with the file's stream");
  Check(FAILED(init->Initialize(stream, STGM_READ)), "a second Initialize is refused");
  stream->Release();

  Check(SUCCEEDED(provider->GetThumbnail(64, &bmp, &alpha)) && bmp, "GetThumbnail(64)");
  if (bmp) {
    BITMAP info{};
    GetObjectW(bmp, sizeof info, &info);
    Check(info.bmWidth == 64 && info.bmHeight == 64 && info.bmBitsPixel == 32, "a 64 x 64 32-bit bitmap");
    Check(alpha == WTSAT_ARGB, "alpha type ARGB");
    const auto px = Pixels(bmp, 64);
    Check(px.size() == 64 * 64, "the bitmap's pixels can be read");
    if (px.size() == 64 * 64) {
      auto at = [&](int x, int y) { return px[std::size_t(y) * 64 + std::size_t(x)]; };
      Check(at(0, 0) == 0x2080E0 && at(63, 31) == 0x2080E0, "the swatch has the bytes' mean colour");
      Check(at(33, 63) == 0xE0E0E0 && at(33, 32) == 0xE0E0E0, "a full bar for the 0x80 bytes");
      Check(at(9, 40) == 0xE0E0E0 && at(57, 40) == 0xE0E0E0, "full bars for the 0x20 and 0xE0 bytes");
      Check(at(1, 63) == 0x202020 && at(20, 40) == 0x202020, "no bars for absent values");
    }
    DeleteObject(bmp);
  }
  init->Release();
  provider->Release();
  Check(canUnload() == S_OK, "the library may unload once everything is released");
  FreeLibrary(lib);
  std::printf("%s: %d failure(s)\n", failures ? "FAILED" : "ok", failures);
  return failures ? 1 : 0;
}
