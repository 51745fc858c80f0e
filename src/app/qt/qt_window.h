// The program's window on a desktop: Qt.
#pragma once

namespace tx3 {

// Creates Frm_Main with its Qt view, shows it centred and runs the event loop until the window
// closes. Answers the process's exit status; 1 with a one-line reason when there is no display.
int RunQtWindow(int argc, char** argv);

}  // namespace tx3
