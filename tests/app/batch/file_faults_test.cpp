// Every file call of a whole installation failed in turn: steps 1, 2 and 3 and the database
// command run once to count the platform's file calls, then once per call with that call failing,
// for each kind of failure. Whatever fails, each file is as before the run or as a clean run
// leaves it, nothing temporary is left, the messages name what was not done, the exit status
// says so, and a clean run afterwards completes the installation.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch/batch_front_end.h"
#include "platform/file_faults.h"
#include "support/use_platform.h"

#if defined(_WIN32)
#include "platform/platform.h"
#else
#include "platform/posix/posix_platform.h"
#include "platform/posix/temp_drives.h"
#endif

namespace tx3 {
namespace {

namespace fs = std::filesystem;
using platform::FileCall;
using platform::FileFault;
using platform::FileFaultPlan;

constexpr const char* kFolder = "<folder>";

// Every entry under the trees the run writes: relative path -> bytes, or kFolder.
using Snapshot = std::map<std::string, std::string>;

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string Lookup(const Snapshot& snapshot, const std::string& path) {
  const auto found = snapshot.find(path);
  return found == snapshot.end() ? "<missing>" : found->second;
}

// Whether a message warns or reports a failure.
bool Warns(const std::string& messages) {
  return messages.find("[warning]") != std::string::npos ||
         messages.find("[critical]") != std::string::npos;
}

// Every call fails in turn with an I/O error; the other errors, which the program tells apart
// only where a folder cannot be made, fail every fifth call (each a different fifth).
// TX3_FAULT_STRIDE=1 fails every call with every error (the fault-sweep target).
uint64_t Stride(FileFault fault) {
  if (const char* asked = std::getenv("TX3_FAULT_STRIDE"); asked && std::atoi(asked) > 0) {
    return static_cast<uint64_t>(std::atoi(asked));
  }
  return fault == FileFault::kIoError ? 1 : 5;
}

// One share of a sweep: the calls of the sweep whose rank among them is `shard` modulo `shards`.
// The every-call sweep is cut into shares that the test runner can run side by side.
struct Sweep {
  FileFault fault;
  uint64_t shard = 0;
  uint64_t shards = 1;
};

void PrintTo(const Sweep& sweep, std::ostream* out) {
  *out << FileFaultName(sweep.fault) << ", share " << sweep.shard + 1 << " of " << sweep.shards;
}

class FileFaultsTest : public ::testing::TestWithParam<Sweep> {
 protected:
  void SetUp() override {
#if defined(_WIN32)
    root_ = "C:\\";
    trees_ = {"Brennic", "Kalvet", "TX_Sons", "TX_Data", "TX_Redist"};
    args_ = {"--batch", "--radio", "Radio Pêche", "--station", "1=Été", "--step",
             "1",       "--step",  "2",           "--step",    "3"};
#else
    // In memory when the system has it: thousands of runs, each making its files durable.
    std::string pattern =
        std::string(fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") + "/tx3_faults_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    temp_ = pattern;
    env_ = std::make_unique<platform::posix::ScopedEnv>("TX3_DRIVES", temp_ + "/drives");
    root_ = temp_ + "/drives/c:";
    fs::create_directories(root_);
    os_ = std::make_unique<platform::posix::PosixPlatform>();
    guard_ = std::make_unique<testing::UsePlatform>(*os_);
    trees_ = {""};
    args_ = {"--batch", "--radio", "Radio Pêche", "--station", "1=Été", "--step",
             "1",       "--step",  "2",           "--step",    "3",     "--create-database"};
#endif
    Clear();
    // An installation of an earlier version: the operator's own section in the system settings.
    WriteBytes(root_ / "Brennic/Tarvox/Config/Br_Sys.ini", "[Poste]\r\nStudio=B\r\n");
    before_ = Take();
  }
  void TearDown() override {
    platform::InjectFileFaults(nullptr);
    Clear();
#if !defined(_WIN32)
    guard_.reset();
    os_.reset();
    env_.reset();
    fs::remove_all(temp_);
#endif
  }

  void Clear() const {
    for (const std::string& tree : trees_) {
      if (tree.empty()) {
        for (const auto& entry : fs::directory_iterator(root_)) fs::remove_all(entry.path());
      } else {
        fs::remove_all(root_ / tree);
      }
    }
  }

  Snapshot Take() const {
    Snapshot snapshot;
    for (const std::string& tree : trees_) {
      if (!fs::exists(root_ / tree)) continue;
      for (const auto& entry : fs::recursive_directory_iterator(root_ / tree)) {
        const std::string name = fs::relative(entry.path(), root_).generic_string();
        snapshot[name] = entry.is_directory() ? kFolder : Bytes(entry.path());
      }
    }
    return snapshot;
  }

  void Restore(const Snapshot& snapshot) const {
    Clear();
    for (const auto& [name, bytes] : snapshot) {
      if (bytes == kFolder) {
        fs::create_directories(root_ / name);
      } else {
        WriteBytes(root_ / name, bytes);
      }
    }
  }

  int Run(FileFaultPlan* plan) {
    out_.str("");
    std::ostringstream err;
    platform::InjectFileFaults(plan);
    const int status = RunBatch(args_, out_, err);
    platform::InjectFileFaults(nullptr);
    return status;
  }

  fs::path root_;
  std::vector<std::string> trees_;
  std::vector<std::string> args_;
  Snapshot before_;
  std::ostringstream out_;
#if !defined(_WIN32)
  std::string temp_;
  std::unique_ptr<platform::posix::ScopedEnv> env_;
  std::unique_ptr<platform::posix::PosixPlatform> os_;
  std::unique_ptr<testing::UsePlatform> guard_;
#endif
};

TEST_P(FileFaultsTest, AnyFailedCallLeavesEachFileOldOrNewAndIsReported) {
  FileFaultPlan counter;
  ASSERT_EQ(Run(&counter), kExitOk) << out_.str();
  const std::string cleanMessages = out_.str();
  const Snapshot after = Take();
  const uint64_t calls = counter.Calls();
  const auto start = std::chrono::steady_clock::now();
  ASSERT_GT(calls, 50u);

  int reported = 0;
  const Sweep sweep = GetParam();
  const uint64_t stride = Stride(sweep.fault);
  const uint64_t first = 1 + static_cast<uint64_t>(sweep.fault) % stride + sweep.shard * stride;
  for (uint64_t n = first; n <= calls; n += stride * sweep.shards) {
    Restore(before_);
    FileFaultPlan plan(n, sweep.fault);
    const int status = Run(&plan);
    const Snapshot now = Take();
    const std::string failed = "call " + std::to_string(n) + " (" +
                               FileCallName(plan.Failed().value_or(FileCall::kOpen)) + ", " +
                               FileFaultName(sweep.fault) + ")";
    const std::string messages = out_.str();

    for (const auto& entry : now) {
      ASSERT_TRUE(before_.contains(entry.first) || after.contains(entry.first))
          << entry.first << " left by " << failed;
    }
    for (const auto& [name, bytes] : after) {
      const std::string found = Lookup(now, name);
      ASSERT_TRUE(found == bytes || found == Lookup(before_, name))
          << name << " is neither as before nor as written, after " << failed;
      // A file left without its new content is reported: a settings file by its name among
      // the settings not written, a data file by the absence of the completion message.
      if (found != bytes) {
        ASSERT_TRUE(Warns(messages)) << name << " after " << failed;
        // (A step that cannot see the configuration folder says so instead, naming it.)
        if (name.ends_with(".ini") &&
            messages.find("Dossier de config non trouvé:") == std::string::npos) {
          ASSERT_NE(messages.find(fs::path(name).filename().string() + " ("), std::string::npos)
              << name << " not listed after " << failed << "\n"
              << messages;
        }
        if (name.ends_with(".bt6")) {
          ASSERT_EQ(messages.find("Fichiers créés à vide"), std::string::npos) << failed;
        }
      }
    }
    if (status == kExitOk) {
      // The failed call was retried or did not matter: the run is complete.
      ASSERT_EQ(now, after) << failed;
      EXPECT_EQ(messages, cleanMessages) << failed;
      continue;
    }
    ++reported;
    ASSERT_EQ(status, kExitNotDone) << failed << "\n" << messages;
    ASSERT_TRUE(Warns(messages)) << failed;
    ASSERT_EQ(Run(nullptr), kExitOk) << "rerun after " << failed << "\n" << out_.str();
    ASSERT_EQ(Take(), after) << "rerun after " << failed;
  }
  std::cout << calls << " calls, every " << stride * sweep.shards << ": " << reported
            << " failures reported, in "
            << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                                start)
                   .count()
            << " s\n";
}

#if defined(_WIN32)
// A file another program holds open without sharing: Windows's own failure.
#define TX3_PLATFORM_FAULTS      \
  , Sweep {                      \
    FileFault::kSharingViolation \
  }
#else
#define TX3_PLATFORM_FAULTS
#endif
// The I/O error, failed at every call, in four shares.
INSTANTIATE_TEST_SUITE_P(
    EveryError, FileFaultsTest,
    ::testing::Values(Sweep{FileFault::kNoSpace}, Sweep{FileFault::kIoError, 0, 4},
                      Sweep{FileFault::kIoError, 1, 4}, Sweep{FileFault::kIoError, 2, 4},
                      Sweep{FileFault::kIoError, 3, 4}, Sweep{FileFault::kAccessDenied},
                      Sweep{FileFault::kReadOnlyVolume} TX3_PLATFORM_FAULTS));

}  // namespace
}  // namespace tx3
