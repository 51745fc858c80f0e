// "Créer les paramètres généraux" with five stations, on the posix platform over a temporary
// emulated drive C:: once on a new configuration folder (about a thousand keys written), once
// on the finished folder (every key read back, nothing written).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <string>

#include "common/ui_port.h"
#include "platform/platform.h"
#include "settings/settings_command.h"
#include "settings/settings_window.h"
#include "system/folder_checks.h"
#include "system/system_context.h"

namespace {

namespace fs = std::filesystem;

class BenchWindow : public tx3::SettingsWindow {
 public:
  std::string TexteDossier(int index) const override { return kFolders.at(index); }
  std::string TexteNomRadio() const override { return "Radio Bench"; }
  std::string TexteNomStation(int index) const override {
    return "Station " + std::to_string(index + 1);
  }
  void SetTexteNomStation(int, std::string_view) override {}
  std::string DossierApplication() const override { return kFolders[0]; }
  int PervasiveSelection() const override { return -1; }
  int ConverterSelection() const override { return -1; }
  int PackageRowCount() const override { return 0; }
  bool PackageRowChecked(int) const override { return false; }
  void SetCheckAction(int, bool) override {}
  void TexteDossier_Change(int) override {}
  bool& TacheEnCours() override { return busy_; }

 private:
  static constexpr std::array<const char*, tx3::kFolderCount> kFolders = {
      "C:\\Bench\\Tarvox\\",   "C:\\Bench\\Tarvox\\Config\\", "C:\\Bench\\Log\\",
      "C:\\Bench\\Log\\Pub\\", "C:\\Bench\\Sons\\Musique\\",  "C:\\Bench\\Sons\\Autre\\",
      "C:\\Bench\\Data\\",     "C:\\Bench\\Redist\\"};
  bool busy_ = false;
};

// The drive folder, set before the system platform first reads TX3_DRIVES, removed at exit.
struct TemporaryDrives {
  fs::path root;
  TemporaryDrives() {
    std::string pattern = (fs::temp_directory_path() / "tx3-bench-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    root = made != nullptr ? fs::path(made) : fs::temp_directory_path() / "tx3-bench";
    setenv("TX3_DRIVES", (root / "drives").c_str(), 1);
    setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
    fs::create_directories(root / "drives" / "c:");
  }
  ~TemporaryDrives() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};
const TemporaryDrives kDrives;

const fs::path kConfig = kDrives.root / "drives" / "c:" / "Bench" / "Tarvox" / "Config";

// A new folder must not be taken for one the run already checked: the run's folder memory goes
// with it.
void FreshConfigFolder(tx3::SystemContext& run) {
  fs::remove_all(kConfig);
  fs::create_directories(kConfig);
  run.SystemeState = tx3::SystemeStateRec{};
}

void BM_GeneralSettingsNewFolder(benchmark::State& state) {
  tx3::SystemContext run;
  BenchWindow window;
  for (auto _ : state) {
    state.PauseTiming();
    FreshConfigFolder(run);
    state.ResumeTiming();
    tx3::CommandCreerSettings_Click(run, window, 2);
  }
}
BENCHMARK(BM_GeneralSettingsNewFolder)->Unit(benchmark::kMillisecond);

void BM_GeneralSettingsFinishedFolder(benchmark::State& state) {
  tx3::SystemContext run;
  BenchWindow window;
  FreshConfigFolder(run);
  tx3::CommandCreerSettings_Click(run, window, 2);
  for (auto _ : state) tx3::CommandCreerSettings_Click(run, window, 2);
}
BENCHMARK(BM_GeneralSettingsFinishedFolder)->Unit(benchmark::kMillisecond);

}  // namespace
