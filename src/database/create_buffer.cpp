// The create buffer: filled from one catalogue entry, turned into its 160-byte wire image just
// before an engine call and read back from it just after.
#include "database/create_buffer.h"

#include <cstring>
#include <functional>

#include "common/error.h"
#include "common/run_context.h"
#include "database/catalogue.h"
#include "database/database_state.h"

namespace tx3 {

namespace {

constexpr size_t kKeySpecOffset = 16;
constexpr size_t kKeySpecSize = 16;

void Put16(CreateImage& image, size_t offset, int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  image[offset] = static_cast<uint8_t>(bits & 0xFF);
  image[offset + 1] = static_cast<uint8_t>(bits >> 8);
}

int16_t Get16(const CreateImage& image, size_t offset) {
  return static_cast<int16_t>(static_cast<uint16_t>(image[offset] | (image[offset + 1] << 8)));
}

template <size_t N>
void PutBytes(CreateImage& image, size_t offset, const std::array<uint8_t, N>& bytes) {
  std::memcpy(image.data() + offset, bytes.data(), N);
}

template <size_t N>
void GetBytes(const CreateImage& image, size_t offset, std::array<uint8_t, N>* bytes) {
  std::memcpy(bytes->data(), image.data() + offset, N);
}

// A catalogue number stored in a 16-bit field; a value outside the range overflows.
int16_t ToInt16(int32_t value) {
  if (value < INT16_MIN || value > INT16_MAX) Raise(err::kOverflow);
  return static_cast<int16_t>(value);
}

}  // namespace

CreateImage ToImage(const BtrFileBuf& buffer) {
  CreateImage image{};
  Put16(image, 0, buffer.RecLen);
  Put16(image, 2, buffer.PageSize);
  Put16(image, 4, buffer.IndxCnt);
  PutBytes(image, 6, buffer.Reserved);
  Put16(image, 10, buffer.FileFlags);
  PutBytes(image, 12, buffer.Reserved2);
  Put16(image, 14, buffer.Allocation);
  for (size_t k = 0; k < buffer.KeySpec.size(); ++k) {
    const KeySpecRec& spec = buffer.KeySpec[k];
    const size_t at = kKeySpecOffset + k * kKeySpecSize;
    Put16(image, at, spec.KeyPos);
    Put16(image, at + 2, spec.KeyLen);
    Put16(image, at + 4, spec.KeyFlags);
    PutBytes(image, at + 6, spec.Reserved);
    image[at + 10] = spec.ExtType;
    PutBytes(image, at + 11, spec.Reserved2);
  }
  return image;
}

void FromImage(const CreateImage& image, BtrFileBuf* buffer) {
  buffer->RecLen = Get16(image, 0);
  buffer->PageSize = Get16(image, 2);
  buffer->IndxCnt = Get16(image, 4);
  GetBytes(image, 6, &buffer->Reserved);
  buffer->FileFlags = Get16(image, 10);
  GetBytes(image, 12, &buffer->Reserved2);
  buffer->Allocation = Get16(image, 14);
  for (size_t k = 0; k < buffer->KeySpec.size(); ++k) {
    KeySpecRec& spec = buffer->KeySpec[k];
    const size_t at = kKeySpecOffset + k * kKeySpecSize;
    spec.KeyPos = Get16(image, at);
    spec.KeyLen = Get16(image, at + 2);
    spec.KeyFlags = Get16(image, at + 4);
    GetBytes(image, at + 6, &spec.Reserved);
    spec.ExtType = image[at + 10];
    GetBytes(image, at + 11, &spec.Reserved2);
  }
}

void InitStructureFichierBTR(RunContext& run, DatabaseState& db, int16_t index, bool Compresser) {
  BtrFileBuf& PbTBtrFileBuf = db.PbTBtrFileBuf;
  ErrorPattern e(run, "Lib_Setup:InitStructureFichierBTR");
  // Each assignment reads the entry itself: a bad index or an oversized value skips only that
  // field, the reserved fields and KeySpec(8) keep whatever they held.
  const auto entry = [index]() -> const FichierRec& {
    return Catalogue().at(static_cast<size_t>(index));
  };
  e(0, [&] { PbTBtrFileBuf.RecLen = ToInt16(entry().LongEnreg); });
  e(0, [&] { PbTBtrFileBuf.PageSize = ToInt16(entry().TaillePage); });
  e(0, [&] { PbTBtrFileBuf.IndxCnt = ToInt16(entry().NbCles); });
  e(0, [&] { PbTBtrFileBuf.FileFlags = Compresser ? kFileFlagCompression : 0; });
  for (size_t s = 0; s < kSegmentsPerFile; ++s) {
    KeySpecRec& spec = PbTBtrFileBuf.KeySpec[s];
    e(0, [&] { spec.KeyPos = ToInt16(entry().Segments[s].Position); });
    e(0, [&] { spec.KeyLen = ToInt16(entry().Segments[s].Longueur); });
    e(0, [&] { spec.KeyFlags = ToInt16(entry().Segments[s].Attributs); });
    e(0, [&] { spec.ExtType = 0; });
  }
}

}  // namespace tx3
