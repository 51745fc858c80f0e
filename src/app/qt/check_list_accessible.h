// What a screen reader meets on the list with a check box on each row: a list whose rows are
// check boxes, each named by its text, checked or not, with an action that ticks it; a tick
// is told to the screen reader as the row's state change, and the focused row when the list
// takes the focus.
#pragma once

class QListWidget;

namespace tx3 {

// Installs the accessibility factory for `list` (once for the program), and tells the screen
// reader of each tick of its rows and of the focused row when the list takes the focus.
void MakeRowsCheckBoxes(QListWidget* list);

}  // namespace tx3
