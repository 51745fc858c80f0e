// The entry point of the window module the program loads when it opens its window.
#include "app/qt/qt_window.h"

extern "C" __attribute__((visibility("default"))) int tx3_run_qt_window(int argc, char** argv) {
  return tx3::RunQtWindow(argc, argv);
}
