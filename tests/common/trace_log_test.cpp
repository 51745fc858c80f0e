#include <gtest/gtest.h>

#include "common/error.h"
#include "support/fake_platform.h"

namespace tx3 {
namespace {

TEST(TraceLogTest, WritesOneLineAndRecordsNoError) {
  testing::FakePlatform os;
  platform::SetPlatform(&os);
  ResetErrorStateForTests();
  TraceLog("VerificationEtCreationRepertoire: C:\\Data\\ absent");
  TraceLog("two\r\nlines");
  platform::SetPlatform(nullptr);

  ASSERT_EQ(os.logLines.size(), 2u);
  EXPECT_EQ(os.logLines[0], "VerificationEtCreationRepertoire: C:\\Data\\ absent");
  EXPECT_EQ(os.logLines[1], "two | lines");
  EXPECT_EQ(PbTErreur.Numero, 0);
  EXPECT_EQ(GestionDesErreursState().lastTime, 0);
}

}  // namespace
}  // namespace tx3
