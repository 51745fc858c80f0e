#include <string>

#include "app/frm_main.h"
#include "app_test_fixture.h"

namespace tx3::testing {
namespace {

class FrmMainFoldersTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    os.AddFolder("C:\\Brennic\\Tarvox");
    os.AddFolder("D:\\Sons\\Musique");
    os.AddFile("D:\\Sons\\liste.txt");
    os.AddFolder("\\\\SRV\\Partage\\Radio");
    w.Create();
    ui.messages.clear();
  }
};

struct ColourCase {
  const char* text;
  bool red;
};

TEST_F(FrmMainFoldersTest, ColourFollowsTheExistenceTest) {
  const ColourCase cases[] = {
      {"D:\\Sons\\Musique", false},
      {"D:\\Sons\\Musique\\", false},
      {"d:\\sons\\MUSIQUE\\", false},
      {"D:\\Sons\\liste.txt", false},
      {"D:\\Sons\\Mus*", false},
      {"D:\\Sons\\?iste.txt", false},
      {"D:\\Sons\\Z*", true},
      {"D:\\Sons\\Jingles\\", true},
      {"D:\\Son", true},
      {"Q:\\", true},
      {"Q:\\Rien\\", true},
      {"\\\\SRV\\Partage\\Radio\\", false},
      {"\\\\SRV\\Partage\\Autre\\", true},
      {"D:\\So<ns|\\", true},
      {"D:\\Sons\\CON", true},
      {"D:\\Sons\\Musique\\ \\", true},
  };
  for (const ColourCase& c : cases) {
    w.SetTexteDossier(3, c.text);
    EXPECT_EQ(Red(w, 3), c.red) << c.text;
    EXPECT_EQ(w.DossierRow(3).text, c.text);
  }
  EXPECT_EQ(Writes(), 0);
}

TEST_F(FrmMainFoldersTest, TypingTurnsNormalOnlyOnAnExistingName) {
  const std::string path = "D:\\Sons\\Musique\\X";
  std::string typed;
  std::string colours;
  for (char c : path) {
    typed += c;
    w.SetTexteDossier(2, typed);
    colours += Red(w, 2) ? 'R' : 'N';
  }
  // From "D:\" (the drive itself) on: partial names are red, whole names normal.
  EXPECT_EQ(colours.substr(2), "NRRRNNRRRRRRNNR");
}

TEST_F(FrmMainFoldersTest, VeryLongTextIsRedWithoutTrouble) {
  w.SetTexteDossier(5, std::string(10000, 'x'));
  EXPECT_TRUE(Red(w, 5));
  w.SetTexteDossier(5, "D:\\" + std::string(10000, 'x') + "\\");
  EXPECT_TRUE(Red(w, 5));
}

TEST_F(FrmMainFoldersTest, RowZeroAlsoSetsTheApplicationFolder) {
  w.SetTexteDossier(0, "Q:\\Nulle\\Part\\");
  EXPECT_TRUE(Red(w, 0));
  EXPECT_EQ(w.DossierApplication(), "Q:\\Nulle\\Part\\");
  for (int row = 1; row < kFolderCount; ++row) {
    w.SetTexteDossier(row, "D:\\Sons\\");
    EXPECT_EQ(w.DossierApplication(), "Q:\\Nulle\\Part\\") << row;
  }
}

TEST_F(FrmMainFoldersTest, ColourDoesNotFollowTheDiskUntilTheTextChanges) {
  w.SetTexteDossier(4, "D:\\Nouveau\\");
  os.AddFolder("D:\\Nouveau");
  EXPECT_TRUE(Red(w, 4));
  w.TexteDossier_Change(4);
  EXPECT_FALSE(Red(w, 4));
}

