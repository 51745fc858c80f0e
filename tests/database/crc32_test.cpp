#include "database/crc32.h"

#include <gtest/gtest.h>

namespace tx3 {
namespace {

TEST(Crc32Test, StandardCheckValues) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Crc32(std::string_view("\0", 1)), 0xD202EF8Du);
}

}  // namespace
}  // namespace tx3
