// What a screen reader meets on a drop-down list: the name the binding gave the widget (Qt's own
// object names a list after its current item on Linux), the current item as its value, the
// popup's rows as its child, and an action that opens them.
#pragma once

namespace tx3 {

// Installs the accessibility factory for every QComboBox of the program (once).
void InstallListAccessibility();

}  // namespace tx3
