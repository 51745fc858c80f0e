#include "database/catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <set>
#include <string>

#include "common/run_context.h"

namespace tx3 {
namespace {

// The files kept once per base, as the catalogue lists them.
const std::set<int> kParBase = {5,  6,  7,  10, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                                29, 30, 31, 32, 33, 34, 35, 36, 40, 43, 44, 45, 47, 48, 49};

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { InitGeneralData(run, PbTFichiers); }

  RunContext run;
  std::array<FichierRec, kNombreDeFichiers + 1> PbTFichiers{};
};

// Number of segment records in use: those before the first all-zero record.
int SegmentsUsed(const FichierRec& entry) {
  int used = 0;
  while (used < kSegmentsPerFile && entry.Segments[used].Longueur != 0) ++used;
  return used;
}

TEST_F(CatalogueTest, KeysFormedBySegmentedBitEqualNbCles) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = PbTFichiers[i];
    const int used = SegmentsUsed(entry);
    int keys = 0;
    for (int s = 0; s < used; ++s) {
      if ((entry.Segments[s].Attributs & keyflag::kSegmented) == 0) ++keys;
    }
    EXPECT_EQ(keys, entry.NbCles) << entry.NomFichier;
    ASSERT_GT(used, 0) << entry.NomFichier;
    EXPECT_EQ(entry.Segments[used - 1].Attributs & keyflag::kSegmented, 0)
        << entry.NomFichier << ": the last key is left open";
  }
}

TEST_F(CatalogueTest, AtMostSevenSegmentsAndTheRestZero) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = PbTFichiers[i];
    const int used = SegmentsUsed(entry);
    EXPECT_LE(used, 7) << entry.NomFichier;
    for (int s = used; s < kSegmentsPerFile; ++s) {
      const SegmentRec& seg = entry.Segments[s];
      EXPECT_EQ(seg.Position + seg.Longueur + seg.Attributs + seg.Suite, 0)
          << entry.NomFichier << " segment " << s;
    }
  }
}

TEST_F(CatalogueTest, EverySegmentLiesInsideTheRecord) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = PbTFichiers[i];
    for (int s = 0; s < SegmentsUsed(entry); ++s) {
      const SegmentRec& seg = entry.Segments[s];
      EXPECT_GE(seg.Position, 1) << entry.NomFichier << " segment " << s;
      EXPECT_LE(seg.Position + seg.Longueur - 1, entry.LongEnreg)
          << entry.NomFichier << " segment " << s;
    }
  }
}

TEST_F(CatalogueTest, EveryKeyIsOfTheStringTypeWithAKnownFlagSet) {
  const std::set<int32_t> known = {2, 3, 19, 1026, 1027, 1043};
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = PbTFichiers[i];
    for (int s = 0; s < SegmentsUsed(entry); ++s) {
      const int32_t flags = entry.Segments[s].Attributs;
      EXPECT_EQ(flags & (keyflag::kBinary | keyflag::kExtendedType), 0) << entry.NomFichier;
      EXPECT_EQ(known.count(flags), 1u) << entry.NomFichier << " flags " << flags;
    }
  }
}

TEST_F(CatalogueTest, SuiteMarksTwoSegmentKeysAndTheSecondSegmentOfFrad021Key1) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = PbTFichiers[i];
    for (int s = 0; s < kSegmentsPerFile; ++s) {
      const bool first = (entry.Segments[s].Attributs & keyflag::kSegmented) != 0;
      const bool expected = first || (i == 21 && s == 2);
      EXPECT_EQ(entry.Segments[s].Suite, expected ? -1 : 0) << entry.NomFichier << " " << s;
    }
  }
}

TEST_F(CatalogueTest, NamesMarkersAndPageSizes) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = PbTFichiers[i];
    char expected[9];
    std::snprintf(expected, sizeof expected, "FRAD%03d ", i);
    EXPECT_EQ(entry.NomFichier, expected);
    EXPECT_EQ(entry.ParBase, kParBase.count(i) ? "O" : "N") << expected;
    EXPECT_EQ(entry.Marque2, i == 47 ? "O" : "N") << expected;
    EXPECT_FALSE(entry.Libelle.empty()) << expected;
    // 1536 reaches the engine as it is, not rounded to a power of two.
    const std::set<int32_t> pages =
        i >= 11 && i <= 16 ? std::set<int32_t>{1536} : std::set<int32_t>{512, 1024, 2048, 4096};
    EXPECT_EQ(pages.count(entry.TaillePage), 1u) << expected;
  }
}

TEST_F(CatalogueTest, Frad007HasFourKeysFromFiveSegments) {
  const FichierRec& e = PbTFichiers[7];
  EXPECT_EQ(e.NbCles, 4);
  EXPECT_EQ(SegmentsUsed(e), 5);
  EXPECT_EQ(e.Segments[2].Position, 26);
  EXPECT_EQ(e.Segments[2].Longueur, 10);
  EXPECT_EQ(e.Segments[2].Attributs, 19);
  EXPECT_EQ(e.Segments[3].Position, 9);
  EXPECT_EQ(e.Segments[3].Longueur, 13);
  EXPECT_EQ(e.Segments[3].Attributs, 3);
  EXPECT_EQ(e.Libelle, "Dates de planification des passages des spots");
}

TEST_F(CatalogueTest, Frad034FirstKeyStartsAtNine) {
  const FichierRec& e = PbTFichiers[34];
  EXPECT_EQ(e.NbCles, 6);
  EXPECT_EQ(e.Segments[0].Position, 9);
  EXPECT_EQ(e.Segments[0].Longueur, 14);
  EXPECT_EQ(e.Segments[5].Position, 115);
}

TEST_F(CatalogueTest, DescriptionsKeepTheirAccents) {
  EXPECT_EQ(PbTFichiers[0].Libelle, "Paramétrage");
  EXPECT_EQ(PbTFichiers[21].Libelle, "Voix, Groupe, Sonorité, Catégorie, ...");
  EXPECT_EQ(PbTFichiers[47].Libelle, "V 3.4 Historique de Diffusion: Codes et Libellés");
  EXPECT_EQ(PbTFichiers[47].LongEnreg, 4082);
}

TEST_F(CatalogueTest, SpareSlotIsBlank) {
  const FichierRec& e = PbTFichiers[50];
  EXPECT_EQ(e.NomFichier, "        ");
  EXPECT_EQ(e.Libelle, "");
  EXPECT_EQ(e.LongEnreg, 0);
  EXPECT_EQ(e.TaillePage, 0);
  EXPECT_EQ(e.NbCles, 0);
}

TEST_F(CatalogueTest, RefillRestoresTheConstantsButNotTheSpareNumbers) {
  PbTFichiers[3].LongEnreg = 1;
  PbTFichiers[3].Segments[6].Position = 5;
  PbTFichiers[50].Libelle = "x";
  PbTFichiers[50].LongEnreg = 77;
  InitGeneralData(run, PbTFichiers);
  EXPECT_EQ(PbTFichiers[3].LongEnreg, 900);
  EXPECT_EQ(PbTFichiers[3].Segments[6].Position, 0);
  EXPECT_EQ(PbTFichiers[50].Libelle, "");
  EXPECT_EQ(PbTFichiers[50].LongEnreg, 77);  // numbers of the spare slot are never written
  EXPECT_EQ(run.PbTErreur.Numero, 0);
}

}  // namespace
}  // namespace tx3
