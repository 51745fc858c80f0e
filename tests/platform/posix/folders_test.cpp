#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class FoldersTest : public TempDrivesTest {};

struct MakeCase {
  const char* path;
  int32_t error;
};

TEST_F(FoldersTest, AnswersTheRuntimeNumbers) {
  MakeHostFolder("c:/Brennic");
  MakeHostFile("c:/file.txt");
  for (const MakeCase& c : {
           MakeCase{"C:\\Brennic\\Tarvox", 0},
           MakeCase{"C:\\Brennic\\Tarvox", 75},
           MakeCase{"C:\\BRENNIC\\TARVOX", 75},
           MakeCase{"C:\\brennic\\Sons\\", 0},
           MakeCase{"C:\\Missing\\Sons", 76},
           MakeCase{"C:\\file.txt\\Sons", 76},
           MakeCase{"C:\\file.txt", 75},
           MakeCase{"C:\\", 75},
           MakeCase{"Q:\\Brennic", 76},
           MakeCase{"C:\\Brennic\\a*b", 52},
           MakeCase{"C:\\Brennic\\AUX", 52},
           MakeCase{"C:\\Brennic\\trailing.", 52},
           MakeCase{"C:\\Brennic\\trailing ", 52},
       }) {
    EXPECT_EQ(os_->MakeDirectory(c.path), c.error) << c.path;
  }
  EXPECT_TRUE(HostExists("c:/Brennic/Tarvox"));
  EXPECT_TRUE(HostExists("c:/Brennic/Sons"));
  EXPECT_FALSE(HostExists("c:/BRENNIC"));
}

TEST_F(FoldersTest, MakesNoShareOrServer) {
  MakeHostFolder("unc");
  MakeHostFolder("unc/SRV");
  MakeHostFolder("unc/SRV/Share");
  EXPECT_EQ(os_->MakeDirectory("\\\\SRV\\Share"), 75);
  EXPECT_EQ(os_->MakeDirectory("\\\\SRV\\NewShare"), 76);
  EXPECT_EQ(os_->MakeDirectory("\\\\SRV\\Share\\New"), 0);
  EXPECT_TRUE(HostExists("unc/SRV/Share/New"));
  EXPECT_EQ(os_->MakeDirectory("\\\\OTHER\\Share\\New"), 76);
}

TEST_F(FoldersTest, KeepsDotDotInsideTheDrive) {
  EXPECT_EQ(os_->MakeDirectory("C:\\..\\..\\escaped"), 0);
  EXPECT_TRUE(HostExists("c:/escaped"));
  EXPECT_FALSE(HostExists("escaped"));
}

TEST_F(FoldersTest, ReportsADeniedParent) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  MakeHostFolder("c:/Locked");
  ASSERT_EQ(::chmod(Host("c:/Locked").c_str(), 0555), 0);
  EXPECT_EQ(os_->MakeDirectory("C:\\Locked\\New"), 75);
}

TEST_F(FoldersTest, CreateDirectoryCallsAnswerBooleans) {
  EXPECT_TRUE(os_->CreateFolder("C:\\A"));
  EXPECT_FALSE(os_->CreateFolder("C:\\A"));
  EXPECT_FALSE(os_->CreateFolder("C:\\Missing\\A"));
  EXPECT_TRUE(os_->CreateFolderLike("C:\\windows", "C:\\B"));
  EXPECT_FALSE(os_->CreateFolderLike("C:\\windows", "C:\\B"));
  EXPECT_FALSE(os_->CreateFolderLike("C:\\windows", "C:\\B\\<"));
  EXPECT_TRUE(HostExists("c:/A"));
  EXPECT_TRUE(HostExists("c:/B"));
}

TEST_F(FoldersTest, SurvivesVeryLongPaths) {
  std::string deep = "C:";
  while (deep.size() < 10000) deep += "\\abcdefghij";
  EXPECT_EQ(os_->MakeDirectory(deep), 76);
  EXPECT_EQ(os_->MakeDirectory("C:\\" + std::string(10000, 'n')), 76);
}

}  // namespace
}  // namespace tx3::platform::posix
