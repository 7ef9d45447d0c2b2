// The Explorer thumbnail extension for preset (.pts) and theme (.ptt) files: an in-process COM
// server whose one class draws a thumbnail from the file's bytes. The same source builds the
// 32-bit (PTThumbnail32.dll) and the 64-bit (PTThumbnail64.dll) library.
//
// The picture: the upper half is a colour swatch whose red, green and blue are the means of the
// bytes at offsets 0, 1, 2 modulo 3; the lower half is a histogram of the bytes' high nibbles
// (16 bars, light on dark, scaled to the tallest bar). Only the first kMaxBytes bytes are read.
#include <windows.h>
#include <olectl.h>
#include <propsys.h>
#include <shlobj.h>
#include <thumbcache.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

#include "framework/ComGuard.h"

namespace {
// {FE80ED9A-4E3F-4FCC-92BD-123BCE958577}
constexpr CLSID kClsid = {0xfe80ed9a, 0x4e3f, 0x4fcc, {0x92, 0xbd, 0x12, 0x3b, 0xce, 0x95, 0x85, 0x77}};
constexpr wchar_t kClsidText[] = L"{FE80ED9A-4E3F-4FCC-92BD-123BCE958577}";
constexpr wchar_t kClassName[] = L"Prismatone thumbnail handler";
// The shell looks for a file type's thumbnail handler under this key (the IThumbnailProvider IID).
constexpr wchar_t kThumbnailHandlerKey[] = L"ShellEx\\{e357fccd-a995-4576-b01f-234630154e96}";
constexpr const wchar_t* kExtensions[] = {L".pts", L".ptt"};
constexpr std::size_t kMaxBytes = 1 << 20;
// The interfaces' identifiers, spelled out: the import libraries do not carry them.
constexpr IID kIidInitializeWithStream = {0xb824b49d, 0x22ac, 0x4161, {0xac, 0x8a, 0x99, 0x16, 0xe8, 0xfa, 0x3f, 0x7f}};
constexpr IID kIidThumbnailProvider = {0xe357fccd, 0xa995, 0x4576, {0xb0, 0x1f, 0x23, 0x46, 0x30, 0x15, 0x4e, 0x96}};

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

constexpr std::uint32_t Pixel(unsigned r, unsigned g, unsigned b) { return 0xFF000000u | (r << 16) | (g << 8) | b; }

// Draws the picture into size × size top-down pixels (0xAARRGGBB).
void DrawThumbnail(const std::vector<std::uint8_t>& bytes, std::uint32_t* pixels, unsigned size) {
  std::array<std::uint64_t, 3> sum{};
  std::array<std::uint64_t, 3> count{};
  std::array<std::uint64_t, 16> bins{};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    sum[i % 3] += bytes[i];
    ++count[i % 3];
    ++bins[bytes[i] >> 4];
  }
  auto mean = [&](int c) { return count[c] ? unsigned(sum[c] / count[c]) : 128u; };
  const std::uint32_t swatch = Pixel(mean(0), mean(1), mean(2));
  const std::uint32_t back = Pixel(0x20, 0x20, 0x20), bar = Pixel(0xE0, 0xE0, 0xE0);
  const std::uint64_t tallest = *std::max_element(bins.begin(), bins.end());
  const unsigned top = size / 2, graph = size - top;
  for (unsigned y = 0; y < top; ++y) std::fill_n(pixels + std::size_t(y) * size, size, swatch);
  for (unsigned x = 0; x < size; ++x) {
    const std::uint64_t bin = bins[std::size_t(x) * 16 / size];
    const unsigned height = tallest ? unsigned(bin * graph / tallest) : 0;
    for (unsigned y = top; y < size; ++y) pixels[std::size_t(y) * size + x] = (size - y <= height) ? bar : back;
  }
}

