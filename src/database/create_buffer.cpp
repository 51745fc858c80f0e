// The create buffer: filled from one catalogue entry, turned into its 160-byte wire image just
// before an engine call and read back from it just after.
#include "database/create_buffer.h"

#include <cstring>

#include "common/error.h"
#include "common/run_context.h"
#include "database/catalogue.h"
#include "database/database_state.h"

namespace tx3 {

namespace {

constexpr size_t kKeySpecOffset = 16;
constexpr size_t kKeySpecSize = 16;

void Put(CreateImage& image, size_t offset, int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  image[offset] = static_cast<uint8_t>(bits & 0xFF);
  image[offset + 1] = static_cast<uint8_t>(bits >> 8);
}

void Put(CreateImage& image, size_t offset, uint8_t value) {
  image[offset] = value;
}

template <size_t N>
void Put(CreateImage& image, size_t offset, const std::array<uint8_t, N>& bytes) {
  std::memcpy(image.data() + offset, bytes.data(), N);
}

void Get(const CreateImage& image, size_t offset, int16_t* value) {
  *value = static_cast<int16_t>(static_cast<uint16_t>(image[offset] | (image[offset + 1] << 8)));
}

void Get(const CreateImage& image, size_t offset, uint8_t* value) {
  *value = image[offset];
}

template <size_t N>
void Get(const CreateImage& image, size_t offset, std::array<uint8_t, N>* bytes) {
  std::memcpy(bytes->data(), image.data() + offset, N);
}

// Every field of the buffer with its offset in the wire image, so that the layout is written
// once for both directions.
template <typename Buffer, typename Visit>
void ForEachField(Buffer& buffer, const Visit& visit) {
  visit(0, buffer.RecLen);
  visit(2, buffer.PageSize);
  visit(4, buffer.IndxCnt);
  visit(6, buffer.Reserved);
  visit(10, buffer.FileFlags);
  visit(12, buffer.Reserved2);
  visit(14, buffer.Allocation);
  for (size_t k = 0; k < buffer.KeySpec.size(); ++k) {
    auto& spec = buffer.KeySpec[k];
    const size_t at = kKeySpecOffset + k * kKeySpecSize;
    visit(at, spec.KeyPos);
    visit(at + 2, spec.KeyLen);
    visit(at + 4, spec.KeyFlags);
    visit(at + 6, spec.Reserved);
    visit(at + 10, spec.ExtType);
    visit(at + 11, spec.Reserved2);
  }
}

}  // namespace

CreateImage ToImage(const BtrFileBuf& buffer) {
  CreateImage image{};
  ForEachField(buffer, [&](size_t at, const auto& field) { Put(image, at, field); });
  return image;
}

void FromImage(const CreateImage& image, BtrFileBuf* buffer) {
  ForEachField(*buffer, [&](size_t at, auto& field) { Get(image, at, &field); });
}

void InitStructureFichierBTR(RunContext& run, DatabaseState& db, int16_t index) {
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
  e(0, [&] { PbTBtrFileBuf.FileFlags = 0; });
  for (size_t s = 0; s < kSegmentsPerFile; ++s) {
    KeySpecRec& spec = PbTBtrFileBuf.KeySpec[s];
    e(0, [&] { spec.KeyPos = ToInt16(entry().Segments[s].Position); });
    e(0, [&] { spec.KeyLen = ToInt16(entry().Segments[s].Longueur); });
    e(0, [&] { spec.KeyFlags = ToInt16(entry().Segments[s].Attributs); });
    e(0, [&] { spec.ExtType = 0; });
  }
}

}  // namespace tx3
