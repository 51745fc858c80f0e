// Where the log is on Linux; how it is written is the contract of log_file_test.cpp.
#include "platform/log_file.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "platform/log_path.h"
#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

TEST(SystemLogHost, ThePathFollowsTheStateFolder) {
  const ScopedEnv noOverride("TX3_LOG_FILE", "");
  const ScopedEnv home("HOME", "/home/op");
  {
    const ScopedEnv state("XDG_STATE_HOME", "/var/tmp/state");
    EXPECT_EQ(SystemLogHost().Path(), "/var/tmp/state/tx3-setup/TX3_Setup.log");
  }
  const ScopedEnv state("XDG_STATE_HOME", "");
  EXPECT_EQ(SystemLogHost().Path(), "/home/op/.local/state/tx3-setup/TX3_Setup.log");
}

TEST(SystemLogHost, TheFileTheRunNamesWinsOverTheVariable) {
  const ScopedEnv variable("TX3_LOG_FILE", "/var/log/variable.log");
  EXPECT_EQ(SystemLogHost().Path(), "/var/log/variable.log");
  const LogSettingsScope run("/srv/named/run.log", [](std::string_view) {});
  EXPECT_EQ(SystemLogHost().Path(), "/srv/named/run.log");
}

TEST(SystemLogHost, TheTimestampIsTheDateTheTimeAndTheMilliseconds) {
  const std::string stamp = SystemLogHost().Timestamp();
  EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3} )")))
      << stamp;
}

}  // namespace
}  // namespace tx3::platform::posix
