// The program's native window on Windows.
#pragma once

namespace tx3 {

// Opens the main window, centred, and runs it until it closes. Answers the exit status.
int RunWin32Window();

}  // namespace tx3
