#include "platform/posix/profile_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "profile_test_folder.h"

namespace tx3::platform::posix {
namespace {

class ProfileStoreTest : public testing::Test {
 protected:
  std::string Read(const std::string& file, const char* section, const char* key,
                   const char* defaultValue = "dflt") {
    std::string value;
    const uint32_t count = SystemProfiles().Read(file, section, key, defaultValue, &value);
    EXPECT_EQ(count, value.size() - CountContinuationBytes(value));
    return value;
  }
  static size_t CountContinuationBytes(const std::string& text) {
    size_t n = 0;
    for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    return n;
  }
  static struct stat Stat(const std::string& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return info;
  }
  ProfileTestFolder folder_;
};

TEST_F(ProfileStoreTest, NewFileThenKeysAndSections) {
  const std::string ini = folder_.File("a.ini");
  ASSERT_TRUE(SystemProfiles().Write(ini, "Sec", "key", "value"));
  EXPECT_EQ(ProfileTestFolder::Bytes(ini), "[Sec]\r\nkey=value\r\n");
  ASSERT_TRUE(SystemProfiles().Write(ini, "Other", "x", "1"));
  ASSERT_TRUE(SystemProfiles().Write(ini, "sec", "k2", "v2"));
  EXPECT_EQ(ProfileTestFolder::Bytes(ini), "[Sec]\r\nkey=value\r\nk2=v2\r\n[Other]\r\nx=1\r\n");
  EXPECT_EQ(Read(ini, "SEC", "K2"), "v2");
}

TEST_F(ProfileStoreTest, AccentsAreStoredAsSingleBytes) {
  const std::string ini = folder_.File("m.ini");
  ASSERT_TRUE(SystemProfiles().Write(ini, "Strat\xC3\xA9gie 01", "Nom",
                                     "P\xC3\xAA"
                                     "che"));
  EXPECT_EQ(ProfileTestFolder::Bytes(ini),
            "[Strat\xE9gie 01]\r\nNom=P\xEA"
            "che\r\n");
  EXPECT_EQ(Read(ini, "STRAT\xC3\x89GIE 01", "nom"),
            "P\xC3\xAA"
            "che");
}

TEST_F(ProfileStoreTest, DefaultsAsWindowsAnswersThem) {
  const std::string ini = folder_.File("missing.ini");
  EXPECT_EQ(Read(ini, "S", "k", "def  "), "def");
  EXPECT_EQ(Read(ini, "S", "k", "   "), " ");
  EXPECT_EQ(Read(ini, "S", "k", "\"qd\""), "qd");
  EXPECT_EQ(Read(ini, "S", "k", " lead"), " lead");
  EXPECT_EQ(Read(ini, "S", "k", "tab\t"), "tab\t");
  EXPECT_EQ(Read(ini, "S", "k", "\xC4\x80"), "?");
  EXPECT_TRUE(folder_.Names().empty()) << "a read creates nothing";
}

TEST_F(ProfileStoreTest, UnchangedValueIsNotWritten) {
  const std::string ini = folder_.File("u.ini");
  ProfileTestFolder::Put(ini, "[S]\nk = v \n");
  const struct stat before = Stat(ini);
  SystemProfiles().ResetStats();
  EXPECT_TRUE(SystemProfiles().Write(ini, "s", "K", "v"));
  const struct stat after = Stat(ini);
  EXPECT_EQ(SystemProfiles().Stats().writes, 0u);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(ProfileTestFolder::Bytes(ini), "[S]\nk = v \n");
}

TEST_F(ProfileStoreTest, LongValuesReadWhole) {
  const std::string ini = folder_.File("long.ini");
  const std::string v300(300, 'x');
  const std::string big(1 << 20, 'y');
  ASSERT_TRUE(SystemProfiles().Write(ini, "S", "v300", v300));
  ASSERT_TRUE(SystemProfiles().Write(ini, "S", "big", big));
  EXPECT_EQ(Read(ini, "S", "v300"), v300);
  EXPECT_EQ(Read(ini, "S", "big"), big);
}

TEST_F(ProfileStoreTest, ReadOnlyFileRefusesAChange) {
  const std::string ini = folder_.File("ro.ini");
  ProfileTestFolder::Put(ini, "[S]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);
  EXPECT_FALSE(SystemProfiles().Write(ini, "S", "k", "2"));
  EXPECT_FALSE(SystemProfiles().Write(ini, "S", "new", "2"));
  EXPECT_EQ(ProfileTestFolder::Bytes(ini), "[S]\r\nk=1\r\n");
  EXPECT_EQ(folder_.Names().size(), 1u) << "no temporary file left";
}

TEST_F(ProfileStoreTest, PermissionBitsSurviveTheReplacement) {
  const std::string ini = folder_.File("p.ini");
  ProfileTestFolder::Put(ini, "[S]\r\n");
  ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
  ASSERT_TRUE(SystemProfiles().Write(ini, "S", "k", "1"));
  EXPECT_EQ(Stat(ini).st_mode & 07777, 0640u);
}

TEST_F(ProfileStoreTest, MissingFolderFails) {
  EXPECT_FALSE(SystemProfiles().Write(folder_.File("no/such/x.ini"), "S", "k", "1"));
}

TEST_F(ProfileStoreTest, ThroughALinkTheTargetIsReplaced) {
  const std::string real = folder_.File("real.ini");
  const std::string link = folder_.File("link.ini");
  ProfileTestFolder::Put(real, "[S]\r\n");
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
  ASSERT_TRUE(SystemProfiles().Write(link, "S", "k", "1"));
  EXPECT_EQ(ProfileTestFolder::Bytes(real), "[S]\r\nk=1\r\n");
  struct stat info {};
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(ProfileStoreTest, Utf16FileStaysUtf16) {
  const std::string ini = folder_.File("w.ini");
  ProfileTestFolder::Put(ini, std::string("\xFF\xFE[\0S\0]\0\r\0\n\0a\0=\0\xE9\0\r\0\n\0", 22));
  EXPECT_EQ(Read(ini, "S", "a"), "\xC3\xA9");
  ASSERT_TRUE(SystemProfiles().Write(ini, "S", "b", "\xC3\xAA"));
  EXPECT_EQ(ProfileTestFolder::Bytes(ini),
            std::string("\xFF\xFE[\0S\0]\0\r\0\n\0a\0=\0\xE9\0\r\0\n\0b\0=\0\xEA\0\r\0\n\0", 32));
}

TEST_F(ProfileStoreTest, ARunOfKeysParsesTheFileOnce) {
  const std::string ini = folder_.File("run.ini");
  ProfileTestFolder::Put(ini, "[S]\r\nfirst=1\r\n");
  SystemProfiles().ResetStats();
  for (int i = 0; i < 200; ++i) {
    const std::string key = "k" + std::to_string(i);
    const std::string value = Read(ini, "S", key.c_str(), "d");
    ASSERT_TRUE(SystemProfiles().Write(ini, "S", key, value));
  }
  EXPECT_EQ(SystemProfiles().Stats().parses, 1u);
  EXPECT_EQ(SystemProfiles().Stats().writes, 200u);
  for (int i = 0; i < 200; ++i) Read(ini, "S", ("k" + std::to_string(i)).c_str());
  EXPECT_EQ(SystemProfiles().Stats().parses, 1u);
}

TEST_F(ProfileStoreTest, AnOutsideChangeIsSeen) {
  const std::string ini = folder_.File("ext.ini");
  ASSERT_TRUE(SystemProfiles().Write(ini, "S", "k", "1"));
  SystemProfiles().ResetStats();
  ProfileTestFolder::Put(ini, "[S]\r\nk=22\r\n");  // size differs: a new identity
  EXPECT_EQ(Read(ini, "S", "k"), "22");
  EXPECT_EQ(SystemProfiles().Stats().parses, 1u);
  // Same size, same inode, rewritten in place: the write path compares the bytes themselves.
  ProfileTestFolder::Put(ini, "[S]\r\nk=33\r\n");
  ASSERT_TRUE(SystemProfiles().Write(ini, "S", "x", "1"));
  EXPECT_EQ(ProfileTestFolder::Bytes(ini), "[S]\r\nk=33\r\nx=1\r\n");
}

TEST_F(ProfileStoreTest, NothingButTheFileIsLeftAndFlushIsHarmless) {
  const std::string ini = folder_.File("only.ini");
  for (int i = 0; i < 20; ++i)
    ASSERT_TRUE(SystemProfiles().Write(ini, "S", "k", std::to_string(i)));
  SystemProfiles().Flush();
  SystemProfiles().Flush();
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"only.ini"});
}

}  // namespace
}  // namespace tx3::platform::posix
