#include "database/catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <set>
#include <string>

namespace tx3 {
namespace {

// Btrieve key flags of the other key types, which no catalogue key carries.
constexpr int32_t kBinaryFlag = 0x0004;
constexpr int32_t kExtendedTypeFlag = 0x0100;

// The files kept once per base, as the catalogue lists them.
const std::set<int> kParBase = {5,  6,  7,  10, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                                29, 30, 31, 32, 33, 34, 35, 36, 40, 43, 44, 45, 47, 48, 49};

// Number of segment records in use: those before the first all-zero record.
int SegmentsUsed(const FichierRec& entry) {
  int used = 0;
  while (used < kSegmentsPerFile && entry.Segments[used].Longueur != 0) ++used;
  return used;
}

TEST(CatalogueTest, KeysFormedBySegmentedBitEqualNbCles) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = Catalogue()[i];
    const int used = SegmentsUsed(entry);
    int keys = 0;
    for (int s = 0; s < used; ++s) {
      if ((entry.Segments[s].Attributs & keyflag::kSegmented) == 0) ++keys;
    }
    EXPECT_EQ(keys, entry.NbCles) << NomFichier(i);
    ASSERT_GT(used, 0) << NomFichier(i);
    EXPECT_EQ(entry.Segments[used - 1].Attributs & keyflag::kSegmented, 0)
        << NomFichier(i) << ": the last key is left open";
  }
}

TEST(CatalogueTest, AtMostSevenSegmentsAndTheRestZero) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = Catalogue()[i];
    const int used = SegmentsUsed(entry);
    EXPECT_LE(used, 7) << NomFichier(i);
    for (int s = used; s < kSegmentsPerFile; ++s) {
      const SegmentRec& seg = entry.Segments[s];
      EXPECT_EQ(seg.Position + seg.Longueur + seg.Attributs + seg.Suite, 0)
          << NomFichier(i) << " segment " << s;
    }
  }
}

TEST(CatalogueTest, EverySegmentLiesInsideTheRecord) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = Catalogue()[i];
    for (int s = 0; s < SegmentsUsed(entry); ++s) {
      const SegmentRec& seg = entry.Segments[s];
      EXPECT_GE(seg.Position, 1) << NomFichier(i) << " segment " << s;
      EXPECT_LE(seg.Position + seg.Longueur - 1, entry.LongEnreg)
          << NomFichier(i) << " segment " << s;
    }
  }
}

TEST(CatalogueTest, EveryKeyIsOfTheStringTypeWithAKnownFlagSet) {
  const std::set<int32_t> known = {2, 3, 19, 1026, 1027, 1043};
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = Catalogue()[i];
    for (int s = 0; s < SegmentsUsed(entry); ++s) {
      const int32_t flags = entry.Segments[s].Attributs;
      EXPECT_EQ(flags & (kBinaryFlag | kExtendedTypeFlag), 0) << NomFichier(i);
      EXPECT_EQ(known.count(flags), 1u) << NomFichier(i) << " flags " << flags;
    }
  }
}

TEST(CatalogueTest, SuiteMarksTwoSegmentKeysAndTheSecondSegmentOfFrad021Key1) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = Catalogue()[i];
    for (int s = 0; s < kSegmentsPerFile; ++s) {
      const bool first = (entry.Segments[s].Attributs & keyflag::kSegmented) != 0;
      const bool expected = first || (i == 21 && s == 2);
      EXPECT_EQ(entry.Segments[s].Suite, expected ? -1 : 0) << NomFichier(i) << " " << s;
    }
  }
}

TEST(CatalogueTest, NamesMarkersAndPageSizes) {
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    const FichierRec& entry = Catalogue()[i];
    char expected[8];
    std::snprintf(expected, sizeof expected, "FRAD%03d", i);
    EXPECT_EQ(NomFichier(i), expected);
    EXPECT_EQ(entry.ParBase, kParBase.count(i) ? 'O' : 'N') << expected;
    EXPECT_EQ(entry.Marque2, i == 47 ? 'O' : 'N') << expected;
    EXPECT_FALSE(entry.Libelle.empty()) << expected;
    // 1536 reaches the engine as it is, not rounded to a power of two.
    const std::set<int32_t> pages =
        i >= 11 && i <= 16 ? std::set<int32_t>{1536} : std::set<int32_t>{512, 1024, 2048, 4096};
    EXPECT_EQ(pages.count(entry.TaillePage), 1u) << expected;
  }
}

TEST(CatalogueTest, Frad007HasFourKeysFromFiveSegments) {
  const FichierRec& e = Catalogue()[7];
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

TEST(CatalogueTest, Frad034FirstKeyStartsAtNine) {
  const FichierRec& e = Catalogue()[34];
  EXPECT_EQ(e.NbCles, 6);
  EXPECT_EQ(e.Segments[0].Position, 9);
  EXPECT_EQ(e.Segments[0].Longueur, 14);
  EXPECT_EQ(e.Segments[5].Position, 115);
}

TEST(CatalogueTest, DescriptionsKeepTheirAccents) {
  EXPECT_EQ(Catalogue()[0].Libelle, "Paramétrage");
  EXPECT_EQ(Catalogue()[21].Libelle, "Voix, Groupe, Sonorité, Catégorie, ...");
  EXPECT_EQ(Catalogue()[47].Libelle, "V 3.4 Historique de Diffusion: Codes et Libellés");
  EXPECT_EQ(Catalogue()[47].LongEnreg, 4082);
}

}  // namespace
}  // namespace tx3
