#include "system/folder_select.h"

#include <gmock/gmock.h>

#include "system_fixture.h"

namespace tx3::testing {
namespace {

using ::testing::IsEmpty;

constexpr const char* kApplication = "C:\\Brennic\\Tarvox\\";

class FolderSelectTest : public SystemTest {
 protected:
  std::string StartFolder() const { return ui.browseCalls.at(0).startFolder; }
};

TEST_F(FolderSelectTest, CancelReturnsStarAndCreatesNothing) {
  EXPECT_EQ(FolderSelect(run, "C:\\Data\\", "", kApplication), "*");
  EXPECT_EQ(os.CallCount("MakeDirectory"), 0);
  EXPECT_EQ(os.CallCount("FindFirst"), 0);
}

struct StartCase {
  const char* startText;
  const char* dialogFolder;
};

void PrintTo(const StartCase& c, std::ostream* os) {
  *os << '"' << c.startText << '"';
}

class FolderSelectStartTest : public FolderSelectTest,
                              public ::testing::WithParamInterface<StartCase> {};

TEST_P(FolderSelectStartTest, OpensTheDialogOnTheFolderPart) {
  FolderSelect(run, GetParam().startText, "", kApplication);
  EXPECT_EQ(StartFolder(), GetParam().dialogFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, FolderSelectStartTest,
    ::testing::Values(StartCase{"C:\\Data\\Radio\\", "C:\\Data\\Radio"},
                      // The last part without a backslash is taken for a file name.
                      StartCase{"C:\\Data\\Radio", "C:\\Data"},
                      StartCase{"Radio", "C:\\Brennic\\Tarvox"},
                      StartCase{"   ", "C:\\Brennic\\Tarvox"}, StartCase{"C:\\", "C:"}));

TEST_F(FolderSelectTest, StartFolderIsKeptForTheDialog) {
  FolderSelect(run, "C:\\Data\\Radio", "", kApplication);
  EXPECT_EQ(run.DossierDepartSelection, "C:\\Data\\");
  EXPECT_EQ(StartFolder(), "C:\\Data");
}

TEST_F(FolderSelectTest, TitleDefaultsToTheFrenchPrompt) {
  FolderSelect(run, "", "", kApplication);
  FolderSelect(run, "", "Dossier des sons", kApplication);
  EXPECT_EQ(ui.browseCalls.at(0).title, "Sélectionnez un dossier: ");
  EXPECT_EQ(ui.browseCalls.at(1).title, "Dossier des sons");
}

TEST_F(FolderSelectTest, DriveRootIsReturnedWithItsBackslash) {
  ui.browseAnswers.push_back("C:\\");
  EXPECT_EQ(FolderSelect(run, "", "", kApplication), "C:\\");
}

TEST_F(FolderSelectTest, ChosenFolderEndsWithOneBackslashAndIsCreated) {
  os.AddRoot("D:");
  ui.browseAnswers.push_back("D:\\Sons\\Musique");
  EXPECT_EQ(FolderSelect(run, "", "", kApplication), "D:\\Sons\\Musique\\");
  EXPECT_TRUE(os.IsFolder("D:\\Sons\\Musique"));
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersTrouves, {"D:\\Sons\\Musique\\"}));
}

TEST_F(FolderSelectTest, ExistingFolderIsNotCreatedAgain) {
  ui.browseAnswers.push_back("C:\\windows");
  EXPECT_EQ(FolderSelect(run, "", "", kApplication), "C:\\windows\\");
  EXPECT_EQ(os.CallCount("MakeDirectory"), 0);
}

TEST_F(FolderSelectTest, AnswerIsCutAtItsFirstNul) {
  ui.browseAnswers.push_back(std::string("C:\\windows\0junk", 15));
  EXPECT_EQ(FolderSelect(run, "", "", kApplication), "C:\\windows\\");
}

TEST_F(FolderSelectTest, UncreatableFolderIsStillReturned) {
  ui.browseAnswers.push_back("Q:\\Sons");
  EXPECT_EQ(FolderSelect(run, "", "", kApplication), "Q:\\Sons\\");
  EXPECT_TRUE(HoldsExactly(run.SystemeState.DossiersAbsents, {"Q:\\Sons\\"}));
  EXPECT_THAT(ui.messages, IsEmpty());
}

}  // namespace
}  // namespace tx3::testing
