// Step 3 ("Créer les paramètres généraux") of the real program on hostile settings files: a
// Br_Sys.ini of about 100 MB (one section of 500,000 keys before the file's own sections, or
// alone so that every key of the step is added and the file written), one of a single 50 MB
// line, and one of 1,000,000 sections. Each run is a child process, so that its peak resident
// memory is its own: reported with the file's size and their ratio.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

enum Shape : int64_t { kBigSection, kBigSectionOnly, kOneLongLine, kManySections };

// A temporary installation made by steps 1 to 3, removed at exit.
class Installation {
 public:
  Installation() {
    std::string pattern = (fs::temp_directory_path() / "tx3-huge-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    root_ = made != nullptr ? fs::path(made) : fs::temp_directory_path() / "tx3-huge";
    fs::create_directories(root_ / "drives" / "c:");
    fs::create_directories(root_ / "home");
    Run({"--step", "1", "--step", "2", "--step", "3"});
    own_ = ReadAll(BrSys());
  }
  ~Installation() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  fs::path BrSys() const { return root_ / "drives/c:/Brennic/Tarvox/Config/Br_Sys.ini"; }
  const std::string& Own() const { return own_; }

  // Runs tx3_setup --batch with `args`; answers its peak resident memory in bytes.
  double Run(const std::vector<std::string>& args) const {
    std::vector<std::string> texts = {TX3_SETUP_PROGRAM, "--batch"};
    texts.insert(texts.end(), args.begin(), args.end());
    std::vector<std::string> env = {"TX3_DRIVES=" + (root_ / "drives").string(),
                                    "HOME=" + (root_ / "home").string(),
                                    "XDG_STATE_HOME=" + (root_ / "state").string(),
                                    "XDG_CONFIG_HOME=" + (root_ / "config").string(),
                                    "XDG_DATA_HOME=" + (root_ / "data").string()};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, texts[0].c_str(), &actions, nullptr,
                                   Pointers(texts).data(), Pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return 0;
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024;
  }

 private:
  static std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
  }
  static std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path root_;
  std::string own_;
};

// Writes the hostile Br_Sys.ini; answers its size.
double WriteHostileFile(const Installation& installation, Shape shape) {
  std::ofstream out(installation.BrSys(), std::ios::binary | std::ios::trunc);
  if (shape == kBigSection || shape == kBigSectionOnly) {
    out << "[Grande]\r\n";
    const std::string value(198, 'x');
    for (int i = 0; i < 500'000; ++i) out << "Cle" << i << '=' << value << "\r\n";
  } else if (shape == kOneLongLine) {
    out << "; " << std::string(50 << 20, 'y') << "\r\n";
  } else {
    for (int i = 0; i < 1'000'000; ++i) out << "[S" << i << "]\r\nk=v\r\n";
  }
  if (shape != kBigSectionOnly) out << installation.Own();
  return static_cast<double>(out.tellp());
}

void BM_Step3OnHostileBrSys(benchmark::State& state) {
  const auto shape = static_cast<Shape>(state.range(0));
  const Installation installation;
  double size = WriteHostileFile(installation, shape);
  double peak = 0;
  for (auto _ : state) {
    // Only the file written by the step must be made again; the others are left unchanged.
    if (shape == kBigSectionOnly && state.iterations() > 0) {
      state.PauseTiming();
      size = WriteHostileFile(installation, shape);
      state.ResumeTiming();
    }
    peak = std::max(peak, installation.Run({"--step", "3"}));
  }
  state.counters["file_MB"] = size / (1 << 20);
  state.counters["peak_rss_MB"] = peak / (1 << 20);
  state.counters["rss_per_file_size"] = peak / size;
}
BENCHMARK(BM_Step3OnHostileBrSys)
    ->ArgName("shape")
    ->Arg(kBigSection)
    ->Arg(kBigSectionOnly)
    ->Arg(kOneLongLine)
    ->Arg(kManySections)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
