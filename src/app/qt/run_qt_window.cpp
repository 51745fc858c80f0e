// The window module's entry, which the program loads when it opens its window: Frm_Main with its
// Qt view, shown centred, the event loop run until the window closes. Answers the process's exit
// status; 1 with a one-line reason when there is no display.
#include <QApplication>
#include <iostream>

#include "app/frm_main.h"
#include "app/qt/artwork.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_ui_port.h"
#include "platform/platform.h"

namespace tx3 {

namespace {

// Qt aborts the program when it finds no display: look before it does.
bool DisplayAvailable() {
  platform::Platform& os = platform::Os();
  return os.GetEnv("DISPLAY").has_value() || os.GetEnv("WAYLAND_DISPLAY").has_value() ||
         os.GetEnv("QT_QPA_PLATFORM").has_value();
}

// Exit status 1: the program could not do its work; 2 stays for a malformed command line.
constexpr int kExitNoWindow = 1;

}  // namespace

extern "C" __attribute__((visibility("default"))) int tx3_run_qt_window(int argc, char** argv) {
  if (!DisplayAvailable()) {
    std::cerr
        << "tx3_setup: no display to open the window on; use tx3_setup --batch (see --help)\n";
    return kExitNoWindow;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());

  FrmMain model;
  QtMainWindow window(model);
  QtUiPort port(model, &window);
  // The port answers from the first statement of Form_Load on (its error reports included).
  model.SetUiPort(&port);
  model.Create();

  if (model.Unloaded()) return 0;
  window.CentreOnScreen();
  window.show();
  // The keyboard works at once, even where no window manager gives a new window the focus.
  window.activateWindow();
  return QApplication::exec();
}

}  // namespace tx3
