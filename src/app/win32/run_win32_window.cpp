#include "app/win32/run_win32_window.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/frm_main.h"
#include "app/win32/win32_geometry.h"
#include "app/win32/win32_main_window.h"
#include "app/win32/win32_ui_port.h"

namespace tx3 {

namespace {

// Exit status 1: the program could not do its work; 2 stays for a malformed command line.
constexpr int kExitNoWindow = 1;

int RunMessageLoop(HWND window) {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return kExitNoWindow;
    // The dialog manager gives the window its Tab and arrow keys, as a dialog has them.
    if (IsWindow(window) && IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int RunWin32Window() {
  EnablePerMonitorDpiAwareness();
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&classes);
  // The folder picker is a COM object of the shell, which wants a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  int status = kExitNoWindow;
  {
    FrmMain model;
    Win32MainWindow window(model);
    Win32UiPort port(model, window.Handle());
    if (window.IsOpen()) {
      window.QuitWhenClosed(true);
      // The port answers from the first statement of Form_Load on (its error reports included).
      model.SetUiPort(&port);
      model.Create();
      status = 0;
      if (!model.Unloaded() && window.IsOpen()) {
        window.CentreOnScreen();
        window.Show(SW_SHOWDEFAULT);
        status = RunMessageLoop(window.Handle());
      }
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return status;
}

}  // namespace tx3
