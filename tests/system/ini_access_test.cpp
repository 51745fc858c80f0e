#include "system/ini_access.h"

#include <gmock/gmock.h>

#include "system_fixture.h"

namespace tx3::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class EcritureIniTest : public SystemTest {
 protected:
  std::vector<bool> WriteOutcomes() const {
    std::vector<bool> outcomes;
    for (const auto& write : os.profileWrites) outcomes.push_back(write.succeeded);
    return outcomes;
  }
};

TEST_F(EcritureIniTest, WritesTheKeyAndEchoesIt) {
  EXPECT_TRUE(EcritureIni(run, "C:\\windows\\F.ini", "Site", "Lib", "Radio Générique"));
  EXPECT_EQ(ui.statusText, "C:\\windows\\F.ini |Site | Lib | Radio Générique");
  EXPECT_EQ(os.IniValue("C:\\windows\\F.ini", "Site", "Lib"), "Radio Générique");
  EXPECT_THAT(WriteOutcomes(), ElementsAre(true));
}

TEST_F(EcritureIniTest, PassesSectionKeyAndValueUntrimmed) {
  EXPECT_TRUE(EcritureIni(run, "C:\\windows\\F.ini", " Site ", " Lib", " v "));
  ASSERT_EQ(os.profileWrites.size(), 1u);
  EXPECT_EQ(os.profileWrites[0].section, " Site ");
  EXPECT_EQ(os.profileWrites[0].key, " Lib");
  EXPECT_EQ(os.profileWrites[0].value, " v ");
}

struct Refusal {
  const char* file;
  const char* section;
  const char* key;
  const char* value = "V";
};

void PrintTo(const Refusal& r, std::ostream* os) {
  *os << r.file << " [" << r.section << "] " << r.key << "=" << r.value;
}

class EcritureIniRefusalTest : public EcritureIniTest,
                               public ::testing::WithParamInterface<Refusal> {};

TEST_P(EcritureIniRefusalTest, WritesNothingButStillEchoes) {
  const Refusal& r = GetParam();
  EXPECT_FALSE(EcritureIni(run, r.file, r.section, r.key, r.value));
  EXPECT_THAT(os.profileWrites, IsEmpty());
  EXPECT_EQ(ui.statusText,
            std::string(r.file) + " |" + r.section + " | " + r.key + " | " + r.value);
}

INSTANTIATE_TEST_SUITE_P(Calls, EcritureIniRefusalTest,
                         ::testing::Values(Refusal{"C:\\windows\\F.ini", "   ", "Lib"},
                                           Refusal{"C:\\windows\\F.ini", "", "Lib"},
                                           Refusal{"C:\\windows\\F.ini", "Site", "  "},
                                           Refusal{"C:\\windows\\F*.ini", "Site", "Lib"},
                                           Refusal{"C:\\windows\\F?.ini", "Site", "Lib"},
                                           Refusal{"C:\\windows\\F\".ini", "Site", "Lib"},
                                           Refusal{"C:\\windows\\F|.ini", "Site", "Lib"},
                                           Refusal{"C:\\windows\\F.ini", "Site", "Lib",
                                                   "Radio\r\n[Site]\r\nDossier=C:\\x"},
                                           Refusal{"C:\\windows\\F.ini", "Site", "Lib", "R\n"},
                                           Refusal{"C:\\windows\\F.ini", "Si\rte", "Lib"},
                                           Refusal{"C:\\windows\\F.ini", "Site", "L\nib"}));

TEST_F(EcritureIniTest, CreatesTheWholeFolderChainThenWrites) {
  const char* file = "C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini";
  EXPECT_TRUE(EcritureIni(run, file, "Config", "Dossier", "X"));
  EXPECT_TRUE(os.IsFolder("C:\\Brennic\\Tarvox\\Settings"));
  EXPECT_THAT(WriteOutcomes(), ElementsAre(false, true));
  EXPECT_EQ(os.IniValue(file, "Config", "Dossier"), "X");
}

