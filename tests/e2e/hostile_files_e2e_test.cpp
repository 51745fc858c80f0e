// A settings file of a finished installation replaced by something that is no settings file: a
// FIFO, a link to a device, a folder, a file nobody may read. The step that writes it never waits
// and never reads without end, lists that file among the settings not written, leaves it as it
// is and writes every other file as a clean run does.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using tx3::e2e::TreeOf;

enum class Hostile { kFifo, kDeviceLink, kFolder, kUnreadable };

struct Row {
  const char* name;
  Hostile kind;
  const char* file;  // under C:\Brennic\Tarvox
  const char* step;
  int keys;  // the keys the step writes to that file
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

const Row kRows[] = {
    {"FifoSystemSettings", Hostile::kFifo, "Config\\Br_Sys.ini", "3", 85},
    {"DeviceSystemSettings", Hostile::kDeviceLink, "Config\\Br_Sys.ini", "3", 85},
    {"FolderSystemSettings", Hostile::kFolder, "Config\\Br_Sys.ini", "3", 85},
    {"UnreadableSystemSettings", Hostile::kUnreadable, "Config\\Br_Sys.ini", "3", 85},
    // Both are also read back when the window opens.
    {"FifoGlobalConfiguration", Hostile::kFifo, "Settings\\TX3_Config.ini", "2", 6},
    {"DeviceVersionSettings", Hostile::kDeviceLink, "Config\\TX3_Systeme.ini", "3", 24},
};

class HostileFilesE2eTest : public tx3::e2e::E2eTest, public ::testing::WithParamInterface<Row> {
 protected:
  fs::path HostPath(const std::string& file) const {
    std::string rest = file;
    for (char& c : rest) c = c == '\\' ? '/' : c;
    return C("Brennic/Tarvox/" + rest);
  }

  // Puts the hostile thing in place of the file.
  void Replace(Hostile kind, const fs::path& file) {
    fs::remove(file);
    switch (kind) {
      case Hostile::kFifo:
        ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
        break;
      case Hostile::kDeviceLink:
        fs::create_symlink("/dev/zero", file);
        break;
      case Hostile::kFolder:
        tx3::e2e::WriteAll(file / "inside.txt", "kept");
        break;
      case Hostile::kUnreadable:
        tx3::e2e::WriteAll(file, "[Poste]\r\nStudio=B\r\n");
        fs::permissions(file, fs::perms::none);
        // Root reads any file: the program then runs without the capabilities that allow it.
        if (::geteuid() == 0) {
          launcher_ = {"/usr/bin/setpriv", "--bounding-set=-dac_override,-dac_read_search", "--"};
        }
        break;
    }
  }
};

TEST_P(HostileFilesE2eTest, IsListedAsNotWrittenAndNothingElseIsHarmed) {
  const Row& row = GetParam();
  ASSERT_EQ(Run({"--batch", "--step", "1", "--step", "2", "--step", "3"}).status, 0);
  std::map<std::string, std::string> expected = TreeOf(drives_);
  // Step 3's other files are to be made again.
  if (std::string(row.step) == "3") {
    for (const char* other : {"Config\\Br_Sys.ini", "Config\\TX3_Systeme.ini", "Config\\BR_Mus.ini",
                              "Config\\BR_Pub.ini"}) {
      if (std::string(other) != row.file) fs::remove(HostPath(other));
    }
  }
  const fs::path hostile = HostPath(row.file);
  Replace(row.kind, hostile);
  for (const auto& [path, state] : TreeOf(drives_)) {
    if ((drives_ / path).string().starts_with(hostile.string())) expected[path] = state;
  }

  deadline_ = std::chrono::seconds(60);
  const tx3::e2e::ProgramRun run = Run({"--batch", "--step", row.step});
  ASSERT_NE(run.status, tx3::e2e::kHung) << "the step waited or read without end";
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out, "[warning]\nParamètres non écrits:\n\nC:\\Brennic\\Tarvox\\" +
                         std::string(row.file) + " (" + std::to_string(row.keys) + " clés)\n\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(TreeOf(drives_), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileFilesE2eTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
