// The log file as both systems write it: the same tests, run on each against the system's own
// platform, on a fresh folder of the system's temporary folder.
#include "platform/log_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "platform/log_path.h"
#include "platform/platform.h"

namespace tx3::platform {
namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
constexpr std::string_view kLineEnd = "\r\n";
#else
constexpr std::string_view kLineEnd = "\n";
#endif

// The shape of one record's time stamp, as a regular expression.
constexpr std::string_view kStamp = R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3} )";

class LogFileContract : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("tx3_log_" + std::to_string(std::random_device{}()));
    ASSERT_TRUE(fs::create_directory(folder_)) << folder_;
    log_ = Path("logs/deeper/TX3_Setup.log");
    run_ = std::make_unique<LogSettingsScope>(
        log_, [this](std::string_view line) { said_.emplace_back(line); });
  }
  void TearDown() override {
    run_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string Path(const std::string& below) const {
    return (folder_ / below).make_preferred().string();
  }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

  Platform& os_ = SystemPlatform();
  fs::path folder_;
  std::string log_;
  std::vector<std::string> said_;
  std::unique_ptr<LogSettingsScope> run_;
};

TEST_F(LogFileContract, IsMadeWithItsFoldersAtTheStart) {
  os_.OpenLog();
  ASSERT_TRUE(fs::exists(log_));
  EXPECT_EQ(fs::file_size(log_), 0u) << "opened, nothing written yet";
  EXPECT_TRUE(said_.empty());
}

TEST_F(LogFileContract, WritesOneStampedLinePerRecord) {
  os_.AppendLog("Err: 53: Chemin d'accès non trouvé");
  os_.AppendLog("two\r\nlines");
  const std::string stamp(kStamp);
  const std::string end(kLineEnd);
  const std::regex shape(stamp + "Err: 53: Chemin d'accès non trouvé" + end + stamp + "two  lines" +
                         end);
  const std::string text = Contents(log_);
  EXPECT_TRUE(std::regex_match(text, shape)) << text;
}

// A full file moves to ".1" before the next record, ".1" to ".2", ".2" to ".3"; the old ".3"
// goes. A file one byte short of full takes the record.
TEST_F(LogFileContract, RotatesAtOneMebibyteKeepingThree) {
  struct Case {
    int64_t size;
    bool rotates;
  };
  for (const Case c : {Case{kLogRotateBytes - 1, false}, Case{kLogRotateBytes, true}}) {
    const std::string full(static_cast<size_t>(c.size), 'x');
    Write(log_, full);
    Write(log_ + ".1", "one");
    Write(log_ + ".2", "two");
    Write(log_ + ".3", "three");
    os_.AppendLog("new");
    const std::string text = Contents(log_);
    const std::string record = "new" + std::string(kLineEnd);
    ASSERT_TRUE(text.ends_with(record)) << c.size;
    if (c.rotates) {
      EXPECT_TRUE(std::regex_match(text, std::regex(std::string(kStamp) + "new\\s+"))) << c.size;
      EXPECT_EQ(Contents(log_ + ".1"), full);
      EXPECT_EQ(Contents(log_ + ".2"), "one");
      EXPECT_EQ(Contents(log_ + ".3"), "two");
    } else {
      EXPECT_EQ(text.substr(0, full.size()), full);
      EXPECT_EQ(Contents(log_ + ".1"), "one");
      EXPECT_EQ(Contents(log_ + ".3"), "three");
    }
    EXPECT_FALSE(fs::exists(log_ + ".4")) << c.size;
  }
}

// Said once, at the start and at the first record alike; the caller never sees a failure.
TEST_F(LogFileContract, AnUnopenableLogIsReportedOnce) {
  Write(Path("a file"), "not a folder");
  const std::string log = Path("a file/TX3_Setup.log");
  const LogSettingsScope run(log, [this](std::string_view line) { said_.emplace_back(line); });
  os_.OpenLog();
  os_.AppendLog("lost");
  os_.AppendLog("lost too");
  ASSERT_EQ(said_.size(), 1u);
  EXPECT_EQ(said_[0], LogUnavailableText(log));
  EXPECT_FALSE(fs::exists(log_)) << "the file the run names, not the outer one";
}

}  // namespace
}  // namespace tx3::platform
