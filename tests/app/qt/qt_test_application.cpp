#include "app/qt/qt_test_application.h"

#include <QApplication>

namespace tx3::testing {

void EnsureQtApplication() {
  if (QApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tx3_qt_tests";
  static char* argv[] = {name, nullptr};
  // Lives for the whole test program.
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

}  // namespace tx3::testing

// Fontconfig keeps a cache for the life of the process that LeakSanitizer takes for a leak;
// it is the system library's, not ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
