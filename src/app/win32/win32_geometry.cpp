#include "app/win32/win32_geometry.h"

namespace tx3 {

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : kDefaultDpi;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

void EnablePerMonitorDpiAwareness() {
  using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  static const auto setContext = User32Function<SetContextFn>("SetProcessDpiAwarenessContext");
  // Fails harmlessly when the manifest already set the awareness.
  if (setContext != nullptr && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
  if (setContext != nullptr) return;
  using SetAwareFn = BOOL(WINAPI*)();
  static const auto setAware = User32Function<SetAwareFn>("SetProcessDPIAware");
  if (setAware != nullptr) setAware();
}

SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
  RECT r{0, 0, clientWidth, clientHeight};
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  if (adjustForDpi == nullptr || !adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
  }
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace tx3
