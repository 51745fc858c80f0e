// tx3_setup: the window, or the batch front end when any argument is given.
#include <iostream>
#include <string>
#include <vector>

#include "app/batch/batch_front_end.h"
#include "platform/platform.h"

#ifdef TX3_WITH_QT
#include "app/qt/qt_window.h"
#endif

namespace {

// Without a display, or in a build without the window, the window cannot open. Exit status 1:
// the program could not do its work; 2 stays for a malformed command line.
constexpr int kExitNoWindow = 1;

#ifdef TX3_WITH_QT
bool DisplayAvailable() {
  tx3::platform::Platform& os = tx3::platform::Os();
  return os.GetEnv("DISPLAY").has_value() || os.GetEnv("WAYLAND_DISPLAY").has_value() ||
         os.GetEnv("QT_QPA_PLATFORM").has_value();
}
#endif

int OpenWindow([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef TX3_WITH_QT
  if (!DisplayAvailable()) {
    std::cerr
        << "tx3_setup: no display to open the window on; use tx3_setup --batch (see --help)\n";
    return kExitNoWindow;
  }
  return tx3::RunQtWindow(argc, argv);
#else
  std::cerr << "tx3_setup: the window is not available in this build; use tx3_setup --batch "
               "(see --help)\n";
  return kExitNoWindow;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc <= 1) return OpenWindow(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tx3::RunBatch(args, std::cout, std::cerr);
}
