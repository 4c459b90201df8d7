// What the window classes of ours share: one window procedure that finds the object behind a
// window, and the scaling of the description's pixels to the screen's dots per inch.
#pragma once

#include <windows.h>

namespace win32 {

// Pixels at 96 DPI, the description's, at dpi.
inline int Echelle(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

// The system's DPI for this window: per monitor from Windows 10, else the screen's.
inline int Dpi_De(HWND hwnd) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<TGetDpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi != nullptr && hwnd != nullptr) {
    if (const UINT dpi = get_dpi(hwnd)) return static_cast<int>(dpi);
  }
  HDC ecran = GetDC(nullptr);
  const int dpi = GetDeviceCaps(ecran, LOGPIXELSY);
  ReleaseDC(nullptr, ecran);
  return dpi > 0 ? dpi : 96;
}

// A window whose messages go to T::Traiter(msg, wp, lp). Its class is registered with Procedure
// and the window created with the object as its creation parameter (CreateWindowExW's last
// argument): the object is known from WM_NCCREATE on, so no message of the creation is lost.
template <class T>
class TFenetre_Base {
public:
  HWND Handle() const { return hwnd_; }

protected:
  TFenetre_Base() = default;
  ~TFenetre_Base() { Detruire(); }
  TFenetre_Base(const TFenetre_Base&) = delete;
  TFenetre_Base& operator=(const TFenetre_Base&) = delete;

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      T* objet = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      static_cast<TFenetre_Base*>(objet)->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(objet));
    }
    T* objet = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return objet != nullptr ? objet->Traiter(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
  }

  // The window goes, its messages no longer reaching the object: the derived class calls this
  // first in its destructor, before its members go.
  void Detruire() {
    if (!IsWindow(hwnd_)) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }

  HWND hwnd_ = nullptr;
};

}  // namespace win32
