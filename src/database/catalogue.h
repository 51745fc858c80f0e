// The catalogue of the suite's data files: record, page and key layouts of FRAD000 to FRAD049,
// the physical data model from which every file is created empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tx3 {

// The Btrieve key flag of a segment the next segment continues.
namespace keyflag {
inline constexpr int32_t kSegmented = 0x0010;
}  // namespace keyflag

struct SegmentRec {
  int32_t Position = 0;  // first byte in the record, counted from 1
  int32_t Longueur = 0;
  int32_t Attributs = 0;  // key flags
  int16_t Suite = 0;      // boolean, true = -1
};

inline constexpr int kSegmentsPerFile = 8;

// One data file: its description, whether it is kept once per base, its record, page and key
// layout. Entry n of the catalogue describes FRADnnn.
struct FichierRec {
  std::string_view Libelle;
  char ParBase;  // 'O': one file per base, the base letter in its name; 'N': one file
  char Marque2;  // 'O' or 'N'
  int32_t LongEnreg;
  int32_t TaillePage;
  int32_t NbCles;
  std::array<SegmentRec, kSegmentsPerFile> Segments;
};

inline constexpr int kNombreDeFichiers = 50;

// The catalogue, FRAD000 to FRAD049: the physical data model, never changed during a run.
const std::array<FichierRec, kNombreDeFichiers>& Catalogue();

// The name of catalogue entry `number`: "FRAD" and the number in three digits ("FRAD007").
std::string NomFichier(int number);

}  // namespace tx3
