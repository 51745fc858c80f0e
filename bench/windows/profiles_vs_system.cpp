// Steps 2 and 3 ("Créer les paramètres structurels", "Créer les paramètres généraux") through
// this program's profile engine and through the system's own GetPrivateProfileStringA /
// WritePrivateProfileStringA, in one run: for the default window and for five stations, on a new
// folder and again on the finished one. Prints the median times of five runs and their ratio.
//
// Run under wine64 by bench/windows/run.sh (a throw-away prefix), or on Windows itself.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/frm_main.h"
#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace {

using tx3::platform::ProfileFileChange;
using tx3::platform::win32::Win32Platform;

// The Windows platform with the system's profile functions in place of the engine: every call
// goes to the system at once, as the program's calls went before it had its own engine.
class SystemProfilesPlatform final : public Win32Platform {
 public:
  uint32_t ReadProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::string* value,
                             std::string_view file) override {
    std::vector<char> buffer(65536);
    const DWORD length = ::GetPrivateProfileStringA(
        Ansi(section).c_str(), Ansi(key).c_str(), Ansi(defaultValue).c_str(), buffer.data(),
        static_cast<DWORD>(buffer.size()), Ansi(file).c_str());
    *value = AnsiToUtf8(std::string_view(buffer.data(), length));
    return length;
  }
  bool WriteProfileEntry(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) override {
    return ::WritePrivateProfileStringA(Ansi(section).c_str(), Ansi(key).c_str(),
                                        Ansi(value).c_str(), Ansi(file).c_str()) != FALSE;
  }
  void BeginProfileTransaction() override {}
  std::vector<ProfileFileChange> CommitProfileWrites() override { return {}; }
  void EndProfileTransaction() override {}

 private:
  std::string Ansi(std::string_view utf8) { return Utf8ToAnsi(utf8); }
};

std::string TemporaryFolder(const char* name) {
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH, temp);
  return tx3::platform::win32::Narrow(temp) + "tx3_bench_" + std::to_string(::GetTickCount64()) +
         "_" + name + "\\";
}

// One window of the run: its folders under `root`, and five stations or the default one.
void PrepareWindow(tx3::FrmMain& window, const std::string& root, bool fiveStations) {
  window.Create();
  const char* rows[] = {"Tarvox\\",  "Tarvox\\Config\\", "Log\\",   "LogPub\\",
                        "Musique\\", "Autre\\",          "Datas\\", "Redist\\"};
  for (int i = 0; i < 8; ++i) window.SetTexteDossier(i, root + rows[i]);
  if (fiveStations) {
    for (int i = 0; i < 5; ++i) window.SetTexteNomStation(i, "Station " + std::to_string(i + 1));
  }
  window.CommandCreerSettings_Click(0);  // the folders
}

double StepsTwoAndThree(tx3::FrmMain& window) {
  const auto start = std::chrono::steady_clock::now();
  window.CommandCreerSettings_Click(1);
  window.CommandCreerSettings_Click(2);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

struct Timing {
  double newFolder = 0;
  double finishedFolder = 0;
};

Timing MeasureOnce(tx3::platform::Platform& platform, const std::string& name, bool fiveStations) {
  tx3::platform::SetPlatform(&platform);
  const std::string root = TemporaryFolder(name.c_str());
  tx3::FrmMain window;
  PrepareWindow(window, root, fiveStations);
  Timing timing;
  timing.newFolder = StepsTwoAndThree(window);
  timing.finishedFolder = StepsTwoAndThree(window);
  tx3::platform::SetPlatform(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(tx3::platform::win32::Widen(root), ignored);
  return timing;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median of several runs, each on a new folder, after one run that warms the process up
// (the first file and mutex calls of a process cost more under Wine than any later one).
Timing Measure(tx3::platform::Platform& platform, const char* name, bool fiveStations) {
  constexpr int kRuns = 5;
  MeasureOnce(platform, std::string(name) + "_warm", fiveStations);
  std::vector<double> newFolder;
  std::vector<double> finished;
  for (int run = 0; run < kRuns; ++run) {
    const Timing timing = MeasureOnce(platform, name + std::to_string(run), fiveStations);
    newFolder.push_back(timing.newFolder);
    finished.push_back(timing.finishedFolder);
  }
  return Timing{Median(newFolder), Median(finished)};
}

}  // namespace

int main() {
  Win32Platform engine;
  SystemProfilesPlatform system;
  std::printf("%-28s %12s %12s %8s\n", "steps 2 + 3", "engine (ms)", "system (ms)", "ratio");
  for (const bool five : {false, true}) {
    const Timing ours = Measure(engine, five ? "engine5" : "engine1", five);
    const Timing theirs = Measure(system, five ? "system5" : "system1", five);
    const char* window = five ? "five stations" : "default window";
    std::printf("%-14s new folder    %12.1f %12.1f %7.1fx\n", window, ours.newFolder,
                theirs.newFolder, theirs.newFolder / ours.newFolder);
    std::printf("%-14s finished      %12.1f %12.1f %7.1fx\n", window, ours.finishedFolder,
                theirs.finishedFolder, theirs.finishedFolder / ours.finishedFolder);
  }
  return EXIT_SUCCESS;
}
