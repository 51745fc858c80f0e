#include "platform/posix/posix_platform.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class AttributesTest : public TempDrivesTest {
 protected:
  mode_t ModeOf(const std::string& below) const {
    struct stat info {};
    EXPECT_EQ(::stat(Host(below).c_str(), &info), 0);
    return info.st_mode & 07777;
  }
};

TEST_F(AttributesTest, ReadsDirectoryArchiveAndReadOnly) {
  MakeHostFolder("c:/Folder");
  MakeHostFile("c:/Folder/settings.ini");
  MakeHostFile("c:/Folder/locked.ini");
  ASSERT_EQ(::chmod(Host("c:/Folder/locked.ini").c_str(), 0444), 0);
  uint32_t attributes = 0;
  EXPECT_EQ(os_->GetAttributes("C:\\Folder", &attributes), 0);
  EXPECT_EQ(attributes, kAttrDirectory);
  EXPECT_EQ(os_->GetAttributes("C:\\folder\\SETTINGS.ini", &attributes), 0);
  EXPECT_EQ(attributes, kAttrArchive);
  EXPECT_EQ(os_->GetAttributes("C:\\Folder\\locked.ini", &attributes), 0);
  EXPECT_EQ(attributes, kAttrArchive | kAttrReadOnly);
  EXPECT_EQ(os_->GetAttributes("C:\\", &attributes), 0);
  EXPECT_EQ(attributes & kAttrDirectory, kAttrDirectory);
}

TEST_F(AttributesTest, AnswersErrorNumbers) {
  uint32_t attributes = 0;
  EXPECT_EQ(os_->GetAttributes("C:\\missing.ini", &attributes), 53);
  EXPECT_EQ(os_->GetAttributes("C:\\Missing\\x.ini", &attributes), 53);
  EXPECT_EQ(os_->GetAttributes("Q:\\x.ini", &attributes), 53);
  EXPECT_EQ(os_->GetAttributes("C:\\x?.ini", &attributes), 52);
  EXPECT_EQ(os_->SetAttributes("C:\\missing.ini", 0), 53);
  EXPECT_EQ(os_->SetAttributes("C:\\NUL", 0), 52);
}

TEST_F(AttributesTest, TogglesTheWriteBits) {
  MakeHostFile("c:/file.ini");
  ASSERT_EQ(::chmod(Host("c:/file.ini").c_str(), 0664), 0);
  EXPECT_EQ(os_->SetAttributes("C:\\FILE.ini", kAttrArchive | kAttrReadOnly), 0);
  EXPECT_EQ(ModeOf("c:/file.ini"), 0444u);
  uint32_t attributes = 0;
  ASSERT_EQ(os_->GetAttributes("C:\\file.ini", &attributes), 0);
  EXPECT_EQ(attributes, kAttrArchive | kAttrReadOnly);
  EXPECT_EQ(os_->SetAttributes("C:\\file.ini", kAttrArchive), 0);
  EXPECT_EQ(ModeOf("c:/file.ini"), 0644u);
  ASSERT_EQ(::chmod(Host("c:/file.ini").c_str(), 0660), 0);
  EXPECT_EQ(os_->SetAttributes("C:\\file.ini", 0), 0);
  EXPECT_EQ(ModeOf("c:/file.ini"), 0660u) << "a writable file keeps its bits";
}

TEST_F(AttributesTest, ReadsA64BitSize) {
  MakeHostFile("c:/big.bt6", "");
  const int fd = ::open(Host("c:/big.bt6").c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  const off_t size = (off_t{4} << 30) + 7;
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
  int64_t answered = 0;
  EXPECT_EQ(os_->FileSize("C:\\BIG.bt6", &answered), 0);
  EXPECT_EQ(answered, int64_t{4294967303});
}

TEST_F(AttributesTest, SizeAnswersErrorNumbers) {
  MakeHostFile("c:/small.ini", "12345");
  MakeHostFolder("c:/Folder");
  int64_t size = -1;
  EXPECT_EQ(os_->FileSize("C:\\small.ini", &size), 0);
  EXPECT_EQ(size, 5);
  EXPECT_EQ(os_->FileSize("C:\\missing.ini", &size), 53);
  EXPECT_EQ(os_->FileSize("Q:\\x", &size), 53);
  EXPECT_EQ(os_->FileSize("C:\\Folder", &size), 75);
  EXPECT_EQ(os_->FileSize("C:\\a<b", &size), 52);
}

TEST_F(AttributesTest, SizeOfAnUnreadableFileIsAnAccessError) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  MakeHostFile("c:/secret.bt6");
  ASSERT_EQ(::chmod(Host("c:/secret.bt6").c_str(), 0), 0);
  int64_t size = 0;
  EXPECT_EQ(os_->FileSize("C:\\secret.bt6", &size), 75);
}

}  // namespace
}  // namespace tx3::platform::posix
