// What a screen reader says for each control of the window: its accessible name, and the
// description that tells in words what a colour shows to the eye. Both views take them from
// here, so that the Qt window and the native window cannot say different things.
#pragma once

#include <string>
#include <string_view>

#include "app/window_layout.h"

namespace tx3 {

// The description of a folder field whose folder does not exist (the field shown red).
inline constexpr std::string_view kMissingFolderDescription = "Dossier introuvable";

// The accessible name of `control`: made from the captions the window shows (the row's label,
// the step's number), so that controls with the same caption ("Créer", "...") are told apart,
// and each contains the caption an operator sees next to it (speech input says what it sees).
// Empty for the status bar, which a screen reader reads by its text.
std::string AccessibleName(const ControlLayout& control);

}  // namespace tx3
