// The music-scheduling defaults: criteria vocabularies, nine strategies and their rules, day
// types, clock groups and hour-by-hour tables. The encoded values are read by the scheduling
// programs; this tool writes them unchanged.
#include "settings/ini_key.h"

#include <array>
#include <string>

#include "common/run_context.h"

namespace tx3 {

namespace {

constexpr int kStrategies = 9;  // every numbered series runs over 01 to 09

struct Vocabulary {
  std::string_view section;
  std::string_view keyPrefix;
  std::array<std::string_view, 5> words;
  int count;
};

constexpr std::array<Vocabulary, 5> kVocabularies = {{
    {"Mus_Couleur", "Couleur_", {"Suicide", "Triste", "Moyen", "Heureux", "Extase"}, 5},
    {"Mus_Puissance", "Puissance_", {"Chuchotement", "Soft", "Normal", "Pêche", "Massacre"}, 5},
    {"Mus_Style", "Style_", {"Seventies", "Eighties", "Nineties", "Toughties", "Tenties"}, 5},
    {"Mus_Type", "Type_", {"Dans le format", "Cross-Over", "Hors format"}, 3},
    {"Mus_Tempo", "Tempo_", {"Slow", "Medium Slow", "Medium", "Medium Fast", "Fast"}, 5},
}};

// A numbered series: key prefix + nn, with a fixed default or the default text + " " + nn.
struct Series {
  std::string_view section;
  std::string_view keyPrefix;
  std::string_view value;
  bool numberedValue;
};

constexpr std::string_view kBpmVariation =
    "P01:080/006;P02:100/006;P03:120/003;P04:130/003;P05:140/002;";
constexpr std::string_view kDayBefore = "LUN:VEN;MAR:MAR;MER:MER;JEU:MAR;VEN:MER;SAM:SAM;DIM:DIM;";
constexpr std::string_view kLinks = "COU:09/14;PUI:11/14;STY:03/15;TYP:03/15;TEM:11/14;";

constexpr std::array<Series, 6> kSeriesBeforeLibs = {{
    {"Mus_BPM_Variation", "Strat_", kBpmVariation, false},
    {"Mus_Jour_Avant", "Strat_", kDayBefore, false},
    {"Mus_Liaison", "Strat_", kLinks, false},
    {"Mus_Strategie", "Strat_", "Stratégie ", true},
    {"Mus_Tranche", "Tranche_", "Tranche ", true},
    {"Mus_TypeJour", "Type_", "Type ", true},
}};
constexpr Series kClockGroups = {"Mus_GroupeHorloge", "Type_", "Groupe d'horloge ", true};

constexpr std::array<std::array<std::string_view, 2>, 3> kMiscLabels = {{
    {"Lib_01", "Fréquence"},
    {"Lib_02", "Climat"},
    {"Lib_03", "Nature"},
}};

constexpr std::array<std::array<std::string_view, 2>, 9> kMorningProtection = {{
    {"Strat_01_17", "0708"},
    {"Strat_01_18", "0708"},
    {"Strat_02_17", "0708"},
    {"Strat_02_18", "0708"},
    {"Strat_03_17", "0708"},
    {"Strat_03_18", "0708"},
    {"Strat_08_16", "07"},
    {"Strat_08_17", "08"},
    {"Strat_08_18", "09"},
}};

// Affinity matrices: rows D1 to D5, columns F1 to F5, "O" allowed, "N" refused.
constexpr std::string_view kMatrixA =
    "D1F1:N;D1F2:O;D1F3:O;D1F4:O;D1F5:O;D2F1:O;D2F2:O;D2F3:O;D2F4:O;D2F5:O;D3F1:O;D3F2:O;D3F3:O;"
    "D3F4:O;D3F5:O;D4F1:O;D4F2:O;D4F3:O;D4F4:O;D4F5:O;D5F1:O;D5F2:O;D5F3:O;D5F4:O;D5F5:O;";
constexpr std::string_view kMatrixB =
    "D1F1:O;D1F2:O;D1F3:O;D1F4:N;D1F5:N;D2F1:O;D2F2:O;D2F3:O;D2F4:O;D2F5:N;D3F1:O;D3F2:O;D3F3:O;"
    "D3F4:O;D3F5:O;D4F1:N;D4F2:O;D4F3:O;D4F4:O;D4F5:O;D5F1:N;D5F2:N;D5F3:O;D5F4:O;D5F5:O;";
constexpr std::string_view kMatrixC =
    "D1F1:N;D1F2:O;D1F3:O;D1F4:O;D1F5:O;D2F1:O;D2F2:N;D2F3:O;D2F4:O;D2F5:O;D3F1:O;D3F2:O;D3F3:N;"
    "D3F4:O;D3F5:O;D4F1:O;D4F2:O;D4F3:O;D4F4:N;D4F5:O;D5F1:O;D5F2:O;D5F3:O;D5F4:O;D5F5:N;";

// One matrix per criterion: colour, power, style, type, tempo.
constexpr std::array<std::array<std::string_view, 2>, 5> kAffinities = {{
    {"_Cou", kMatrixA},
    {"_Pui", kMatrixB},
    {"_Sty", kMatrixC},
    {"_Typ", kMatrixA},
    {"_Tem", kMatrixA},
}};

// Hourly tables, hours 00 to 23.
constexpr std::string_view kQuotas =
    "00:000005;01:000005;02:000005;03:000005;04:000005;05:000005;06:020035;07:020035;08:020035;"
    "09:020035;10:020035;11:020035;12:020035;13:020040;14:020040;15:020040;16:020040;17:020025;"
    "18:020025;19:020025;20:020040;21:020040;22:020040;23:000040;";
constexpr std::string_view kTalents =
    "00:000100;01:000100;02:000100;03:000100;04:000100;05:000100;06:025100;07:025100;08:025100;"
    "09:025100;10:025100;11:025100;12:025100;13:025100;14:025100;15:025100;16:025100;17:025100;"
    "18:025100;19:025100;20:025100;21:025100;22:025100;23:000100;";

constexpr std::array<std::array<std::string_view, 2>, 3> kDayTables = {{
    {"Mus_Quotas", kQuotas},
    {"Mus_Talents", kTalents},
    {"Mus_NewProd", kTalents},
}};

constexpr std::array<std::string_view, 7> kDaySuffixes = {"_Lun", "_Mar", "_Mer", "_Jeu",
                                                          "_Ven", "_Sam", "_Dim"};

void AddVocabularies(RunContext& run, IniKeys& keys) {
  for (const Vocabulary& v : kVocabularies) {
    for (int i = 1; i <= v.count; ++i) {
      keys.push_back({std::string(v.section), std::string(v.keyPrefix) + Digits(run, i),
                      std::string(v.words[i - 1])});
    }
  }
}

void AddSeries(RunContext& run, const Series& s, IniKeys& keys) {
  for (int n = 1; n <= kStrategies; ++n) {
    const std::string nn = Digits(run, n);
    keys.push_back({std::string(s.section), std::string(s.keyPrefix) + nn,
                    std::string(s.value) + (s.numberedValue ? nn : "")});
  }
}

void AddPairs(std::string_view section, const auto& pairs, IniKeys& keys) {
  for (const auto& [key, value] : pairs) {
    keys.push_back({std::string(section), std::string(key), std::string(value)});
  }
}

void AddAffinities(RunContext& run, IniKeys& keys) {
  for (int n = 1; n <= kStrategies; ++n) {
    const std::string strat = "Strat_" + Digits(run, n);
    for (const auto& [suffix, matrix] : kAffinities) {
      keys.push_back({"Mus_Affinite", strat + std::string(suffix), std::string(matrix)});
    }
  }
}

void AddDayTables(RunContext& run, IniKeys& keys) {
  for (const auto& [section, table] : kDayTables) {
    for (int n = 1; n <= kStrategies; ++n) {
      const std::string strat = "Strat_" + Digits(run, n);
      for (std::string_view day : kDaySuffixes) {
        keys.push_back({std::string(section), strat + std::string(day), std::string(table)});
      }
    }
  }
}

}  // namespace

IniKeys MusicDefaultKeys(RunContext& run) {
  IniKeys keys;
  AddVocabularies(run, keys);
  for (const Series& s : kSeriesBeforeLibs) AddSeries(run, s, keys);
  AddPairs("Mus_Lib_Divers", kMiscLabels, keys);
  keys.push_back({"Mus_Programmation", "TYPE_JOURNEE_PAR_DEFAUT", "1"});
  AddSeries(run, kClockGroups, keys);
  AddPairs("Mus_Protection_Matin_AM", kMorningProtection, keys);
  AddAffinities(run, keys);
  AddDayTables(run, keys);
  return keys;
}

}  // namespace tx3
