#include <gmock/gmock.h>

#include "system/folder_checks.h"
#include "system_fixture.h"

namespace tx3::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int64_t k4GiB = 4294967296LL;

class FileExistTest : public SystemTest {
 protected:
  std::vector<std::string> Searches() const {
    std::vector<std::string> found;
    for (const std::string& call : os.calls) {
      if (call.starts_with("FindFirst(")) found.push_back(call);
    }
    return found;
  }
};

struct ExistCase {
  const char* name;
  bool sizeCheck;
  bool expected;
};

void PrintTo(const ExistCase& c, std::ostream* os) {
  *os << '"' << c.name << "\" check " << c.sizeCheck;
}

class FileExistTableTest : public FileExistTest, public ::testing::WithParamInterface<ExistCase> {};

TEST_P(FileExistTableTest, Answers) {
  os.AddFile("C:\\Data\\Radio.ini", 120);
  os.AddFile("C:\\Data\\Empty.bt6", 0);
  os.AddFile("C:\\Data\\Huge.bt6", k4GiB);
  os.AddFile("C:\\Data\\Huge2.bt6", 3 * k4GiB);
  os.AddFile("C:\\Data\\Locked.bt6", 10);
  os.Find("C:\\Data\\Locked.bt6")->unopenable = true;
  const ExistCase& c = GetParam();
  EXPECT_EQ(File_Exist(run, c.name, "Test:Caller", c.sizeCheck), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileExistTableTest,
    ::testing::Values(
        ExistCase{"C:\\Data\\Radio.ini", true, true},
        ExistCase{"  C:\\DATA\\radio.INI  ", true, true},
        ExistCase{"C:\\Data\\Missing.ini", false, false}, ExistCase{"   ", false, false},
        ExistCase{"", true, false}, ExistCase{"C:\\Data", false, true},  // a folder counts
        ExistCase{"C:\\Data\\*.ini", true, true}, ExistCase{"C:\\Data\\Empty.bt6", false, true},
        ExistCase{"C:\\Data\\Empty.bt6", true, false},
        // A size that is a multiple of 4 GiB is not an empty file.
        ExistCase{"C:\\Data\\Huge.bt6", true, true}, ExistCase{"C:\\Data\\Huge2.bt6", true, true},
        // A file that cannot be opened reads as size -1: it exists.
        ExistCase{"C:\\Data\\Locked.bt6", true, true}));

TEST_F(FileExistTest, BlankBeforeDotIsRemovedFirst) {
  os.AddFile("C:\\Data\\Son.wav", 10);
  EXPECT_TRUE(File_Exist(run, "C:\\Data\\Son .wav", "Test:Caller", true));
  EXPECT_THAT(Searches(), ElementsAre("FindFirst(C:\\Data\\Son.wav)"));
}

TEST_F(FileExistTest, FirstFormIsSearchedWhenTheShortFormIsMissing) {
  os.AddFile("C:\\Data\\Son .wav", 10);
  EXPECT_TRUE(File_Exist(run, "C:\\Data\\Son .wav", "Test:Caller", true));
  EXPECT_THAT(Searches(),
              ElementsAre("FindFirst(C:\\Data\\Son.wav)", "FindFirst(C:\\Data\\Son .wav)"));
}

TEST_F(FileExistTest, RepeatedBlanksBeforeTheDotAllGo) {
  os.AddFile("C:\\Data\\a.wav", 10);
  EXPECT_TRUE(File_Exist(run, "C:\\Data\\a   .wav", "Test:Caller", false));
}

TEST_F(FileExistTest, EmptyShortFormFallsBackToTheFirstForm) {
  os.AddFile("C:\\Data\\Son.wav", 0);
  os.AddFile("C:\\Data\\Son .wav", 10);
  EXPECT_TRUE(File_Exist(run, "C:\\Data\\Son .wav", "Test:Caller", true));
}

TEST_F(FileExistTest, NameWithoutBlankIsSearchedOnce) {
  EXPECT_FALSE(File_Exist(run, "C:\\Data\\Missing.ini", "Test:Caller", false));
  EXPECT_EQ(Searches().size(), 1u);
}

TEST_F(FileExistTest, FailedSearchIsNotFoundWithoutReport) {
  os.AddFile("C:\\Data\\Radio.ini", 10);
  os.FailCall("FindFirst", err::kPathNotFound);
  EXPECT_FALSE(File_Exist(run, "C:\\Data\\Radio.ini", "Test:Caller", false));
  EXPECT_EQ(Reported(), "");
}

TEST_F(FileExistTest, ErrorsAreReportedUnderTheCallersLabel) {
  os.RaiseInCall("FindFirst", err::kOutOfMemory, 1);
  File_Exist(run, "C:\\Data\\x.bt6", "Frm_Main:CommandPervasiveCreate_Click", true);
  EXPECT_EQ(Reported(), "Frm_Main:CommandPervasiveCreate_Click>Lib_Systeme:File_Exist");
}

class FileSizeTest : public SystemTest {};

TEST_F(FileSizeTest, AnswersTheFull64BitSize) {
  for (const int64_t size : {int64_t{0}, int64_t{1234}, k4GiB, 5 * k4GiB + 7}) {
    os.AddFile("C:\\x.bin", size);
    EXPECT_EQ(TailleDuFichier(run, "C:\\x.bin"), size);
  }
}

TEST_F(FileSizeTest, UnopenableOrMissingFileIsMinusOne) {
  os.AddFile("C:\\locked.bin", 10);
  os.Find("C:\\locked.bin")->unopenable = true;
  EXPECT_EQ(TailleDuFichier(run, "C:\\locked.bin"), -1);
  EXPECT_EQ(TailleDuFichier(run, "C:\\missing.bin"), -1);
  EXPECT_EQ(Reported(), "");
}

TEST_F(FileSizeTest, SlowQueryIsTraced) {
  os.AddFile("C:\\x.bin", 10);
  os.DelayCall("FileSize", 1500);
  TailleDuFichier(run, "C:\\x.bin");
  EXPECT_THAT(
      os.logLines,
      ElementsAre("Function Lib_Systeme:TailleDuFichier Duration: 1500 ms (File: C:\\x.bin)"));
}

TEST_F(FileSizeTest, QueryOfOneSecondIsNotTraced) {
  os.AddFile("C:\\x.bin", 10);
  os.DelayCall("FileSize", 1000);
  TailleDuFichier(run, "C:\\x.bin");
  EXPECT_THAT(os.logLines, IsEmpty());
}

class RemoveFlagTest : public SystemTest {
 protected:
  uint32_t Attributes(std::string_view path) const { return os.Find(path)->attributes; }
};

TEST_F(RemoveFlagTest, ClearsReadOnlyAndKeepsTheRest) {
  os.AddFile("C:\\F.ini", 10, platform::kAttrReadOnly | platform::kAttrArchive);
  File_RemoveFlag(run, "C:\\F.ini");
  EXPECT_EQ(Attributes("C:\\F.ini"), uint32_t{platform::kAttrArchive});
}

struct FlagCase {
  uint32_t attributes;
  uint32_t expected;
  int writes;
};

class RemoveFlagTableTest : public RemoveFlagTest,
                            public ::testing::WithParamInterface<FlagCase> {};

TEST_P(RemoveFlagTableTest, ClearsOnlyTheReadOnlyBitWhenSet) {
  const FlagCase& c = GetParam();
  os.AddFile("C:\\F.ini", 10, c.attributes);
  File_RemoveFlag(run, "C:\\F.ini");
  EXPECT_EQ(Attributes("C:\\F.ini"), c.expected);
  EXPECT_EQ(os.CallCount("SetAttributes"), c.writes);
}

INSTANTIATE_TEST_SUITE_P(Bits, RemoveFlagTableTest,
                         ::testing::Values(FlagCase{32, 32, 0},  // not read-only: nothing written
                                           FlagCase{1 | 2 | 32, 2 | 32, 1},  // hidden stays
                                           FlagCase{0x81, 0x80, 1}, FlagCase{0x80, 0x80, 0},
                                           FlagCase{0, 0, 0},  // no attributes at all
                                           FlagCase{64 | 4 | 1, 64 | 4, 1}));

TEST_F(RemoveFlagTest, EmptyFileIsTracedAndLeftAlone) {
  os.AddFile("C:\\F.ini", 0, platform::kAttrReadOnly);
  File_RemoveFlag(run, "C:\\F.ini");
  EXPECT_TRUE(Traced("Warning: File_RemoveFlag: File not found: C:\\F.ini"));
  EXPECT_EQ(Attributes("C:\\F.ini"), uint32_t{platform::kAttrReadOnly});
}

TEST_F(RemoveFlagTest, MissingFileIsTraced) {
  File_RemoveFlag(run, "C:\\missing.ini");
  EXPECT_TRUE(Traced("Warning: File_RemoveFlag: File not found: C:\\missing.ini"));
  EXPECT_EQ(os.CallCount("GetAttributes"), 0);
}

TEST_F(RemoveFlagTest, BlankNameDoesNothing) {
  File_RemoveFlag(run, "  ");
  EXPECT_THAT(os.calls, IsEmpty());
}

TEST_F(RemoveFlagTest, FailuresAreSkippedSilently) {
  os.AddFile("C:\\F.ini", 10, platform::kAttrReadOnly);
  os.FailCall("SetAttributes", err::kPermissionDenied);
  File_RemoveFlag(run, "C:\\F.ini");
  EXPECT_EQ(Reported(), "");
  EXPECT_EQ(Attributes("C:\\F.ini"), uint32_t{platform::kAttrReadOnly});
}

class TickCountTest : public SystemTest {};

TEST_F(TickCountTest, KeepsGrowingAcrossTheWrapOfThe32BitCounter) {
  os.QueueTickCounts({0xFFFFFF00u, 0x00000100u, 0x00000200u});
  const int64_t before = TickCountMs(run);
  const int64_t after = TickCountMs(run);
  EXPECT_EQ(before, 4294967040LL);
  EXPECT_EQ(after, k4GiB + 0x100);
  EXPECT_EQ(TickCountMs(run), k4GiB + 0x200);
}

TEST_F(TickCountTest, NegativeReadingIsBroughtAboveZero) {
  os.QueueTickCounts({0x80000000u});
  EXPECT_EQ(TickCountMs(run), 2147483648LL);
}

TEST_F(TickCountTest, Uses64BitCounterWhenAvailable) {
  run.Ticks64Disponible = true;
  os.clockMs = 6000000000ULL;
  EXPECT_EQ(TickCountMs(run), 6000000000LL);
  EXPECT_EQ(os.CallCount("TickCount32"), 0);
}

TEST_F(TickCountTest, FallsBackWhenThe64BitCounterAnswersZero) {
  run.Ticks64Disponible = true;
  os.tickCount64Works = false;
  os.clockMs = 6000000000ULL;
  EXPECT_EQ(TickCountMs(run), static_cast<int64_t>(6000000000ULL % k4GiB));
}

TEST_F(TickCountTest, Ignores64BitCounterWithoutTheFlag) {
  os.clockMs = 6000000000ULL;
  TickCountMs(run);
  EXPECT_EQ(os.CallCount("TickCount64"), 0);
}

}  // namespace
}  // namespace tx3::testing