class TThumbnailProvider final : public IInitializeWithStream, public IThumbnailProvider {
 public:
  TThumbnailProvider() { ++g_objects; }
  ~TThumbnailProvider() { --g_objects; }

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kIidInitializeWithStream)) {
      *out = static_cast<IInitializeWithStream*>(this);
    } else if (IsEqualIID(riid, kIidThumbnailProvider)) {
      *out = static_cast<IThumbnailProvider*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const long left = --refs_;
    if (left == 0) delete this;
    return ULONG(left);
  }

  // Reads the file's first bytes now: the stream is only valid during the call chain that owns it.
  STDMETHODIMP Initialize(IStream* stream, DWORD) override {
    return ComGuard([&] { return ReadStream(stream); });
  }

  STDMETHODIMP GetThumbnail(UINT cx, HBITMAP* bitmap, WTS_ALPHATYPE* alpha) override {
    return ComGuard([&] { return Draw(cx, bitmap, alpha); });
  }

 private:
  HRESULT ReadStream(IStream* stream) {
    if (!stream) return E_INVALIDARG;
    if (initialized_) return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[4096];
    while (bytes.size() < kMaxBytes) {
      ULONG got = 0;
      const HRESULT hr = stream->Read(chunk, ULONG(std::min<std::size_t>(sizeof chunk, kMaxBytes - bytes.size())), &got);
      if (FAILED(hr)) return hr;
      if (got == 0) break;
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    bytes_ = std::move(bytes);
    initialized_ = true;
    return S_OK;
  }

  HRESULT Draw(UINT cx, HBITMAP* bitmap, WTS_ALPHATYPE* alpha) {
    if (!bitmap || !alpha) return E_POINTER;
    *bitmap = nullptr;
    if (!initialized_) return E_UNEXPECTED;
    if (cx == 0 || cx > 2048) return E_INVALIDARG;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = LONG(cx);
    info.bmiHeader.biHeight = -LONG(cx);  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) return E_OUTOFMEMORY;
    DrawThumbnail(bytes_, static_cast<std::uint32_t*>(bits), cx);
    *bitmap = dib;
    *alpha = WTSAT_ARGB;
    return S_OK;
  }

  std::atomic<long> refs_{1};
  bool initialized_ = false;
  std::vector<std::uint8_t> bytes_;
};

class TClassFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is a static object: its references only keep the module loaded.
  STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++g_locks); }
  STDMETHODIMP_(ULONG) Release() override { return ULONG(--g_locks); }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* provider = new (std::nothrow) TThumbnailProvider;
    if (!provider) return E_OUTOFMEMORY;
    const HRESULT hr = provider->QueryInterface(riid, out);
    provider->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) ++g_locks;
    else --g_locks;
    return S_OK;
  }
};
TClassFactory g_factory;

// Writes the default value (and, when name is given, one more string value) of a key, creating it.
LSTATUS SetKeyValue(const std::wstring& path, const wchar_t* value, const wchar_t* name = nullptr, const wchar_t* named = nullptr) {
  HKEY key = nullptr;
  LSTATUS rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD((wcslen(value) + 1) * sizeof(wchar_t)));
  if (rc == ERROR_SUCCESS && name)
    rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(named), DWORD((wcslen(named) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return rc;
}

// Deletes a key of HKEY_CLASSES_ROOT when it has neither values nor subkeys.
void DeleteKeyIfEmpty(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
  DWORD subkeys = 0, values = 0;
  const LSTATUS rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  if (rc == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
}

// The default value of a key of HKEY_CLASSES_ROOT, or "" when there is none.
std::wstring DefaultValue(const std::wstring& path) {
  wchar_t text[128] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return {};
  return text;
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, kClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }

namespace {
// Registers the class (InprocServer32 = this library's own path, apartment threading) and makes it
// the thumbnail handler of ".pts" and ".ptt".
HRESULT RegisterServer() {
  wchar_t path[MAX_PATH];
  const DWORD len = GetModuleFileNameW(g_module, path, MAX_PATH);
  if (len == 0 || len >= MAX_PATH) return SELFREG_E_CLASS;
  const std::wstring classKey = std::wstring(L"CLSID\\") + kClsidText;
  LSTATUS rc = SetKeyValue(classKey, kClassName);
  if (rc == ERROR_SUCCESS) rc = SetKeyValue(classKey + L"\\InprocServer32", path, L"ThreadingModel", L"Apartment");
  for (const wchar_t* ext : kExtensions) {
    if (rc == ERROR_SUCCESS) rc = SetKeyValue(std::wstring(ext) + L"\\" + kThumbnailHandlerKey, kClsidText);
  }
  if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return S_OK;
}

// Removes what DllRegisterServer wrote: the class key, and the handler keys of ".pts" and ".ptt"
// that name this class. The ShellEx and extension keys go only when nothing else is left in them
// (the file type's own registration stays).
HRESULT UnregisterServer() {
  for (const wchar_t* ext : kExtensions) {
    const std::wstring shellEx = std::wstring(ext) + L"\\ShellEx";
    const std::wstring handler = std::wstring(ext) + L"\\" + kThumbnailHandlerKey;
    if (_wcsicmp(DefaultValue(handler).c_str(), kClsidText) == 0) {
      RegDeleteKeyW(HKEY_CLASSES_ROOT, handler.c_str());
      DeleteKeyIfEmpty(shellEx);
      DeleteKeyIfEmpty(ext);
    }
  }
  const std::wstring classKey = std::wstring(L"CLSID\\") + kClsidText;
  const LSTATUS rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey.c_str());  // the key with its subkeys
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(rc);
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return S_OK;
}
}  // namespace

// The exported entry points: regsvr32 and the shell call them, so no exception may leave them.
extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return ComGuard(RegisterServer); }
extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return ComGuard(UnregisterServer); }
