// tx3_setup: the window, or the batch front end when any argument is given.
#include <iostream>
#include <string>
#include <vector>

#include "app/batch/batch_front_end.h"

#ifdef TX3_WITH_QT
#include "app/qt/qt_window.h"
#endif

namespace {

int OpenWindow([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef TX3_WITH_QT
  return tx3::RunQtWindow(argc, argv);
#else
  // Exit status 1: the program could not do its work; 2 stays for a malformed command line.
  std::cerr << "tx3_setup: the window is not available in this build; use tx3_setup --batch "
               "(see --help)\n";
  return 1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc <= 1) return OpenWindow(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tx3::RunBatch(args, std::cout, std::cerr);
}
