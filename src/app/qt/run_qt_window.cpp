#include <QApplication>

#include "app/frm_main.h"
#include "app/qt/artwork.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_ui_port.h"
#include "app/qt/qt_window.h"
#include "common/ui_port.h"

namespace tx3 {

int RunQtWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());

  FrmMain model;
  QtMainWindow window(model);
  QtUiPort port(model, &window);
  // The port answers from the first statement of Form_Load on (its error reports included).
  SetUiPort(&port);
  model.Create();
  window.RenderAll();

  int status = 0;
  if (!model.Unloaded()) {
    window.CentreOnScreen();
    window.show();
    status = QApplication::exec();
  }
  SetUiPort(nullptr);
  return status;
}

}  // namespace tx3
