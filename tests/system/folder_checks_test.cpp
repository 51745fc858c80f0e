#include "system/folder_checks.h"

#include <gmock/gmock.h>

#include "system_fixture.h"

namespace tx3::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

class FolderWalkTest : public SystemTest {};

TEST_F(FolderWalkTest, DriveRootAloneHasNoLevel) {
  VerificationEtCreationRepertoire(run, "C:\\");
  EXPECT_EQ(os.CallCount("FindFirst"), 0);
  EXPECT_EQ(os.CallCount("MakeDirectory"), 0);
  EXPECT_EQ(run.SystemeState.DernierDossierVerifie, "C:\\");
}

TEST_F(FolderWalkTest, CreatesEveryMissingLevelParentFirst) {
  os.AddRoot("D:");
  VerificationEtCreationRepertoire(run, "D:\\Data\\Sons");
  EXPECT_THAT(os.calls, Contains("MakeDirectory(D:\\Data\\)"));
  const auto first = std::find(os.calls.begin(), os.calls.end(), "MakeDirectory(D:\\Data\\)");
  const auto second =
      std::find(os.calls.begin(), os.calls.end(), "MakeDirectory(D:\\Data\\Sons\\)");
  EXPECT_LT(first, second);
  EXPECT_TRUE(os.IsFolder("D:\\Data\\Sons"));
  EXPECT_EQ(run.SystemeState.DernierDossierVerifie, "D:\\Data\\Sons\\");
  EXPECT_THAT(os.logLines, IsEmpty());
}

TEST_F(FolderWalkTest, ExistingLevelsAreRememberedAndNotLookedForAgain) {
  os.AddFolder("C:\\Brennic\\Tarvox");
  VerificationEtCreationRepertoire(run, "C:\\Brennic\\Tarvox\\");
  EXPECT_TRUE(
      HoldsExactly(run.SystemeState.DossiersVerifies, {"C:\\Brennic\\", "C:\\Brennic\\Tarvox\\"}));

  os.calls.clear();
  VerificationEtCreationRepertoire(run, "c:\\BRENNIC\\");  // case-insensitive lookup
  EXPECT_THAT(os.calls, IsEmpty());
}

TEST_F(FolderWalkTest, MissingDriveFailsOnceAndIsRemembered) {
  VerificationEtCreationRepertoire(run, "Q:\\Data\\Sons\\");
  EXPECT_TRUE(Traced("Folder 'Q:\\Data\\' not found"));
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersEnEchec, {"Q:\\Data\\"}));
  EXPECT_EQ(os.CallCount("MakeDirectory"), 1);  // the walk stopped at the first level
  // The make-directory failure is traced with the statement's line, not reported.
  EXPECT_TRUE(
      Traced("Err: 76: Folder not found: Q:\\Data\\Sons\\ |Source: "
             "Lib_Systeme:VerificationEtCreationRepertoire:50"));
  EXPECT_EQ(Reported(), "");

  const size_t callsBefore = os.calls.size();
  const size_t linesBefore = os.logLines.size();
  VerificationEtCreationRepertoire(run, "Q:\\Data\\Sons\\");
  EXPECT_EQ(os.calls.size(), callsBefore);
  EXPECT_EQ(os.logLines.size(), linesBefore);
}

TEST_F(FolderWalkTest, FailedLevelIsReportedOnlyOnceAcrossFolders) {
  VerificationEtCreationRepertoire(run, "Q:\\Data\\Sons\\");
  VerificationEtCreationRepertoire(run, "Q:\\Data\\Pub\\");
  EXPECT_EQ(TracedCount("Folder 'Q:\\Data\\' not found"), 1);
  EXPECT_TRUE(Traced("Folder 'Q:\\Data\\Pub\\' not found"));
}

TEST_F(FolderWalkTest, NetworkServerPartIsNeverLookedFor) {
  os.AddRoot("\\\\SRV\\Share");
  VerificationEtCreationRepertoire(run, "\\\\SRV\\Share\\New\\");
  EXPECT_THAT(os.calls, Not(Contains("FindFirst(\\\\SRV\\)")));
  EXPECT_THAT(os.calls, Contains("FindFirst(\\\\SRV\\Share\\)"));
  EXPECT_TRUE(os.IsFolder("\\\\SRV\\Share\\New"));
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersVerifies, {"\\\\SRV\\Share\\"}));
}

