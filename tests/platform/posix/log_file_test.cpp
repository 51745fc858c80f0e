#include "platform/posix/log_file.h"
#include "platform/log_path.h"
#include "platform/log_record.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class LogFileTest : public TempDrivesTest {
 protected:
  void SetUp() override {
    TempDrivesTest::SetUp();
    log_ = root_ + "/logs/deeper/TX3_Setup.log";
    env_log_ = std::make_unique<ScopedEnv>("TX3_LOG_FILE", log_);
  }
  void TearDown() override {
    env_log_.reset();
    TempDrivesTest::TearDown();
  }

  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static int64_t SizeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_size : -1;
  }

  std::string log_;
  std::unique_ptr<ScopedEnv> env_log_;
};

TEST_F(LogFileTest, WritesOneStampedLinePerRecord) {
  os_->AppendLog("Err: 53: Chemin d'accès non trouvé");
  os_->AppendLog("two\r\nlines");
  const std::string text = Contents(log_);
  const std::regex shape(
      "\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3} Err: 53: Chemin d'accès non trouvé\n"
      "\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3} two  lines\n");
  EXPECT_TRUE(std::regex_match(text, shape)) << text;
}

TEST_F(LogFileTest, RotatesAtOneMebibyteKeepingThree) {
  const std::string line(10000, 'x');
  for (int i = 0; i < 500; ++i) os_->AppendLog(std::to_string(i) + " " + line);
  for (const std::string& path : {log_, log_ + ".1", log_ + ".2", log_ + ".3"}) {
    EXPECT_GT(SizeOf(path), 0) << path;
    EXPECT_LT(SizeOf(path), kLogRotateBytes + 10100) << path;
  }
  EXPECT_EQ(SizeOf(log_ + ".4"), -1);
  EXPECT_NE(Contents(log_).find(" 499 "), std::string::npos) << "newest in the current file";
  EXPECT_EQ(Contents(log_ + ".3").find(" 0 "), std::string::npos) << "oldest dropped";
}

// A log that cannot be opened is said once, at the start and at the first record alike; the
// caller never sees a failure.
TEST_F(LogFileTest, AnUnopenableLogIsReportedOnceAndNeverFailsTowardsTheCaller) {
  const ScopedEnv blocked("TX3_LOG_FILE", "/proc/tx3/none/TX3_Setup.log");
  std::vector<std::string> said;
  const LogSettingsScope run("", [&](std::string_view line) { said.emplace_back(line); });
  os_->OpenLog();
  os_->AppendLog("lost");
  os_->AppendLog("lost too");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0], LogUnavailableText("/proc/tx3/none/TX3_Setup.log"));
}

TEST_F(LogFileTest, TheNamedFileWinsOverTheVariableAndIsMadeAtTheStart) {
  const std::string named = root_ + "/named/run.log";
  std::vector<std::string> said;
  const LogSettingsScope run(named, [&](std::string_view line) { said.emplace_back(line); });
  os_->OpenLog();
  EXPECT_EQ(SizeOf(named), 0) << "opened, folder made, nothing written yet";
  os_->AppendLog("Err: 52: named");
  EXPECT_NE(Contents(named).find(" Err: 52: named\n"), std::string::npos);
  EXPECT_EQ(SizeOf(log_), -1) << "TX3_LOG_FILE's file is not written";
  EXPECT_TRUE(said.empty());
}

TEST(LogFilePath, FollowsTheStateFolder) {
  const ScopedEnv noOverride("TX3_LOG_FILE", "");
  const ScopedEnv home("HOME", "/home/op");
  {
    const ScopedEnv state("XDG_STATE_HOME", "/var/tmp/state");
    EXPECT_EQ(LogFilePath(), "/var/tmp/state/tx3-setup/TX3_Setup.log");
  }
  const ScopedEnv state("XDG_STATE_HOME", "");
  EXPECT_EQ(LogFilePath(), "/home/op/.local/state/tx3-setup/TX3_Setup.log");
}

}  // namespace
}  // namespace tx3::platform::posix
