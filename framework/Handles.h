// RAII owners for the platform handles the framework uses. Each closes its handle exactly once;
// scoped types pair the calls that must be undone in the same function (select/restore,
// BeginPaint/EndPaint, GetDC/ReleaseDC).
#pragma once
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace handle_detail {
template <typename H>
constexpr H Zero() { return H{}; }
inline HANDLE InvalidHandle() { return INVALID_HANDLE_VALUE; }
}  // namespace handle_detail

// Owns one handle; Null gives the value that means "none" (a function, because
// INVALID_HANDLE_VALUE cannot be a template argument).
template <typename H, auto Close, auto Null = handle_detail::Zero<H>>
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(H h) : h_(h) {}
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Null())) {}
  TUniqueHandle& operator=(TUniqueHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Null()));
    return *this;
  }
  ~TUniqueHandle() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != Null(); }
  H release() { return std::exchange(h_, Null()); }
  void reset(H h = Null()) {
    if (h_ != Null()) Close(h_);
    h_ = h;
  }

 private:
  H h_ = Null();
};

namespace handle_detail {
inline void CloseGdi(HGDIOBJ h) { DeleteObject(h); }
inline void CloseHandle_(HANDLE h) { CloseHandle(h); }
inline void CloseKey(HKEY h) { RegCloseKey(h); }
inline void DeleteDC_(HDC h) { DeleteDC(h); }
inline void DestroyWindow_(HWND h) { DestroyWindow(h); }
inline void DestroyIcon_(HICON h) { DestroyIcon(h); }
inline void FreeLibrary_(HMODULE h) { FreeLibrary(h); }
inline void DeleteRgn(HRGN h) { DeleteObject(h); }
inline void FindClose_(HANDLE h) { FindClose(h); }
}  // namespace handle_detail

using TUniqueFont = TUniqueHandle<HFONT, handle_detail::CloseGdi>;
using TUniqueBrush = TUniqueHandle<HBRUSH, handle_detail::CloseGdi>;
using TUniquePen = TUniqueHandle<HPEN, handle_detail::CloseGdi>;
using TUniqueBitmap = TUniqueHandle<HBITMAP, handle_detail::CloseGdi>;
using TUniqueRgn = TUniqueHandle<HRGN, handle_detail::DeleteRgn>;
using TUniqueMemDC = TUniqueHandle<HDC, handle_detail::DeleteDC_>;
using TUniqueKernelHandle = TUniqueHandle<HANDLE, handle_detail::CloseHandle_>;
using TUniqueKey = TUniqueHandle<HKEY, handle_detail::CloseKey>;
using TUniqueIcon = TUniqueHandle<HICON, handle_detail::DestroyIcon_>;
using TUniqueModule = TUniqueHandle<HMODULE, handle_detail::FreeLibrary_>;
using TUniqueWindow = TUniqueHandle<HWND, handle_detail::DestroyWindow_>;

// Files and file searches: "none" is INVALID_HANDLE_VALUE.
using TUniqueFile = TUniqueHandle<HANDLE, handle_detail::CloseHandle_, handle_detail::InvalidHandle>;
using TUniqueFind = TUniqueHandle<HANDLE, handle_detail::FindClose_, handle_detail::InvalidHandle>;

// Selects an object into a device context for the lifetime of the scope.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~TSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint / EndPaint.
class TPaintDC {
 public:
  explicit TPaintDC(HWND wnd) : wnd_(wnd) { dc_ = BeginPaint(wnd, &ps_); }
  ~TPaintDC() { EndPaint(wnd_, &ps_); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC dc() const { return dc_; }
  const RECT& paintRect() const { return ps_.rcPaint; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// GetDC / ReleaseDC (a window's client DC, or the screen's when wnd is null).
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

// GetWindowDC / ReleaseDC: the whole window's DC, frame included.
class TWholeWindowDC {
 public:
  explicit TWholeWindowDC(HWND wnd) : wnd_(wnd), dc_(GetWindowDC(wnd)) {}
  ~TWholeWindowDC() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  TWholeWindowDC(const TWholeWindowDC&) = delete;
  TWholeWindowDC& operator=(const TWholeWindowDC&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

// SaveDC / RestoreDC around clipping or origin changes.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~TSavedDC() { RestoreDC(dc_, id_); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

// An owned COM interface pointer.
template <typename I>
class TComPtr {
 public:
  TComPtr() = default;
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  TComPtr(TComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ~TComPtr() { reset(); }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  I* get() const { return p_; }
  I* operator->() const { return p_; }
  I** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  I* p_ = nullptr;
};

// COM for this thread for one scope (single-threaded apartment); undone on exit only when this
// scope's call started or joined it.
class TComApartment {
 public:
  TComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TComApartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

 private:
  HRESULT hr_;
};

// CoTaskMemFree on scope exit (shell item id lists, strings handed out by COM).
template <typename T>
class TCoTaskMem {
 public:
  TCoTaskMem() = default;
  explicit TCoTaskMem(T* p) : p_(p) {}
  ~TCoTaskMem() { CoTaskMemFree(p_); }
  TCoTaskMem(const TCoTaskMem&) = delete;
  TCoTaskMem& operator=(const TCoTaskMem&) = delete;
  T* get() const { return p_; }
  T** put() {
    CoTaskMemFree(p_);
    p_ = nullptr;
    return &p_;
  }

 private:
  T* p_ = nullptr;
};
