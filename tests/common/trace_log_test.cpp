#include <gtest/gtest.h>

#include "common/error.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

TEST(TraceLogTest, WritesOneLinePerCall) {
  testing::FakePlatform os;
  testing::UsePlatform guard(os);
  TraceLog("VerificationEtCreationRepertoire: C:\\Data\\ absent");
  TraceLog("two\r\nlines");
  TraceLog("a\r\n\r\nb\nc\rd");
  TraceLog("");

  ASSERT_EQ(os.logLines.size(), 4u);
  EXPECT_EQ(os.logLines[0], "VerificationEtCreationRepertoire: C:\\Data\\ absent");
  EXPECT_EQ(os.logLines[1], "two | lines");
  EXPECT_EQ(os.logLines[2], "a | b | c | d") << "a run of line breaks is one separator";
  EXPECT_EQ(os.logLines[3], "");
}

}  // namespace
}  // namespace tx3
