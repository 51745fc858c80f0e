// "Br_Sys.ini" (radio, stations, users, folders in three forms, one folder table per station)
// and "TX3_Systeme.ini" (database 1, its stations, data and log folders, sound folders).
#include "settings/system_settings.h"

#include <string_view>
#include <utility>

#include "common/run_context.h"
#include "common/text.h"

namespace tx3 {

namespace {

// The eight sound categories, music first, as each file spells them.
constexpr std::array<std::string_view, 8> kBrSysCategories = {"000", "JIN", "LIN", "RUB",
                                                              "INF", "PUB", "PRE", "TMP"};
constexpr std::array<std::string_view, 8> kSystemeCategories = {"Mus", "Jin", "Lin", "Rub",
                                                                "Inf", "Pub", "Pre", "Tmp"};

// Music goes to the music sounds folder, every other category to the other sounds folder.
const std::string& CategoryFolder(const SystemInputs& in, size_t category) {
  return in.folder[category == 0 ? row::kMusicSounds : row::kOtherSounds];
}

// The folder keys of "Repertoires" and "Repertoires_UNC", with their defaults.
std::vector<std::pair<std::string, std::string>> FolderKeys(const SystemInputs& in) {
  const auto& n = in.folder;
  return {
      {"REPPRG", n[row::kApplication]},
      {"REPREDIST", n[row::kRedist]},
      {"REPBTR", n[row::kData]},
      {"REPSAUVEGARDE", n[row::kData]},
      {"REPLOG", n[row::kLog]},
      {"REPLOGPUB", n[row::kLogPub]},
      {"REPGRAPHIC", in.racine + "Graph\\"},
      {"REPVOIX", in.racine + "Voix\\"},
      {"REPNOTE", in.racine + "Notes\\"},
      {"REPBLOCNOTES", in.racine + "Notes\\"},
      {"REPPARTAGE", in.racine + "Shared\\"},
      {"REPEXPORT", in.racine + "Export\\"},
      {"REPLOCAL", n[row::kApplication] + "Local\\"},
      {"REPDIFF", n[row::kApplication] + "Diffusion\\"},
  };
}

void AddFolderSections(const SystemInputs& in, IniKeys& keys) {
  const auto folders = FolderKeys(in);
  for (const auto& [key, value] : folders) keys.push_back({"Repertoires", key, value});
  // The redistributables folder is local only: it has no network switch.
  for (const auto& [key, value] : folders) {
    if (key != "REPREDIST") keys.push_back({"UNC_Actif", key, "ON"});
  }
  for (const auto& [key, value] : folders) keys.push_back({"Repertoires_UNC", key, value});
}

void AddStationSections(RunContext& run, const SystemInputs& in, int k, IniKeys& keys) {
  const std::string kkk = Digits(run, k, 3);
  const std::string local = "Repertoire_Station_" + kkk;
  const std::string unc = "Repertoire_Station_UNC_" + kkk;
  // One key per category in `section`: the category's code and `suffix`, with value(category).
  const auto perCategory = [&](const std::string& section, std::string_view suffix, auto value) {
    for (size_t c = 0; c < kBrSysCategories.size(); ++c) {
      keys.push_back({section, std::string(kBrSysCategories[c]) + std::string(suffix), value(c)});
    }
  };
  const auto fixed = [](std::string text) { return [text](size_t) { return text; }; };
  perCategory(local, "_00", [&](size_t c) { return "O," + CategoryFolder(in, c); });
  perCategory(local, "_LOCK_00", fixed("OFF"));
  perCategory(unc, "_00", [&](size_t c) { return CategoryFolder(in, c); });
  perCategory(unc, "_LOCK_00", fixed("OFF"));
  perCategory("UNC_Actif" + kkk, "_00", fixed("ON"));
}

// The number of leading station fields that are not blank (counting stops at the first blank
// one). When none is named, the first field receives "Station 1" and the count is 1.
int CountStations(SettingsWindow& window) {
  int n = 0;
  while (n < kStationCount && !Trim(window.TexteNomStation(n)).empty()) ++n;
  if (n == 0) {
    window.SetTexteNomStation(0, "Station 1");
    n = 1;
  }
  return n;
}

SystemInputs ReadInputs(StepContext& ctx, int stationCount) {
  SystemInputs in;
  in.folder = ctx.folder;
  in.racine = ctx.racine;
  ctx.e(310, [&] { in.radio = ctx.window.TexteNomRadio(); });
  for (int i = 0; i < stationCount; ++i) {
    in.stations.emplace_back();
    ctx.e(320, [&] { in.stations.back() = ctx.window.TexteNomStation(i); });
  }
  return in;
}

}  // namespace

IniKeys BrSysKeys(RunContext& run, const SystemInputs& in) {
  const int n = static_cast<int>(in.stations.size());
  IniKeys keys;
  keys.push_back({"Div_Radio", "Nom_Radio", in.radio});
  for (int k = 1; k <= n; ++k) {
    keys.push_back({"Div_Radio", "Station_" + Digits(run, k, 3), in.stations[k - 1]});
  }
  keys.push_back({"Stations", "NB_MAX", ToText(n)});
  keys.push_back({"Users", "USER", "TC"});
  AddFolderSections(in, keys);
  for (int k = 1; k <= n; ++k) AddStationSections(run, in, k, keys);
  return keys;
}

IniKeys SystemeKeys(RunContext& run, const SystemInputs& in) {
  const auto& f = in.folder;
  const int n = static_cast<int>(in.stations.size());
  IniKeys keys = {
      {"Base_01", "Lib", in.radio},
      {"Base_01", "Actif", "1"},
      {"Base_01", "NbStation", ToText(n)},
      {"Base_01", "NoStation", "1"},
      {"Base_01", "Dossier_Redist", f[row::kRedist]},
      {"Base_01", "Dossier_Data", f[row::kData]},
      {"Base_01", "Dossier_Data_Backup", f[row::kData]},
      {"Base_01", "Dossier_Log", f[row::kLog]},
      {"Base_01", "Dossier_Log_Pub", f[row::kLogPub]},
      {"Base_01", "Dossier_Notes_Schedule", in.racine + "Notes\\"},
      {"Base_01", "Dossier_Notes", in.racine + "Notes\\"},
      {"Base_01", "Dossier_Shared", in.racine + "Shared\\"},
      {"Base_01", "Dossier_Local", f[row::kApplication] + "Local\\"},
  };
  for (int k = 1; k <= n; ++k) {
    const std::string section = "Base_01_Station_" + Digits(run, k);
    keys.push_back({section, "Lib", in.stations[k - 1]});
    keys.push_back({section, "Actif", "1"});
  }
  for (size_t c = 0; c < kSystemeCategories.size(); ++c) {
    keys.push_back(
        {"Dossiers_Sons_" + std::string(kSystemeCategories[c]), "00", CategoryFolder(in, c)});
  }
  keys.push_back({"Ptx", "Save", "1"});
  return keys;
}

void WriteSystemSettings(StepContext& ctx, SettingsWriter& writer) {
  int stationCount = 1;
  ctx.e(300, [&] { stationCount = CountStations(ctx.window); });
  const SystemInputs in = ReadInputs(ctx, stationCount);
  const std::string& n1 = ctx.folder[row::kConfig];
  KeepOrDefaultAll(ctx, writer, 330, n1 + "Br_Sys.ini", [&] { return BrSysKeys(ctx.run, in); });
  KeepOrDefaultAll(ctx, writer, 350, n1 + "TX3_Systeme.ini",
                   [&] { return SystemeKeys(ctx.run, in); });
}

}  // namespace tx3