TEST_F(EcritureIniTest, ClearsReadOnlyBeforeTheThirdAttempt) {
  const char* file = "C:\\windows\\Win.ini";
  os.AddFile(file, 100, platform::kAttrReadOnly | platform::kAttrArchive);
  EXPECT_TRUE(EcritureIni(run, file, "Brennic", "Config", "C:\\Cfg\\"));
  EXPECT_THAT(WriteOutcomes(), ElementsAre(false, false, true));
  EXPECT_EQ(os.Find(file)->attributes, uint32_t{platform::kAttrArchive});
}

TEST_F(EcritureIniTest, SecondAttemptSucceedsAfterOneFailure) {
  os.FailCall("WriteProfileEntry", 75, 1);
  EXPECT_TRUE(EcritureIni(run, "C:\\windows\\F.ini", "S", "K", "V"));
  EXPECT_THAT(WriteOutcomes(), ElementsAre(false, true));
  EXPECT_EQ(os.CallCount("SetAttributes"), 0);
}

TEST_F(EcritureIniTest, ThreeFailuresAnswerFalseSilently) {
  os.FailCall("WriteProfileEntry", 75);
  EXPECT_FALSE(EcritureIni(run, "C:\\windows\\F.ini", "S", "K", "V"));
  EXPECT_THAT(WriteOutcomes(), ElementsAre(false, false, false));
  EXPECT_THAT(ui.messages, IsEmpty());
  EXPECT_EQ(Reported(), "");
  EXPECT_EQ(ui.statusText, "C:\\windows\\F.ini |S | K | V");
}

TEST_F(EcritureIniTest, PathWithoutBackslashSkipsTheFolderRepair) {
  EXPECT_FALSE(EcritureIni(run, "F.ini", "S", "K", "V"));
  EXPECT_EQ(os.profileWrites.size(), 3u);
  EXPECT_EQ(os.CallCount("MakeDirectory"), 0);
  EXPECT_EQ(os.CallCount("FindFirst"), 1);  // only the read-only repair looks for the file
}

TEST_F(EcritureIniTest, FailingWriteIsReportedAndRetried) {
  os.RaiseInCall("WriteProfileEntry", err::kPathFileAccess, 1);
  EXPECT_TRUE(EcritureIni(run, "C:\\windows\\F.ini", "S", "K", "V"));
  EXPECT_EQ(Reported(), "Lib_Setup:EcritureIni");
  EXPECT_EQ(run.PbTErreur.Ligne, 30);
  EXPECT_EQ(run.PbTErreur.Numero, err::kPathFileAccess);
}

class LectureIniTest : public SystemTest {};

TEST_F(LectureIniTest, ReadsALongValueWhole) {
  const std::string value(300, 'x');
  os.SetIniValue("C:\\windows\\F.ini", "S", "K", value);
  EXPECT_EQ(LectureIni(run, "C:\\windows\\F.ini", "S", "K", "d"), value);
}

TEST_F(LectureIniTest, MissingKeyGivesTheWholeDefault) {
  const std::string fallback = std::string(299, 'd') + "é";
  EXPECT_EQ(LectureIni(run, "C:\\windows\\F.ini", "S", "K", fallback), fallback);
}

TEST_F(LectureIniTest, RefusedPathGivesTheDefaultWithoutReading) {
  EXPECT_EQ(LectureIni(run, "C:\\windows\\F?.ini", "S", "K", "d"), "d");
  EXPECT_THAT(os.profileReads, IsEmpty());
}

TEST_F(LectureIniTest, PlatformFailureGivesEmptyTextAndIsReportedUnderItsModule) {
  for (const auto& [module, procedure] :
       {std::pair{IniModule::LibSetup, "Lib_Setup:LectureIni"},
        std::pair{IniModule::LibSysteme, "Lib_Systeme:LectureIni"}}) {
    os.RaiseInCall("ReadProfileString", err::kPathFileAccess, 1);
    EXPECT_EQ(LectureIni(run, "C:\\windows\\F.ini", "S", "K", "d", module), "");
    EXPECT_EQ(Reported(), procedure);
  }
}

}  // namespace
}  // namespace tx3::testing
