#include "platform/posix/system_info.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>
#include <time.h>

#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class SystemInfoTest : public TempDrivesTest {};

TEST_F(SystemInfoTest, TickCountersNeverGoBack) {
  uint64_t previous = os_->TickCount64();
  for (int i = 0; i < 50; ++i) {
    const timespec pause{0, 200000};
    ::nanosleep(&pause, nullptr);
    const uint64_t now = os_->TickCount64();
    EXPECT_GE(now, previous);
    previous = now;
  }
  const timespec pause{0, 30000000};
  ::nanosleep(&pause, nullptr);
  EXPECT_GE(os_->TickCount64() - previous, 25u) << "counts milliseconds";
}

TEST_F(SystemInfoTest, TheShortCounterIsTheLow32Bits) {
  const uint64_t before = os_->TickCount64();
  const uint32_t tick = os_->TickCount32();
  const uint64_t after = os_->TickCount64();
  EXPECT_GE(tick, static_cast<uint32_t>(before));
  EXPECT_LE(tick, static_cast<uint32_t>(after));
}

TEST_F(SystemInfoTest, CountsSinceBoot) {
  timespec uptime{};
  ASSERT_EQ(::clock_gettime(CLOCK_BOOTTIME, &uptime), 0);
  const uint64_t expected = static_cast<uint64_t>(uptime.tv_sec) * 1000;
  EXPECT_NEAR(static_cast<double>(os_->TickCount64()), static_cast<double>(expected), 2000.0);
}

TEST_F(SystemInfoTest, ReportsWindowsTenAsAnUndeclaredApplicationSeesIt) {
  VersionRecord record;
  record.servicePack = "stale";
  ASSERT_TRUE(os_->ReadVersion(&record));
  EXPECT_EQ(record.platformId, 2u);
  EXPECT_EQ(record.majorVersion, 6u);
  EXPECT_EQ(record.minorVersion, 2u);
  EXPECT_EQ(record.buildNumber, 9200u);
  EXPECT_EQ(record.productType, 1u);
  EXPECT_EQ(record.servicePack, "");
  EXPECT_EQ(record.servicePackMajor, 0u);
  EXPECT_EQ(record.suiteMask & ~0x100u, 0u);
  uint32_t product = 0;
  EXPECT_TRUE(os_->ReadProductType(6, 0, 0, 0, &product));
  EXPECT_EQ(product, 0x30u);
  EXPECT_TRUE(os_->HasNativeSystemInfo());
  EXPECT_EQ(os_->SystemMetric(89), 0);
  EXPECT_EQ(os_->WindowsDirectory(), "C:\\windows");
}

TEST_F(SystemInfoTest, MapsMachineNamesToArchitectures) {
  EXPECT_EQ(ArchitectureOfMachine("x86_64"), 9);
  EXPECT_EQ(ArchitectureOfMachine("aarch64"), 12);
  EXPECT_EQ(ArchitectureOfMachine("i686"), 0);
  EXPECT_EQ(ArchitectureOfMachine("i386"), 0);
  EXPECT_EQ(ArchitectureOfMachine("ia64"), 6);
  EXPECT_EQ(ArchitectureOfMachine("riscv64"), 0xFFFF);
  utsname names{};
  ASSERT_EQ(::uname(&names), 0);
  EXPECT_EQ(os_->ProcessorArchitecture(true), ArchitectureOfMachine(names.machine));
  EXPECT_EQ(os_->ProcessorArchitecture(false), os_->ProcessorArchitecture(true));
}

}  // namespace
}  // namespace tx3::platform::posix