TEST_F(FolderWalkTest, MissingShareIsAttemptedAndReported) {
  VerificationEtCreationRepertoire(run, "\\\\SRV\\Share\\New\\");
  EXPECT_THAT(os.calls, Contains("MakeDirectory(\\\\SRV\\Share\\)"));
  EXPECT_TRUE(Traced("Folder '\\\\SRV\\Share\\' not found"));
}

TEST_F(FolderWalkTest, AdministrativeShareIsNeitherReportedNorRemembered) {
  VerificationEtCreationRepertoire(run, "\\\\SRV\\C$\\Radio\\");
  EXPECT_THAT(os.calls, Contains("MakeDirectory(\\\\SRV\\C$\\)"));
  EXPECT_THAT(os.calls, Contains("MakeDirectory(\\\\SRV\\C$\\Radio\\)"));  // the walk went on
  EXPECT_TRUE(run.SystemeState.DossiersEnEchec.empty());
  for (const std::string& line : os.logLines)
    EXPECT_THAT(line, Not(::testing::StartsWith("Folder")));
}

TEST_F(FolderWalkTest, LevelLengthCountsCharactersNotBytes) {
  // "é:\" is 3 characters (4 bytes): not a level.
  VerificationEtCreationRepertoire(run, "é:\\x\\");
  EXPECT_THAT(os.calls, Not(Contains("FindFirst(é:\\)")));
  EXPECT_THAT(os.calls, Contains("FindFirst(é:\\x\\)"));
}

TEST_F(FolderWalkTest, SecondMethodCreatesWhenMakeDirectoryFails) {
  os.FailCall("MakeDirectory", 75);
  VerificationEtCreationRepertoire(run, "C:\\New\\");
  EXPECT_TRUE(
      Traced("Err: 75: Folder not found: C:\\New\\ |Source: "
             "Lib_Systeme:VerificationEtCreationRepertoire:50"));
  EXPECT_TRUE(os.IsFolder("C:\\New"));
  EXPECT_EQ(os.CallCount("CreateFolderLike"), 0);
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersVerifies, {"C:\\New\\"}));
}

TEST_F(FolderWalkTest, ThirdMethodUsesTheWindowsFolderAsTemplate) {
  os.FailCall("MakeDirectory", 75);
  os.FailCall("CreateFolder", 75);
  VerificationEtCreationRepertoire(run, "C:\\New\\");
  EXPECT_THAT(os.calls, Contains("CreateFolderLike(C:\\New\\, C:\\windows)"));
  EXPECT_TRUE(os.IsFolder("C:\\New"));
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersVerifies, {"C:\\New\\"}));
}

TEST_F(FolderWalkTest, OtherErrorsGoToTheErrorManagerWithTheirLine) {
  os.FailCall("FindFirst", err::kOutOfMemory, 1);
  VerificationEtCreationRepertoire(run, "C:\\New\\");
  EXPECT_EQ(Reported(), "Lib_Systeme:VerificationEtCreationRepertoire");
  EXPECT_TRUE(os.IsFolder("C:\\New"));  // the walk went on
  EXPECT_EQ(run.PbTErreur.Numero, err::kOutOfMemory);
  EXPECT_EQ(run.PbTErreur.Ligne, 40);
}

TEST_F(FolderWalkTest, BlankFolderDoesNothing) {
  VerificationEtCreationRepertoire(run, "   ");
  EXPECT_THAT(os.calls, IsEmpty());
  EXPECT_EQ(run.SystemeState.DernierDossierVerifie, "");
}

TEST_F(FolderWalkTest, NameTheSettingsCodePageCannotHoldIsNeverCreated) {
  struct Case {
    const char* folder;
    bool created;
  };
  const Case cases[] = {{"C:\\Tarvøx€\\", true},
                        {"C:\\Radioł\\Config\\", false},
                        {"C:\\中\\", false},
                        {"C:\\Sons😀\\", false},
                        {"C:\\Bad\xff\\", false}};
  for (const Case& c : cases) {
    os.calls.clear();
    VerificationEtCreationRepertoire(run, c.folder);
    EXPECT_EQ(os.CallCount("MakeDirectory"), c.created ? 1 : 0) << c.folder;
    EXPECT_EQ(Traced(std::string("Err: 52: Folder not found: ") + c.folder +
                     " |Source: Lib_Systeme:VerificationEtCreationRepertoire:25"),
              !c.created)
        << c.folder;
  }
  EXPECT_EQ(Reported(), "");
}

