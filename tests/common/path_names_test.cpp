// Cleaning, vetting, normalising and splitting folder and file names.
#include "common/path_names.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/run_context.h"

namespace tx3 {
namespace {

struct Pair {
  const char* input;
  const char* expected;
};

TEST(NettoieNomDeDossierTest, Table) {
  RunContext run;
  const Pair cases[] = {
      {"C:\\Data:Old\\Son*s\\", "C:\\Data Old\\Son s\\"},
      {"D:\\a..b\\%x", "D:\\ab\\x"},
      {"D:\\a\\...\\b", "D:\\a\\\\b"},  // the two backslashes left are not merged
      {"C:\\dir  \\sub", "C:\\dir\\sub"},
      {"a:", "a:"},  // two characters: the colon stays
      {"::", "::"},
      {":::", "::"},  // the drive part keeps its colons, the rest does not
      {"C:\\a/b?c\"d<e>f|g,h", "C:\\a b c d e f g h"},
      {"C:\\a    b", "C:\\a  b"},    // four spaces become two
      {"C:\\a      b", "C:\\a  b"},  // six become two
      {"C:\\a   \\b", "C:\\a\\b"},   // three spaces, then the space before the backslash
      {"C:\\a    \\b", "C:\\a\\b"},  // every space before a backslash goes
      // Leading blanks make the drive part "  ": the drive's colon is then in the rest.
      {"  C:\\Tarvox\\  ", "C\\Tarvox\\"},
      {"C:\\Tarvox \\", "C:\\Tarvox\\"},
      {"C:\\Tarvox", "C:\\Tarvox"},  // no backslash is added
      {"C:\\....\\x", "C:\\.\\x"},   // "..." goes first, then ".." finds a single dot left
      {"C:\\a.....b", "C:\\ab"},
      {"%%", ""},
      {"", ""},
      {"C:\\Musique:Été\\", "C:\\Musique Été\\"},
      {"é:\\x:y", "é:\\x y"},  // the drive part is two characters, not two bytes
      {"C:/Brennic/Tarvox", "C: Brennic Tarvox"},
  };
  for (const Pair& c : cases) EXPECT_EQ(NettoieNomDeDossier(run, c.input), c.expected) << c.input;
}

TEST(NomFichierCorrectTest, RefusesOnlyWildcardsQuoteAndBar) {
  RunContext run;
  const std::pair<const char*, bool> cases[] = {
      {"Config.ini", true},  {"a<b", true},       {"a>b:c/d\\e", true}, {"", true},
      {"Conf?g.ini", false}, {"a|b", false},      {"*.ini", false},     {"a\"b", false},
      {"Données.ini", true}, {"x,y;%.ini", true},
  };
  for (const auto& [name, correct] : cases)
    EXPECT_EQ(NomFichierCorrect(run, name), correct) << name;
}

TEST(CheckRepTest, EndsWithOneSeparator) {
  RunContext run;
  const Pair cases[] = {
      {"C:\\Data", "C:\\Data\\"},
      {"C:\\Data\\", "C:\\Data\\"},
      {"C:\\Data\\\\", "C:\\Data\\"},
      {"C:\\Data\\\\\\", "C:\\Data\\\\"},  // only one doubled separator is reduced
      {"", ""},
      {"\\", "\\"},
      {"\\\\", "\\"},
      {"C:", "C:\\"},
      {"C:\\Été", "C:\\Été\\"},
      {"C:\\Data ", "C:\\Data \\"},  // no trimming
      {"C:\\Data/", "C:\\Data/\\"},
  };
  for (const Pair& c : cases) EXPECT_EQ(CheckRep(run, c.input), c.expected) << c.input;
  EXPECT_EQ(CheckRep(run, "/srv/data", "/"), "/srv/data/");
  EXPECT_EQ(CheckRep(run, "/srv/data//", "/"), "/srv/data/");
}

struct Split {
  const char* path;
  const char* rep;
  const char* fic;
  const char* ext;
};

TEST(EclateRepFicExtTest, Table) {
  RunContext run;
  const Split cases[] = {
      {"C:\\TX_Data\\Settings\\TX3_Config.ini", "C:\\TX_Data\\Settings\\", "TX3_Config", ".ini"},
      {"C:\\my.dir\\file", "C:\\my.dir\\", "file", ""},
      {"file.txt", "", "file", ".txt"},
      {"C:\\dir\\", "C:\\dir\\", "", ""},
      {".txt", ".txt", "", ".txt"},  // the dot at position 1 ends the scan without a split
      {"a.b.c", "", "a.b", ".c"},    // only the last dot counts
      {"  C:\\a\\b.ini  ", "C:\\a\\", "b", ".ini"},
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"file", "", "file", ""},
      {"\\file.", "\\", "file", "."},
      {"C:\\Données\\Été.ini", "C:\\Données\\", "Été", ".ini"},
      {"C:\\a\\.ini", "C:\\a\\", "", ".ini"},
      {"x", "", "x", ""},
      {"\\", "\\", "", ""},
  };
  for (const Split& c : cases) {
    run.PbTRepFicExt = RepFicExt{"stale", "stale", "stale"};
    EclateRepFicExt(run, c.path);
    EXPECT_EQ(run.PbTRepFicExt.Rep, c.rep) << c.path;
    EXPECT_EQ(run.PbTRepFicExt.Fic, c.fic) << c.path;
    EXPECT_EQ(run.PbTRepFicExt.Ext, c.ext) << c.path;
  }
}

TEST(PathNamesTest, NoFailureIsReportedForOrdinaryInput) {
  RunContext run;
  NettoieNomDeDossier(run, "C:\\a:b*c\\...\\");
  NomFichierCorrect(run, "a|b");
  CheckRep(run, "");
  EclateRepFicExt(run, ".txt");
  EXPECT_EQ(run.PbTErreur.Numero, 0);
  EXPECT_EQ(run.ErrorManager.reports, 0u);
}

}  // namespace
}  // namespace tx3
