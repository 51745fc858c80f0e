#include "platform/temporary_name.h"

#include <gtest/gtest.h>

#include <string>

namespace tx3::platform {
namespace {

bool Gone(uint64_t processId) {
  return processId == 99;
}

TEST(TemporaryName, ReadsBackWhatItNames) {
  const std::string name = TemporaryName("a.b.ini", "host.example", 1234, 7);
  EXPECT_EQ(name, ".~tx3.a.b.ini.host-example.1234.7.tmp");
  EXPECT_TRUE(IsTemporaryName(name));
  const TemporaryNameParts parts = ParseTemporaryName(name);
  ASSERT_TRUE(parts.parsed);
  EXPECT_EQ(parts.target, "a.b.ini");
  EXPECT_EQ(parts.machine, "host-example");
  EXPECT_EQ(parts.processId, 1234u);
  EXPECT_EQ(ParseTemporaryName(TemporaryName(std::string(200, 'x'), "PC", 1, 2)).target, "");
  EXPECT_FALSE(ParseTemporaryName(".~tx3.a.ini.PC.12x.0.tmp").parsed);
  EXPECT_FALSE(IsTemporaryName("a.ini"));
}

TEST(TemporaryName, AbandonedWhenItsWriterIsGoneOrItIsOld) {
  const TemporaryNameParts dead = ParseTemporaryName(TemporaryName("a", "PC", 99, 0));
  const TemporaryNameParts live = ParseTemporaryName(TemporaryName("a", "PC", 5, 0));
  const TemporaryNameParts mine = ParseTemporaryName(TemporaryName("a", "PC", 42, 0));
  const TemporaryNameParts other = ParseTemporaryName(TemporaryName("a", "OTHER", 99, 0));
  EXPECT_TRUE(IsAbandoned(dead, "pc", 42, 0, Gone));
  EXPECT_FALSE(IsAbandoned(live, "PC", 42, 0, Gone));
  EXPECT_TRUE(IsAbandoned(mine, "PC", 42, 0, Gone));
  EXPECT_FALSE(IsAbandoned(other, "PC", 42, 0, Gone)) << "another machine's writer may be at work";
  EXPECT_TRUE(IsAbandoned(other, "PC", 42, kAbandonedAfterSeconds + 1, Gone));
  EXPECT_TRUE(IsAbandoned(TemporaryNameParts{}, "PC", 42, kAbandonedAfterSeconds + 1, Gone));
  EXPECT_FALSE(IsAbandoned(TemporaryNameParts{}, "PC", 42, 10, Gone));
}

}  // namespace
}  // namespace tx3::platform
