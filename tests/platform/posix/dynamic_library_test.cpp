#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class DynamicLibraryTest : public TempDrivesTest {};

TEST_F(DynamicLibraryTest, AMissingLibraryIsError48) {
  int32_t error = 0;
  EXPECT_EQ(os_->LoadEngineLibrary("/nonexistent/libtx3engine.so", &error), nullptr);
  EXPECT_EQ(error, 48);
  error = 0;
  EXPECT_EQ(os_->LoadEngineLibrary("", &error), nullptr);
  EXPECT_EQ(error, 48);
}

TEST_F(DynamicLibraryTest, FindsSymbolsOfALoadedLibrary) {
  int32_t error = -1;
  const std::unique_ptr<Library> library = os_->LoadEngineLibrary("libm.so.6", &error);
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(error, 0);
  using Cosine = double (*)(double);
  const auto cosine = reinterpret_cast<Cosine>(library->Symbol("cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(library->Symbol("tx3_no_such_symbol"), nullptr);
}

}  // namespace
}  // namespace tx3::platform::posix