TEST_F(FrmMainFoldersTest, PickerCancelLeavesTheFieldAlone) {
  w.SetTexteDossier(4, "Q:\\Rien\\");
  w.CommandDossier_Click(4);
  ASSERT_EQ(ui.browseCalls.size(), 1u);
  EXPECT_EQ(w.DossierRow(4).text, "Q:\\Rien\\");
  EXPECT_TRUE(Red(w, 4));
  EXPECT_EQ(Writes(), 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FrmMainFoldersTest, PickerOpensOnTheFieldsFolderWithTheDefaultTitle) {
  w.SetTexteDossier(4, "D:\\Sons\\Musique");  // no final backslash: its parent
  w.CommandDossier_Click(4);
  ASSERT_EQ(ui.browseCalls.size(), 1u);
  EXPECT_EQ(ui.browseCalls[0].startFolder, "D:\\Sons");
  EXPECT_EQ(ui.browseCalls[0].title, "Sélectionnez un dossier: ");
}

TEST_F(FrmMainFoldersTest, PickerWithoutFolderPartOpensOnTheApplicationFolder) {
  w.SetTexteDossier(0, "C:\\Brennic\\Tarvox\\");
  w.SetTexteDossier(4, "Musique");
  w.CommandDossier_Click(4);
  ASSERT_EQ(ui.browseCalls.size(), 1u);
  EXPECT_EQ(ui.browseCalls[0].startFolder, "C:\\Brennic\\Tarvox");
}

TEST_F(FrmMainFoldersTest, PickedFolderGetsItsBackslashAndIsMadeToExist) {
  ui.browseAnswers.push_back("D:\\Sons\\Nouveau");
  w.CommandDossier_Click(6);
  EXPECT_EQ(w.DossierRow(6).text, "D:\\Sons\\Nouveau\\");
  EXPECT_TRUE(os.IsFolder("D:\\Sons\\Nouveau"));
  EXPECT_FALSE(Red(w, 6));
}

TEST_F(FrmMainFoldersTest, PickedRootStaysAsItIs) {
  ui.browseAnswers.push_back("D:\\");
  w.CommandDossier_Click(0);
  EXPECT_EQ(w.DossierRow(0).text, "D:\\");
  EXPECT_FALSE(Red(w, 0));
  EXPECT_EQ(w.DossierApplication(), "D:\\");
}

TEST_F(FrmMainFoldersTest, CreateOnAnExistingFolderOrFileOnlyTells) {
  for (const char* text : {"D:\\Sons\\Musique\\", "D:\\Sons\\liste.txt"}) {
    ui.messages.clear();
    w.SetTexteDossier(2, text);
    w.SetStatusText("");
    const int before = Writes();
    w.CommandDossierCreer_Click(2);
    EXPECT_EQ(w.StatusText(), "") << text;
    ASSERT_EQ(ui.messages.size(), 1u) << text;
    EXPECT_EQ(ui.messages[0].text, std::string("Le dossier existe déjà:\r\n\r\n") + text);
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(Writes(), before) << text;
  }
}

TEST_F(FrmMainFoldersTest, CreateMakesThreeMissingLevelsSilently) {
  w.SetTexteDossier(3, "D:\\Un\\Deux\\Trois");
  ASSERT_TRUE(Red(w, 3));
  w.CommandDossierCreer_Click(3);
  EXPECT_TRUE(os.IsFolder("D:\\Un"));
  EXPECT_TRUE(os.IsFolder("D:\\Un\\Deux"));
  EXPECT_TRUE(os.IsFolder("D:\\Un\\Deux\\Trois"));
  EXPECT_FALSE(Red(w, 3));
  EXPECT_EQ(w.DossierRow(3).text, "D:\\Un\\Deux\\Trois");  // not rewritten
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(w.StatusText(), "Dossier créé : D:\\Un\\Deux\\Trois");
}

TEST_F(FrmMainFoldersTest, CreateOnRowZeroSetsTheApplicationFolderAgain) {
  w.SetTexteDossier(0, "D:\\Appli\\");
  w.CommandDossierCreer_Click(0);
  EXPECT_FALSE(Red(w, 0));
  EXPECT_EQ(w.DossierApplication(), "D:\\Appli\\");
}

TEST_F(FrmMainFoldersTest, CreateOnABlankRowDoesNothing) {
  for (const char* text : {"", "   "}) {
    w.SetTexteDossier(5, text);
    const int before = Writes();
    w.CommandDossierCreer_Click(5);
    EXPECT_EQ(Writes(), before);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(w.DossierRow(5).text, text);
  }
}

TEST_F(FrmMainFoldersTest, CreateThatFailsLeavesTheFieldRed) {
  os.DenyCreate("D:\\Interdit");
  w.SetTexteDossier(5, "D:\\Interdit\\");
  w.SetStatusText("avant");
  w.CommandDossierCreer_Click(5);
  EXPECT_FALSE(os.Exists("D:\\Interdit"));
  EXPECT_TRUE(Red(w, 5));
  EXPECT_EQ(w.StatusText(), "avant") << "nothing was created";
}

// A name Windows refuses makes the lookup itself fail: the operator sees red, the log the error.
TEST_F(FrmMainFoldersTest, RefusedNameIsReportedAndShowsRed) {
  os.FailCall("FindFirst", err::kBadFileName, -1, "C:\\a|b");
  const uint64_t before = run.ErrorManager.reports;
  w.SetTexteDossier(2, "C:\\a|b");
  EXPECT_TRUE(Red(w, 2));
  EXPECT_EQ(run.ErrorManager.reports, before + 1);
  EXPECT_EQ(run.ErrorManager.lastProcedure, "Frm_Main:TexteDossier_Change");
}

TEST_F(FrmMainFoldersTest, BadRowIndexIsReportedNotFatal) {
  w.CommandDossierCreer_Click(8);
  EXPECT_EQ(run.ErrorManager.lastProcedure, "Frm_Main:CommandDossierCreer_Click");
  w.CommandDossier_Click(-1);
  EXPECT_EQ(run.ErrorManager.lastProcedure, "Frm_Main:CommandDossier_Click");
  EXPECT_TRUE(ui.browseCalls.empty());
}

}  // namespace
}  // namespace tx3::testing
