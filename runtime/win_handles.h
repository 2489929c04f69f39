// Move-only owners of Win32 handles and GDI objects: the one place where
// they are released.
#pragma once

#include <windows.h>

#include <utility>

namespace mnemora {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset(other.Release());
    }
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) {
      Traits::Close(handle_);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <typename Handle, auto CloseFunction>
struct NullInvalidTraits {
  static constexpr Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { CloseFunction(h); }
};

struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};

inline void DestroyWindowIfAlive(HWND window) {
  if (IsWindow(window)) {
    DestroyWindow(window);
  }
}

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueHook = UniqueHandle<HHOOK, NullInvalidTraits<HHOOK, UnhookWindowsHookEx>>;
using UniqueIcon = UniqueHandle<HICON, NullInvalidTraits<HICON, DestroyIcon>>;
using UniqueWindow = UniqueHandle<HWND, NullInvalidTraits<HWND, DestroyWindowIfAlive>>;
// GDI objects by their type, so that no caller casts what it owns.
template <typename Object>
using UniqueGdi = UniqueHandle<Object, NullInvalidTraits<Object, DeleteObject>>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
// Stock objects by their type; the platform owns them and never frees them.
inline HBRUSH StockBrush(int which) {
  return static_cast<HBRUSH>(GetStockObject(which));
}
inline HFONT StockFont(int which) {
  return static_cast<HFONT>(GetStockObject(which));
}

}  // namespace mnemora
