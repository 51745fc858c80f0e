// The catalogue of the suite's data files: record, page and key layouts of FRAD000 to FRAD049,
// the physical data model from which every file is created empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tx3 {

// Btrieve key flags used by the catalogue.
namespace keyflag {
inline constexpr int32_t kDuplicates = 0x0001;
inline constexpr int32_t kModifiable = 0x0002;
inline constexpr int32_t kBinary = 0x0004;
inline constexpr int32_t kNull = 0x0008;
inline constexpr int32_t kSegmented = 0x0010;
inline constexpr int32_t kAltCollating = 0x0020;
inline constexpr int32_t kDescending = 0x0040;
inline constexpr int32_t kSupplemental = 0x0080;
inline constexpr int32_t kExtendedType = 0x0100;
inline constexpr int32_t kCaseInsensitive = 0x0400;
}  // namespace keyflag

struct SegmentRec {
  int32_t Position = 0;  // first byte in the record, counted from 1
  int32_t Longueur = 0;
  int32_t Attributs = 0;  // key flags
  int16_t Suite = 0;      // boolean, true = -1
};

inline constexpr int kSegmentsPerFile = 8;

struct FichierRec {
  std::string Libelle;
  std::string NomFichier;  // 8 characters, left-justified
  std::string ParBase;     // "O" or "N"
  std::string Marque2;     // "O" or "N"
  int32_t LongEnreg = 0;
  int32_t TaillePage = 0;
  int32_t NbCles = 0;
  std::array<SegmentRec, kSegmentsPerFile> Segments{};
};

// Entries 0 to 49 describe FRAD000 to FRAD049; entry 50 is the spare slot.
inline constexpr int kNombreDeFichiers = 50;

class RunContext;

// Fills `PbTFichiers` from the constants (Frm_Main:InitGeneralData).
void InitGeneralData(RunContext& run, std::array<FichierRec, kNombreDeFichiers + 1>& PbTFichiers);

}  // namespace tx3
