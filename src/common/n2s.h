// Fixed-width number-to-text of Lib_Public.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tx3 {

class RunContext;

// `valeur` in `largeur` characters, left-padded with the first character of `remplissage`
// (a space when empty), with `decimales` digits after the point and a minus sign when negative.
std::string N2S(RunContext& run, double valeur, int16_t largeur, int16_t decimales,
                std::string_view remplissage);

}  // namespace tx3
