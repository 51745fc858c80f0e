// The messages that list what could not be done: a title, a blank line, then one line per item.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tx3 {

// Their titles; a batch run ends with "something was not done" when one of them was shown.
inline constexpr std::string_view kDossiersNonCrees = "Dossiers non créés:";
inline constexpr std::string_view kParametresNonEcrits = "Paramètres non écrits:";
inline constexpr std::string_view kFichiersNonCrees = "Fichiers non créés:";
inline constexpr std::string_view kNothingDoneTitles[] = {kDossiersNonCrees, kParametresNonEcrits,
                                                          kFichiersNonCrees};

// Lines are separated by CR LF, as the message boxes show them.
inline std::string ListMessage(std::string_view title, const std::vector<std::string>& items) {
  std::string text(title);
  text += "\r\n\r\n";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += items[i];
  }
  return text;
}

}  // namespace tx3
