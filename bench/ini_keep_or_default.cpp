// The keep-or-default rule of the settings commands on the profile engine: read each key with
// its default and write back what was read, for 1,000 keys, first into a new file, then again
// on the finished file (every value already stored: no write at all).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/profile_store.h"

namespace {

using namespace tx3::platform::posix;
using tx3::platform::ProfileStats;

constexpr int kKeys = 1000;

std::string TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tx3_bench_XXXXXX";
  return ::mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
}

void KeepOrDefault(const std::string& file) {
  std::string value;
  for (int i = 0; i < kKeys; ++i) {
    const std::string section = "Station" + std::to_string(i / 100);
    const std::string key = "Cle" + std::to_string(i);
    SystemProfiles().Read(file, section, key,
                          "Valeur par d\xC3\xA9"
                          "faut " +
                              std::to_string(i),
                          &value);
    SystemProfiles().Write(file, section, key, value);
  }
  SystemProfiles().Flush();
}

void Report(benchmark::State& state, const ProfileStats& stats) {
  const auto runs = static_cast<double>(state.iterations());
  state.counters["writes_per_run"] = static_cast<double>(stats.writes) / runs;
  state.counters["parses_per_run"] = static_cast<double>(stats.parses) / runs;
}

void BM_KeepOrDefaultNewFile(benchmark::State& state) {
  const std::string folder = TempFolder();
  int run = 0;
  SystemProfiles().ResetStats();
  for (auto _ : state) {
    const std::string file = folder + "/new" + std::to_string(run++) + ".ini";
    KeepOrDefault(file);
    state.PauseTiming();
    ::unlink(file.c_str());
    state.ResumeTiming();
  }
  Report(state, SystemProfiles().Stats());
  ::rmdir(folder.c_str());
}
BENCHMARK(BM_KeepOrDefaultNewFile)->Unit(benchmark::kMillisecond);

void BM_KeepOrDefaultFinishedFile(benchmark::State& state) {
  const std::string folder = TempFolder();
  const std::string file = folder + "/done.ini";
  KeepOrDefault(file);
  SystemProfiles().ResetStats();
  for (auto _ : state) KeepOrDefault(file);
  Report(state, SystemProfiles().Stats());
  ::unlink(file.c_str());
  ::rmdir(folder.c_str());
}
BENCHMARK(BM_KeepOrDefaultFinishedFile)->Unit(benchmark::kMillisecond);

}  // namespace
