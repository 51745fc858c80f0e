#include "system/windows_version.h"

#include <gmock/gmock.h>

#include "system_fixture.h"

namespace tx3::testing {
namespace {

constexpr int32_t kUnchanged = -1;  // CodeVersionWindows keeps its previous value

struct VersionCase {
  const char* label;
  uint32_t major, minor, build;
  uint8_t productType;
  uint16_t suiteMask;
  uint16_t architecture;
  int32_t serverR2Metric;
  const char* servicePack;
  const char* expected;
  int32_t code;
  bool ticks64;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
  *os << c.label;
}

class VersionTableTest : public SystemTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTableTest, DescribesTheEditionAndSetsTheCodes) {
  const VersionCase& c = GetParam();
  os.version = platform::VersionRecord{c.major, c.minor,     c.build,      2, c.servicePack, 0,
                                       0,       c.suiteMask, c.productType};
  os.nativeArchitecture = c.architecture;
  os.systemMetrics[89] = c.serverR2Metric;
  os.productType = 1;  // a Vista workstation tells "Ultimate Edition"
  run.CodeVersionWindows = 123;
  EXPECT_EQ(GetOSDisplayString(run), c.expected);
  EXPECT_EQ(run.CodeVersionWindows, c.code == kUnchanged ? 123 : c.code);
  EXPECT_EQ(run.Ticks64Disponible, c.ticks64);
}

constexpr uint16_t kX86 = 0, kIa64 = 6, kX64 = 9;

INSTANTIATE_TEST_SUITE_P(
    Rows, VersionTableTest,
    ::testing::Values(
        VersionCase{"10", 6, 2, 9200, 1, 0, kX64, 0, "",
                    "Microsoft Windows 10 , 64-bit  (build 9200)", 10, true},
        VersionCase{"8_1", 6, 3, 9600, 1, 0, kX86, 0, "",
                    "Microsoft Windows 8.1 , 32-bit  (build 9600)", 8, false},
        VersionCase{"8_itanium", 6, 2, 9201, 3, 0, kIa64, 0, "",
                    "Microsoft Windows 8   (build 9201)", 8, false},
        VersionCase{"7_home", 6, 1, 7601, 1, 0x200, kX64, 0, "Service Pack 1",
                    "Microsoft Windows 7 Home Edition, 64-bit Service Pack 1 (build 7601)", 7,
                    true},
        VersionCase{"7_pro", 6, 1, 7600, 1, 0x100, kX86, 0, "",
                    "Microsoft Windows 7 Professional, 32-bit  (build 7600)", 7, false},
        VersionCase{"vista", 6, 0, 6002, 1, 0, kX64, 0, "Service Pack 2",
                    "Microsoft Windows Vista Ultimate Edition, 64-bit Service Pack 2 (build 6002)",
                    6, true},
        VersionCase{"server2008", 6, 0, 6001, 3, 0, kX86, 0, "",
                    "Microsoft Windows Server 2008 Ultimate Edition, 32-bit  (build 6001)", 6,
                    false},
        VersionCase{"2003_r2", 5, 2, 3790, 3, 0x80, kX86, 1, "",
                    "Microsoft Windows Server 2003 R2, Datacenter Edition  (build 3790)", 2003,
                    false},
        VersionCase{"storage", 5, 2, 3790, 3, 0x2000, kX86, 0, "",
                    "Microsoft Windows Storage Server 2003Standard Edition  (build 3790)", 2003,
                    false},
        VersionCase{"xp_x64", 5, 2, 3790, 1, 0, kX64, 0, "Service Pack 2",
                    "Microsoft Windows XP Professional x64 Edition Service Pack 2 (build 3790)",
                    2003, false},
        VersionCase{"2003_workstation_x86", 5, 2, 3790, 1, 0, kX86, 0, "",
                    "Microsoft Windows Server 2003,   (build 3790)", 2003, false},
        VersionCase{"2003_ia64_datacenter", 5, 2, 3790, 3, 0x82, kIa64, 0, "",
                    "Microsoft Windows Server 2003, Datacenter Edition for Itanium-based Systems "
                    " (build 3790)",
                    2003, false},
        VersionCase{"2003_ia64_enterprise", 5, 2, 3790, 3, 0x2, kIa64, 0, "",
                    "Microsoft Windows Server 2003, Enterprise Edition for Itanium-based Systems "
                    " (build 3790)",
                    2003, false},
        VersionCase{"2003_ia64_plain", 5, 2, 3790, 3, 0, kIa64, 0, "",
                    "Microsoft Windows Server 2003,   (build 3790)", 2003, false},
        VersionCase{"2003_x64_datacenter", 5, 2, 3790, 3, 0x82, kX64, 0, "",
                    "Microsoft Windows Server 2003, Datacenter x64 Edition  (build 3790)", 2003,
                    false},
        VersionCase{"2003_x64_enterprise", 5, 2, 3790, 3, 0x2, kX64, 0, "",
                    "Microsoft Windows Server 2003, Enterprise x64 Edition  (build 3790)", 2003,
                    false},
        VersionCase{"2003_x64_standard", 5, 2, 3790, 3, 0, kX64, 0, "",
                    "Microsoft Windows Server 2003, Standard x64 Edition  (build 3790)", 2003,
                    false},
        VersionCase{"2003_compute", 5, 2, 3790, 3, 0x4082, kX86, 0, "",
                    "Microsoft Windows Server 2003, Compute Cluster Edition  (build 3790)", 2003,
                    false},
        VersionCase{"2003_datacenter", 5, 2, 3790, 3, 0x482, kX86, 0, "",
                    "Microsoft Windows Server 2003, Datacenter Edition  (build 3790)", 2003, false},
        VersionCase{"2003_enterprise", 5, 2, 3790, 3, 0x402, kX86, 0, "",
                    "Microsoft Windows Server 2003, Enterprise Edition  (build 3790)", 2003, false},
        VersionCase{"2003_web", 5, 2, 3790, 3, 0x400, kX86, 0, "",
                    "Microsoft Windows Server 2003, Web Edition  (build 3790)", 2003, false},
        VersionCase{"2003_standard", 5, 2, 3790, 2, 0, kX86, 0, "",
                    "Microsoft Windows Server 2003, Standard Edition  (build 3790)", 2003, false},
        VersionCase{"xp_home", 5, 1, 2600, 1, 0x200, kX86, 0, "Service Pack 3",
                    "Microsoft Windows XP Home Edition Service Pack 3 (build 2600)", 5, false},
        VersionCase{"xp_pro", 5, 1, 2600, 1, 0, kX64, 0, "",
                    "Microsoft Windows XP Professional  (build 2600)", 5, false},
        VersionCase{"2000_pro", 5, 0, 2195, 1, 0x80, kX86, 0, "",
                    "Microsoft Windows 2000 Professional  (build 2195)", 2000, false},
        VersionCase{"2000_datacenter", 5, 0, 2195, 3, 0x82, kX86, 0, "",
                    "Microsoft Windows 2000 Datacenter Server  (build 2195)", 2000, false},
        VersionCase{"2000_advanced", 5, 0, 2195, 3, 0x2, kX86, 0, "",
                    "Microsoft Windows 2000 Advanced Server  (build 2195)", 2000, false},
        VersionCase{"2000_server", 5, 0, 2195, 2, 0, kX86, 0, "",
                    "Microsoft Windows 2000 Server  (build 2195)", 2000, false},
        // What a program that declares Windows 10 support is told on Windows 10 and 11.
        VersionCase{"10_0_windows_10", 10, 0, 19045, 1, 0x100, kX64, 0, "",
                    "Microsoft Windows 10 , 64-bit  (build 19045)", 10, true},
        VersionCase{"10_0_windows_10_x86", 10, 0, 19045, 1, 0, kX86, 0, "",
                    "Microsoft Windows 10 , 32-bit  (build 19045)", 10, false},
        VersionCase{"10_0_windows_11", 10, 0, 22631, 1, 0x100, kX64, 0, "",
                    "Microsoft Windows 11 , 64-bit  (build 22631)", 10, true},
        VersionCase{"10_0_first_windows_11_build", 10, 0, 22000, 1, 0, kX64, 0, "",
                    "Microsoft Windows 11 , 64-bit  (build 22000)", 10, true},
        VersionCase{"10_0_server_2019", 10, 0, 17763, 3, 0x110, kX64, 0, "",
                    "Microsoft Windows 10 , 64-bit  (build 17763)", 10, true},
        VersionCase{"later_10_1", 10, 1, 30000, 1, 0, kX64, 0, "",
                    "Microsoft Windows 10.1 , 64-bit  (build 30000)", 10, true},
        VersionCase{"later_11_0", 11, 0, 30000, 1, 0, kX64, 0, "",
                    "Microsoft Windows 11.0 , 64-bit  (build 30000)", 10, true},
        VersionCase{"after_8_1_6_4", 6, 4, 9841, 1, 0, kX64, 0, "",
                    "Microsoft Windows 6.4 , 64-bit  (build 9841)", 10, true},
        VersionCase{"5_3_matches_no_row", 5, 3, 1, 1, 0, kX64, 0, "", "Microsoft   (build 1)",
                    kUnchanged, false}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
      return std::string(info.param.label);
    });

struct ProductCase {
  uint32_t productType;
  const char* text;
};

class VistaProductTest : public SystemTest, public ::testing::WithParamInterface<ProductCase> {};

TEST_P(VistaProductTest, AppendsTheProductText) {
  os.version = platform::VersionRecord{6, 0, 6000, 2, "", 0, 0, 0, 1};
  os.nativeArchitecture = 6;  // no suffix
  os.productType = GetParam().productType;
  EXPECT_EQ(GetOSDisplayString(run),
            std::string("Microsoft Windows Vista ") + GetParam().text + "  (build 6000)");
  EXPECT_THAT(os.calls, ::testing::Contains("ReadProductType(6.0, 0.0)"));
}

INSTANTIATE_TEST_SUITE_P(
    Products, VistaProductTest,
    ::testing::Values(ProductCase{1, "Ultimate Edition"}, ProductCase{2, "Home Basic Edition"},
                      ProductCase{3, "Home Premium Edition"}, ProductCase{4, "Enterprise Edition"},
                      ProductCase{5, ""}, ProductCase{6, "Business Edition"},
                      ProductCase{7, "Standard Edition"}, ProductCase{8, "Datacenter Edition"},
                      ProductCase{9, "Small Business Server"},
                      ProductCase{10, "Enterprise Edition"}, ProductCase{11, "Starter Edition"},
                      ProductCase{12, "Datacenter Edition (core installation)"},
                      ProductCase{13, "Standard Edition (core installation)"},
                      ProductCase{14, "Enterprise Edition (core installation)"},
                      ProductCase{15, "Enterprise Edition for Itanium-based Systems"},
                      ProductCase{16, ""}, ProductCase{17, "Web Server Edition"},
                      ProductCase{18, "Cluster Server Edition"},
                      ProductCase{25, "Small Business Server Premium Edition"}, ProductCase{0, ""},
                      ProductCase{26, ""}));

class WindowsVersionTest : public SystemTest {};

TEST_F(WindowsVersionTest, ProductInfoUnavailableAddsNoEdition) {
  os.version = platform::VersionRecord{6, 0, 6000, 2, "", 0, 0, 0, 1};
  os.nativeArchitecture = 0;
  os.productInfoAvailable = false;
  EXPECT_EQ(GetOSDisplayString(run), "Microsoft Windows Vista , 32-bit  (build 6000)");
}

TEST_F(WindowsVersionTest, ArchitectureComesFromGetSystemInfoWithoutTheNativeCall) {
  os.nativeSystemInfo = false;
  os.nativeArchitecture = 9;
  os.architecture = 0;
  EXPECT_EQ(GetOSDisplayString(run), "Microsoft Windows 10 , 32-bit  (build 9200)");
  EXPECT_FALSE(run.Ticks64Disponible);
}

TEST_F(WindowsVersionTest, ServicePackIsCutAtItsFirstNul) {
  os.version.servicePack = std::string("SP2\0\0garbage", 12);
  os.nativeArchitecture = 9;
  EXPECT_EQ(GetOSDisplayString(run), "Microsoft Windows 10 , 64-bit SP2 (build 9200)");
}

TEST_F(WindowsVersionTest, NoTextOutsideTheNtFamilyFromVersion5) {
  os.version.platformId = 1;
  EXPECT_EQ(GetOSDisplayString(run), "");
  os.version = platform::VersionRecord{4, 0, 1381, 2, "", 0, 0, 0, 1};
  EXPECT_EQ(GetOSDisplayString(run), "");
  os.versionAvailable = false;
  EXPECT_EQ(GetOSDisplayString(run), "");
  EXPECT_EQ(run.CodeVersionWindows, 0);
}

TEST_F(WindowsVersionTest, Ticks64FollowsTheLatestReading) {
  os.nativeArchitecture = 9;
  GetOSDisplayString(run);
  EXPECT_TRUE(run.Ticks64Disponible);
  os.nativeArchitecture = 0;
  GetOSDisplayString(run);
  EXPECT_FALSE(run.Ticks64Disponible);
}

TEST_F(WindowsVersionTest, WindowsFolder) {
  EXPECT_EQ(GetWinDir(run), "C:\\windows");
  os.FailCall("WindowsDirectory", 5);
  EXPECT_EQ(GetWinDir(run), "");
}

}  // namespace
}  // namespace tx3::testing
