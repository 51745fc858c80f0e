// The advertising defaults: the starting hour of each slice, the positions and durations of the
// breaks of every hour of every weekday, and the names of the advertising voices.
#include "settings/ini_key.h"

#include <array>
#include <string>
#include <string_view>

#include "common/run_context.h"

namespace tx3 {

namespace {

constexpr int kHours = 24;
constexpr int kVoices = 30;

constexpr std::array<std::string_view, 7> kDayPrefixes = {"Lun_", "Mar_", "Mer_", "Jeu_",
                                                          "Ven_", "Sam_", "Dim_"};

// Sixteen breaks per hour; the first four are set in the defaults.
constexpr std::string_view kPositions =
    "008;020;030;050;000;000;000;000;000;000;000;000;000;000;000;000;";
constexpr std::string_view kDurations =
    "400;400;400;400;000;000;000;000;000;000;000;000;000;000;000;000;";

// Every "_Pos" key (hour by hour, Monday to Sunday within the hour), then every "_Dur" key.
void AddBreakTable(RunContext& run, std::string_view suffix, std::string_view value,
                   IniKeys& keys) {
  for (int h = 0; h < kHours; ++h) {
    const std::string hh = Digits(run, h);
    for (std::string_view day : kDayPrefixes) {
      keys.push_back({"Pub_Position_Duree_Ecrans", std::string(day) + hh + std::string(suffix),
                      std::string(value)});
    }
  }
}

}  // namespace

IniKeys AdvertisingDefaultKeys(RunContext& run) {
  IniKeys keys;
  for (int h = 0; h < kHours; ++h) {
    keys.push_back({"Pub_Heures_Des_Tranches", "Debut_Tranche_" + Digits(run, h), Digits(run, h)});
  }
  AddBreakTable(run, "_Pos", kPositions, keys);
  AddBreakTable(run, "_Dur", kDurations, keys);
  for (int v = 1; v <= kVoices; ++v)
    keys.push_back({"Pub_Voix", "Voix_" + Digits(run, v), "Voix " + Digits(run, v)});
  return keys;
}

}  // namespace tx3
