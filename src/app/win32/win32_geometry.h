// A window's density, and the system calls that depend on it.
#pragma once

#include <windows.h>

namespace tx3 {

inline constexpr int kDefaultDpi = USER_DEFAULT_SCREEN_DPI;  // 96: 15 twips a pixel

// The density `window` is shown at: its monitor's with per-monitor awareness (Windows 10 1607
// and later), else the screen's logical density.
int WindowDpi(HWND window);

// Turns per-monitor (v2) awareness on when the manifest did not and the system knows it.
void EnablePerMonitorDpiAwareness();

// The outer size of a window of `style` whose client area is `clientWidth` × `clientHeight`.
SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// A function of user32.dll that older systems lack; nullptr there.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
  // Through the generic function type: the signature is the documented one.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace tx3
