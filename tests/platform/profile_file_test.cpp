#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/profile_cases.h"

namespace tx3::platform {
namespace {

using namespace profile_cases;

class ProfileFileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileFileWrite, LeavesTheBytesWindowsLeaves) {
  const WriteCase& c = GetParam();
  ProfileFile file = ProfileFile::Parse(c.before);
  EXPECT_TRUE(file.SetValue(c.section, c.key, c.value));
  EXPECT_EQ(file.Serialize(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileFileWrite, testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

class ProfileFileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileFileRead, AnswersAsWindows) {
  const ReadCase& c = GetParam();
  const ProfileFile file = ProfileFile::Parse(std::string(kOdd, sizeof kOdd - 1));
  EXPECT_EQ(file.Value(c.section, c.key), c.value) << c.section << " / " << c.key;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileFileRead, testing::ValuesIn(kReadCases));

TEST(ProfileFile, ValueStopsAtNul) {
  const ProfileFile file = ProfileFile::Parse(std::string("[S]\r\nnul=a\0b\r\n", 14));
  EXPECT_EQ(file.Value("S", "nul"), "a");
}

TEST(ProfileFile, UnchangedValueChangesNothing) {
  const std::string bytes = "[S]\na = x \r\nq=\"x\"\n";
  ProfileFile file = ProfileFile::Parse(bytes);
  EXPECT_FALSE(file.SetValue("s", "A", "x"));
  EXPECT_FALSE(file.SetValue("S", "q", "\"x\""));
  EXPECT_EQ(file.Serialize(), bytes);
  // The stored text, quotes included, is what counts: a bare x rewrites the quoted one.
  EXPECT_TRUE(file.SetValue("S", "q", "x"));
  EXPECT_EQ(file.Serialize(), "[S]\na = x \r\nq=x\r\n");
}

TEST(ProfileFile, SerializeGivesBackOddBytes) {
  const std::string cases[] = {
      std::string("\0\0\n\r\r\n[\n]\n=\n", 12),
      std::string("\xFF\xFE\x00\xD8\n\0\x00\xDC", 8),  // lone surrogates
      std::string("\xFF\xFE[\0S\0]\0\n\0x", 9),        // odd final byte
      "no line break at all",
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(ProfileFile::Parse(bytes).Serialize(), bytes);
  }
}

TEST(ProfileFile, WholeLongValue) {
  const std::string big(1 << 20, 'v');
  const ProfileFile file = ProfileFile::Parse("[S]\r\nbig=" + big + "\r\n");
  EXPECT_EQ(file.Value("S", "big"), big);
}

TEST(ProfileFile, Utf16OddLengthIsReadAndRewrittenWithoutLoss) {
  const std::string odd("\xFF\xFE[\0S\0]\0\n\0a\0=\0\x31\0\xD8", 17);
  ProfileFile file = ProfileFile::Parse(odd);
  EXPECT_EQ(file.Value("S", "a"), "1");
  EXPECT_FALSE(file.SetValue("S", "a", "1"));
  EXPECT_EQ(file.Serialize(), odd);
  EXPECT_TRUE(file.SetValue("S", "a", "2"));
  EXPECT_EQ(file.Serialize(), std::string("\xFF\xFE[\0S\0]\0\n\0a\0=\0\x32\0\r\0\n\0\xD8", 21));
}

TEST(ProfileFile, AWrittenLineThatReadsAsAHeaderStartsASection) {
  ProfileFile file = ProfileFile::Parse("[S]\r\n[a=1\r\n");
  EXPECT_TRUE(file.SetValue("S", "[a", "x]"));
  EXPECT_TRUE(file.SetValue("a=x", "k", "1"));
  EXPECT_EQ(file.Value("a=x", "k"), "1");
  EXPECT_EQ(file.Serialize(), "[S]\r\n[a=x]\r\nk=1\r\n");
}

TEST(ProfileFile, HugeLineIsKeptWhole) {
  const std::string line = "; " + std::string(8 << 20, 'y');
  ProfileFile file = ProfileFile::Parse("[S]\r\n" + line + "\r\n");
  EXPECT_TRUE(file.SetValue("S", "k", "1"));
  EXPECT_EQ(file.Serialize(), "[S]\r\nk=1\r\n" + line + "\r\n");
}

// The first of sections with one name answers, wherever the others are; a key goes into it.
TEST(ProfileFile, ManySectionsFirstOneAnswers) {
  std::string bytes;
  for (int i = 0; i < 200'000; ++i)
    bytes += "[S" + std::to_string(i % 100'000) + "]\nk=" + std::to_string(i) + "\n";
  ProfileFile file = ProfileFile::Parse(bytes);
  EXPECT_EQ(file.Value("s99999", "K"), "99999");
  EXPECT_EQ(file.Value("S100000", "k"), std::nullopt);
  EXPECT_TRUE(file.SetValue("S5", "n", "new"));
  EXPECT_NE(file.Serialize().find("[S5]\nk=5\nn=new\r\n[S6]"), std::string::npos);
}

// A long section is searched through an index: the first of two equal keys still answers, and
// keys added to it are found.
TEST(ProfileFile, LongSectionFirstKeyAnswers) {
  std::string bytes = "[S]\r\n";
  for (int i = 0; i < 1000; ++i)
    bytes += "k" + std::to_string(i % 500) + "=" + std::to_string(i) + "\r\n";
  ProfileFile file = ProfileFile::Parse(bytes);
  EXPECT_EQ(file.Value("s", "K499"), "499");
  EXPECT_TRUE(file.SetValue("S", "k7", "x"));
  EXPECT_TRUE(file.SetValue("S", "new", "1"));
  EXPECT_EQ(file.Value("S", "k7"), "x");
  EXPECT_EQ(file.Value("S", "new"), "1");
  EXPECT_NE(file.Serialize().find("k7=x\r\n"), std::string::npos);
  EXPECT_NE(file.Serialize().find("k7=507\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tx3::platform
