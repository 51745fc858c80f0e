// The messages that list what could not be done: a title, a blank line, then one line per item
// ("Dossiers non créés:", "Paramètres non écrits:", "Fichiers non créés:").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tx3 {

// Lines are separated by CR LF, as the message boxes show them.
std::string ListMessage(std::string_view title, const std::vector<std::string>& items);

}  // namespace tx3