class FolderFoundTest : public SystemTest {};

TEST_F(FolderFoundTest, ExistingFolderIsFoundAndRemembered) {
  EXPECT_TRUE(FolderFound(run, "C:\\windows\\"));
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersTrouves, {"C:\\windows\\"}));
  os.Remove("C:\\windows");
  os.calls.clear();
  EXPECT_TRUE(FolderFound(run, "C:\\WINDOWS\\"));
  EXPECT_THAT(os.calls, IsEmpty());
}

TEST_F(FolderFoundTest, MissingFolderIsCreated) {
  EXPECT_TRUE(FolderFound(run, "C:\\Data\\Radio\\"));
  EXPECT_TRUE(os.IsFolder("C:\\Data\\Radio"));
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersTrouves, {"C:\\Data\\Radio\\"}));
}

TEST_F(FolderFoundTest, UncreatableFolderIsAbsentForTheRestOfTheRun) {
  EXPECT_FALSE(FolderFound(run, "Q:\\Data\\"));
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersAbsents, {"Q:\\Data\\"}));
  os.AddFolder("Q:\\Data");
  EXPECT_FALSE(FolderFound(run, "Q:\\Data\\"));
}

TEST_F(FolderFoundTest, BadNameIsTracedAndAnswersFalseWithoutMemory) {
  os.FailCall("FindFirst", err::kBadFileName, 1);
  EXPECT_FALSE(FolderFound(run, "C:\\windows\\"));
  EXPECT_TRUE(
      Traced("Err: Folder not found: C:\\windows\\ |Source: Lib_Systeme:FolderFound:40 "
             "|Dossier: C:\\windows\\"));
  EXPECT_EQ(Reported(), "");
  EXPECT_TRUE(run.SystemeState.DossiersTrouves.empty());
  EXPECT_TRUE(run.SystemeState.DossiersAbsents.empty());
  EXPECT_TRUE(FolderFound(run, "C:\\windows\\"));  // asked again: not remembered as absent
}

TEST_F(FolderFoundTest, BlankFolderIsNotFound) {
  EXPECT_FALSE(FolderFound(run, "  "));
  EXPECT_THAT(os.calls, IsEmpty());
}

TEST_F(FolderFoundTest, DirQueryRaisesThePlatformFailure) {
  os.FailCall("FindFirst", err::kPathNotFound, 1);
  ErrorPattern e(run, "Test:DirQuery");
  EXPECT_FALSE(e(10, [] { DirQuery("C:\\x\\"); }));
  EXPECT_EQ(run.PbTErreur.Numero, err::kPathNotFound);
}

TEST_F(FolderFoundTest, EntryExistsReportsAFailedLookupAsTheCallersStatement) {
  struct Case {
    const char* text;
    int32_t failure;  // what Windows answers (the fake does not vet names); 0: none
    bool exists;
  };
  const Case cases[] = {
      {"C:\\windows\\", 0, true},
      {"C:\\nothing\\", 0, false},
      {"C:\\a|b", err::kBadFileName, false},  // a name Windows refuses
      {"C:\\windows\\", err::kPathNotFound, false},
  };
  for (const Case& c : cases) {
    SystemContext caseRun;
    os.ClearFailures();
    os.logLines.clear();
    if (c.failure != 0) os.FailCall("FindFirst", c.failure, 1, c.text);
    ErrorPattern e(caseRun, "Test:Caller");
    EXPECT_EQ(EntryExists(e, 20, c.text), c.exists) << c.text;
    const bool reported = c.failure != 0;
    EXPECT_EQ(caseRun.ErrorManager.reports, reported ? 1u : 0u) << c.text;
    EXPECT_EQ(caseRun.PbTErreur.Numero, c.failure) << c.text;
    EXPECT_EQ(os.LogContains("Source:Test:Caller:20"), reported) << c.text;
  }
}

}  // namespace
}  // namespace tx3::testing
